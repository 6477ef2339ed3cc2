#pragma once

#include "params/common/textgrid.h"

// The group table sgGrupe: 4 columns x 14 rows. Row g + 1 holds group g
// (0..12): its number, name, revenue share in percent and turnover.
class GroupTable : public TextGrid {
public:
    static constexpr int RecordCount = 13;
    enum Column { Number = 0, Name = 1, Share = 2, Turnover = 3 };

    // Start-up contents for the regional decimal separator d: "Група g" and
    // "0" d "00" in the share and turnover cells.
    explicit GroupTable(QChar decimal, QObject *parent = nullptr);
};
