#pragma once

#include "params/common/familycontext.h"
#include "params/common/parameterfamily.h"

#include <QByteArray>
#include <QString>
#include <array>

// The eight receipt header and message lines: reads all eight from the
// register (command 101) and writes them back (command 102), one line per
// request, the next request sent from the handler of the previous reply.
// The shared transfer index of the driver holds the line being exchanged.
class HeaderLines : public ParameterFamily {
    Q_OBJECT
public:
    static constexpr int LineCount = 8;
    // What the user may type into a line; a read may place longer text.
    static constexpr int TypedLimit = 18;
    // The width of a line on the wire.
    static constexpr int FieldWidth = 19;

    HeaderLines(FamilyContext &ctx, QObject *parent = nullptr);

    QString line(int index) const;
    // The user's edit of a line (no signal back).
    void setLine(int index, const QString &text);

    // The 19-byte wire field of a line: device character set, cut to 19
    // characters or padded with blanks.
    static QByteArray lineField(const QString &text);

public slots:
    void btnReadClicheClick();
    void btnWriteClicheClick();

signals:
    // A read reply replaced the text of a line.
    void lineRead(int index, const QString &text);
    // A read transfer starts: from now on the write button may be used.
    void readStarted();

private:
    void onReadReply(const QByteArray &frame);
    void onWriteReply(const QByteArray &frame);
    void sendRead(int index);
    void sendWrite(int index);

    FamilyContext &m_ctx;
    std::array<QString, LineCount> m_lines;
};
