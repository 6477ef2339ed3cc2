#pragma once

#include "core/regional.h"
#include "params/departments/departmenttablemodel.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The department records of commands 111 (read) and 112 (write).
namespace DepartmentRecord {

constexpr int NameWidth = 18;
constexpr int WriteDataLength = 25;

// Data part of the read request: the department index.
QByteArray readRequest(int index);

// Data part of the write request for department `index` (0..7) from its row.
// The group cell must be a whole number (ConversionError otherwise); a price
// that does not convert is sent as 0.
QByteArray writeRequest(int index, const DepartmentRow &row, const Regional &regional);

// Reads a reply frame to 111 into *row (the turnover included) and returns
// the department index it carries, which may be outside 0..7.
int readReply(const QByteArray &frame, const Regional &regional, DepartmentRow *row);

// The department index a reply frame carries.
int replyIndex(const QByteArray &frame);

} // namespace DepartmentRecord

// The values of the department edit controls.
struct DepartmentEdits {
    QString name;  // EdtONaziv
    QString price; // EdtOCena
    QString group; // CB_OGrupa, empty when no item is shown
    QString tax;   // CB_OPorez
};

// What a row selection puts into the edit controls; absent lists stay as they
// are, a position of -1 shows no item.
struct DepartmentEditFill {
    QString name;
    QString price;
    std::optional<int> group;
    std::optional<int> tax;
};

namespace DepartmentEditing {

// Throws ConversionError when the group cell is not a whole number; *fill
// then holds the name and the price only.
void selectionFill(const DepartmentRow &row, DepartmentEditFill *fill);

enum class Outcome { Accepted, DataError };
// Writes the edit values into *row when they pass the checks (the turnover is
// not touched). A price holding the regional separator that does not convert
// throws ConversionError.
Outcome correct(const DepartmentEdits &edits, const Regional &regional, DepartmentRow *row);

} // namespace DepartmentEditing
