#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

// Rows of a table whose record differs from what the register holds, each
// with the register's values as text. A table model keeps one and answers
// the background and tool tip of the row's header (and number cell) from it.
class RowMarks {
public:
    // Replaces every mark. False when nothing changed; otherwise [*first,
    // *last] spans the rows whose mark came, went or changed.
    bool replace(const QHash<int, QString> &marks, int *first, int *last);
    // The background or tool tip of a row (invalid for an unmarked row or
    // another role).
    QVariant data(int row, int role) const;
    const QHash<int, QString> &marks() const { return m_marks; }

private:
    QHash<int, QString> m_marks;
};
