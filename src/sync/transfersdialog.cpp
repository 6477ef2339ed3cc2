#include "sync/transfersdialog.h"

#include "catalogue/familycatalogue.h"

#include <QCheckBox>
#include <algorithm>
#include <utility>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QPushButton *namedButton(const char *name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QString outcomeText(TransferOutcome outcome)
{
    switch (outcome) {
    case TransferOutcome::Completed: return QStringLiteral("завршено");
    case TransferOutcome::Refused: return QStringLiteral("одбијен запис");
    case TransferOutcome::NoReply: return QStringLiteral("нема одговора");
    case TransferOutcome::Cancelled: return QStringLiteral("отказано");
    case TransferOutcome::Failed:
    case TransferOutcome::PortLost:
    case TransferOutcome::PortFailed: break;
    }
    return QStringLiteral("грешка");
}
} // namespace

TransfersDialog::TransfersDialog(RegisterSession &session, QWidget *parent)
    : QDialog(parent), m_run(session)
{
    setObjectName(QStringLiteral("frmTransfers"));
    setWindowTitle(QStringLiteral("Пренос више породица"));

    auto *families = new QGridLayout;
    int n = 0;
    for (const FamilyDescription &d : FamilyCatalogue::all()) {
        auto *box = new QCheckBox(d.title, this);
        box->setObjectName(QStringLiteral("chkFam") + d.controlName);
        box->setChecked(true);
        m_checks.insert(d.key, box);
        families->addWidget(box, n / 4, n % 4);
        ++n;
    }

    auto *actions = new QHBoxLayout;
    const struct {
        const char *name;
        const char *text;
        FamilyRun::Action action;
    } buttons[] = {{"btnAllRead", "Читање из касе", FamilyRun::Action::Read},
                   {"btnAllWrite", "Унос у касу", FamilyRun::Action::Write},
                   {"btnAllWriteChanges", "Унос измена", FamilyRun::Action::WriteChanges},
                   {"btnAllVerify", "Провера", FamilyRun::Action::Verify}};
    for (const auto &b : buttons) {
        auto *button = namedButton(b.name, QString::fromUtf8(b.text), this);
        const FamilyRun::Action action = b.action;
        connect(button, &QPushButton::clicked, this, [this, action] { run(action); });
        m_actionButtons << button;
        actions->addWidget(button);
    }

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("pbAll"));
    m_progress->setTextVisible(true);
    m_progress->setFormat(QString());
    m_cancel = namedButton("btnAllCancel", QStringLiteral("Откажи"), this);
    m_cancel->setEnabled(false);
    auto *progressRow = new QHBoxLayout;
    progressRow->addWidget(m_progress, 1);
    progressRow->addWidget(m_cancel);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lblAllSummary"));
    m_summary->setTextFormat(Qt::PlainText);
    m_summary->setWordWrap(true);

    m_profileSave = namedButton("btnProfileSave", QStringLiteral("Сачувај профил"), this);
    m_profileLoad = namedButton("btnProfileLoad", QStringLiteral("Учитај профил"), this);
    m_backups = namedButton("btnBackups", QStringLiteral("Резервне копије"), this);
    m_readFirst = new QCheckBox(QStringLiteral("Прво прочитај и сачувај стање касе"), this);
    m_readFirst->setObjectName(QStringLiteral("chkReadBeforeWrite"));
    actions->addWidget(m_readFirst);
    m_profileSave->setEnabled(false);
    m_profileLoad->setEnabled(false);
    auto *profiles = new QHBoxLayout;
    profiles->addWidget(m_profileSave);
    profiles->addWidget(m_profileLoad);
    profiles->addStretch(1);
    profiles->addWidget(m_backups);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(families);
    layout->addLayout(actions);
    layout->addLayout(progressRow);
    layout->addWidget(m_summary, 1);
    layout->addLayout(profiles);

    connect(m_cancel, &QPushButton::clicked, &m_run, &FamilyRun::cancel);
    connect(&m_run, &FamilyRun::progress, this, &TransfersDialog::showProgress);
    connect(&m_run, &FamilyRun::finished, this, &TransfersDialog::showSummary);
}

QStringList TransfersDialog::checkedFamilies() const
{
    QStringList out;
    for (const FamilyDescription &d : FamilyCatalogue::all())
        if (QCheckBox *box = m_checks.value(d.key); box && box->isChecked())
            out << d.key;
    return out;
}

void TransfersDialog::run(FamilyRun::Action action)
{
    if (m_run.running())
        return;
    const QStringList families = checkedFamilies();
    if (families.isEmpty())
        return;
    m_summary->clear();
    m_results.clear();
    setRunning(true);
    const bool writes = action == FamilyRun::Action::Write || action == FamilyRun::Action::WriteChanges;
    if (writes && m_readFirst->isChecked()) {
        m_writeAfterRead = action;
        action = FamilyRun::Action::Verify;
    }
    m_run.start(action, families);
}

void TransfersDialog::setRunning(bool running)
{
    for (QPushButton *b : m_actionButtons)
        b->setEnabled(!running);
    for (QCheckBox *c : std::as_const(m_checks))
        c->setEnabled(!running);
    m_cancel->setEnabled(running);
}

void TransfersDialog::showProgress(FamilyId family, int done, int total)
{
    m_progress->setRange(0, qMax(total, 1));
    m_progress->setValue(qMin(done, qMax(total, 1)));
    m_progress->setFormat(QStringLiteral("%1 %2/%3").arg(FamilyCatalogue::title(family)).arg(done).arg(total));
}

void TransfersDialog::showSummary(const QList<StepResult> &results)
{
    // The read before a write went through whole: the write follows.
    if (const std::optional<FamilyRun::Action> write = std::exchange(m_writeAfterRead, std::nullopt)) {
        const bool read = std::all_of(results.begin(), results.end(),
                                      [](const StepResult &r) { return r.outcome == TransferOutcome::Completed; });
        if (read) {
            m_run.start(*write, checkedFamilies());
            return;
        }
    }
    m_results = results;
    QStringList lines;
    for (const StepResult &r : results)
        lines << QStringLiteral("%1: уписано %2, прочитано %3, прескочено %4, разлика %5, неуспело %6 (%7)")
                     .arg(FamilyCatalogue::title(r.family))
                     .arg(r.written)
                     .arg(r.read)
                     .arg(r.skipped)
                     .arg(r.differences.size())
                     .arg(r.failed)
                     .arg(outcomeText(r.outcome));
    m_summary->setText(lines.join(QLatin1Char('\n')));
    setRunning(false);
}
