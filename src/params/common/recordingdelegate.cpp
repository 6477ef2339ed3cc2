#include "params/common/recordingdelegate.h"

#include "edit/edithistory.h"
#include "edit/stepnames.h"


RecordingDelegate::RecordingDelegate(QAbstractItemDelegate *inner, EditHistory &history, QObject *parent)
    : QStyledItemDelegate(parent), m_inner(inner), m_history(history)
{
    m_inner->setParent(this);
    // A wrapped delegate that repaints on its own (sizes, hints) is heard by the view.
    connect(m_inner, &QAbstractItemDelegate::sizeHintChanged, this, &QAbstractItemDelegate::sizeHintChanged);
}

QWidget *RecordingDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                         const QModelIndex &index) const
{
    return m_inner->createEditor(parent, option, index);
}

void RecordingDelegate::destroyEditor(QWidget *editor, const QModelIndex &index) const
{
    m_inner->destroyEditor(editor, index);
}

void RecordingDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    m_inner->setEditorData(editor, index);
}

void RecordingDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    m_history.record(StepNames::Typed, [&] { m_inner->setModelData(editor, model, index); });
}

void RecordingDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                             const QModelIndex &index) const
{
    m_inner->updateEditorGeometry(editor, option, index);
}

void RecordingDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    m_inner->paint(painter, option, index);
}

QSize RecordingDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    return m_inner->sizeHint(option, index);
}
