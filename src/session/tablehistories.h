#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <vector>

class EditHistory;
class RegisterSession;

// The undo histories of the session's five tables (articles, departments,
// tax rates, groups, operators) tied to the session: a read from the
// register is one step of its table (undo brings back the table from before
// the read and leaves the register alone), and every step keeps the table's
// state (start-up defaults, saved) so that undo and redo put it back.
class TableHistories : public QObject {
    Q_OBJECT
public:
    explicit TableHistories(RegisterSession &session, QObject *parent = nullptr);

    // Null for a family without a table history (the header lines, the logo).
    EditHistory *of(const QString &family) const { return m_histories.value(family); }
    std::vector<EditHistory *> all() const;

private:
    QHash<QString, EditHistory *> m_histories;
    QStringList m_order;
};
