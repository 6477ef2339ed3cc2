#include "barcode/scancollector.h"

QStringList ScanCollector::received(const QByteArray &bytes)
{
    QStringList codes;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (!isLineEnd(bytes.at(i)))
            continue;
        // Only the last line end of a run may complete: CR LF is one end.
        if (i + 1 < bytes.size() && isLineEnd(bytes.at(i + 1)))
            continue;
        m_pending.append(bytes.constData() + start, i + 1 - start);
        start = i + 1;
        if (m_pending.size() > 1) {
            codes << digitsOf(m_pending);
            m_pending.clear();
        }
    }
    m_pending.append(bytes.constData() + start, bytes.size() - start);
    if (m_pending.size() > MaxPending)
        m_pending.remove(0, m_pending.size() - MaxPending);
    return codes;
}

QString ScanCollector::digitsOf(const QByteArray &scan)
{
    QString code;
    for (char c : scan) {
        if (c >= '0' && c <= '9')
            code.append(QLatin1Char(c));
    }
    return code;
}
