#pragma once

// A zip made in memory from (member name, bytes) pairs, for the tests that
// build small XLSX and ODS files or damage one member.
#include <QBuffer>
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <gtest/gtest.h>
#include <quazip.h>
#include <quazipfile.h>

inline QByteArray zipOf(const QList<QPair<QString, QByteArray>> &members)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QuaZip zip(&buffer);
    EXPECT_TRUE(zip.open(QuaZip::mdCreate));
    for (const auto &m : members) {
        QuaZipFile file(&zip);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly, QuaZipNewInfo(m.first)));
        file.write(m.second);
        file.close();
    }
    zip.close();
    return bytes;
}
