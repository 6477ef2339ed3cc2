#include "cli/progressview.h"

#include "cli/registerjob.h"
#include "cli/stoptext.h"

namespace {
constexpr int BarWidth = 30;
constexpr int RedrawMs = 200;
} // namespace

ProgressView::ProgressView(QTextStream &err, bool terminal, QObject *parent)
    : QObject(parent), m_err(err), m_terminal(terminal)
{
    m_redraw.setInterval(RedrawMs);
    connect(&m_redraw, &QTimer::timeout, this, &ProgressView::redraw);
}

void ProgressView::follow(RegisterJob *job)
{
    m_jobs << job;
    if (m_terminal) {
        m_redraw.start();
        return;
    }
    connect(job, &RegisterJob::stepChanged, this, [this, job] {
        m_err << lineOf(job) << '\n';
        m_err.flush();
    });
    connect(job, &RegisterJob::finished, this, [this, job] {
        m_err << lineOf(job) << '\n';
        m_err.flush();
    });
}

QString ProgressView::lineOf(const RegisterJob *job) const
{
    const RegisterResult &r = job->result();
    QString line = r.target.label() + QStringLiteral(": ");
    if (job->isDone()) {
        line += StopText::outcomeWord(r.outcome);
        return line + QStringLiteral(", уписано %1, прескочено %2, разлика %3, %4 с")
                          .arg(r.recordsWritten)
                          .arg(r.skipped)
                          .arg(r.differences.size())
                          .arg(r.seconds, 0, 'f', 1);
    }
    line += job->stepText();
    if (m_terminal && job->stepTotal() > 0) {
        const int filled = qBound(0, job->stepDone() * BarWidth / job->stepTotal(), BarWidth);
        line += QStringLiteral(" [%1%2] %3/%4")
                    .arg(QString(filled, QLatin1Char('#')), QString(BarWidth - filled, QLatin1Char('.')))
                    .arg(job->stepDone())
                    .arg(job->stepTotal());
    } else if (m_terminal) {
        line += QStringLiteral(" %1").arg(job->stepDone());
    }
    return line;
}

void ProgressView::redraw()
{
    if (m_drawn)
        m_err << QStringLiteral("\x1b[%1A").arg(m_jobs.size()); // back to the first line
    for (const RegisterJob *job : m_jobs)
        m_err << QStringLiteral("\r\x1b[2K") << lineOf(job) << '\n';
    m_err.flush();
    m_drawn = true;
}

void ProgressView::close()
{
    if (m_terminal) {
        m_redraw.stop();
        redraw();
    }
}
