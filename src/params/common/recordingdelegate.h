#pragma once

#include <QStyledItemDelegate>

class EditHistory;

// Wraps a view's delegate so that every cell typed in place becomes one
// undo step of the table's history. Drawing and the editors stay the
// wrapped delegate's.
class RecordingDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:

    // Takes `inner` over (it becomes a child of this delegate).
    RecordingDelegate(QAbstractItemDelegate *inner, EditHistory &history, QObject *parent);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    QAbstractItemDelegate *m_inner;
    EditHistory &m_history;
};
