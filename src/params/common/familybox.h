#pragma once

#include <QString>

class ParameterFamily;
class QAbstractButton;
class QGroupBox;
class QWidget;

// Which group box shows which family, and which of its buttons writes it:
// features over all families (the question before a write, the refused
// cell) find them by the family's key instead of by widget names.
namespace FamilyBox {

void tag(QWidget *box, const ParameterFamily &family, QAbstractButton *writeButton);

// nullptr when no box under `root` shows the family.
QGroupBox *find(QWidget *root, const QString &familyKey);
QAbstractButton *writeButton(QWidget *root, const QString &familyKey);

} // namespace FamilyBox
