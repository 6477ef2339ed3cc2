#include "app/portcontrol.h"

#include "app/portcombobox.h"
#include "link/serialline.h"

#include <QPushButton>
#include <QSignalBlocker>

namespace {
const QString OpenCaption = QStringLiteral("Отвори порт");
const QString CloseCaption = QStringLiteral("Затвори порт");
const QString ErrorTitle = QStringLiteral("Грешка !!! ");
} // namespace

PortControl::PortControl(PortComboBox *names, QPushButton *button, SerialLine &line, PortEnumerator enumerator,
                         QObject *parent)
    : QObject(parent), m_names(names), m_button(button), m_line(line), m_enumerator(std::move(enumerator))
{
    if (!m_enumerator)
        m_enumerator = PortFacts::systemPorts;
    refresh();
    m_names->setCurrentText(line.portName());
    connect(m_names, &PortComboBox::aboutToShowPopup, this, &PortControl::refresh);
    connect(&m_line, &SerialLine::openChanged, this, &PortControl::showCaption);
    connect(&m_line, &SerialLine::disconnected, this, [this](const QString &reason) {
        emit lost();
        emit message(ErrorTitle, reason);
    });
    connect(&m_line, &SerialLine::settingsRefused, this,
            [this](const QString &text) { emit message(QStringLiteral("Упозорење"), text); });
    showCaption(m_line.isOpen());
}

void PortControl::refresh()
{
    const QString shown = m_names->currentText();
    m_choices = PortChoices::build(m_enumerator());
    const QSignalBlocker quiet(m_names);
    m_names->clear();
    for (const PortChoice &choice : m_choices) {
        m_names->addItem(choice.text, choice.name);
        m_names->setItemData(m_names->count() - 1, choice.toolTip, Qt::ToolTipRole);
    }
    const int index = m_names->findText(shown);
    if (index >= 0)
        m_names->setCurrentIndex(index);
    else
        m_names->setEditText(shown);
    // The tooltip follows the text; the blocker kept that signal quiet.
    m_names->setToolTip(index >= 0 ? m_choices[index].toolTip : shown);
}

void PortControl::applyChosenName()
{
    const QString name = PortChoices::nameFor(m_choices, m_names->currentText());
    if (m_line.isOpen() || name.isEmpty())
        return;
    m_line.setPortName(name);
}

void PortControl::usePort(const QString &device)
{
    const int index = m_names->findData(device);
    if (index >= 0)
        m_names->setCurrentIndex(index);
    else
        m_names->setEditText(device);
    applyChosenName();
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
