#include "protocol/fields.h"

#include "charset/cp1251.h"
#include "charset/devicecharset.h"

namespace Fields {

SerialBytes packSerial(const QString &text)
{
    QByteArray chars = Cp1251::fromUnicode(text.left(6));
    while (chars.size() < 6)
        chars.prepend(' ');
    SerialBytes out{};
    for (int i = 0; i < 3; ++i) {
        const int high = static_cast<std::uint8_t>(chars[2 * i]) & 0x0F;
        const int low = static_cast<std::uint8_t>(chars[2 * i + 1]) & 0x0F;
        out[i] = static_cast<std::uint8_t>(high << 4 | low);
    }
    return out;
}

std::uint8_t byteAt(const QByteArray &buf, int offset)
{
    return offset >= 0 && offset < buf.size() ? static_cast<std::uint8_t>(buf[offset]) : 0;
}

void putU16(QByteArray &buf, int offset, std::uint32_t value)
{
    buf[offset] = static_cast<char>(value & 0xFF);
    buf[offset + 1] = static_cast<char>(value >> 8 & 0xFF);
}

void putU32(QByteArray &buf, int offset, std::uint32_t value)
{
    for (int k = 0; k < 4; ++k)
        buf[offset + k] = static_cast<char>(value >> (8 * k) & 0xFF);
}

std::uint16_t getU16(const QByteArray &buf, int offset)
{
    return static_cast<std::uint16_t>(byteAt(buf, offset) | byteAt(buf, offset + 1) << 8);
}

std::uint32_t getU32(const QByteArray &buf, int offset)
{
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k)
        v = v << 8 | byteAt(buf, offset + k);
    return v;
}

std::int32_t getI32(const QByteArray &buf, int offset)
{
    return static_cast<std::int32_t>(getU32(buf, offset));
}

qint64 getAmount5(const QByteArray &buf, int offset)
{
    return qint64(getU32(buf, offset)) * 100 + byteAt(buf, offset + 4);
}

const QStringList &taxLabels()
{
    static const QStringList labels = {
        QStringLiteral("А"), QStringLiteral("Г"), QStringLiteral("Д"),
        QStringLiteral("Ђ"), QStringLiteral("Е"), QStringLiteral("Ж"),
        QStringLiteral("И"), QStringLiteral("J"), QStringLiteral("К"),
    };
    return labels;
}

QString taxLabelOrA(int index)
{
    return index >= 0 && index < TaxLabelCount ? taxLabels().at(index) : taxLabels().at(0);
}

int taxIndexOfLabel(const QString &text) { return taxLabels().indexOf(text); }

int taxIndexOfFirstChar(const QString &text)
{
    return text.isEmpty() ? -1 : taxLabels().indexOf(QString(text.at(0)));
}

QByteArray encodeText(const QString &text)
{
    return DeviceCharset::kodiraj(Cp1251::fromUnicode(text));
}

QString decodeText(const QByteArray &deviceBytes)
{
    return Cp1251::toUnicode(DeviceCharset::dekodiraj(deviceBytes));
}

QString decodeName(const QByteArray &fieldBytes)
{
    QByteArray taken;
    taken.reserve(fieldBytes.size());
    for (char c : fieldBytes)
        if (static_cast<std::uint8_t>(c) >= 32)
            taken.append(c);
    if (taken.isEmpty() || static_cast<std::uint8_t>(taken[0]) == 0xFF)
        return QString();
    return decodeText(taken);
}

} // namespace Fields
