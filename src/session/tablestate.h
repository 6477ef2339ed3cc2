#pragma once

#include <QByteArray>
#include <functional>

// What the user stands to lose in one family's table: whether it still holds
// nothing but its start-up defaults, and whether it holds edits that went
// neither to a file nor to the register. The table is compared by a digest
// of its content, so a value typed and then typed back leaves nothing unsaved.
class TableState {
public:
    // The digest of the table's content as it is now.
    using Digest = std::function<QByteArray()>;

    explicit TableState(Digest digest);

    // The table holds its start-up defaults: nothing to lose.
    void startUp();
    // Something other than typing put data in the table (a register read, a
    // file): it no longer holds only its defaults, even if the values match.
    void touch() { m_touched = true; }
    // The current content is kept somewhere (a file, a complete read).
    void settle() { m_settled = m_digest(); }
    // A write sent this content (its digest taken when the write began).
    void settle(const QByteArray &sentDigest) { m_settled = sentDigest; }

    // What an undo puts back with the table's cells.
    struct Memo {
        bool touched = false;
        QByteArray settled;
    };
    Memo memo() const { return Memo{m_touched, m_settled}; }
    void restore(const Memo &memo)
    {
        m_touched = memo.touched;
        m_settled = memo.settled;
    }

    QByteArray digest() const { return m_digest(); }
    bool holdsOnlyDefaults() const { return !m_touched && m_digest() == m_defaults; }
    bool hasUnsavedEdits() const { return m_digest() != m_settled; }

private:
    Digest m_digest;
    QByteArray m_defaults;
    QByteArray m_settled;
    bool m_touched = false;
};
