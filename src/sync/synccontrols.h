#pragma once

#include "session/registersync.h"

#include <QObject>
#include <QTimer>
#include <functional>

class DifferencesWindow;
class FamilyRun;
class QAction;
class QPushButton;
class QWidget;
class RegisterSession;
class TransfersDialog;

// Ties the register mirror to the main window: the article box's changes-only
// write and verification, the differences window, the transfers dialog, the
// action that forgets the register and the marks on the article rows that
// differ from the register.
class SyncControls : public QObject {
    Q_OBJECT
public:
    // `window` holds the article box buttons (found by name); the action is
    // added to it.
    SyncControls(RegisterSession &session, QWidget *window);

    QAction *forgetAction() const { return m_forget; }
    DifferencesWindow *differencesWindow() const { return m_differences; }
    TransfersDialog *transfersDialog() const { return m_transfers; }
    // Opens the transfers dialog (btnTransfers, Ctrl+Shift+T).
    void showTransfers();
    // Connects a button that opens the transfers dialog.
    void attachTransfersButton(QPushButton *button);

    void writeChanges(const QStringList &families);
    // Asked once before each write these controls start, with its families.
    void setWriteGuard(const std::function<QStringList(const QStringList &families)> &guard);
    void verify(const QString &family);

private:
    void onVerified(const QString &family, TransferOutcome outcome, const QList<RecordDifference> &differences);
    void takeRegister(const QList<RecordDifference> &differences);
    // Puts the differing records of every marked table into its row marks.
    void refreshMarks();

    RegisterSession &m_session;
    QWidget *m_window;
    QAction *m_forget;
    DifferencesWindow *m_differences;
    TransfersDialog *m_transfers;
    FamilyRun *m_writes;
    QTimer m_markTimer;
    QString m_verifyShown; // the family whose verification the window shows
};
