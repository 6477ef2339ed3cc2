#pragma once

#include "session/familyrun.h"

#include <QDialog>
#include <QHash>
#include <optional>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class RegisterSession;

// The dialog frmTransfers "Пренос више породица": a read, a write, a
// changes-only write or a verification of the checked families, one after
// another, with one progress bar and a summary per family at the end.
class TransfersDialog : public QDialog {
    Q_OBJECT
public:
    explicit TransfersDialog(RegisterSession &session, QWidget *parent = nullptr);

    // The checked families, in page order.
    QStringList checkedFamilies() const;
    QCheckBox *familyBox(const QString &family) const { return m_checks.value(family); }
    QLabel *summary() const { return m_summary; }
    FamilyRun &run() { return m_run; }
    const QList<StepResult> &results() const { return m_results; }

    // Room for the profile actions: created disabled, connected by the owner.
    QPushButton *profileSaveButton() const { return m_profileSave; }
    QPushButton *profileLoadButton() const { return m_profileLoad; }
    // btnBackups: the owner connects it to the backups window.
    QPushButton *backupsButton() const { return m_backups; }

    void run(FamilyRun::Action action);

private:
    void showProgress(FamilyId family, int done, int total);
    void showSummary(const QList<StepResult> &results);
    void setRunning(bool running);

    FamilyRun m_run;
    QHash<QString, QCheckBox *> m_checks;
    QList<QPushButton *> m_actionButtons;
    QProgressBar *m_progress;
    QPushButton *m_cancel;
    QLabel *m_summary;
    QPushButton *m_profileSave;
    QPushButton *m_profileLoad;
    QPushButton *m_backups;
    // chkReadBeforeWrite: a write first reads the families into the mirror
    // (verification reads), so the backup before it is whole.
    QCheckBox *m_readFirst;
    std::optional<FamilyRun::Action> m_writeAfterRead;
    QList<StepResult> m_results;
};
