#pragma once

#include "core/programerror.h"

#include <QObject>
#include <QString>

// Base of the parameter families' logic classes. Families report through
// these signals and never touch the footer or open a window themselves.
class ParameterFamily : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void status(const QString &text);
    void progress(int value);
    void message(const QString &title, const QString &text);
    // An error the family does not handle itself: the general error report.
    void programError(const QString &text);
    // A read transfer starts: from now on the write button may be used.
    void readStarted();
    // A transfer that keeps the pages from being switched runs (articles), or
    // lets them go.
    void pagesLocked(bool locked);

public:
    // Runs a handler; a program error abandons it and is reported.
    template <typename F>
    void guarded(F &&handler)
    {
        if (const std::optional<QString> failure = failureOf(handler))
            emit programError(*failure);
    }
};
