#include "params/common/enterapplies.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>

EnterApplies::EnterApplies(const QList<QWidget *> &fields, QAbstractButton *button)
    : QObject(button), m_button(button)
{
    for (QWidget *field : fields)
        field->installEventFilter(this);
}

bool EnterApplies::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    // An open list takes Enter to choose its item.
    if (auto *combo = qobject_cast<QComboBox *>(watched); combo && combo->view()->isVisible())
        return false;
    if (m_button->isEnabled())
        m_button->click();
    return true;
}
