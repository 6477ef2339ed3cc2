#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class RegisterSession;

// The one door every write of a session goes through, whoever starts it (a
// family's write button, a changes-only write, a run over several families,
// the command line): before its first request the guard is asked with the
// families about to be written. Without a guard every write goes.
class WriteAdmission : public QObject {
    Q_OBJECT
public:
    static const QString RefusedTitle;

    // Gives false, with the reason, to keep the write from starting.
    using Guard = std::function<bool(const QStringList &families, QString *reason)>;

    explicit WriteAdmission(RegisterSession &session);

    void setGuard(Guard guard) { m_guard = std::move(guard); }

    // A write of several families asks once, before the first of them; their
    // writes then start without asking again, until `close()` or a write
    // that does not complete. False (and the message said) when refused.
    bool admit(const QStringList &families);
    void close() { m_admitted.clear(); }

signals:
    void refused(const QStringList &families, const QString &reason);

private:
    bool gate(const QString &family);

    RegisterSession &m_session;
    Guard m_guard;
    QStringList m_admitted;
};
