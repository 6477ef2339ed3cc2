#include "params/groups/groupsbox.h"

#include "params/common/exchangebuttons.h"
#include "params/groups/gridview.h"
#include "params/groups/groups.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

GroupsBox::GroupsBox(Groups &family, ExchangeButtons &buttons, QWidget *parent)
    : QGroupBox(QStringLiteral("Групе"), parent)
{
    setObjectName(QStringLiteral("GBGroups"));

    const QList<int> widths = {30, 123, 61, 108};
    m_table = GridView::create("sgGrupe", &family.table(), widths, this);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setFixedSize(GridView::fullWidth(m_table), GridView::fullHeight(m_table, GroupTable::Rows));

    m_read = new QPushButton(QStringLiteral("Читање из касе"), this);
    m_read->setObjectName(QStringLiteral("BtnGRead"));
    m_write = new QPushButton(QStringLiteral("Унос у касу"), this);
    m_write->setObjectName(QStringLiteral("BtnGWrite"));
    buttons.add(m_read, true);
    buttons.add(m_write, false);
    connect(m_read, &QPushButton::clicked, &family, &Groups::BtnGReadClick);
    connect(m_write, &QPushButton::clicked, &family, &Groups::BtnGWriteClick);
    connect(&family, &Groups::readStarted, &buttons, [&buttons, w = m_write] { buttons.allow(w); });

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(m_read);
    buttonRow->addWidget(m_write);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addLayout(buttonRow);
    layout->addStretch();
}
