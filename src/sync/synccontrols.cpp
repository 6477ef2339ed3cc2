#include "sync/synccontrols.h"

#include "sync/profileactions.h"

#include "catalogue/familycatalogue.h"
#include "transfer/parameterfamily.h"
#include "session/registersession.h"
#include "sync/differenceswindow.h"
#include "session/familyrun.h"
#include "sync/transfersdialog.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QPushButton>
#include <QShortcut>
#include <QWidget>

namespace {
const QString Articles = FamilyCatalogue::key(FamilyId::Articles);
}

SyncControls::SyncControls(RegisterSession &session, QWidget *window)
    : QObject(window), m_session(session), m_window(window)
{
    m_forget = new QAction(QStringLiteral("Заборави стање касе"), window);
    m_forget->setObjectName(QStringLiteral("actForgetRegister"));
    m_forget->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+F")));
    m_forget->setShortcutContext(Qt::WindowShortcut);
    window->addAction(m_forget);
    connect(m_forget, &QAction::triggered, &session.mirror(), &RegisterMirror::forget);

    m_differences = new DifferencesWindow(window);
    m_transfers = new TransfersDialog(session, window);
    new ProfileActions(session, *m_transfers);
    m_writes = new FamilyRun(session, this);
    auto *transfersKey = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+T")), window);
    connect(transfersKey, &QShortcut::activated, this, &SyncControls::showTransfers);

    if (auto *b = window->findChild<QPushButton *>(QStringLiteral("btnAWriteChanges")))
        connect(b, &QPushButton::clicked, this, [this] { writeChanges({Articles}); });
    if (auto *b = window->findChild<QPushButton *>(QStringLiteral("btnAVerify")))
        connect(b, &QPushButton::clicked, this, [this] { verify(Articles); });
    connect(&session.sync(), &RegisterSync::verifyFinished, this, &SyncControls::onVerified);
    connect(m_differences, &DifferencesWindow::takeRegisterRequested, this, &SyncControls::takeRegister);
    connect(m_differences, &DifferencesWindow::writeTableRequested, this, &SyncControls::writeChanges);

    // Row marks follow the mirror and the table, a batch at a time.
    m_markTimer.setSingleShot(true);
    m_markTimer.setInterval(150);
    connect(&m_markTimer, &QTimer::timeout, this, &SyncControls::refreshMarks);
    connect(&session.mirror(), &RegisterMirror::changed, this, [this] {
        if (!m_markTimer.isActive())
            m_markTimer.start();
    });
    const auto watch = [this](QAbstractItemModel *model) {
        connect(model, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex &, const QModelIndex &, const QList<int> &roles) {
                    if ((roles.isEmpty() || roles.contains(Qt::DisplayRole)) && !m_markTimer.isActive())
                        m_markTimer.start();
                });
        connect(model, &QAbstractItemModel::modelReset, this, [this] { m_markTimer.start(); });
    };
    for (ParameterFamily *family : session.families())
        if (QAbstractItemModel *model = family->tableModel())
            watch(model);
}

void SyncControls::showTransfers()
{
    m_transfers->show();
    m_transfers->raise();
}

void SyncControls::attachTransfersButton(QPushButton *button)
{
    connect(button, &QPushButton::clicked, this, &SyncControls::showTransfers);
}

void SyncControls::setWriteGuard(const std::function<QStringList(const QStringList &)> &guard)
{
    m_writes->setWriteGuard(guard);
    m_transfers->run().setWriteGuard(guard);
}

void SyncControls::writeChanges(const QStringList &families)
{
    if (m_writes->running() || m_session.driver().isBusy())
        return;
    m_writes->start(FamilyRun::Action::WriteChanges, families);
}

void SyncControls::verify(const QString &family)
{
    if (m_session.driver().isBusy())
        return;
    if (m_session.sync().verify(family))
        m_verifyShown = family;
}

void SyncControls::onVerified(const QString &family, TransferOutcome outcome,
                              const QList<RecordDifference> &differences)
{
    if (family != m_verifyShown)
        return; // a verification of the transfers dialog
    m_verifyShown.clear();
    if (outcome != TransferOutcome::Completed)
        return; // the stop was told by the transfer's own message
    m_differences->showDifferences(differences);
    m_differences->show();
    m_differences->raise();
}

void SyncControls::takeRegister(const QList<RecordDifference> &differences)
{
    m_session.sync().takeHeld(differences);
    QStringList families;
    for (const RecordDifference &d : m_differences->differences())
        if (!families.contains(d.family))
            families << d.family;
    QList<RecordDifference> left;
    for (const QString &f : families)
        left << m_session.sync().differences(f);
    m_differences->showDifferences(left);
}

void SyncControls::refreshMarks()
{
    for (ParameterFamily *family : m_session.families())
        if (FamilyCatalogue::find(family->id())->compared())
            family->markRows(m_session.sync().differingRecords(FamilyCatalogue::key(family->id())));
}
