#include "link/exchangedriver.h"

#include "charset/cp1251.h"
#include "link/commands.h"
#include "link/programerror.h"

namespace {
const QString NoReplyTitle = QStringLiteral("Грешка !!! ");
const QString NoReplyText = QStringLiteral("Нема одзива са комуникационог порта. Молимо, проверите прикључке");
const QString WriteFailureTitle = QStringLiteral("ГРЕШКА");
const QString DialogueEnded = QStringLiteral("Прекинут дијалог са касом");
} // namespace

ExchangeDriver::ExchangeDriver(LinkPort &port, RetryTimer &timer, QObject *parent)
    : QObject(parent), m_port(port), m_timer(timer)
{
    setReplyHandler(Command::EndDialogue, [this](const QByteArray &) {
        emit pageEnabledChanged(true);
        emit status(DialogueEnded);
        emit progress(16);
    });
}

void ExchangeDriver::setSerialNumberSource(std::function<QString()> source)
{
    m_serialSource = std::move(source);
}

void ExchangeDriver::setReplyHandler(std::uint8_t command, ReplyHandler handler)
{
    m_handlers[command] = std::move(handler);
}

void ExchangeDriver::reset()
{
    m_sequenceCounter = 1;
    m_replyAwaited = false;
    m_receiveCount = 0;
    m_receive.fill(0);
    m_retryCount = 0;
    m_cancelFlag = false;
    m_pending.clear();
}

void ExchangeDriver::send(std::uint8_t command, const QByteArray &data)
{
    m_retryCount = 0;
    const QString serial = m_serialSource ? m_serialSource() : QString();
    const int length = Frame::buildRequest(m_send, Fields::packSerial(serial), m_sequenceCounter, command, data);
    m_timer.start();
    m_replyAwaited = true;
    emit transmitLampLit();
    // A partial frame still collected belongs to an earlier request; it can
    // only block the reply to this one.
    m_receiveCount = 0;
    m_sentDuringHandler = true;
    setBusy(true);
    QString error;
    if (!writeRequest(length, &error)) {
        // A chained request that cannot go out: the cancel button of the
        // running transfer is of no more use.
        if (m_inHandler)
            emit cancelButtonVisibleChanged(false);
        emit message(WriteFailureTitle, error);
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

void ExchangeDriver::endDialogue() { send(Command::EndDialogue); }

void ExchangeDriver::received(const QByteArray &bytes)
{
    m_pending.append(bytes);
    drain();
}

void ExchangeDriver::drain()
{
    if (m_inReception || m_pending.isEmpty())
        return; // a handler or a write is running; its caller picks these bytes up
    m_inReception = true;
    while (!m_pending.isEmpty()) {
        QByteArray chunk;
        chunk.swap(m_pending);
        if (m_cancelFlag) {
            // The first bytes after a cancel belong to the cancelled exchange.
            emit status(QString());
            m_cancelFlag = false;
            m_receiveCount = 0;
            continue;
        }
        qsizetype i = 0;
        while (i < chunk.size()) {
            if (m_receiveCount == 0 && static_cast<std::uint8_t>(chunk[i]) != Frame::StartByte) {
                // Text outside frames: everything up to the next frame start.
                QString text;
                for (; i < chunk.size() && static_cast<std::uint8_t>(chunk[i]) != Frame::StartByte; ++i) {
                    const auto b = static_cast<std::uint8_t>(chunk[i]);
                    if (b >= 32)
                        text.append(Cp1251::toUnicode(chunk[i]));
                }
                emit status(text);
                continue;
            }
            if (m_receiveCount == Frame::BufferSize) {
                // No frame of this protocol is this long: what was collected
                // can never complete.
                m_receiveCount = 0;
                continue;
            }
            m_receive[m_receiveCount++] = static_cast<std::uint8_t>(chunk[i++]);
            dispatchComplete();
        }
    }
    m_inReception = false;
}

bool ExchangeDriver::dispatchComplete()
{
    if (m_receiveCount < Frame::HeaderSize || m_receive[0] != Frame::StartByte)
        return false;
    const int expected = m_receive[Frame::LengthOffset] + Frame::Overhead;
    if (m_receiveCount != expected || m_receive[m_receiveCount - 1] != Frame::Trailer)
        return false;
    const std::uint8_t command = m_receive[Frame::CommandOffset];
    if (!Commands::find(command))
        return false;

    m_replyAwaited = false;
    m_timer.stop();
    emit receiveLampLit();
    m_sequenceCounter += 2;
    const QByteArray frame(reinterpret_cast<const char *>(m_receive.data()), m_receiveCount);
    m_receiveCount = 0;
    m_receive.fill(0);
    runHandler(command, frame);
    return true;
}

void ExchangeDriver::runHandler(std::uint8_t command, const QByteArray &frame)
{
    m_sentDuringHandler = false;
    const ReplyHandler &handler = m_handlers[command];
    if (handler) {
        m_inHandler = true;
        try {
            handler(frame);
        } catch (const ProgramError &e) {
            emit programError(e.text());
        } catch (const std::exception &e) {
            emit programError(QString::fromLocal8Bit(e.what()));
        }
        m_inHandler = false;
    }
    if (!m_sentDuringHandler)
        setBusy(false);
}

void ExchangeDriver::retryTick()
{
    m_timer.stop();
    if (!m_replyAwaited)
        return;
    if (m_retryCount >= MaxRepeats || !m_port.isOpen() || m_cancelFlag) {
        giveUp(true);
        return;
    }
    ++m_retryCount;
    m_receiveCount = 0;
    QString error;
    const int length = Frame::repeatLength(m_send);
    if (!writeRequest(length, &error)) {
        // The port refuses the repeat: end the transfer instead of leaving it
        // hanging with nothing left to repeat it.
        emit programError(error);
        giveUp(false);
        drain();
        return;
    }
    m_timer.start();
    drain();
}

void ExchangeDriver::giveUp(bool showNoReply)
{
    m_retryCount = 0;
    m_cancelFlag = false;
    emit giveUpCleanup();
    m_send.fill(0);
    emit cancelButtonVisibleChanged(false);
    emit pageEnabledChanged(true);
    setBusy(false);
    if (showNoReply)
        emit message(NoReplyTitle, NoReplyText);
    emit gaveUp();
}

void ExchangeDriver::cancel()
{
    emit pageEnabledChanged(true);
    m_timer.stop();
    m_replyAwaited = false;
    m_cancelFlag = true;
    emit cancelButtonVisibleChanged(false);
    setBusy(false);
}

void ExchangeDriver::lockForTransfer()
{
    emit pageEnabledChanged(false);
    emit cancelButtonVisibleChanged(true);
    m_cancelFlag = false;
}

void ExchangeDriver::releaseTransfer()
{
    emit pageEnabledChanged(true);
    emit cancelButtonVisibleChanged(false);
}

void ExchangeDriver::setBusy(bool busy)
{
    if (m_busy == busy)
        return;
    m_busy = busy;
    emit busyChanged(busy);
}
