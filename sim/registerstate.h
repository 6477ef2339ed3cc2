#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>
#include <vector>

// An accumulated amount as the register keeps it: a whole part and one byte
// of hundredths (the byte is not limited to 0..99).
struct RegisterAmount {
    quint32 whole = 0;
    quint8 hundredths = 0;

    qint64 inHundredths() const { return qint64(whole) * 100 + hundredths; }
    bool operator==(const RegisterAmount &o) const { return whole == o.whole && hundredths == o.hundredths; }
    bool operator!=(const RegisterAmount &o) const { return !(*this == o); }
};

struct RegisterDepartment {
    QByteArray name;  // 18 bytes in the device character set, as stored
    quint8 group = 0; // 0..15
    quint8 tax = 0;   // tax index, 0..15 (0..8 meaningful)
    quint32 price = 0; // hundredths
    RegisterAmount turnover;

    bool operator==(const RegisterDepartment &o) const;
};

struct RegisterArticle {
    QByteArray name;    // 37 bytes, frame offsets 11..47, as stored
    QByteArray barcode; // 7 bytes of packed decimal digits
    quint8 tax = 0;     // the whole tax byte; its low 4 bits are the tax index
    quint8 groupDepartment = 0; // group in the high 4 bits, department - 1 in the low
    quint32 price = 0;  // hundredths
    qint32 stock = 0;   // thousandths, signed
    quint32 sold = 0;   // thousandths
    RegisterAmount turnover;

    int group() const { return groupDepartment >> 4; }
    int departmentNumber() const { return (groupDepartment & 0x0F) + 1; }
    bool operator==(const RegisterArticle &o) const;
};

struct RegisterGroup {
    QByteArray name;    // 19 bytes, as stored
    quint16 share = 0;  // revenue share, hundredths of a percent
    RegisterAmount turnover;

    bool operator==(const RegisterGroup &o) const;
};

struct RegisterOperator {
    QByteArray name;    // 19 bytes, as stored
    quint32 password = 0;
    std::array<RegisterAmount, 16> amounts{};

    bool operator==(const RegisterOperator &o) const;
};

// The memory of one register, every field in the register's own encoding.
class RegisterState {
public:
    static constexpr int HeaderLineCount = 8;
    static constexpr int HeaderLineWidth = 19;
    static constexpr int TaxRateCount = 9;
    static constexpr quint16 NoRate = 0xFFFF;
    static constexpr int DepartmentCount = 8;
    static constexpr int DepartmentNameWidth = 18;
    static constexpr int ArticleCount = 4000;
    static constexpr int ArticleNameWidth = 37;
    static constexpr int BarcodeWidth = 7;
    static constexpr int GroupCount = 13;
    static constexpr int GroupNameWidth = 19;
    static constexpr int OperatorCount = 25;
    static constexpr int OperatorNameWidth = 19;
    static constexpr int OperatorAmountCount = 16;
    static constexpr int LogoRowCount = 198;
    static constexpr int LogoRowWidth = 27;

    std::array<QByteArray, HeaderLineCount> headerLines;
    std::array<quint16, TaxRateCount> taxRates{};
    std::array<RegisterDepartment, DepartmentCount> departments;
    std::vector<RegisterArticle> articles; // always ArticleCount entries
    std::array<RegisterGroup, GroupCount> groups;
    std::array<RegisterOperator, OperatorCount> operators;
    std::array<QByteArray, LogoRowCount> logoRows;
    quint8 logoHeight = 0;
    quint32 servicePassword = 0;
    quint32 reportPassword = 0;

    // What a cleared register holds: blank header lines, no tax rates, names
    // of 0xFF bytes, zero barcodes, prices, quantities, amounts and logo.
    static RegisterState blank();
    // A register in use: shop header, rates, named departments, a few hundred
    // articles, groups, operators with sums, a logo and passwords.
    static RegisterState demo();

    RegisterState() : RegisterState(blank()) {}

    bool operator==(const RegisterState &o) const;
    bool operator!=(const RegisterState &o) const { return !(*this == o); }

    // Save as JSON (byte fields as hex). Returns false with *error set on failure.
    bool save(const QString &path, QString *error) const;
    // Load a saved state. A missing, unreadable or malformed file leaves this
    // state unchanged and returns false with a message naming the problem.
    bool load(const QString &path, QString *error);
    QByteArray toJson() const;
    bool fromJson(const QByteArray &json, QString *error);

    // Encoding helpers, as the tool writes these fields.
    // A name field of `width` bytes: the trimmed text in the device character
    // set, at most `textWidth` bytes, then 0x00; an empty name is all 0xFF.
    static QByteArray nameField(const QString &text, int width, int textWidth);
    // The article name field (37 bytes): text up to 36 bytes, closed by 0xFF.
    static QByteArray articleNameField(const QString &text);
    // A header line: the text padded with blanks to 19 characters.
    static QByteArray headerLineField(const QString &text);
    // 14 decimal digits, left-padded with '0', first digit in the high half.
    static QByteArray packBarcode(const QString &digits);
    static QString barcodeText(const QByteArray &packed);

private:
    struct BlankTag {};
    explicit RegisterState(BlankTag) {}
};
