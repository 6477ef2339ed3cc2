#pragma once

#include <QModelIndex>
#include <QObject>

class QAbstractItemView;

// The user's row selections of a table view, the way the edit fields of a
// family want them: one report for every click on a cell and every move of
// the current cell, also when the click lands on the cell that is already
// current (Qt then sees no change of current cell). A click that does move
// the current cell is reported once, not twice.
class RowSelection : public QObject {
    Q_OBJECT
public:
    explicit RowSelection(QAbstractItemView *view);

signals:
    void selected(const QModelIndex &index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onCurrentChanged(const QModelIndex &current);
    void onPressed(const QModelIndex &index);

    QAbstractItemView *m_view;
    QObject *m_viewport;
    // A left-button press is being handled by the view; whether it moved the
    // current cell (and so was reported already).
    bool m_inPress = false;
    bool m_pressMovedCurrent = false;
};
