#pragma once

#include "link/regional.h"

class ExchangeButtons;
class QGroupBox;
class QWidget;

// The group boxes of the third page whose families come later (groups,
// operators, logo, passwords): their captions, tables with headers and
// start-up contents, and their exchange buttons, which obey the port rules
// but start no exchange yet.
namespace LaterBoxes {

QGroupBox *groups(ExchangeButtons &buttons, const Regional &regional, QWidget *parent);
QGroupBox *operators(ExchangeButtons &buttons, QWidget *parent);
QGroupBox *logo(ExchangeButtons &buttons, QWidget *parent);
QGroupBox *passwords(ExchangeButtons &buttons, QWidget *parent);

} // namespace LaterBoxes
