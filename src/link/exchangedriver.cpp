#include "link/exchangedriver.h"

#include "protocol/commands.h"
#include "core/programerror.h"
#include "protocol/recordindex.h"

using RequestState::Move;

namespace {
// The trace's note on the switch; what the user is told is DriverNotices'.
const QString ChecksumsOffNote = QStringLiteral("каса шаље неисправне контролне збирове; подаци се примају без провере");

constexpr int SequenceOffset = 6;
} // namespace

ExchangeDriver::ExchangeDriver(LinkPort &port, RetryTimer &timer, QObject *parent)
    : QObject(parent), m_port(port), m_timer(timer)
{
    setReplyHandler(Command::EndDialogue, [this](const QByteArray &) { emit dialogueEnded(); });
}

void ExchangeDriver::setSerialNumberSource(std::function<QString()> source)
{
    m_serialSource = std::move(source);
}

void ExchangeDriver::setReplyHandler(std::uint8_t command, ReplyHandler handler)
{
    m_handlers[command] = std::move(handler);
}

void ExchangeDriver::setClock(const LinkClock *clock)
{
    m_clock = clock ? clock : &m_systemClock;
}

void ExchangeDriver::reset()
{
    m_sequenceCounter = 1;
    // Whether the buttons were told busy is left for the next change to correct.
    move(Move::Reset);
    m_framer.clear();
    m_retryCount = 0;
    m_echoStreak = 0;
    m_lineShown = false;
    m_pending.clear();
    m_checksums.reset();
}

void ExchangeDriver::linkOpened() { m_checksums.reset(); }

void ExchangeDriver::send(std::uint8_t command, const QByteArray &data)
{
    m_retryCount = 0;
    const QString serial = m_serialSource ? m_serialSource() : QString();
    const int length = Frame::buildRequest(m_send, Fields::packSerial(serial), m_sequenceCounter, command, data);
    m_timer.start();
    move(Move::Send);
    emit requestStarted();
    // A partial frame still collected belongs to an earlier request; it can
    // only block the reply to this one.
    m_framer.clearFrame();
    tellBusy();
    QString error;
    const bool written = writeRequest(length, &error);
    report(LinkEventKind::RequestWritten, request(), written ? QString() : error);
    if (!written) {
        // A chained request that cannot go out: the cancel button of the
        // running transfer is of no more use.
        if (m_inHandler)
            emit cancellableChanged(false);
        emit writeFailed(error);
    }
    drain();
}

bool ExchangeDriver::writeRequest(int length, QString *error)
{
    // Bytes that arrive while the port layer waits for the write are handled
    // after it, never inside this call.
    const bool outer = !m_inReception;
    m_inReception = true;
    const bool written = m_port.write(QByteArray(reinterpret_cast<const char *>(m_send.data()), length), error);
    if (outer)
        m_inReception = false;
    return written;
}

QByteArray ExchangeDriver::request() const
{
    return QByteArray(reinterpret_cast<const char *>(m_send.data()), Frame::repeatLength(m_send));
}

void ExchangeDriver::endDialogue() { send(Command::EndDialogue); }

ArrivalResult ExchangeDriver::received(const QByteArray &bytes)
{
    m_pending.append(bytes);
    if (m_inReception)
        return {ArrivalOutcome::Deferred};
    return drain();
}

ArrivalResult ExchangeDriver::drain()
{
    ArrivalResult result;
    if (m_inReception || m_pending.isEmpty())
        return result; // a handler or a write is running; its caller picks these bytes up
    m_inReception = true;
    while (!m_pending.isEmpty()) {
        QByteArray chunk;
        chunk.swap(m_pending);
        takeChunk(chunk, result);
    }
    m_inReception = false;
    if (m_framer.count() > 0 || m_framer.inLine())
        result.append(ArrivalOutcome::Incomplete);
    return result;
}

