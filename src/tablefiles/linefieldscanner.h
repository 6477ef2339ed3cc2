#pragma once

#include <QByteArray>
#include <QList>
#include <array>
#include <functional>

// Splits the bytes of a delimited file into lines and fields as they come
// in, keeping only a bounded part of each field: a file with one line of
// any length costs a fixed amount of memory and one pass over its bytes.
//
// The rules are those of DelimitedFields on the decoded text (code page 1251
// keeps CR, LF, the quote and the separator as single bytes): lines end at
// CR LF, LF or CR; a double quote toggles the in-quotes state and stays in
// the field; a separator outside quotes ends the field.
class LineFieldScanner {
public:
    struct Line {
        int number = 0;         // from 1
        QList<QByteArray> raw;  // the first `keptFields` fields, quotes kept
        int fieldCount = 0;     // fields in the whole line
        bool cut = false;       // a kept field was longer than the cap
        bool hasNul = false;    // a zero byte stands in the line
        QByteArray start;       // the first bytes of the line, for messages
    };
    using LineHandler = std::function<void(const Line &)>;

    // `separator` is the separator's byte, or -1 when it cannot occur.
    // A kept field holds at most `cap` bytes and then its last byte, so that
    // its closing quote is still seen.
    LineFieldScanner(int separator, int keptFields, int cap, LineHandler handler);

    void feed(const char *data, qsizetype size);
    // Gives the last line when the bytes did not end with a line break.
    void finish();
    // From the next line on only lines with a zero byte are given, with
    // their numbers (the lines past those a table can take).
    void keepNothing();

    static constexpr int StartBytes = 40;

private:
    void endLine();
    void appendRun(const char *bytes, qsizetype n);

    int m_keptFields;
    int m_cap;
    int m_startBytes = StartBytes;
    bool m_onlyNul = false;
    LineHandler m_handler;
    Line m_line;
    QList<char> m_lastOfCut; // per kept field: its last byte when it was cut
    QList<bool> m_fieldCut;
    bool m_inQuotes = false;
    bool m_afterCr = false;
    bool m_lineHasBytes = false;
    std::array<bool, 256> m_special{}; // the bytes that end a run of ordinary ones
};
