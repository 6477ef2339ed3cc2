#pragma once

#include "link/exchangedriver.h"
#include "transfer/parameterfamily.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

class TransferEngine;

// The register's logo and password record (service password, report
// password, logo height; commands 103 and 104) and the one logo/password
// operation that may be pending. Its transfer runs through the transfer
// engine: every record received updates the stored passwords and the logo
// height, and the reply is then passed on to the branch of the pending
// operation (the logo or the passwords), which is told of everything.
class LogoPasswordRecord : public ParameterFamily {
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

    // How an operation carries on: the family its status, progress and
    // messages go to, and what follows a valid 103 reply and a 104 reply
    // (either may be empty).
    struct Branch {
        ParameterFamily *family = nullptr;
        std::function<void()> recordRead;
        std::function<void()> recordWritten;
    };

    explicit LogoPasswordRecord(ExchangeDriver &driver, QObject *parent = nullptr);

    void setBranch(Operation operation, Branch branch);

    Operation pending() const { return m_pending; }
    // The operation a button starts (it replaces whatever was pending) with
    // its first status text.
    void begin(Operation operation, const QString &status);
    // The operation is over (or was refused before anything was sent).
    void finish() { m_pending = Operation::None; }
    // Ends the pending operation with progress 0 and its last status text.
    void complete(const QString &status);

    // The fields of the last record received (the logo height also counts
    // the rows of a logo write).
    std::uint32_t servicePassword() const { return m_stored.servicePassword; }
    std::uint32_t reportPassword() const { return m_stored.reportPassword; }
    int logoHeight() const { return m_logoHeight; }
    void setLogoHeight(int height) { m_logoHeight = height; }
    // True once a record has been received (or a logo write has set the
    // height): only then is there a logo height the register really holds.
    bool heightKnown() const { return m_heightKnown; }

    // The record's own transfer (one record, commands 103 and 104).
    TransferEngine &transfer() { return *m_engine; }
    // Command 103, no data.
    void sendRead();
    // Command 104 with the given passwords and the current logo height.
    void sendWrite(std::uint32_t servicePassword, std::uint32_t reportPassword);

    // Start-up state: nothing pending, no record, height 0.
    void reset();

private:
    const Branch &branch() const { return m_branches[std::size_t(m_pending)]; }

    TransferEngine *m_engine = nullptr;
    std::array<Branch, 5> m_branches;
    Operation m_pending = Operation::None;
    Record m_stored;
    Record m_outgoing;
    int m_logoHeight = 0;
    bool m_heightKnown = false;
};
