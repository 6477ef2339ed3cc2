// Decimal texts as typed into cells, and name fields as read from frames.
#include "charset/cp1251.h"
#include "core/decimaltext.h"
#include "protocol/fields.h"
#include "core/programerror.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = Cp1251::toUnicode(bytes);
    for (QChar mark : {QChar(u','), QChar(u'.')}) {
        for (int scale : {2, 3}) {
            ScaledNumber n;
            if (DecimalText::tryParse(text, mark, scale, &n)) {
                // Formatting what was parsed and parsing it again gives the same count.
                const QString formatted = DecimalText::formatScaled(n.units, scale, mark);
                ScaledNumber again;
                if (!DecimalText::tryParse(formatted, mark, scale, &again) || again.units != n.units)
                    std::abort();
            }
            try {
                DecimalText::parseCell(text, Regional::withDecimal(mark), scale);
            } catch (const ConversionError &) {
            }
        }
    }
    int value = 0;
    if (DecimalText::tryParseInteger(text, &value) && DecimalText::parseInteger(QString::number(value)) != value)
        std::abort();
    const QString name = Fields::decodeName(bytes);
    if (name.size() > bytes.size())
        std::abort();
    if (Fields::decodeText(bytes).size() != bytes.size())
        std::abort();
    return 0;
}
