#pragma once

#include "profile/profileerror.h"

#include <QByteArray>
#include <QImage>

// logo.png: the logo as the register prints it, 216 x 198 dots, black dots on
// white. Any colour but pure white is a dot, as in the program's logo.
namespace ProfileLogo {

constexpr int Width = 216;
constexpr int Height = 198;
extern const QString FileName;

// The picture on a white 216 x 198 canvas, top-left, in black and white; a
// larger picture keeps its top-left part.
QImage normalised(const QImage &picture);

QByteArray toPng(const QImage &picture);

// Refused when the bytes are no picture or the picture is not 216 x 198.
bool fromFile(const QByteArray &bytes, QImage *picture, ProfileError *error);

} // namespace ProfileLogo
