#include "profile/profileerror.h"

ProfileError ProfileError::damaged(const QString &file, int line, const QString &field, const QString &what)
{
    ProfileError error;
    error.file = file;
    error.line = line;
    error.field = field;
    QString where = QStringLiteral("датотека %1").arg(file);
    if (line > 0)
        where += QStringLiteral(", ред %1").arg(line);
    if (!field.isEmpty())
        where += QStringLiteral(", поље „%1“").arg(field);
    error.text = QStringLiteral("Профил није исправан: %1: %2.").arg(where, what);
    return error;
}

ProfileError ProfileError::general(const QString &what)
{
    ProfileError error;
    error.text = what;
    return error;
}
