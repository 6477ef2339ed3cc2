#pragma once

// A register session on the simulator whose writes back up first, with the
// backups in a temporary data folder (XDG_DATA_HOME points there while the
// rig lives).

#include "backup/backupplace.h"
#include "backup/backupwriter.h"
#include "session/registersession.h"
#include "session/writeadmission.h"
#include "sim/ptyregister.h"
#include "support/waituntil.h"

#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

class BackupRig {
public:
    static constexpr int Patience = 90000; // ms; 4000 articles through a pseudo-terminal
    static inline const QString Serial = QStringLiteral("004512");

    explicit BackupRig(const RegisterState &initial = RegisterState::demo()) : reg(initial)
    {
        m_oldData = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        RegisterSession::Options options;
        options.regional = Regional::withDecimal(QLatin1Char(','));
        options.registerPort = reg.slavePath();
        options.retryIntervalMs = 100;
        session = std::make_unique<RegisterSession>(options);
        session->setSerialNumberSource([this] { return serial; });
        session->reset();
        BackupWriter::guardWrites(*session);
        QObject::connect(session.get(), &RegisterSession::transferFinished,
                         [this](const QString &family, bool write, TransferOutcome outcome) {
                             finished << QStringLiteral("%1 %2 %3").arg(family, write ? "write" : "read",
                                                                        TransferOutcomes::key(outcome));
                         });
        QObject::connect(session.get(), &RegisterSession::message,
                         [this](const QString &title, const QString &text) { messages << title + ": " + text; });
        QString error;
        opened = reg.isOpen() && session->registerLine().open(&error);
    }
    ~BackupRig()
    {
        session.reset();
        if (m_oldData.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", m_oldData);
    }

    // Starts a transfer and waits for the end named "family read|write Outcome".
    bool runs(const std::function<void()> &start, const QString &end)
    {
        finished.clear();
        start();
        return waitUntil([&] { return finished.contains(end) && !session->driver().isBusy(); }, Patience);
    }
    // The records the register was asked to write with this command, in
    // order; a repeated request (a slow reply) counts once.
    QList<int> written(int command) const
    {
        QList<int> out;
        for (const auto &h : reg.log())
            if (h.code == command && (out.isEmpty() || out.last() != h.index))
                out << h.index;
        return out;
    }
    QList<BackupEntry> backups() const { return BackupPlace::list(serial); }

    QTemporaryDir data;
    PtyRegister reg;
    QString serial = Serial;
    std::unique_ptr<RegisterSession> session;
    QStringList finished;
    QStringList messages;
    bool opened = false;

private:
    QByteArray m_oldData;
};
