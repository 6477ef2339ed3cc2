#include "app/portcontrol.h"

#include "link/serialline.h"

#include <QComboBox>
#include <QPushButton>

namespace {
const QString OpenCaption = QStringLiteral("Отвори порт");
const QString CloseCaption = QStringLiteral("Затвори порт");
const QString ErrorTitle = QStringLiteral("Грешка !!! ");
} // namespace

PortControl::PortControl(QComboBox *names, QPushButton *button, SerialLine &line, QObject *parent)
    : QObject(parent), m_names(names), m_button(button), m_line(line)
{
    m_names->setEditable(true);
    m_names->setInsertPolicy(QComboBox::NoInsert);
    m_names->addItems(SerialLine::offeredPortNames());
    m_names->setCurrentText(line.portName());
    connect(&m_line, &SerialLine::openChanged, this, &PortControl::showCaption);
    connect(&m_line, &SerialLine::disconnected, this,
            [this](const QString &reason) { emit message(ErrorTitle, reason); });
    showCaption(m_line.isOpen());
}

void PortControl::applyChosenName()
{
    const QString name = m_names->currentText().trimmed();
    if (m_line.isOpen() || name.isEmpty())
        return;
    m_line.setPortName(name);
}

void PortControl::openOrClose()
{
    if (m_line.isOpen()) {
        m_line.close();
        return;
    }
    QString error;
    if (!m_line.open(&error))
        emit message(ErrorTitle, error);
}

void PortControl::showCaption(bool open) { m_button->setText(open ? CloseCaption : OpenCaption); }
