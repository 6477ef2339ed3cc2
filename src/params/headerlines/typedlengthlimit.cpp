#include "params/headerlines/typedlengthlimit.h"

#include <QLineEdit>

TypedLengthLimit::TypedLengthLimit(QLineEdit *edit, int limit)
    : QObject(edit), m_edit(edit), m_limit(limit), m_accepted(edit->text())
{
    // QLineEdit emits textEdited before textChanged for a user's edit, so the
    // edit is judged against the text as it was before it.
    connect(edit, &QLineEdit::textEdited, this, &TypedLengthLimit::onTextEdited);
    connect(edit, &QLineEdit::textChanged, this, [this] { m_accepted = m_edit->text(); });
}

void TypedLengthLimit::onTextEdited(const QString &text)
{
    const QString &old = m_accepted;
    if (text.size() <= m_limit) {
        m_accepted = text;
        return;
    }
    // The edit replaced old[prefix, old.size() - suffix) by what it inserted.
    qsizetype prefix = 0;
    const qsizetype shorter = qMin(old.size(), text.size());
    while (prefix < shorter && old[prefix] == text[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix && old[old.size() - 1 - suffix] == text[text.size() - 1 - suffix])
        ++suffix;
    const qsizetype inserted = text.size() - prefix - suffix;
    if (inserted <= 0) {
        m_accepted = text; // only deleted: always allowed
        return;
    }
    const qsizetype kept = text.size() - inserted;
    const qsizetype room = qMax<qsizetype>(0, m_limit - kept);
    const QString result = text.left(prefix) + text.mid(prefix, qMin(inserted, room)) + text.right(suffix);
    m_accepted = result;
    m_edit->setText(result);
    m_edit->setCursorPosition(int(prefix + qMin(inserted, room)));
}
