#pragma once

#include "app/messagedialog.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QAbstractButton;
class QWidget;
class RegisterSession;

// The two questions that stand between one click and lost data: a write of
// a family whose table holds nothing but its start-up defaults (which would
// replace what the register holds with them), and closing the program while
// a table holds edits that went neither to a file nor to the register. Both
// are asked through the message dialog; without one, nothing is asked.
class DataLossGuard : public QObject {
    Q_OBJECT
public:
    static const QString Title;
    static const QString DefaultsText;

    DataLossGuard(RegisterSession &session, QWidget *window);

    void setMessageDialog(MessageDialog *dialog) { m_dialog = dialog; }
    // Puts the question in front of each family's write button. The window's
    // pages must be built; a button not found or wired otherwise is left as
    // it is and reported in the debug output.
    void guardWriteButtons();
    // The families whose write buttons carry the question (their names).
    QStringList guardedFamilies() const { return m_guarded; }

    // False when the family's table holds only its defaults and the user did
    // not confirm the write.
    bool mayWrite(const QString &family);
    // A write of several families at once: one question names every family
    // that holds only its defaults; "Не" leaves those out. The families to
    // write, in the order given.
    QStringList mayWrite(const QStringList &families);
    // That question's text for these families (their names).
    static QString defaultsText(const QStringList &families);
    // False when tables hold unsaved edits and the user chose to stay.
    bool mayClose();
    // The question's text for these families (their names).
    static QString closeText(const QStringList &families);

private:
    bool ask(const QString &text);

    RegisterSession &m_session;
    QWidget *m_window;
    QPointer<MessageDialog> m_dialog;
    QStringList m_guarded;
};
