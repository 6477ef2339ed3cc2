#include "cli/clitrace.h"


#include <QFileInfo>

QString traceFileFor(const QString &file, const QString &serial)
{
    const QFileInfo info(file);
    const QString suffix = info.suffix();
    const QString base = suffix.isEmpty() ? file : file.left(file.size() - suffix.size() - 1);
    return suffix.isEmpty() ? base + QLatin1Char('-') + serial
                            : base + QLatin1Char('-') + serial + QLatin1Char('.') + suffix;
}
