#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

// What this session knows the register holds: per family and record, the
// bytes a write of that record would carry. A record becomes known when the
// register answers its read or acknowledges its write. The knowledge belongs
// to one register, named by the serial number the requests carry: another
// serial number starts from nothing. Nothing is kept on disk.
class RegisterMirror : public QObject {
    Q_OBJECT
public:
    enum class State { Unknown, Equal, Differs };

    explicit RegisterMirror(QObject *parent = nullptr) : QObject(parent) {}

    // Where the serial number of the register in use comes from.
    void setSerialNumberSource(std::function<QString()> source) { m_serialSource = std::move(source); }

    // The register confirmed `wire` for the record.
    void confirm(const QString &family, int index, const QByteArray &wire);
    // The bytes the register holds for the record, when known.
    std::optional<QByteArray> known(const QString &family, int index) const;
    // The known records of a family, by index.
    QHash<int, QByteArray> family(const QString &family) const;
    // The table record's write bytes against what the register holds.
    State compare(const QString &family, int index, const QByteArray &tableWire) const;
    int knownCount(const QString &family) const;

    // Forgets everything known.
    void forget();

signals:
    // A family's knowledge changed (a record, or everything when `family` is empty).
    void changed(const QString &family);

private:
    // Drops what was known when the serial number is no longer the one it was
    // learned under.
    void follow() const;

    std::function<QString()> m_serialSource;
    mutable QString m_serial;
    mutable QHash<QString, QHash<int, QByteArray>> m_records;
};
