#pragma once

#include "link/exchangedriver.h"

#include <QByteArray>
#include <QObject>
#include <array>
#include <cstdint>
#include <functional>

// The register's logo and password record (service password, report
// password, logo height; commands 103 and 104) and the one logo/password
// operation that may be pending. It owns the reply handlers of both codes:
// every record received updates the stored passwords and the logo height,
// and the reply is then passed on to the branch of the pending operation
// (the logo or the passwords).
class LogoPasswordRecord : public QObject {
    Q_OBJECT
public:
    enum class Operation { None, LogoRead, LogoWrite, PasswordRead, PasswordWrite };

    static constexpr int RecordSize = 9;

    // What one 9-byte record holds.
    struct Record {
        std::uint32_t servicePassword = 0;
        std::uint32_t reportPassword = 0;
        std::uint8_t logoHeight = 0;
    };
    // The record of a 103 reply frame; false when its data part is shorter
    // than a record (nothing of it is taken then).
    static bool parseReply(const QByteArray &frame, Record *record);
    // The 9 data bytes of a 104 request.
    static QByteArray encode(const Record &record);

    // How an operation carries on after a reply to 103 or 104. Each callback
    // runs after the record's own part; any of them may be empty.
    struct Branch {
        std::function<void()> recordRead;    // a valid 103 reply
        std::function<void()> recordWritten; // a 104 reply
        std::function<void()> badRecord;     // a 103 reply too short to hold a record
    };

    explicit LogoPasswordRecord(ExchangeDriver &driver, QObject *parent = nullptr);

    void setBranch(Operation operation, Branch branch);

    Operation pending() const { return m_pending; }
    // The operation a button starts; it replaces whatever was pending.
    void begin(Operation operation) { m_pending = operation; }
    // The operation is over (or was refused before anything was sent).
    void finish() { m_pending = Operation::None; }

    // The fields of the last record received (the logo height also counts
    // the rows of a logo write).
    std::uint32_t servicePassword() const { return m_stored.servicePassword; }
    std::uint32_t reportPassword() const { return m_stored.reportPassword; }
    int logoHeight() const { return m_logoHeight; }
    void setLogoHeight(int height) { m_logoHeight = height; }
    // True once a record has been received (or a logo write has set the
    // height): only then is there a logo height the register really holds.
    bool heightKnown() const { return m_heightKnown; }

    // Command 103, no data.
    void sendRead();
    // Command 104 with the given passwords and the current logo height.
    void sendWrite(std::uint32_t servicePassword, std::uint32_t reportPassword);

    // Start-up state: nothing pending, no record, height 0.
    void reset();

private:
    void onReadReply(const QByteArray &frame);
    void onWriteReply(const QByteArray &frame);
    const Branch &branch() const;

    ExchangeDriver &m_driver;
    std::array<Branch, 5> m_branches;
    Operation m_pending = Operation::None;
    Record m_stored;
    int m_logoHeight = 0;
    bool m_heightKnown = false;
};
