#pragma once

#include "core/regional.h"
#include "params/articles/articletablemodel.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

// The two files exchanged with the terminal: the command file the program
// writes ("Command.iv") and the terminal data file it reads back ("sold.iv").
// Both are byte streams without line breaks; every record ends in 0x1B.
namespace TerminalFiles {

constexpr char Terminator = '\x1B';
constexpr int BarcodeWidth = 7;   // bytes of a terminal barcode
constexpr int BarcodePlaces = 14; // four-bit places in it
constexpr int ArticleFixedPart = 14; // index, barcode, tax, price
constexpr int SaleLength = 18;       // a sales record without its terminator
constexpr int NameLength = 36;

// The command digit, the first byte of a command file.
enum class Command : char {
    ReadArticles = '2',
    SendSelected = '3',
    SendAll = '4',
    DailyReport = '5',
};

// Terminal barcode: each character's low four bits (its code page 1251
// code), two to a byte, high half first; the free places are 0xF. Only the
// first 14 characters have room.
QByteArray packBarcode(const QString &text);
// The places holding 0..9, as digits; 10..15 give no character.
QString barcodeDigits(const QByteArray &packed);

// True when the row is sent at all: its name, with leading and trailing
// blanks and control characters removed, is not empty.
bool isNamed(const ArticleRow &row);

// The terminal article record of article `number` (1..4000), with its
// terminator. The name goes as code page 1251 bytes, at most 36
// characters; an ESC inside it is written as '?' so that it cannot end the
// record. An empty price is 0, as in the register write. A price that does not convert throws ConversionError; a negative
// price or one beyond 32 bits of hundredths throws ProgramError. Nothing is
// returned half-built.
QByteArray articleRecord(int number, const ArticleRow &row, const Regional &regional);

// A whole command file. The two sending commands frame the records with
// "<D>" and "</D>"; the other two are the digit alone (records are ignored).
QByteArray commandFile(Command command, const QList<QByteArray> &records = {});

// Replaces the file atomically; on failure *error holds the file system's
// error and the previous file, if any, is intact.
bool writeCommandFile(const QString &path, const QByteArray &bytes, QString *error);

// The records of a terminal data file, each with its terminator.
struct Split {
    QList<QByteArray> records;
    // Pieces that could not be records: a sales record whose 19th byte is
    // not the terminator. An unfinished record at the end is not counted.
    int malformed = 0;
};

// Everything up to and including the first "<D>" is leading text and is
// dropped (a file without "<D>" starts with its first record). The fixed
// part of each record is taken whole before the terminator is looked for,
// so an 0x1B byte inside a number is data. A record not finished by the end
// of the file is dropped.
Split splitArticleRecords(const QByteArray &file);
Split splitSalesRecords(const QByteArray &file);

struct TerminalArticle {
    int index = 0;          // article number minus 1, as the file holds it
    QString name;           // converted from the device character set
    QString barcode;        // digits only
    int taxIndex = 0;       // as the file holds it
    std::uint32_t priceHundredths = 0;
};

struct TerminalSale {
    int index = 0;
    QString barcode;        // digits only; may be empty
    std::uint32_t soldThousandths = 0;
    qint64 turnoverHundredths = 0;
};

// A record (with or without its terminator) as split above. The name is
// every byte from offset 14 to the terminator, with no length limit. A record
// whose name is empty, or one too short for its fixed part, gives nothing.
std::optional<TerminalArticle> decodeArticle(const QByteArray &record);
std::optional<TerminalSale> decodeSale(const QByteArray &record);

} // namespace TerminalFiles
