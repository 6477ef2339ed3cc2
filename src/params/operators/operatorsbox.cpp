#include "params/operators/operatorsbox.h"

#include "params/common/exchangebuttons.h"
#include "params/groups/gridview.h"
#include "params/operators/operators.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

OperatorsBox::OperatorsBox(Operators &family, ExchangeButtons &buttons, QWidget *parent)
    : QGroupBox(QStringLiteral("Оператери"), parent)
{
    setObjectName(QStringLiteral("GBOperateri"));

    const QList<int> widths = {30, 144, 102, 80, 82, 90, 93, 97, 89, 95, 98, 92, 92, 92, 93, 86, 85, 101, 100};
    m_table = GridView::create("SGOperateri", &family.table(), widths, this);
    // Far wider and taller than the page: the grid scrolls.
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    m_read = new QPushButton(QStringLiteral("Читање из касе"), this);
    m_read->setObjectName(QStringLiteral("BtnORead"));
    m_write = new QPushButton(QStringLiteral("Унос у касу"), this);
    m_write->setObjectName(QStringLiteral("BtnOWrite"));
    buttons.add(m_read, true);
    buttons.add(m_write, false);
    connect(m_read, &QPushButton::clicked, &family, &Operators::BtnOReadClick);
    connect(m_write, &QPushButton::clicked, &family, &Operators::BtnOWriteClick);
    connect(&family, &Operators::readStarted, &buttons, [&buttons, w = m_write] { buttons.allow(w); });

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(m_read);
    buttonRow->addWidget(m_write);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttonRow);
}
