#include "link/serialline.h"
#include "support/waituntil.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>
#include <memory>

namespace {

quint16 freePort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

struct FailureCase {
    const char *name;
    QString address;
    QString cause;
};

class NetworkOpening : public ::testing::TestWithParam<FailureCase> {};

TEST_P(NetworkOpening, FailsWithThePortMessageNamingTheAddress)
{
    SerialLine line(SerialSettings::registerPort());
    QSignalSpy opened(&line, &SerialLine::openChanged);
    line.setPortName(GetParam().address);
    QString error;
    EXPECT_FALSE(line.open(&error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Problem u otvaranju porta (win error code: "))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("\nПорт: ") + GetParam().address)) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("\nУзрок: ") + GetParam().cause)) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("\nШта урадити: "))) << error.toStdString();
    EXPECT_FALSE(line.isOpen());
    EXPECT_EQ(opened.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, NetworkOpening,
    ::testing::Values(
        FailureCase{"refused", QStringLiteral("tcp://127.0.0.1:%1").arg(freePort()), QStringLiteral("сервер на тој адреси одбија везу")},
        FailureCase{"refusedTelnet", QStringLiteral("rfc2217://127.0.0.1:%1").arg(freePort()), QStringLiteral("сервер на тој адреси одбија везу")},
        FailureCase{"unknownHost", QStringLiteral("tcp://no-such-register.invalid:4001"), QStringLiteral("назив рачунара није познат")},
        FailureCase{"noPort", QStringLiteral("tcp://192.168.1.20"), QStringLiteral("адреса није облика")},
        FailureCase{"portOutOfRange", QStringLiteral("rfc2217://host:70000"), QStringLiteral("адреса није облика")}),
    [](const auto &info) { return std::string(info.param.name); });

// A server in this process plays the device server.
class NetworkPeer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
        QObject::connect(&server, &QTcpServer::newConnection, [this] { peer.reset(server.nextPendingConnection()); });
        QObject::connect(&line, &SerialLine::bytesArrived, [this](const QByteArray &b) { arrived += b; });
    }
    bool openAs(const char *scheme)
    {
        line.setPortName(QStringLiteral("%1://127.0.0.1:%2").arg(QLatin1String(scheme)).arg(server.serverPort()));
        QString error;
        return line.open(&error) && waitUntil([this] { return peer != nullptr; }, 5000);
    }
    QByteArray peerReads(int atLeast)
    {
        waitUntil([&] { return peer->bytesAvailable() >= atLeast; }, 5000);
        return peer->readAll();
    }

    QTcpServer server;
    std::unique_ptr<QTcpSocket> peer;
    SerialLine line{SerialSettings::registerPort()};
    QByteArray arrived;
};

TEST_F(NetworkPeer, RawLineCarriesTheBytesAsTheyAre)
{
    ASSERT_TRUE(openAs("tcp"));
    QString error;
    ASSERT_TRUE(line.write(QByteArray("\xAA\xFF\x0D", 3), &error));
    EXPECT_EQ(peerReads(3).toHex(), QByteArray("aaff0d"));
    peer->write(QByteArray("\xFF\xFF\x0D", 3));
    ASSERT_TRUE(waitUntil([this] { return arrived.size() >= 3; }, 5000));
    EXPECT_EQ(arrived.toHex(), QByteArray("ffff0d"));
}

TEST_F(NetworkPeer, TelnetLineDoublesAndUndoublesEveryIacByte)
{
    ASSERT_TRUE(openAs("rfc2217"));
    const QByteArray opening = peerReads(12); // WILL COM-PORT, WILL/DO BINARY, DO SGA
    EXPECT_TRUE(opening.startsWith(QByteArray("\xFF\xFB\x2C", 3))) << opening.toHex().constData();
    QString error;
    ASSERT_TRUE(line.write(QByteArray("\xAA\xFF\x0D", 3), &error));
    EXPECT_EQ(peerReads(4).toHex(), QByteArray("aaffff0d"));
    peer->write(QByteArray("\xFF\xFF\xFF\xFF\x0D", 5));
    ASSERT_TRUE(waitUntil([this] { return arrived.size() >= 3; }, 5000));
    EXPECT_EQ(arrived.toHex(), QByteArray("ffff0d"));
}

TEST_F(NetworkPeer, ConnectionClosedByTheServerIsOneLossAndAClosedLine)
{
    ASSERT_TRUE(openAs("tcp"));
    QSignalSpy lost(&line, &SerialLine::disconnected);
    QSignalSpy opened(&line, &SerialLine::openChanged);
    peer->close();
    ASSERT_TRUE(waitUntil([&] { return lost.count() > 0; }, 5000));
    QCoreApplication::processEvents(); // a second report would come with the same events
    EXPECT_EQ(lost.count(), 1);
    EXPECT_TRUE(lost.first().first().toString().startsWith(QStringLiteral("Веза са уређајем је прекинута; порт је затворен.\nПорт: tcp://127.0.0.1:")));
    EXPECT_FALSE(line.isOpen());
    ASSERT_EQ(opened.count(), 1);
    EXPECT_FALSE(opened.first().first().toBool());
}

} // namespace

namespace {

TEST_F(NetworkPeer, SettingsTheServerRefusesAreReportedAndTheLineStaysOpen)
{
    QSignalSpy notes(&line, &SerialLine::lineNote);
    QSignalSpy refused(&line, &SerialLine::settingsRefused);
    ASSERT_TRUE(openAs("rfc2217"));
    peerReads(12);
    peer->write(QByteArray("\xFF\xFD\x2C", 3)); // DO COM-PORT-OPTION
    EXPECT_EQ(peerReads(36).count(QByteArray("\xFF\xFA\x2C", 3)), 5); // the five settings asked for
    // 9600 baud instead of 57600; the rest as asked.
    peer->write(QByteArray::fromHex("fffa2c6500002580fff0" "fffa2c6608fff0" "fffa2c6701fff0" "fffa2c6801fff0"
                                    "fffa2c6901fff0"));
    ASSERT_TRUE(waitUntil([&] { return refused.count() > 0; }, 5000));
    EXPECT_EQ(refused.count(), 1);
    EXPECT_TRUE(refused.first().first().toString().contains(QStringLiteral("брзина: тражено 57600 бод, сервер поставио 9600 бод")));
    ASSERT_EQ(notes.count(), 2);
    EXPECT_TRUE(notes.first().first().toString().startsWith(QStringLiteral("RFC 2217, сервер потврдио: 8 бита")));
    EXPECT_TRUE(line.isOpen());
}

} // namespace
