#pragma once

#include <QList>
#include <QObject>

class QAbstractButton;
class QWidget;

// Return or Enter in any field of an edit row clicks the row's button (the
// correction), as the mouse would.
class EnterApplies : public QObject {
    Q_OBJECT
public:
    EnterApplies(const QList<QWidget *> &fields, QAbstractButton *button);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAbstractButton *m_button;
};
