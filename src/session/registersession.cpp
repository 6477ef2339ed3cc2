#include "session/registersession.h"

#include "catalogue/familycatalogue.h"
#include "params/articles/articlefamily.h"
#include "params/departments/departmentfamily.h"
#include "params/groups/groupfamily.h"
#include "params/headerlines/headerlinefamily.h"
#include "params/logo/logofamily.h"
#include "params/operators/operatorfamily.h"
#include "params/passwords/passwordfamily.h"
#include "params/taxrates/taxratefamily.h"
#include "session/familyfactories.h"
#include "link/linktrace.h"
#include "session/tablestates.h"
#include "tablefiles/tablefileactions.h"
#include "session/registersync.h"
#include "session/transferendtext.h"
#include "session/writeadmission.h"
#include "transfer/drivernotices.h"


RegisterSession::RegisterSession(const Options &options, QObject *parent)
    : QObject(parent), m_timer(options.retryIntervalMs), m_context{m_driver, options.regional}
{
    m_line.setPortName(options.registerPort);
    const FamilyFinder find = [this](FamilyId id) { return family(id); };
    for (const FamilyDescription &d : FamilyCatalogue::all())
        if (const FamilyFactory make = FamilyFactories::of(d.id))
            m_families.push_back(make(m_context, find));
    m_tableFiles = std::make_unique<TableFileActions>(articles(), departments(), options.regional);

    m_driver.setClock(&m_clock);
    // The trace hears of the port first, so its loss is traced before what it causes.
    LinkTrace::connect(m_trace, m_driver, m_line);
    connect(&m_line, &SerialLine::bytesArrived, &m_driver, &ExchangeDriver::received);
    connect(&m_line, &SerialLine::openChanged, this, [this](bool open) {
        if (open)
            m_driver.linkOpened();
    });
    connect(&m_line, &SerialLine::openChanged, this, &RegisterSession::portOpenChanged);
    // A lost register port takes its request with it: no repeats, no
    // "no reply" message after the one that says the device is gone.
    connect(&m_line, &SerialLine::disconnected, this, [this] {
        const bool requestOut = m_driver.isBusy();
        m_driver.cancel();
        m_driver.reset();
        finishActive(TransferOutcome::PortLost, requestOut);
        stopActions(TransferOutcome::PortLost);
    });
    connect(&m_timer, &QtRetryTimer::expired, &m_driver, &ExchangeDriver::retryTick);
    // Made after the families: the articles let the pages go before the end of
    // the dialogue is shown.
    m_notices = std::make_unique<DriverNotices>(m_driver);
    connect(m_notices.get(), &DriverNotices::status, this, [this](const QString &text) {
        // The bytes dropped after a cancel clear the status line; the line
        // that says where the transfer stopped stays.
        if (text.isEmpty() && std::exchange(m_keepEndText, false))
            return;
        emit status(text);
    });
    connect(m_notices.get(), &DriverNotices::progress, this, &RegisterSession::progress);
    connect(m_notices.get(), &DriverNotices::message, this, &RegisterSession::message);
    connect(&m_driver, &ExchangeDriver::programError, this, &RegisterSession::programError);
    connect(&m_driver, &ExchangeDriver::requestStarted, this, &RegisterSession::transmitLampLit);
    connect(&m_driver, &ExchangeDriver::replyAccepted, this, &RegisterSession::receiveLampLit);
    connect(&m_driver, &ExchangeDriver::cancellableChanged, this, &RegisterSession::cancelAvailable);
    connect(&m_driver, &ExchangeDriver::busyChanged, this, &RegisterSession::busyChanged);
    // Whatever goes to the register can be cancelled while it is out.
    connect(&m_driver, &ExchangeDriver::busyChanged, this, [this](bool busy) {
        if (busy)
            emit cancelAvailable(true);
        else if (m_activeFamily.isEmpty())
            emit cancelAvailable(false); // a single request (passwords, end of dialogue) was answered
    });
    connect(&m_driver, &ExchangeDriver::gaveUp, this, [this] {
        finishActive(TransferOutcome::NoReply, true);
        stopActions(TransferOutcome::NoReply);
    });
    for (ParameterFamily *family : families())
        route(family);
    route(m_tableFiles.get());
    for (TransferEngine *engine : transfers())
        follow(engine);
    m_tableStates = std::make_unique<TableStates>(*this);
    connect(m_tableFiles.get(), &TableFileActions::tableSaved, m_tableStates.get(), &TableStates::saved);
    connect(m_tableFiles.get(), &TableFileActions::tableLoaded, m_tableStates.get(), &TableStates::loaded);
    connect(this, &RegisterSession::recordConfirmed, &m_mirror, &RegisterMirror::confirm);
    m_sync = std::make_unique<RegisterSync>(*this, m_mirror);
    // The password record is known to the mirror too (a backup keeps it).
    connect(&logo().record().transfer(), &TransferEngine::recordConfirmed, &m_mirror, &RegisterMirror::confirm);
    m_admission = std::make_unique<WriteAdmission>(*this);
}

RegisterSession::~RegisterSession()
{
    m_line.close();
    // What holds the families goes first; then the families, last made first.
    m_sync.reset();
    m_tableStates.reset();
    m_tableFiles.reset();
    while (!m_families.empty())
        m_families.pop_back();
}

