#pragma once

#include <QList>
#include <QObject>
#include <QTextStream>
#include <QTimer>

class RegisterJob;

// The progress of every register on standard error, one line each. On a
// terminal the lines are redrawn in place with a bar a few times a second;
// otherwise a plain line is written when a register starts a step or ends.
class ProgressView : public QObject {
    Q_OBJECT
public:
    ProgressView(QTextStream &err, bool terminal, QObject *parent = nullptr);

    void follow(RegisterJob *job);
    // The last drawing, so that the final state stays on the screen.
    void close();

private:
    QString lineOf(const RegisterJob *job) const;
    void redraw();

    QTextStream &m_err;
    bool m_terminal;
    QList<RegisterJob *> m_jobs;
    QTimer m_redraw;
    bool m_drawn = false;
};