void ExchangeDriver::takeChunk(const QByteArray &chunk, ArrivalResult &result)
{
    for (char c : chunk) {
        const ReplyFramer::Piece piece = m_framer.take(static_cast<std::uint8_t>(c));
        if (m_framer.takeLineStarted())
            m_lineShown = false; // a new line replaces what the status line shows
        if (piece == ReplyFramer::Piece::TextLine)
            takeTextLine(result);
        else if (piece == ReplyFramer::Piece::Frame)
            takeFrame(m_framer.frame(), result);
    }
    // A line still running shows what it has so far.
    if (m_framer.inLine() && !cancelFlag())
        showLine(ReplyFramer::printable(m_framer.runningLine()));
}

void ExchangeDriver::takeTextLine(ArrivalResult &result)
{
    const QByteArray &line = m_framer.line();
    if (cancelFlag()) {
        // The first thing after a cancel belongs to the cancelled exchange.
        move(Move::ClearCancelMark);
        emit cancelledReplyDropped();
        report(LinkEventKind::ReplyDropped, line);
        result.append(ArrivalOutcome::Dropped);
        return;
    }
    const QString text = ReplyFramer::printable(line);
    report(LinkEventKind::TextOutsideFrames, line, text);
    showLine(text);
    result.append(ArrivalOutcome::TextOutsideFrames);
}

void ExchangeDriver::showLine(const QString &text)
{
    if (m_lineShown && text == m_shownLine)
        return;
    m_lineShown = true;
    m_shownLine = text;
    emit textOutsideFrames(text);
}

void ExchangeDriver::takeFrame(const QByteArray &frame, ArrivalResult &result)
{
    if (RequestState::dropsFrames(m_state)) {
        if (cancelFlag()) {
            move(Move::ClearCancelMark);
            emit cancelledReplyDropped();
        }
        report(LinkEventKind::ReplyDropped, frame, QStringLiteral("прекинуто"));
        result.append(ArrivalOutcome::Dropped);
        return;
    }
    const ChecksumTrust::Verdict verdict = m_checksums.judge(frame);
    if (verdict == ChecksumTrust::Verdict::Refused) {
        // A byte changed on the line: nothing of it is taken, and the
        // request is asked again at once instead of after the retry period.
        report(LinkEventKind::BadChecksum, frame);
        result.append(ArrivalOutcome::BadChecksum);
        askAgain();
        return;
    }
    if (verdict == ChecksumTrust::Verdict::SwitchedOff) {
        report(LinkEventKind::ChecksumsUnchecked, QByteArray(), ChecksumsOffNote);
        emit checksumsUnchecked();
    }
    const QString stale = staleReason(frame);
    if (!stale.isEmpty()) {
        // Not the answer: the request keeps waiting and its repeats go on.
        report(LinkEventKind::StaleReply, frame, stale);
        result.append(ArrivalOutcome::StaleReply);
        return;
    }
    const auto command = static_cast<std::uint8_t>(frame[Frame::CommandOffset]);
    move(Move::Accept);
    m_timer.stop();
    emit replyAccepted();
    learnEcho(frame);
    m_sequenceCounter += 2;
    report(LinkEventKind::ReplyAccepted, frame,
           verdict == ChecksumTrust::Verdict::Right
               ? QString()
               : QStringLiteral("неисправан контролни збир, примљено без провере (%1.)").arg(m_checksums.takenUnchecked()));
    result.append(ArrivalOutcome::FrameAccepted);
    runHandler(command, frame);
}

QString ExchangeDriver::staleReason(const QByteArray &frame) const
{
    const QByteArray asked = request();
    if (asked.isEmpty())
        return QString(); // nothing outstanding (start-up, or given up): taken as it comes
    if (RequestState::answered(m_state))
        return QStringLiteral("на захтев је већ одговорено");
    const auto command = static_cast<std::uint8_t>(frame[Frame::CommandOffset]);
    if (command != static_cast<std::uint8_t>(asked[Frame::CommandOffset]))
        return QStringLiteral("команда %1, а тражена је %2")
            .arg(command)
            .arg(static_cast<std::uint8_t>(asked[Frame::CommandOffset]));
    const std::optional<int> wanted = RecordIndex::of(asked);
    const std::optional<int> carried = RecordIndex::of(frame);
    // Reads that follow the record each reply carries take a later record
    // as the answer; an earlier one (or the same one again) is stale.
    const RecordIndex::Place *place = RecordIndex::find(command);
    const bool followed = place && place->followsReply && carried > wanted;
    if (wanted && carried && *wanted != *carried && !followed)
        return QStringLiteral("запис %1, а тражен је %2").arg(*carried).arg(*wanted);
    if (sequenceEchoed() && frame[SequenceOffset] != asked[SequenceOffset])
        return QStringLiteral("редни бајт %1, а послат је %2")
            .arg(static_cast<std::uint8_t>(frame[SequenceOffset]))
            .arg(static_cast<std::uint8_t>(asked[SequenceOffset]));
    return QString();
}

