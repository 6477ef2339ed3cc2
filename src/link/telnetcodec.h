#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>

// The Telnet side of an rfc2217:// register line, without any I/O: frames
// to the register go in through escape(), bytes from the server through
// feed(), which separates the register's bytes from the server's Telnet
// commands and says what to send back. The client asks for the COM-PORT
// option of RFC 2217 and, once the server takes it, for 57600 baud, 8 data
// bits, no parity, one stop bit and no flow control; every answer is
// compared with what was asked. Other options are answered as RFC 854 says:
// binary transmission and suppress-go-ahead are taken, the rest refused.
class TelnetCodec {
public:
    enum : unsigned char {
        Se = 240, Sb = 250, Will = 251, Wont = 252, Do = 253, Dont = 254, Iac = 255,
        Binary = 0, SuppressGoAhead = 3, ComPort = 44,
    };

    // One line setting the server answered: what was asked and what the
    // server set, both as the user reads them.
    struct Setting {
        QString name;
        QString asked;
        QString answered;
        bool confirmed = false;
    };

    struct Output {
        QByteArray data;             // the register's bytes, unescaped
        QByteArray reply;            // Telnet commands to send to the server now
        QList<Setting> settings;     // settings the server answered in these bytes
        bool comPortRefused = false; // the server will not set the line
    };

    explicit TelnetCodec(int baudRate = 57600);

    // The negotiation the client opens with.
    QByteArray start();
    // Data bytes to the register, with every 0xFF doubled.
    static QByteArray escape(const QByteArray &data);
    // Bytes from the server, in any split.
    Output feed(const QByteArray &bytes);

    // All five settings have been answered.
    bool settingsAnswered() const { return m_answered == SettingCount; }

    static constexpr int SettingCount = 5;

private:
    enum class State { Data, Iac, Option, Sub, SubIac };

    void onOption(unsigned char verb, unsigned char option, Output &out);
    void onSubnegotiation(Output &out);
    QByteArray settingsRequest() const;
    static bool accepted(unsigned char option);

    int m_baudRate;
    State m_state = State::Data;
    unsigned char m_verb = 0;
    QByteArray m_sub;
    std::array<bool, 256> m_we{};   // options we do
    std::array<bool, 256> m_they{}; // options the server does
    std::array<bool, 256> m_weAsked{};
    std::array<bool, 256> m_theyAsked{};
    bool m_settingsSent = false;
    int m_answered = 0;
};
