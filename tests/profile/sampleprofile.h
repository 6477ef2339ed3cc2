#pragma once

#include "charset/cp1251.h"
#include "profile/registerprofile.h"

#include <QFile>
#include <ostream>

// Readable QString values in the failure messages of the tests.
inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }

// A full profile whose number cells use the decimal separator of `regional`
// and whose texts hold quotes, both separators and blanks.
inline RegisterProfile sampleProfile(const Regional &regional)
{
    const auto num = [&regional](const QString &whole, const QString &fraction) {
        return whole + regional.decimal + fraction;
    };
    RegisterProfile p;
    p.manifest.programVersion = QStringLiteral("3.5");
    p.manifest.serialNumber = QStringLiteral("123456");
    p.manifest.created = QDateTime(QDate(2024, 5, 1), QTime(10, 30, 15), Qt::UTC);
    p.manifest.separators = regional;
    p.manifest.logoHeight = 120;

    p.headerLines = QStringList{QStringLiteral("Продавница \"Код Мике\""), QStringLiteral("Београд; Нови Београд"),
                                QString(), QStringLiteral("  ПИБ 100200300  "), QStringLiteral("Хвала, дођите опет"),
                                QStringLiteral("\""), QStringLiteral("Ред 7"), QStringLiteral("Ред 8")};
    const QStringList labels{QStringLiteral("А"), QStringLiteral("Г"), QStringLiteral("Д"),
                             QStringLiteral("Ђ"), QStringLiteral("Е"), QStringLiteral("Ж"),
                             QStringLiteral("И"), QStringLiteral("J"), QStringLiteral("К")};
    const QStringList rates{QStringLiteral("20"), num("8", "5"), QStringLiteral("0"), num("0", "01"),
                            QStringLiteral("**") + regional.decimal + QStringLiteral("**"),
                            num("100", "0"), QString(), QStringLiteral("18"), num("12", "25")};
    p.taxRates = QList<QStringList>();
    for (int i = 0; i < 9; ++i)
        p.taxRates->append({labels[i], rates[i]});

    p.departments = QList<QStringList>();
    for (int i = 1; i <= 8; ++i)
        p.departments->append({QString::number(i), QStringLiteral("Одељење %1, \"горе\"").arg(i), num(QString::number(i * 10), "5"),
                               QString::number(i % 13), labels[i % 9], num(QString::number(1234 * i), "05")});

    p.articles = QList<QStringList>();
    for (int i = 1; i <= 4000; ++i) {
        const bool named = i % 7 != 0;
        p.articles->append({QString::number(i), named ? QStringLiteral("Артикал %1; \"бр\", %1").arg(i) : QString(),
                            QStringLiteral("%1").arg(8600000000000LL + i, 14, 10, QLatin1Char('0')),
                            QString::number(1 + i % 8), num(QString::number(i), QString::number(i % 100)),
                            labels[i % 9], i % 3 == 0 ? QStringLiteral("-") + num("1", "25") : QString::number(i % 50),
                            QString::number(i % 13), num(QString::number(i % 17), "125"), num(QString::number(i * 3), "5")});
    }

    p.groups = QList<QStringList>();
    for (int g = 0; g <= 12; ++g)
        p.groups->append({QString::number(g), QStringLiteral("Група %1").arg(g), num(QString::number(g * 7), "5")});

    p.operators = QList<QStringList>();
    for (int r = 1; r <= 25; ++r)
        p.operators->append({QString::number(r), r == 5 ? QString() : QStringLiteral("Оператер %1").arg(r),
                             r == 3 ? QStringLiteral("00123") : QString::number(1000 + r)});

    QImage logo(216, 198, QImage::Format_RGB32);
    logo.fill(Qt::white);
    for (int y = 0; y < 198; ++y)
        for (int x = 0; x < 216; ++x)
            if ((x * 7 + y * 3) % 11 == 0 || (x == 215) || (y == 197))
                logo.setPixel(x, y, qRgb(0, 0, 0));
    p.logo = logo;
    p.passwords = ProfilePasswords{QStringLiteral("123456"), QStringLiteral("007")};
    return p;
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// The lines of a profile table file, as text.
inline QStringList fileLines(const QString &path)
{
    QStringList lines = Cp1251::toUnicode(fileBytes(path)).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

inline void writeLines(const QString &path, const QStringList &lines)
{
    writeBytes(path, Cp1251::fromUnicode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
}
