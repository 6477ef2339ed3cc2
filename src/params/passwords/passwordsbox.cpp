#include "params/passwords/passwordsbox.h"

#include "params/common/familybox.h"
#include "params/common/exchangebuttons.h"
#include "params/passwords/passwordfamily.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

PasswordsBox::PasswordsBox(PasswordFamily &family, ExchangeButtons &buttons, QWidget *parent)
    : QGroupBox(QStringLiteral("Лозинке"), parent)
{
    setObjectName(QStringLiteral("GBLozinke"));
    auto *layout = new QGridLayout(this);
    auto field = [&](const char *labelName, const QString &caption, const char *editName, int row) {
        auto *label = new QLabel(caption, this);
        label->setObjectName(QString::fromLatin1(labelName));
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(editName));
        // The main window gives data fields their look; these are bold.
        edit->setProperty("dataLook", QStringLiteral("bold"));
        label->setBuddy(edit);
        layout->addWidget(label, row, 0);
        layout->addWidget(edit, row + 1, 0);
        return edit;
    };
    m_service = field("LblPassServ", QStringLiteral("Сервисна лозинка:"), "EdtPassServ", 0);
    m_report = field("LblPassIzv", QStringLiteral("Лозинка за извештаје:"), "EdtPassIzv", 2);
    m_service->setText(family.serviceText());
    m_report->setText(family.reportText());
    connect(m_service, &QLineEdit::textChanged, &family, &PasswordFamily::setServiceText);
    connect(m_report, &QLineEdit::textChanged, &family, &PasswordFamily::setReportText);
    connect(&family, &PasswordFamily::passwordsRead, this, [this](const QString &service, const QString &report) {
        m_service->setText(service);
        m_report->setText(report);
    });

    m_read = new QPushButton(QStringLiteral("Читање из касе"), this);
    m_read->setObjectName(QStringLiteral("BtnLozinkaRead"));
    m_write = new QPushButton(QStringLiteral("Унос у касу"), this);
    m_write->setObjectName(QStringLiteral("BtnLozinkaWrite"));
    buttons.add(m_read, true);
    buttons.add(m_write, false);
    FamilyBox::tag(this, family, m_write);
    connect(m_read, &QPushButton::clicked, &family, &PasswordFamily::BtnLozinkaReadClick);
    connect(m_write, &QPushButton::clicked, &family, &PasswordFamily::BtnLozinkaWriteClick);
    connect(&family, &PasswordFamily::readStarted, &buttons, [&buttons, w = m_write] { buttons.allow(w); });

    auto *row = new QHBoxLayout;
    row->addWidget(m_read);
    row->addWidget(m_write);
    layout->addLayout(row, 4, 0);
    layout->setRowStretch(5, 1);
}
