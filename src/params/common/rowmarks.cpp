#include "params/common/rowmarks.h"

#include <QColor>

bool RowMarks::replace(const QHash<int, QString> &marks, int *first, int *last)
{
    if (marks == m_marks)
        return false;
    int lo = INT_MAX;
    int hi = -1;
    const auto widen = [&](int row) {
        lo = qMin(lo, row);
        hi = qMax(hi, row);
    };
    for (auto m = m_marks.constBegin(); m != m_marks.constEnd(); ++m)
        if (marks.value(m.key()) != m.value())
            widen(m.key());
    for (auto m = marks.constBegin(); m != marks.constEnd(); ++m)
        if (m_marks.value(m.key()) != m.value())
            widen(m.key());
    m_marks = marks;
    *first = lo;
    *last = hi;
    return hi >= 0;
}

QVariant RowMarks::data(int row, int role) const
{
    if (role != Qt::BackgroundRole && role != Qt::ToolTipRole)
        return QVariant();
    const auto mark = m_marks.constFind(row);
    if (mark == m_marks.constEnd())
        return QVariant();
    if (role == Qt::BackgroundRole)
        return QColor(255, 200, 120);
    return *mark;
}
