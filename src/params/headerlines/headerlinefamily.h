#pragma once

#include "transfer/familycontext.h"
#include "transfer/parameterfamily.h"
#include "transfer/transferengine.h"

#include <QByteArray>
#include <QString>
#include <array>

// The eight receipt header and message lines: read (command 101) and written
// (command 102) one line per request through the transfer engine; the
// shared transfer index of the driver holds the line being exchanged.
class HeaderLineFamily : public ParameterFamily {
    Q_OBJECT
public:
    static constexpr int LineCount = 8;
    // What the user may type into a line; a read may place longer text.
    static constexpr int TypedLimit = 18;
    // The width of a line on the wire.
    static constexpr int FieldWidth = 19;

    HeaderLineFamily(FamilyContext &ctx, QObject *parent = nullptr);

    TransferEngine &transfer() { return *m_transfer; }
    TransferEngine *records() override { return m_transfer; }
    int recordCount() const override { return LineCount; }
    QList<RecordField> recordFields(const QByteArray &wire, const Regional &regional) const override;
    bool setField(int index, int column, const QString &text) override;
    QByteArray tableDigest() override;

    QString line(int index) const;
    // The user's edit of a line (no signal back).
    void setLine(int index, const QString &text);
    // A line taken from what the register holds: stored and shown as a read
    // reply would be.
    void takeLine(int index, const QString &text);

    // The 19-byte wire field of a line: device character set, cut to 19
    // characters or padded with blanks.
    static QByteArray lineField(const QString &text);

public slots:
    void btnReadClicheClick();
    void btnWriteClicheClick();

signals:
    // A read reply replaced the text of a line.
    void lineRead(int index, const QString &text);

protected:
    void startRead() override { btnReadClicheClick(); }
    void startWrite() override { btnWriteClicheClick(); }

private:
    static QString readText(const QByteArray &frame);
    static QByteArray writeData(int index, const QString &text);

    TransferEngine *m_transfer = nullptr;
    std::array<QString, LineCount> m_lines;
};
