#include "app/footer.h"

#include "app/lamp.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {
QTimer *lampTimer(const char *name, QObject *parent)
{
    auto *t = new QTimer(parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setInterval(500);
    t->setSingleShot(true);
    return t;
}
} // namespace

Footer::Footer(QWidget *parent) : QWidget(parent)
{
    m_ledRec = new Lamp(QColor(0, 230, 0), this);
    m_ledRec->setObjectName(QStringLiteral("ledRec"));
    auto *lblReceive = new QLabel(QStringLiteral("Примање података"), this);
    lblReceive->setObjectName(QStringLiteral("lblReceive"));
    m_ledTrans = new Lamp(QColor(255, 0, 0), this);
    m_ledTrans->setObjectName(QStringLiteral("ledTrans"));
    auto *lblTransmit = new QLabel(QStringLiteral("Слање података"), this);
    lblTransmit->setObjectName(QStringLiteral("lblTransmit"));
    m_recTimer = lampTimer("RecTimer", this);
    m_transTimer = lampTimer("TransTimer", this);
    connect(m_recTimer, &QTimer::timeout, m_ledRec, [this] { m_ledRec->setLit(false); });
    connect(m_transTimer, &QTimer::timeout, m_ledTrans, [this] { m_ledTrans->setLit(false); });

    m_counter = new QLabel(this);
    m_counter->setObjectName(QStringLiteral("lblBrojac"));
    m_counter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_counter->setMinimumWidth(80);
    m_cancel = new QPushButton(QStringLiteral("Прекини"), this);
    m_cancel->setObjectName(QStringLiteral("BtnOtkaz"));
    connect(m_cancel, &QPushButton::clicked, this, &Footer::cancelClicked);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Status"));
    m_status->setTextFormat(Qt::PlainText);
    QFont bold = m_status->font();
    bold.setBold(true);
    m_status->setFont(bold);
    m_status->setFrameShape(QFrame::StyledPanel);
    m_status->setFrameShadow(QFrame::Sunken);
    m_status->setMinimumHeight(20);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("PBar"));
    m_bar->setRange(0, 16);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_bar->setMaximumHeight(20);

    // One row along the bottom edge, so that the pages keep the height:
    // the lamps, the status line and the bar (each half of what is left),
    // the record counter and the cancel button.
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(4, 0, 4, 2);
    row->setSpacing(4);
    row->addWidget(m_ledRec);
    row->addWidget(lblReceive);
    row->addSpacing(8);
    row->addWidget(m_ledTrans);
    row->addWidget(lblTransmit);
    row->addSpacing(8);
    row->addWidget(m_status, 1);
    row->addWidget(m_bar, 1);
    row->addWidget(m_counter);
    row->addWidget(m_cancel);
}

void Footer::lightTransmit()
{
    m_ledTrans->setLit(true);
    m_transTimer->start();
}

void Footer::lightReceive()
{
    m_ledRec->setLit(true);
    m_recTimer->start();
}

void Footer::setStatus(const QString &text) { m_status->setText(text); }

void Footer::setProgress(int value) { m_bar->setValue(value); }

void Footer::setCancelVisible(bool visible) { m_cancel->setVisible(visible); }

void Footer::reset()
{
    m_recTimer->stop();
    m_transTimer->stop();
    m_ledRec->setLit(false);
    m_ledTrans->setLit(false);
    m_counter->clear();
    m_cancel->setText(QStringLiteral("Прекини"));
    m_cancel->setVisible(true);
    m_status->clear();
    m_bar->setValue(0);
}
