#include "sim/registerresponder.h"

#include "protocol/commands.h"
#include "protocol/fields.h"
#include "protocol/frame.h"

namespace {

using S = RegisterState;

void appendU16(QByteArray &out, quint32 v)
{
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>(v >> 8 & 0xFF));
}

void appendU32(QByteArray &out, quint32 v)
{
    for (int k = 0; k < 4; ++k)
        out.append(static_cast<char>(v >> (8 * k) & 0xFF));
}

void appendAmount(QByteArray &out, const RegisterAmount &a)
{
    appendU32(out, a.whole);
    out.append(static_cast<char>(a.hundredths));
}

// The record index a request carries (two bytes for articles), or -1.
int requestIndex(quint8 code, const QByteArray &data)
{
    switch (code) {
    case Command::ReadLogoInfo:
    case Command::WriteLogoInfo:
    case Command::EndDialogue:
        return -1;
    case Command::ReadArticle:
    case Command::WriteArticle:
        return Fields::getU16(data, 0);
    default:
        return Fields::byteAt(data, 0);
    }
}

} // namespace

RegisterResponder::RegisterResponder(RegisterState &state) : m_state(state) {}

QString RegisterResponder::commandName(quint8 code)
{
    const CommandInfo *info = Commands::find(code);
    return info ? QString::fromLatin1(info->name) : QStringLiteral("unknown");
}

RegisterResponder::Check RegisterResponder::check(int at, int *length) const
{
    const int available = static_cast<int>(m_buffer.size()) - at;
    if (available < Frame::HeaderSize)
        return Check::Incomplete;
    const int n = static_cast<quint8>(m_buffer[at + Frame::LengthOffset]);
    const int total = n + Frame::Overhead;
    *length = total;
    if (available < total)
        return Check::Incomplete;
    const auto *bytes = reinterpret_cast<const std::uint8_t *>(m_buffer.constData() + at);
    if (bytes[total - 1] != Frame::Trailer)
        return Check::BadTrailer;
    if (bytes[9 + n] != Frame::crc1(bytes, 8 + n) || bytes[10 + n] != Frame::crc2(bytes, 8 + n))
        return Check::BadChecksum;
    return Check::Valid;
}

// True when a complete, valid frame starts somewhere from `from` up to (not
// including) `to`, or to the end when `to` is -1: the start byte before it was
// then not the start of a frame.
bool RegisterResponder::validFrameAfter(int from, int to) const
{
    const int end = to < 0 ? static_cast<int>(m_buffer.size()) : qMin(to, static_cast<int>(m_buffer.size()));
    for (int q = from; q < end; ++q) {
        int length = 0;
        if (static_cast<quint8>(m_buffer[q]) == Frame::StartByte && check(q, &length) == Check::Valid)
            return true;
    }
    return false;
}

QList<RegisterResponder::Exchange> RegisterResponder::process(const QByteArray &bytes)
{
    QList<Exchange> out;
    m_buffer.append(bytes);
    QByteArray skipped;
    auto flushSkipped = [&]() {
        if (skipped.isEmpty())
            return;
        out.append({skipped, {}, QStringLiteral("%1 bytes outside frames skipped").arg(skipped.size()), true});
        skipped.clear();
    };

    int pos = 0;
    const int size = static_cast<int>(m_buffer.size());
    while (pos < size) {
        if (static_cast<quint8>(m_buffer[pos]) != Frame::StartByte) {
            skipped.append(m_buffer[pos++]);
            continue;
        }
        int length = 0;
        const Check c = check(pos, &length);
        if (c == Check::Incomplete) {
            // A frame still arriving, unless a complete one follows: then this
            // start byte was noise.
            if (validFrameAfter(pos + 1)) {
                skipped.append(m_buffer[pos++]);
                continue;
            }
            break;
        }
        if (c == Check::BadTrailer) {
            skipped.append(m_buffer[pos++]);
            continue;
        }
        if (c == Check::BadChecksum && validFrameAfter(pos + 1, pos + length)) {
            // A good frame inside a bad one: the start byte was noise.
            skipped.append(m_buffer[pos++]);
            continue;
        }
        flushSkipped();
        const QByteArray frame = m_buffer.mid(pos, length);
        pos += length;
        Exchange ex{frame, {}, {}, false};
        if (c == Check::BadChecksum) {
            ex.problem = QStringLiteral("bad checksums, no reply");
            ++m_rejected;
        } else {
            ex.reply = answer(frame, &ex.problem);
            if (ex.reply.isEmpty()) {
                ++m_rejected;
            } else {
                const quint8 code = static_cast<quint8>(frame[Frame::CommandOffset]);
                m_log.append({code, requestIndex(code, frame.mid(Frame::DataOffset))});
            }
        }
        out.append(ex);
    }
    flushSkipped();
    m_buffer.remove(0, pos);
    return out;
}

