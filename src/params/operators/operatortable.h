#pragma once

#include "params/common/textgrid.h"

// The operator table SGOperateri: 19 columns x 26 rows. Row r holds operator
// number r (1..25), whose index on the wire is r - 1: its name, password and
// the sixteen amounts it has run up.
class OperatorTable : public TextGrid {
public:
    static constexpr int RecordCount = 25;
    static constexpr int AmountCount = 16;
    enum Column { Number = 0, Name = 1, Password = 2, FirstAmount = 3 };

    // Start-up contents: the headings and the operator numbers.
    explicit OperatorTable(QObject *parent = nullptr);
};