void RegisterSession::setSerialNumberSource(std::function<QString()> source)
{
    m_serialSource = source;
    m_mirror.setSerialNumberSource(source);
    m_driver.setSerialNumberSource(std::move(source));
}

namespace {
// The family the catalogue names, as the class it is made of.
template <typename Family>
Family &as(const RegisterSession &session, FamilyId id)
{
    return *static_cast<Family *>(session.family(id));
}
} // namespace

HeaderLineFamily &RegisterSession::headerLines() { return as<HeaderLineFamily>(*this, FamilyId::Header); }
TaxRateFamily &RegisterSession::taxRates() { return as<TaxRateFamily>(*this, FamilyId::Taxes); }
DepartmentFamily &RegisterSession::departments() { return as<DepartmentFamily>(*this, FamilyId::Departments); }
ArticleFamily &RegisterSession::articles() { return as<ArticleFamily>(*this, FamilyId::Articles); }
GroupFamily &RegisterSession::groups() { return as<GroupFamily>(*this, FamilyId::Groups); }
OperatorFamily &RegisterSession::operators() { return as<OperatorFamily>(*this, FamilyId::Operators); }
LogoFamily &RegisterSession::logo() { return as<LogoFamily>(*this, FamilyId::Logo); }
PasswordFamily &RegisterSession::passwords() { return as<PasswordFamily>(*this, FamilyId::Passwords); }

QList<ParameterFamily *> RegisterSession::families() const
{
    QList<ParameterFamily *> out;
    for (const std::unique_ptr<ParameterFamily> &f : m_families)
        out << f.get();
    return out;
}

ParameterFamily *RegisterSession::family(FamilyId id) const
{
    for (const std::unique_ptr<ParameterFamily> &f : m_families)
        if (f->id() == id)
            return f.get();
    return nullptr;
}

ParameterFamily *RegisterSession::family(const QString &key) const
{
    const FamilyDescription *d = FamilyCatalogue::find(key);
    return d ? family(d->id) : nullptr;
}

QList<TransferEngine *> RegisterSession::transfers() const
{
    QList<TransferEngine *> out;
    for (const std::unique_ptr<ParameterFamily> &f : m_families)
        if (TransferEngine *e = f->reportedTransfer())
            out << e;
    return out;
}

void RegisterSession::stopActions(TransferOutcome outcome)
{
    for (const std::unique_ptr<ParameterFamily> &f : m_families)
        f->stopAction(outcome);
}

void RegisterSession::route(ParameterFamily *family)
{
    connect(family, &ParameterFamily::status, this, &RegisterSession::status);
    connect(family, &ParameterFamily::progress, this, &RegisterSession::progress);
    connect(family, &ParameterFamily::message, this, &RegisterSession::message);
    connect(family, &ParameterFamily::programError, this, &RegisterSession::programError);
    connect(family, &ParameterFamily::pagesLocked, this, &RegisterSession::pagesLocked);
}

void RegisterSession::follow(TransferEngine *engine)
{
    const QString family = engine->rules().family;
    connect(engine, &TransferEngine::recordConfirmed, this, &RegisterSession::recordConfirmed);
    connect(engine, &TransferEngine::started, this, [this, engine, family](bool write) {
        m_activeEngine = engine;
        m_activeFamily = family;
        m_activeWrite = write;
        m_keepEndText = false;
        emit cancelAvailable(true);
        emit transferStarted(family, write);
    });
    connect(engine, &TransferEngine::recordRefused, this, [this, engine, family](int index) {
        emit recordRefused(family, engine->rules().firstRecordRow + index, engine->rules().recordColumn);
    });
    connect(engine, &TransferEngine::ended, this,
            [this](bool, TransferOutcome outcome) { finishActive(outcome, false); });
}

void RegisterSession::finishActive(TransferOutcome outcome, bool requestOut)
{
    const QString family = std::exchange(m_activeFamily, QString());
    const TransferEngine *engine = std::exchange(m_activeEngine, nullptr);
    if (family.isEmpty() && !requestOut)
        return; // nothing was running: nothing to tell
    emit cancelAvailable(false);
    // A transfer that stopped says so, with the record it stopped at as the
    // family's table numbers it (a single request, such as the passwords,
    // without one); the family's own texts and the messages came before.
    std::optional<int> record;
    if (engine && engine->currentRecord() >= 0)
        record = engine->currentRecord() + engine->rules().firstRecordNumber;
    const QString text = TransferEndText::forOutcome(outcome, record);
    if (!text.isEmpty()) {
        emit status(text);
        emit progress(0);
        m_keepEndText = outcome == TransferOutcome::Cancelled;
    }
    if (!family.isEmpty())
        emit transferFinished(family, m_activeWrite, outcome);
}

void RegisterSession::cancel()
{
    const bool requestOut = m_driver.isBusy();
    m_driver.cancel();
    finishActive(TransferOutcome::Cancelled, requestOut);
    stopActions(TransferOutcome::Cancelled);
}

void RegisterSession::reset()
{
    m_driver.reset();
    articles().selectFirstRow();
    logo().reset();
    taxRates().clearReadBack();
    stopActions(TransferOutcome::Cancelled);
    m_activeFamily.clear();
    m_tableStates->startUp();
    m_activeEngine = nullptr;
}