QList<QByteArray> RegisterResponder::feed(const QByteArray &bytes)
{
    QList<QByteArray> replies;
    for (const Exchange &ex : process(bytes))
        if (!ex.reply.isEmpty())
            replies.append(ex.reply);
    return replies;
}

QByteArray RegisterResponder::answer(const QByteArray &request, QString *problem)
{
    auto refuse = [problem](const QString &why) {
        if (problem)
            *problem = why;
        return QByteArray();
    };
    if (request.size() < Frame::Overhead)
        return refuse(QStringLiteral("frame too short"));
    const quint8 code = static_cast<quint8>(request[Frame::CommandOffset]);
    const int n = static_cast<quint8>(request[Frame::LengthOffset]);
    const CommandInfo *info = Commands::find(code);
    if (!info)
        return refuse(QStringLiteral("unknown command %1 (0x%2), no reply")
                          .arg(code)
                          .arg(code, 2, 16, QLatin1Char('0')));
    if (n != info->requestDataLength || request.size() != n + Frame::Overhead)
        return refuse(QStringLiteral("command %1 with %2 data bytes instead of %3, no reply")
                          .arg(code)
                          .arg(n)
                          .arg(info->requestDataLength));
    // A register set to one serial number ignores requests for another, as
    // registers sharing a line or a probe of every port expect.
    if (m_onlySerial) {
        const Fields::SerialBytes asked{static_cast<std::uint8_t>(request[3]), static_cast<std::uint8_t>(request[4]),
                                        static_cast<std::uint8_t>(request[5])};
        if (asked != *m_onlySerial)
            return refuse(QStringLiteral("request for another serial number, no reply"));
    }

    const QByteArray d = request.mid(Frame::DataOffset, n);
    const int index = requestIndex(code, d);
    auto u8 = [&d](int i) { return Fields::byteAt(d, i); };
    QByteArray reply;

    switch (code) {
    case Command::ReadHeaderLine:
        reply.append(static_cast<char>(index));
        reply.append(index < S::HeaderLineCount ? m_state.headerLines[index] : QByteArray(S::HeaderLineWidth, ' '));
        break;
    case Command::WriteHeaderLine:
        if (index < S::HeaderLineCount)
            m_state.headerLines[index] = d.mid(1, S::HeaderLineWidth);
        reply.append(static_cast<char>(index));
        break;
    case Command::ReadLogoInfo:
        appendU32(reply, m_state.servicePassword);
        appendU32(reply, m_state.reportPassword);
        reply.append(static_cast<char>(m_state.logoHeight));
        break;
    case Command::WriteLogoInfo:
        m_state.servicePassword = Fields::getU32(d, 0);
        m_state.reportPassword = Fields::getU32(d, 4);
        m_state.logoHeight = u8(8);
        break;
    case Command::ReadTaxRate: {
        const bool known = index < S::TaxRateCount;
        reply.append(static_cast<char>(index));
        reply.append(Fields::encodeText(QLatin1Char(' ') + (known ? Fields::taxLabels().at(index) : QStringLiteral(" "))));
        appendU16(reply, known ? m_state.taxRates[index] : S::NoRate);
        break;
    }
    case Command::WriteTaxRate:
        if (index < S::TaxRateCount)
            m_state.taxRates[index] = Fields::getU16(d, 3);
        reply.append(static_cast<char>(index));
        break;
    case Command::ReadDepartment: {
        const RegisterDepartment blank{QByteArray(S::DepartmentNameWidth, char(0xFF)), 0, 0, 0, {}};
        const RegisterDepartment &dep = index < S::DepartmentCount ? m_state.departments[index] : blank;
        reply.append(static_cast<char>(index));
        reply.append(dep.name);
        reply.append('\0');
        reply.append(static_cast<char>((dep.group & 0x0F) << 4 | (dep.tax & 0x0F)));
        appendU32(reply, dep.price);
        appendAmount(reply, dep.turnover);
        break;
    }
    case Command::WriteDepartment:
        if (index < S::DepartmentCount) {
            RegisterDepartment &dep = m_state.departments[index];
            dep.name = d.mid(1, S::DepartmentNameWidth);
            dep.group = u8(20) >> 4;
            dep.tax = u8(20) & 0x0F;
            dep.price = Fields::getU32(d, 21);
        }
        reply.append(static_cast<char>(index));
        break;
    case Command::ReadGroup: {
        const RegisterGroup blank{QByteArray(S::GroupNameWidth, char(0xFF)), 0, {}};
        const RegisterGroup &g = index < S::GroupCount ? m_state.groups[index] : blank;
        reply.append(static_cast<char>(index));
        reply.append(g.name);
        appendU16(reply, g.share);
        appendAmount(reply, g.turnover);
        break;
    }
    case Command::WriteGroup:
        if (index < S::GroupCount) {
            m_state.groups[index].name = d.mid(1, S::GroupNameWidth);
            m_state.groups[index].share = Fields::getU16(d, 20);
        }
        reply.append(static_cast<char>(index));
        break;
    case Command::ReadArticle: {
        RegisterArticle blank;
        blank.name = QByteArray(S::ArticleNameWidth, char(0xFF));
        blank.barcode = QByteArray(S::BarcodeWidth, '\0');
        const RegisterArticle &a = index < S::ArticleCount ? m_state.articles[index] : blank;
        appendU16(reply, static_cast<quint32>(index));
        reply.append(a.name);
        reply.append(a.barcode);
        reply.append(static_cast<char>(a.tax));
        reply.append(static_cast<char>(a.groupDepartment));
        appendU32(reply, a.price);
        appendU32(reply, static_cast<quint32>(a.stock));
        appendU32(reply, a.sold);
        appendAmount(reply, a.turnover);
        break;
    }
    case Command::WriteArticle:
        if (index < S::ArticleCount) {
            RegisterArticle &a = m_state.articles[index];
            a.name = d.mid(2, S::ArticleNameWidth);
            a.barcode = d.mid(39, S::BarcodeWidth);
            a.tax = u8(46);
            a.groupDepartment = u8(47);
            a.price = Fields::getU32(d, 48);
            a.stock = Fields::getI32(d, 52);
        }
        reply.append(static_cast<char>(index & 0xFF));
        break;
    case Command::ReadOperator: {
        const RegisterOperator blank{QByteArray(S::OperatorNameWidth, char(0xFF)), 0, {}};
        const RegisterOperator &o = index < S::OperatorCount ? m_state.operators[index] : blank;
        reply.append(static_cast<char>(index));
        reply.append(o.name);
        appendU32(reply, o.password);
        for (const RegisterAmount &a : o.amounts)
            appendAmount(reply, a);
        break;
    }
    case Command::WriteOperator:
        if (index < S::OperatorCount) {
            m_state.operators[index].name = d.mid(1, S::OperatorNameWidth);
            m_state.operators[index].password = Fields::getU32(d, 20);
        }
        reply.append(static_cast<char>(index));
        break;
    case Command::ReadLogoRow:
        reply.append(static_cast<char>(index));
        reply.append(index < S::LogoRowCount ? m_state.logoRows[index] : QByteArray(S::LogoRowWidth, '\0'));
        break;
    case Command::WriteLogoRow:
        if (index < S::LogoRowCount)
            m_state.logoRows[index] = d.mid(1, S::LogoRowWidth);
        reply.append(static_cast<char>(index));
        break;
    case Command::EndDialogue:
        break;
    default:
        return refuse(QStringLiteral("command %1 is not served").arg(code));
    }

    const Fields::SerialBytes serial{static_cast<std::uint8_t>(request[3]), static_cast<std::uint8_t>(request[4]),
                                     static_cast<std::uint8_t>(request[5])};
    if (problem)
        problem->clear();
    return Frame::build(serial, static_cast<std::uint8_t>(request[6]), code, reply);
}
