#include "edit/packedtexts.h"

void PackedTexts::append(const QString &text)
{
    m_chars += text;
    quint64 length = quint64(text.size());
    do {
        const char low = char(length & 0x7F);
        length >>= 7;
        m_lengths.append(length ? char(low | 0x80) : low);
    } while (length);
    ++m_count;
}

QString PackedTexts::Reader::next()
{
    quint64 length = 0;
    int shift = 0;
    while (m_length < m_texts.m_lengths.size()) {
        const auto byte = quint8(m_texts.m_lengths.at(m_length++));
        length |= quint64(byte & 0x7F) << shift;
        shift += 7;
        if (!(byte & 0x80))
            break;
    }
    const qsizetype available = m_texts.m_chars.size() - m_char;
    const qsizetype take = qsizetype(qMin<quint64>(length, quint64(available)));
    QString text = m_texts.m_chars.mid(m_char, take);
    m_char += take;
    return text;
}

void CellRuns::append(int position)
{
    if (!m_runs.empty() && m_runs.back().first + m_runs.back().second == position)
        ++m_runs.back().second;
    else
        m_runs.emplace_back(position, 1);
    ++m_count;
}
