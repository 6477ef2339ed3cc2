#include "app/errorreport.h"

#include <QMessageBox>

ErrorReport::ErrorReport(QWidget *window, QObject *parent) : QObject(parent), m_window(window) {}

QString ErrorReport::withFullStop(const QString &text)
{
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void ErrorReport::report(const QString &text)
{
    const QString shown = withFullStop(text);
    m_recorded.append(shown);
    emit reported(shown);
    if (m_recording)
        return;
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Dravix"), shown, QMessageBox::Ok, m_window);
    box.setObjectName(QStringLiteral("ErrorReport"));
    box.exec();
}

void ErrorReport::inform(const QString &title, const QString &text)
{
    if (m_recording)
        return;
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, m_window);
    box.setObjectName(QStringLiteral("informationBox"));
    box.exec();
}
