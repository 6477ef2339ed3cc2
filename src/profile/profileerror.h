#pragma once

#include <QString>

// Why a profile was refused: the file, the line and the field at fault, and
// the whole message for the user.
struct ProfileError {
    QString file;  // a file name inside the profile folder; empty when none
    int line = 0;  // counted from 1; 0 when the fault is not on one line
    QString field; // the field's name; empty when the fault is not in one field
    QString text;  // the message, naming all of the above

    // A fault in a file of the profile: "Профил није исправан: датотека F,
    // ред L, поље „X“: what."
    static ProfileError damaged(const QString &file, int line, const QString &field, const QString &what);
    // A fault outside the profile's files (an unknown family, a folder that
    // cannot be made).
    static ProfileError general(const QString &what);
};
