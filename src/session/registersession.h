#pragma once

#include "link/exchangedriver.h"
#include "link/linkclock.h"
#include "link/qtretrytimer.h"
#include "core/regional.h"
#include "link/serialline.h"
#include "link/serialsettings.h"
#include "link/tracerecorder.h"
#include "transfer/familycontext.h"
#include "transfer/transferengine.h"
#include "session/registermirror.h"
#include "catalogue/familyid.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class ArticleFamily;
class DriverNotices;
class DepartmentFamily;
class GroupFamily;
class HeaderLineFamily;
class LogoFamily;
class OperatorFamily;
class ParameterFamily;
class PasswordFamily;
class TableStates;
class RegisterSync;
class TableFileActions;
class TaxRateFamily;
class WriteAdmission;

struct SessionOptions {
    Regional regional = Regional::system();
    // The retry period of the exchange driver (tests shorten it).
    int retryIntervalMs = 5000;
    // The register port name in force at start ("COM1" or a device path).
    QString registerPort = QStringLiteral("COM1");
};

// Everything that talks to the register, without a widget: the register
// line, the retry timer, the exchange driver and every family of the
// catalogue with its table. Reports through domain signals; a window, a command-line
// tool or a test listens to them.
class RegisterSession : public QObject {
    Q_OBJECT
public:
    using Options = SessionOptions;

    explicit RegisterSession(const Options &options = Options(), QObject *parent = nullptr);
    ~RegisterSession() override;

    // Where the serial number of every request comes from.
    void setSerialNumberSource(std::function<QString()> source);

    SerialLine &registerLine() { return m_line; }
    QtRetryTimer &retryTimer() { return m_timer; }
    ExchangeDriver &driver() { return m_driver; }
    // The link trace: every event of the register line, kept all the time.
    TraceRecorder &trace() { return m_trace; }
    const Regional &regional() const { return m_context.regional; }
    std::function<QString()> serialNumberSource() const { return m_serialSource; }

    HeaderLineFamily &headerLines();
    TaxRateFamily &taxRates();
    DepartmentFamily &departments();
    ArticleFamily &articles();
    GroupFamily &groups();
    OperatorFamily &operators();
    LogoFamily &logo();
    PasswordFamily &passwords();
    // Saving and loading the article and department tables as files.
    TableFileActions &tableFiles() { return *m_tableFiles; }
    // Every family of the catalogue, in page order.
    QList<ParameterFamily *> families() const;
    // A family by id or by key; nullptr for none.
    ParameterFamily *family(FamilyId id) const;
    ParameterFamily *family(const QString &key) const;
    // The transfers the session reports (the passwords are one record of the logo's).
    QList<TransferEngine *> transfers() const;
    // What each family's table stands to lose (only defaults, unsaved edits).
    TableStates &tableStates() { return *m_tableStates; }
    // What the register holds, as far as this session knows, and the
    // table compared with it (changes-only writes, verification).
    RegisterMirror &mirror() { return m_mirror; }
    RegisterSync &sync() { return *m_sync; }
    // The door every write passes (the backup before it).
    WriteAdmission &writeAdmission() { return *m_admission; }

public slots:
    // Start-up state (the form's activation): driver, article selection,
    // logo and the tax read-back.
    void reset();
    void endDialogue() { m_driver.endDialogue(); }
    void cancel();

signals:
    void transferStarted(const QString &family, bool write);
    // Completed, refused, failed, given up (no reply) or cancelled.
    void transferFinished(const QString &family, bool write, TransferOutcome outcome);
    void recordConfirmed(const QString &family, int index, const QByteArray &wire);
    // A write stopped at a record the family would not send: the cell of the
    // family's table to show (after the data-error message).
    void recordRefused(const QString &family, int row, int column);
    void status(const QString &text);
    void progress(int value);
    void message(const QString &title, const QString &text);
    void programError(const QString &text);
    void transmitLampLit();
    void receiveLampLit();
    // A transfer that locks the pages runs (articles).
    void pagesLocked(bool locked);
    // The cancel button: shown while any transfer runs.
    void cancelAvailable(bool available);
    void busyChanged(bool busy);
    void portOpenChanged(bool open);

private:
    void route(ParameterFamily *family);
    void follow(TransferEngine *engine);
    // `requestOut`: a request was out when the transfer stopped (a stop
    // with no transfer of a family running still reports then).
    void finishActive(TransferOutcome outcome, bool requestOut);
    // Ends the action of the family that runs one (a stop it did not see).
    void stopActions(TransferOutcome outcome);

    SystemLinkClock m_clock;
    SerialLine m_line{SerialSettings::registerPort()};
    QtRetryTimer m_timer;
    ExchangeDriver m_driver{m_line, m_timer};
    std::unique_ptr<DriverNotices> m_notices;
    TraceRecorder m_trace{[this] { return m_clock.nowMs(); }};
    FamilyContext m_context;
    std::function<QString()> m_serialSource;
    std::vector<std::unique_ptr<ParameterFamily>> m_families;
    std::unique_ptr<TableFileActions> m_tableFiles;
    std::unique_ptr<TableStates> m_tableStates;
    RegisterMirror m_mirror;
    std::unique_ptr<RegisterSync> m_sync;
    std::unique_ptr<WriteAdmission> m_admission;
    TransferEngine *m_activeEngine = nullptr;
    QString m_activeFamily;
    bool m_activeWrite = false;
    // A cancel's end text is on the status line (the dropped reply keeps it).
    bool m_keepEndText = false;
};
