#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Collects the characters a barcode scanner sends until a line end and turns
// them into the code: the digits 0 to 9 in order, everything else dropped.
//
// A run of line ends completes a scan when the collected text, up to and
// including the run, holds more than one character; a lone line end waits
// and is dropped with the next scan. A scan split over several receive
// events is assembled. Two scans arriving in one event stay two scans.
class ScanCollector {
public:
    // The collected text never grows beyond this: a scanner that sends no
    // line ends keeps only its latest characters.
    static constexpr int MaxPending = 4096;

    // Takes one receive event; returns the codes of the scans it completed,
    // in order (usually none or one).
    QStringList received(const QByteArray &bytes);
    // Empties the collected text (start-up).
    void clear() { m_pending.clear(); }
    const QByteArray &pending() const { return m_pending; }

    // The digits of a scan, in order.
    static QString digitsOf(const QByteArray &scan);
    static bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

private:
    QByteArray m_pending;
};
