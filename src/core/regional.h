#pragma once

#include <QChar>
#include <QLocale>

// The two characters of the user's regional settings that the program needs.
// Read once at start-up and passed to whoever formats or parses numbers or
// writes delimited files.
struct Regional {
    QChar decimal = QLatin1Char(',');
    QChar list = QLatin1Char(';');

    // Qt and glibc know no list separator: ';' goes with a decimal comma,
    // ',' with anything else.
    static Regional withDecimal(QChar decimal)
    {
        return Regional{decimal, decimal == QLatin1Char(',') ? QLatin1Char(';') : QLatin1Char(',')};
    }
    static Regional fromLocale(const QLocale &locale)
    {
        const QString d = locale.decimalPoint();
        return withDecimal(d.isEmpty() ? QLatin1Char('.') : d.at(0));
    }
    static Regional system() { return fromLocale(QLocale::system()); }
    static Regional comma() { return withDecimal(QLatin1Char(',')); }
    static Regional point() { return withDecimal(QLatin1Char('.')); }

    bool operator==(const Regional &o) const { return decimal == o.decimal && list == o.list; }
};
