#include "params/tablefiles/linefieldscanner.h"

#include <cstdint>

LineFieldScanner::LineFieldScanner(int separator, int keptFields, int cap, LineHandler handler)
    : m_separator(separator), m_keptFields(keptFields), m_cap(cap), m_handler(std::move(handler))
{
    m_line.number = 1;
    m_line.raw.resize(m_keptFields);
    m_lastOfCut.resize(m_keptFields);
    m_fieldCut.resize(m_keptFields);
    m_line.fieldCount = 1;
}

void LineFieldScanner::append(char c)
{
    const int field = m_line.fieldCount - 1;
    if (field >= m_keptFields)
        return;
    QByteArray &raw = m_line.raw[field];
    if (raw.size() < m_cap) {
        raw.append(c);
    } else {
        m_fieldCut[field] = true;
        m_lastOfCut[field] = c;
    }
}

void LineFieldScanner::feed(const char *data, qsizetype size)
{
    for (qsizetype i = 0; i < size; ++i) {
        const char c = data[i];
        if (m_afterCr) {
            m_afterCr = false;
            if (c == '\n')
                continue;
        }
        if (c == '\r' || c == '\n') {
            endLine();
            m_afterCr = c == '\r';
            continue;
        }
        m_lineHasBytes = true;
        if (m_line.start.size() < StartBytes)
            m_line.start.append(c);
        if (c == '\0')
            m_line.hasNul = true;
        if (c == '"') {
            m_inQuotes = !m_inQuotes;
            append(c);
        } else if (int(std::uint8_t(c)) == m_separator && !m_inQuotes) {
            ++m_line.fieldCount;
        } else {
            append(c);
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
    m_handler(m_line);
    const int next = m_line.number + 1;
    m_line = Line();
    m_line.number = next;
    m_line.raw.resize(m_keptFields);
    m_line.fieldCount = 1;
    m_fieldCut.fill(false);
    m_inQuotes = false;
    m_lineHasBytes = false;
}
