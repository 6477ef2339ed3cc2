#include "tablefiles/linefieldscanner.h"

#include <cstdint>

LineFieldScanner::LineFieldScanner(int separator, int keptFields, int cap, LineHandler handler)
    : m_keptFields(keptFields), m_cap(cap), m_handler(std::move(handler))
{
    m_line.number = 1;
    m_line.raw.resize(m_keptFields);
    m_lastOfCut.resize(m_keptFields);
    m_fieldCut.resize(m_keptFields);
    m_line.fieldCount = 1;
    m_special.fill(false);
    for (int b : {int('\r'), int('\n'), int('"'), 0, separator})
        if (b >= 0 && b < 256)
            m_special[std::size_t(b)] = true;
}

void LineFieldScanner::appendRun(const char *bytes, qsizetype n)
{
    if (n <= 0)
        return;
    m_lineHasBytes = true;
    if (m_line.start.size() < m_startBytes)
        m_line.start.append(bytes, qMin<qsizetype>(n, m_startBytes - m_line.start.size()));
    const int field = m_line.fieldCount - 1;
    if (field >= m_keptFields)
        return;
    QByteArray &raw = m_line.raw[field];
    const qsizetype take = qMin<qsizetype>(n, m_cap - raw.size());
    if (take > 0)
        raw.append(bytes, take);
    if (take < n) {
        m_fieldCut[field] = true;
        m_lastOfCut[field] = bytes[n - 1];
    }
}

void LineFieldScanner::feed(const char *data, qsizetype size)
{
    qsizetype i = 0;
    while (i < size) {
        if (m_afterCr) {
            m_afterCr = false;
            if (data[i] == '\n') {
                ++i;
                continue;
            }
        }
        // Ordinary bytes go in runs; a byte that matters is looked at alone.
        qsizetype j = i;
        while (j < size && !m_special[std::uint8_t(data[j])])
            ++j;
        appendRun(data + i, j - i);
        if (j == size)
            return;
        const char c = data[j];
        i = j + 1;
        if (c == '\r' || c == '\n') {
            endLine();
            m_afterCr = c == '\r';
        } else if (c == '"') {
            m_inQuotes = !m_inQuotes;
            appendRun(&c, 1);
        } else if (c == '\0') {
            m_line.hasNul = true;
            appendRun(&c, 1);
        } else if (m_inQuotes) { // the separator inside quotes
            appendRun(&c, 1);
        } else {
            m_lineHasBytes = true;
            if (m_line.start.size() < m_startBytes)
                m_line.start.append(c);
            ++m_line.fieldCount;
        }
    }
}

void LineFieldScanner::finish()
{
    if (m_lineHasBytes)
        endLine();
}

void LineFieldScanner::endLine()
{
    for (int f = 0; f < m_keptFields; ++f) {
        if (m_fieldCut[f]) {
            m_line.raw[f].append(m_lastOfCut[f]);
            m_line.cut = true;
        }
    }
    if (!m_onlyNul || m_line.hasNul)
        m_handler(m_line);
    // The buffers are kept for the next line: no allocation per line.
    ++m_line.number;
    for (QByteArray &raw : m_line.raw)
        raw.resize(0);
    m_line.raw.resize(m_keptFields);
    m_line.start.resize(0);
    m_line.fieldCount = 1;
    m_line.cut = false;
    m_line.hasNul = false;
    m_fieldCut.fill(false);
    m_inQuotes = false;
    m_lineHasBytes = false;
}

void LineFieldScanner::keepNothing()
{
    m_keptFields = 0;
    m_startBytes = 0;
    m_onlyNul = true;
    // Quotes and separators no longer matter, so that long runs go by at once.
    m_special.fill(false);
    for (int b : {int('\r'), int('\n'), 0})
        m_special[std::size_t(b)] = true;
}