void ExchangeDriver::learnEcho(const QByteArray &frame)
{
    const QByteArray asked = request();
    if (asked.isEmpty())
        return;
    if (frame[SequenceOffset] == asked[SequenceOffset])
        m_echoStreak = qMin(m_echoStreak + 1, EchoEvidence);
    else
        m_echoStreak = 0;
}

void ExchangeDriver::runHandler(std::uint8_t command, const QByteArray &frame)
{
    const ReplyHandler &handler = m_handlers[command];
    if (handler) {
        m_inHandler = true;
        if (const std::optional<QString> failure = failureOf([&] { handler(frame); }))
            emit programError(*failure);
        m_inHandler = false;
    }
    // A handler that sent the next request keeps the driver busy.
    move(Move::HandlerDone);
    tellBusy();
}

void ExchangeDriver::retryTick()
{
    m_timer.stop();
    if (!replyAwaited())
        return;
    if (m_retryCount >= MaxRepeats || !m_port.isOpen() || cancelFlag()) {
        giveUp(true);
        return;
    }
    repeatRequest();
    drain();
}

void ExchangeDriver::askAgain()
{
    // Nothing is outstanding, or its last repeat is out: the retry timer
    // decides, and gives up at its next tick.
    if (!replyAwaited() || RequestState::answered(m_state) || request().isEmpty() || m_retryCount >= MaxRepeats)
        return;
    repeatRequest();
}

void ExchangeDriver::repeatRequest()
{
    ++m_retryCount;
    m_framer.clearFrame();
    QString error;
    const int length = Frame::repeatLength(m_send);
    const bool written = writeRequest(length, &error);
    report(LinkEventKind::RequestRepeated, request(), written ? QString() : error, m_retryCount);
    if (!written) {
        // The port refuses the repeat: end the transfer instead of leaving it
        // hanging with nothing left to repeat it.
        emit programError(error);
        giveUp(false);
        return;
    }
    m_timer.start();
}

void ExchangeDriver::giveUp(bool showNoReply)
{
    report(LinkEventKind::GaveUp, request());
    m_retryCount = 0;
    move(Move::GiveUp);
    // A register that stopped echoing the sequence byte is learned afresh.
    m_echoStreak = 0;
    m_send.fill(0);
    emit cancellableChanged(false);
    emit stopped();
    tellBusy();
    if (showNoReply)
        emit noReply();
    emit gaveUp();
}

void ExchangeDriver::cancel()
{
    report(LinkEventKind::Cancelled, RequestState::answered(m_state) ? QByteArray() : request());
    emit stopped();
    m_timer.stop();
    move(Move::Cancel);
    emit cancellableChanged(false);
    tellBusy();
}

void ExchangeDriver::startCancellableTransfer()
{
    emit cancellableChanged(true);
    move(Move::ClearCancelMark);
}

void ExchangeDriver::endCancellableTransfer() { emit cancellableChanged(false); }

void ExchangeDriver::move(Move move) { m_state = RequestState::next(m_state, move); }

void ExchangeDriver::tellBusy()
{
    if (m_toldBusy == isBusy())
        return;
    m_toldBusy = isBusy();
    emit busyChanged(m_toldBusy);
}

void ExchangeDriver::report(LinkEventKind kind, const QByteArray &bytes, const QString &text, int repeat)
{
    LinkEvent event;
    event.kind = kind;
    event.timeMs = m_clock->nowMs();
    event.bytes = bytes;
    event.text = text;
    event.repeat = repeat;
    emit linkEvent(event);
}
