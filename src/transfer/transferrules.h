#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

// What one parameter family tells the transfer engine: its command codes and
// record count, how the next record is chosen, its progress rule, its start
// and end texts and its record codec. The real quirks of a family come in as
// the optional policy hooks at the end; an empty hook does nothing.
struct TransferRules {
    // How the record after a reply is chosen.
    enum class Next {
        SharedIndex, // the driver's transfer index holds the record asked for
        ReplyIndex,  // the read follows the record number each reply carries
    };

    TransferRules() = default;
    TransferRules(QString familyName, std::uint8_t read, std::uint8_t write, int count, Next nextRule)
        : family(std::move(familyName)), readCommand(read), writeCommand(write), recordCount(count), next(nextRule)
    {
    }
    // The start and end texts of a read and a write.
    TransferRules &texts(QString rs, QString rd, QString ws, QString wd)
    {
        readStart = std::move(rs), readDone = std::move(rd), writeStart = std::move(ws), writeDone = std::move(wd);
        return *this;
    }

    QString family;
    std::uint8_t readCommand = 0;
    std::uint8_t writeCommand = 0;
    int recordCount = 0;
    Next next = Next::SharedIndex;
    // ReplyIndex: a reply numbered past the last record ends the read (true)
    // or is consumed without a word (false).
    bool foreignReplyEnds = true;

    QString readStart;
    QString readDone;
    QString writeStart;
    QString writeDone;
    QString refusalTitle = QStringLiteral("Грешка !!! ");
    QString refusalText = QStringLiteral("Грешка у подацима. Унос отказан!");
    // Where a record sits in the family's table: the row of record 0 and the
    // column a refused record is shown at.
    int firstRecordRow = 0;
    int recordColumn = 0;
    int firstRecordNumber = 1; // what the family's table numbers record 0 (the status line names records so)

    // Progress: the value shown on each read reply and on each write reply
    // (-1: none), the values shown when a write starts, once its first
    // request is out and when a read or a write ends. An empty text is not
    // shown.
    std::function<int(int index, bool last)> readProgress;
    std::function<int(int index, bool last)> writeProgress;
    QList<int> writeStartProgress;
    QList<int> writeFirstSentProgress;
    QList<int> readEndProgress{0};
    QList<int> writeEndProgress{0};

    // Codec. The read request's data (default: the index as one byte).
    std::function<QByteArray(int index)> readRequest;
    // ReplyIndex: the record number a reply frame carries (default: the first
    // data byte; an empty data part reads as a number past the last record).
    std::function<int(const QByteArray &frame)> replyIndex;
    // Puts a read reply into the family's table; false when it was cut short.
    std::function<bool(int index, const QByteArray &frame)> storeRead;
    // A read reply as the write request would carry it (default: the data
    // part cut to the write length of the first write of the family).
    std::function<QByteArray(int index, const QByteArray &frame)> readAsWrite;
    // The write request of one record from the table: empty when the record
    // is refused; throws ProgramError when a value does not convert.
    std::function<std::optional<QByteArray>(int index)> writeRequest;

    // Policies.
    std::function<void(bool write)> starting;    // before the start status
    std::function<void(bool write)> finishing;   // before the end progress and status
    std::function<void(bool write)> finished;    // after the end status
    std::function<void(int index)> recordDone;   // a record was answered
    std::function<void(bool firstRecord)> refused; // replaces the data-error message
    std::function<void()> stopped;               // a write request threw
    std::function<bool()> readIsReadBack;        // the read ends with the write's text
    std::function<bool(bool write)> accepts;     // false: a late reply of an ended operation
    // True when a read reply is cut short; the hook has then ended the read.
    std::function<bool(const QByteArray &frame)> endsCutShort;
};
