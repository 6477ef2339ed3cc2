#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

// Windows code page 1251 <-> Unicode, for the program's boundaries: the CSV
// files, the terminal files and the register wire.
namespace Cp1251 {

QString toUnicode(const QByteArray &bytes);
QChar toUnicode(char byte);

// A character that code page 1251 cannot hold becomes '?'; a character outside
// the Basic Multilingual Plane (a surrogate pair) becomes a single '?'.
QByteArray fromUnicode(const QString &text);

// True when the character has a code in code page 1251.
bool canEncode(QChar c);

} // namespace Cp1251
