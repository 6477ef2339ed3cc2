#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

// Limits what the user types into a line edit to a number of characters,
// without cutting text that the program places in it (QLineEdit::maxLength
// would cut a longer text read from the register). Typing or pasting into a
// full field inserts only what still fits; deleting is always possible.
class TypedLengthLimit : public QObject {
    Q_OBJECT
public:
    TypedLengthLimit(QLineEdit *edit, int limit);
    int limit() const { return m_limit; }

private:
    void onTextEdited(const QString &text);

    QLineEdit *m_edit;
    int m_limit;
    QString m_accepted;
};
