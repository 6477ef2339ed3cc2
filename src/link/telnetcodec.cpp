#include "link/telnetcodec.h"

namespace {

// RFC 2217 client-to-server commands; the server answers with 100 added.
enum : unsigned char { SetBaudRate = 1, SetDataSize = 2, SetParity = 3, SetStopSize = 4, SetControl = 5 };
constexpr unsigned char ServerOffset = 100;
constexpr unsigned char DataBits = 8, NoParity = 1, OneStopBit = 1, NoFlowControl = 1;

QString parityText(int v)
{
    switch (v) {
    case 1: return QStringLiteral("без парности");
    case 2: return QStringLiteral("непарна");
    case 3: return QStringLiteral("парна");
    case 4: return QStringLiteral("марка");
    case 5: return QStringLiteral("размак");
    default: return QStringLiteral("парност %1").arg(v);
    }
}

QString stopText(int v)
{
    switch (v) {
    case 1: return QStringLiteral("1 стоп бит");
    case 2: return QStringLiteral("2 стоп бита");
    case 3: return QStringLiteral("1,5 стоп бит");
    default: return QStringLiteral("стоп битови %1").arg(v);
    }
}

QString controlText(int v)
{
    switch (v) {
    case 1: return QStringLiteral("без контроле тока");
    case 2: return QStringLiteral("XON/XOFF");
    case 3: return QStringLiteral("RTS/CTS");
    default: return QStringLiteral("контрола тока %1").arg(v);
    }
}

void appendEscaped(QByteArray &out, unsigned char byte)
{
    out.append(static_cast<char>(byte));
    if (byte == TelnetCodec::Iac)
        out.append(static_cast<char>(byte));
}

} // namespace

TelnetCodec::TelnetCodec(int baudRate) : m_baudRate(baudRate) {}

bool TelnetCodec::accepted(unsigned char option)
{
    return option == Binary || option == SuppressGoAhead || option == ComPort;
}

QByteArray TelnetCodec::start()
{
    QByteArray out;
    auto ask = [&](unsigned char verb, unsigned char option) {
        out.append(static_cast<char>(Iac)).append(static_cast<char>(verb)).append(static_cast<char>(option));
        (verb == Will ? m_weAsked : m_theyAsked)[option] = true;
    };
    ask(Will, ComPort);
    ask(Will, Binary);
    ask(Do, Binary);
    ask(Do, SuppressGoAhead);
    return out;
}

QByteArray TelnetCodec::escape(const QByteArray &data)
{
    if (!data.contains(static_cast<char>(Iac)))
        return data;
    QByteArray out;
    out.reserve(data.size() + 4);
    for (char c : data)
        appendEscaped(out, static_cast<unsigned char>(c));
    return out;
}

QByteArray TelnetCodec::settingsRequest() const
{
    QByteArray out;
    auto sub = [&](unsigned char command, const QByteArray &value) {
        out.append(static_cast<char>(Iac)).append(static_cast<char>(Sb)).append(static_cast<char>(ComPort));
        out.append(static_cast<char>(command));
        for (char c : value)
            appendEscaped(out, static_cast<unsigned char>(c));
        out.append(static_cast<char>(Iac)).append(static_cast<char>(Se));
    };
    const auto baud = static_cast<quint32>(m_baudRate);
    const char baudBytes[] = {char(baud >> 24), char(baud >> 16), char(baud >> 8), char(baud)};
    sub(SetBaudRate, QByteArray(baudBytes, 4));
    sub(SetDataSize, QByteArray(1, char(DataBits)));
    sub(SetParity, QByteArray(1, char(NoParity)));
    sub(SetStopSize, QByteArray(1, char(OneStopBit)));
    sub(SetControl, QByteArray(1, char(NoFlowControl)));
    return out;
}

