#include "params/common/rowselection.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QMouseEvent>

RowSelection::RowSelection(QAbstractItemView *view) : QObject(view), m_view(view), m_viewport(view->viewport())
{
    // The filter sees the press before the view handles it: the view first
    // moves the current cell (if it changes) and then emits pressed().
    view->viewport()->installEventFilter(this);
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { onCurrentChanged(current); });
    connect(view, &QAbstractItemView::pressed, this, &RowSelection::onPressed);
}

bool RowSelection::eventFilter(QObject *watched, QEvent *event)
{
    // Compared with the viewport kept at the start: while the view is being
    // destroyed its viewport still sends events, and the view is no longer a view.
    if (watched == m_viewport) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            m_inPress = static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
            m_pressMovedCurrent = false;
            break;
        case QEvent::MouseButtonRelease:
            m_inPress = false;
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void RowSelection::onCurrentChanged(const QModelIndex &current)
{
    if (!current.isValid())
        return;
    if (m_inPress)
        m_pressMovedCurrent = true;
    emit selected(current);
}

void RowSelection::onPressed(const QModelIndex &index)
{
    const bool reportedAlready = m_pressMovedCurrent;
    const bool leftPress = m_inPress;
    m_inPress = false;
    m_pressMovedCurrent = false;
    if (leftPress && !reportedAlready && index.isValid())
        emit selected(index);
}
