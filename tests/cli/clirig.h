#pragma once

// Runs the command-line tool in this process, on this thread's event loop,
// so that simulated registers on pseudo-terminals answer it meanwhile.
#include "cli/clirun.h"
#include "sim/ptyregister.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

struct CliOutcome {
    int status = -1;
    QString out;
    QString err;
};

inline CliOutcome runCli(QStringList arguments, const Regional &regional = Regional::comma(), bool terminal = false,
                         int retryMs = 20)
{
    CliOutcome outcome;
    QTextStream out(&outcome.out);
    QTextStream err(&outcome.err);
    arguments.prepend(QStringLiteral("vilaron-cli"));
    // A short retry period: a register that does not answer is given up quickly.
    arguments << QStringLiteral("--retry-ms") << QString::number(retryMs);
    CliRun run(out, err, regional, terminal);
    outcome.status = run.exec(arguments);
    return outcome;
}

inline QString registerArg(const PtyRegister &reg, const QString &serial)
{
    return QStringLiteral("--register=%1=%2").arg(reg.slavePath(), serial);
}

// The fields a write carries, equal in two register memories.
inline void expectWrittenFieldsEqual(const RegisterState &a, const RegisterState &b)
{
    for (int i = 0; i < RegisterState::HeaderLineCount; ++i)
        EXPECT_EQ(a.headerLines[i], b.headerLines[i]) << "header line " << i;
    EXPECT_EQ(a.taxRates, b.taxRates);
    for (int i = 0; i < RegisterState::DepartmentCount; ++i) {
        EXPECT_EQ(a.departments[i].name, b.departments[i].name) << "department " << i;
        EXPECT_EQ(a.departments[i].group, b.departments[i].group) << "department " << i;
        EXPECT_EQ(a.departments[i].tax, b.departments[i].tax) << "department " << i;
        EXPECT_EQ(a.departments[i].price, b.departments[i].price) << "department " << i;
    }
    int articleFaults = 0;
    for (int i = 0; i < RegisterState::ArticleCount && articleFaults < 5; ++i) {
        const RegisterArticle &x = a.articles[std::size_t(i)];
        const RegisterArticle &y = b.articles[std::size_t(i)];
        // The first request of an article write leaves the name's closing
        // byte at 0x00 (as the program always has); the text must be equal.
        const int nameBytes = i == 0 ? RegisterState::ArticleNameWidth - 1 : RegisterState::ArticleNameWidth;
        const bool same = x.name.left(nameBytes) == y.name.left(nameBytes) && x.barcode == y.barcode && x.tax == y.tax &&
                          x.groupDepartment == y.groupDepartment && x.price == y.price && x.stock == y.stock;
        EXPECT_TRUE(same) << "article " << i << ": name " << x.name.toHex().constData() << " / "
                          << y.name.toHex().constData() << ", barcode " << x.barcode.toHex().constData() << " / "
                          << y.barcode.toHex().constData() << ", tax " << int(x.tax) << " / " << int(y.tax)
                          << ", group and department " << int(x.groupDepartment) << " / "
                          << int(y.groupDepartment) << ", price " << x.price << " / " << y.price << ", stock "
                          << x.stock << " / " << y.stock;
        articleFaults += same ? 0 : 1;
    }
    for (int i = 0; i < RegisterState::GroupCount; ++i) {
        EXPECT_EQ(a.groups[i].name, b.groups[i].name) << "group " << i;
        EXPECT_EQ(a.groups[i].share, b.groups[i].share) << "group " << i;
    }
    for (int i = 0; i < RegisterState::OperatorCount; ++i) {
        EXPECT_EQ(a.operators[i].name, b.operators[i].name) << "operator " << i;
        EXPECT_EQ(a.operators[i].password, b.operators[i].password) << "operator " << i;
    }
    ASSERT_EQ(a.logoHeight, b.logoHeight);
    for (int row = 0; row < a.logoHeight; ++row)
        EXPECT_EQ(a.logoRows[row], b.logoRows[row]) << "logo row " << row;
}