TelnetCodec::Output TelnetCodec::feed(const QByteArray &bytes)
{
    Output out;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        switch (m_state) {
        case State::Data:
            if (b == Iac)
                m_state = State::Iac;
            else
                out.data.append(c);
            break;
        case State::Iac:
            if (b == Iac) {
                out.data.append(c);
                m_state = State::Data;
            } else if (b >= Will && b <= Dont) {
                m_verb = b;
                m_state = State::Option;
            } else if (b == Sb) {
                m_sub.clear();
                m_state = State::Sub;
            } else {
                m_state = State::Data; // NOP, GA, a stray SE and the like carry nothing
            }
            break;
        case State::Option:
            onOption(m_verb, b, out);
            m_state = State::Data;
            break;
        case State::Sub:
            if (b == Iac)
                m_state = State::SubIac;
            else if (m_sub.size() < 64)
                m_sub.append(c);
            break;
        case State::SubIac:
            if (b == Se) {
                onSubnegotiation(out);
                m_state = State::Data;
            } else {
                if (m_sub.size() < 64)
                    m_sub.append(c); // IAC IAC inside the subnegotiation
                m_state = b == Iac ? State::Sub : State::Data;
            }
            break;
        }
    }
    return out;
}

void TelnetCodec::onOption(unsigned char verb, unsigned char option, Output &out)
{
    auto send = [&](unsigned char v) {
        out.reply.append(static_cast<char>(Iac)).append(static_cast<char>(v)).append(static_cast<char>(option));
    };
    const bool forUs = verb == Do || verb == Dont;
    bool &state = forUs ? m_we[option] : m_they[option];
    bool &asked = forUs ? m_weAsked[option] : m_theyAsked[option];
    const bool wants = verb == Do || verb == Will;
    // An answer to what we asked needs no reply; a change the other side
    // starts is agreed to or refused once; a repeat of the state in force
    // is not answered, so that no loop of acknowledgements can start.
    if (asked) {
        asked = false;
        state = wants;
        if (!wants && option == ComPort && forUs)
            out.comPortRefused = true;
    } else if (wants != state) {
        if (wants && accepted(option)) {
            state = true;
            send(forUs ? Will : Do);
        } else if (wants) {
            send(forUs ? Wont : Dont);
        } else {
            state = false;
            send(forUs ? Wont : Dont);
        }
    }
    if (option == ComPort && forUs && m_we[ComPort] && !m_settingsSent) {
        m_settingsSent = true;
        out.reply.append(settingsRequest());
    }
}

void TelnetCodec::onSubnegotiation(Output &out)
{
    if (m_sub.size() < 2 || static_cast<unsigned char>(m_sub[0]) != ComPort)
        return;
    const auto command = static_cast<unsigned char>(m_sub[1]);
    const QByteArray value = m_sub.mid(2);
    if (value.isEmpty())
        return;
    const int first = static_cast<unsigned char>(value[0]);
    Setting s;
    switch (command) {
    case SetBaudRate + ServerOffset: {
        if (value.size() != 4)
            return;
        quint32 baud = 0;
        for (char c : value)
            baud = (baud << 8) | static_cast<unsigned char>(c);
        s = {QStringLiteral("брзина"), QStringLiteral("%1 бод").arg(m_baudRate), QStringLiteral("%1 бод").arg(baud),
             baud == static_cast<quint32>(m_baudRate)};
        break;
    }
    case SetDataSize + ServerOffset:
        s = {QStringLiteral("број бита"), QStringLiteral("%1 бита").arg(DataBits), QStringLiteral("%1 бита").arg(first),
             first == DataBits};
        break;
    case SetParity + ServerOffset:
        s = {QStringLiteral("парност"), parityText(NoParity), parityText(first), first == NoParity};
        break;
    case SetStopSize + ServerOffset:
        s = {QStringLiteral("стоп битови"), stopText(OneStopBit), stopText(first), first == OneStopBit};
        break;
    case SetControl + ServerOffset:
        // The same command also reports break and modem-line states (values
        // 4 and above); only the flow-control answer is a setting.
        if (first > 3)
            return;
        s = {QStringLiteral("контрола тока"), controlText(NoFlowControl), controlText(first), first == NoFlowControl};
        break;
    default:
        return; // line and modem state notices
    }
    if (m_answered < SettingCount)
        ++m_answered;
    out.settings.append(s);
}
