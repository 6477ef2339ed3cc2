#pragma once

#include <QDialog>
#include <QList>
#include <QPair>
#include <QString>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The one message box of the program (window class TDialog): a blue title,
// a text of two or three lines and the "У РЕДУ" button. Modal. A message
// raised while one is already on screen (a timer tick or a reply during the
// modal wait) waits and is shown after the first one is closed.
class MessageDialog : public QDialog {
    Q_OBJECT
public:
    explicit MessageDialog(QWidget *parent = nullptr);

    // Shows the message modally; returns when the user closes it. When a
    // message is already shown, queues this one and returns at once.
    void showMessage(const QString &title, const QString &text);

    // Every message shown so far (title, text), oldest first.
    const QList<QPair<QString, QString>> &history() const { return m_history; }
    void clearHistory() { m_history.clear(); }

    // Test seam: while set, messages are recorded but never block; the
    // dialog is not shown.
    void setNonBlocking(bool nonBlocking) { m_nonBlocking = nonBlocking; }

    QString title() const;
    QString text() const;

signals:
    void messageShown(const QString &title, const QString &text);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *m_title;
    QPlainTextEdit *m_text;
    QPushButton *m_button;
    QList<QPair<QString, QString>> m_queue;
    QList<QPair<QString, QString>> m_history;
    bool m_showing = false;
    bool m_nonBlocking = false;
};
