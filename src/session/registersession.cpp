#include "session/registersession.h"

#include "params/articles/articlefamily.h"
#include "params/departments/departmentfamily.h"
#include "params/groups/groupfamily.h"
#include "params/headerlines/headerlinefamily.h"
#include "params/logo/logofamily.h"
#include "params/operators/operatorfamily.h"
#include "params/passwords/passwordfamily.h"
#include "params/taxrates/taxratefamily.h"
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
    m_headerLines = std::make_unique<HeaderLineFamily>(m_context);
    m_taxRates = std::make_unique<TaxRateFamily>(m_context);
    m_departments = std::make_unique<DepartmentFamily>(m_context);
    m_articles = std::make_unique<ArticleFamily>(m_context);
    m_groups = std::make_unique<GroupFamily>(m_context);
    m_operators = std::make_unique<OperatorFamily>(m_context);
    m_logo = std::make_unique<LogoFamily>(m_context);
    m_passwords = std::make_unique<PasswordFamily>(m_context, m_logo->record());
    m_tableFiles = std::make_unique<TableFileActions>(*m_articles, *m_departments, options.regional);

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
    connect(&m_driver, &ExchangeDriver::gaveUp, this, [this] { finishActive(TransferOutcome::NoReply, true); });
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
    connect(&m_logo->record().transfer(), &TransferEngine::recordConfirmed, &m_mirror, &RegisterMirror::confirm);
    m_admission = std::make_unique<WriteAdmission>(*this);
}

RegisterSession::~RegisterSession() { m_line.close(); }

void RegisterSession::setSerialNumberSource(std::function<QString()> source)
{
    m_serialSource = source;
    m_mirror.setSerialNumberSource(source);
    m_driver.setSerialNumberSource(std::move(source));
}

QList<ParameterFamily *> RegisterSession::families() const
{
    return {m_headerLines.get(), m_taxRates.get(), m_departments.get(), m_articles.get(),
            m_groups.get(),      m_operators.get(), m_logo.get(),       m_passwords.get()};
}

QList<TransferEngine *> RegisterSession::transfers() const
{
    return {&m_headerLines->transfer(), &m_taxRates->transfer(), &m_departments->transfer(),
            &m_articles->transfer(),    &m_groups->transfer(),   &m_operators->transfer(),
            &m_logo->rows()};
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
}

void RegisterSession::reset()
{
    m_driver.reset();
    m_articles->selectFirstRow();
    m_logo->reset();
    m_taxRates->clearReadBack();
    m_activeFamily.clear();
    m_tableStates->startUp();
    m_activeEngine = nullptr;
}
