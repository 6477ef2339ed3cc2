#include "sync/differenceswindow.h"

#include "catalogue/familycatalogue.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <set>

namespace {
const QString Agree = QStringLiteral("Каса и табела се слажу.");
}

DifferencesWindow::DifferencesWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDifferences"));
    setWindowTitle(QStringLiteral("Разлике између табеле и касе"));
    m_model = new QStandardItemModel(0, 5, this);
    m_model->setHorizontalHeaderLabels({QStringLiteral("Породица"), QStringLiteral("Запис"), QStringLiteral("Поље"),
                                        QStringLiteral("У табели"), QStringLiteral("У каси")});
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("tvDifferences"));
    m_table->setModel(m_model);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lblDifferences"));
    m_take = new QPushButton(QStringLiteral("Преузми из касе"), this);
    m_take->setObjectName(QStringLiteral("btnDiffTakeRegister"));
    m_write = new QPushButton(QStringLiteral("Упиши табелу"), this);
    m_write->setObjectName(QStringLiteral("btnDiffWriteTable"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_summary, 1);
    buttons->addWidget(m_take);
    buttons->addWidget(m_write);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    resize(720, 420);

    connect(m_take, &QPushButton::clicked, this, [this] {
        const QList<RecordDifference> chosen = selectedDifferences();
        if (!chosen.isEmpty())
            emit takeRegisterRequested(chosen);
    });
    connect(m_write, &QPushButton::clicked, this, [this] {
        QStringList families;
        for (const RecordDifference &d : m_differences)
            if (!families.contains(d.family))
                families << d.family;
        emit writeTableRequested(families);
    });
}

void DifferencesWindow::showDifferences(const QList<RecordDifference> &differences)
{
    m_differences = differences;
    m_model->setRowCount(0);
    m_model->setRowCount(int(differences.size()));
    for (int r = 0; r < differences.size(); ++r) {
        const RecordDifference &d = differences[r];
        const QStringList cells = {FamilyCatalogue::titleOf(d.family), QString::number(d.index + 1), d.field, d.table, d.held};
        for (int c = 0; c < cells.size(); ++c)
            m_model->setItem(r, c, new QStandardItem(cells[c]));
    }
    m_summary->setText(differences.isEmpty() ? Agree : QStringLiteral("Разлика: %1").arg(differences.size()));
    m_table->setVisible(!differences.isEmpty());
    m_take->setEnabled(!differences.isEmpty());
    m_write->setEnabled(!differences.isEmpty());
}

QList<RecordDifference> DifferencesWindow::selectedDifferences() const
{
    std::set<int> rows;
    for (const QModelIndex &i : m_table->selectionModel()->selectedIndexes())
        rows.insert(i.row());
    QList<RecordDifference> out;
    for (int r : rows)
        if (r >= 0 && r < m_differences.size())
            out << m_differences[r];
    return out;
}
