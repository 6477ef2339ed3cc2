#pragma once

#include <QByteArray>

// Puts the right CRC1 (8-bit sum) and CRC2 (8-bit exclusive-or) of bytes
// 0..8+N into a frame built by hand, computed here rather than by the codec
// so that a wrong codec cannot pass its own test.
inline QByteArray withRightChecksums(QByteArray frame)
{
    const int n = static_cast<unsigned char>(frame.at(8));
    unsigned char sum = 0, x = 0;
    for (int i = 0; i <= 8 + n; ++i) {
        sum = static_cast<unsigned char>(sum + static_cast<unsigned char>(frame.at(i)));
        x ^= static_cast<unsigned char>(frame.at(i));
    }
    frame[9 + n] = static_cast<char>(sum);
    frame[10 + n] = static_cast<char>(x);
    return frame;
}
