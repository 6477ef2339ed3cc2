#pragma once

#include <QDialog>
#include <QList>
#include <QPair>
#include <QString>

class QLabel;
class QPushButton;
class QScrollArea;

// The one message box of the program (window class TDialog): a blue title,
// the message text and the "У РЕДУ" button. Modal. A short message keeps the
// box at 386 x 137; a longer one wraps and the box grows, up to the room the
// screen offers, so that the whole text can be read (beyond that the text
// scrolls). A message raised while one is already on screen (a timer tick or
// a reply during the modal wait) waits and is shown after the first one is
// closed.
class MessageDialog : public QDialog {
    Q_OBJECT
public:
    explicit MessageDialog(QWidget *parent = nullptr);

    // Shows the message modally; returns when the user closes it. When a
    // message is already shown, queues this one and returns at once.
    void showMessage(const QString &title, const QString &text);

    // Asks a question with two answers; true for the first ("Да"). The
    // second ("Не") is the default button and what the close box means.
    // While non-blocking, the question is recorded and answered with the
    // next scripted answer ("Да" when none is left, so that a question no
    // test expects does not stop it).
    bool ask(const QString &title, const QString &text, const QString &yes = QStringLiteral("Да"),
             const QString &no = QStringLiteral("Не"));
    void scriptAnswers(const QList<bool> &answers) { m_scripted = answers; }
    // Every question asked so far (title, text), oldest first.
    const QList<QPair<QString, QString>> &questions() const { return m_questions; }

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
    void questionAsked(const QString &title, const QString &text);

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Sizes the box and places its parts for the title and text it holds.
    void fitToText();
    // The most the box may take: the available screen less the window frame.
    QSize roomOnScreen() const;
    void placeOverOwner();
    void placeButtons(int width, int top);

    QLabel *m_title;
    QScrollArea *m_textArea;
    QLabel *m_text;
    QPushButton *m_button;
    QPushButton *m_second; // the question's "Не"
    QString m_yes;         // empty for a message
    QString m_message; // the text as given; the label may show it with break marks
    QList<QPair<QString, QString>> m_queue;
    QList<QPair<QString, QString>> m_history;
    QList<QPair<QString, QString>> m_questions;
    QList<bool> m_scripted;
    bool m_showing = false;
    bool m_nonBlocking = false;
};
