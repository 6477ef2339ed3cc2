#include "app/find/findregisterwindow.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

FindRegisterWindow::FindRegisterWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmFindRegister"));
    setWindowTitle(QStringLiteral("Проналажење касе"));
    m_model = new QStandardItemModel(0, 3, this);
    m_model->setHorizontalHeaderLabels({QStringLiteral("Порт"), QStringLiteral("Опис"), QStringLiteral("Резултат")});
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("tvFoundPorts"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_use = new QPushButton(QStringLiteral("Изабери"), this);
    m_use->setObjectName(QStringLiteral("btnFoundUse"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(m_use, 0, Qt::AlignRight);
    connect(m_use, &QPushButton::clicked, this, &FindRegisterWindow::useCurrent);
    connect(m_table, &QTableView::doubleClicked, this, &FindRegisterWindow::useCurrent);
    resize(560, 280);
}

void FindRegisterWindow::showResults(const QString &serial, const QList<RegisterProbe::Result> &results)
{
    setWindowTitle(QStringLiteral("Проналажење касе %1").arg(serial));
    m_model->removeRows(0, m_model->rowCount());
    int answered = -1;
    for (const RegisterProbe::Result &r : results) {
        QList<QStandardItem *> row{new QStandardItem(r.device), new QStandardItem(r.description),
                                   new QStandardItem(RegisterProbe::outcomeText(r.outcome))};
        if (r.outcome == RegisterProbe::Outcome::Answered && answered < 0)
            answered = m_model->rowCount();
        m_model->appendRow(row);
    }
    m_table->resizeColumnsToContents();
    // The register's port is the one to pick; it starts selected.
    if (answered >= 0)
        m_table->selectRow(answered);
    m_use->setEnabled(!results.isEmpty());
}

void FindRegisterWindow::useCurrent()
{
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid())
        return;
    emit portChosen(m_model->item(current.row(), 0)->text());
    accept();
}
