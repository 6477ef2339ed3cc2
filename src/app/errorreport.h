#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;

// The general error report: an error that a handler did not catch itself is
// shown in a message box with the error icon and the application title; the
// program then goes on. The few notices the program shows in Qt's standard
// information box (the terminal's missing file) go through here too.
class ErrorReport : public QObject {
    Q_OBJECT
public:
    explicit ErrorReport(QWidget *window, QObject *parent = nullptr);

    // A full stop is added when the text ends in a character that sorts
    // after the full stop.
    static QString withFullStop(const QString &text);

    // Test seam: while set, reports are recorded and never shown.
    void setRecording(bool recording) { m_recording = recording; }
    const QStringList &recorded() const { return m_recorded; }
    void clearRecorded() { m_recorded.clear(); }

public slots:
    void report(const QString &text);
    // Qt's standard box with the information sign and an OK button.
    void inform(const QString &title, const QString &text);

signals:
    void reported(const QString &text);

private:
    QWidget *m_window;
    bool m_recording = false;
    QStringList m_recorded;
};
