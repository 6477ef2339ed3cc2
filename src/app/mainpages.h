#pragma once

#include <QList>

class ExchangeButtons;
class HeaderLinesBox;
class QWidget;
class RegisterSession;
class TaxRatesBox;

// The three pages of the main window, each built over the session's families.
// A page is a scroll area named as the page (its contents scroll when the
// window is smaller than they need); `parent` gives the boxes the window's
// font from the start, so that they size their columns for it.
class QHBoxLayout;
class QPushButton;

namespace MainPages {

struct FirstPage {
    QWidget *page = nullptr;
    HeaderLinesBox *headerLines = nullptr;
    TaxRatesBox *taxRates = nullptr;
};

// Header lines and tax rates (TabCompany).
FirstPage createFirst(RegisterSession &session, ExchangeButtons &buttons, QWidget *parent = nullptr);
// Departments and articles (tabTaxGroups).
QWidget *createSecond(RegisterSession &session, ExchangeButtons &buttons, QWidget *parent = nullptr);
// Groups, logo, operators and passwords (tabOperators).
QWidget *createThird(RegisterSession &session, ExchangeButtons &buttons, QWidget *parent = nullptr);

// The three page buttons (btPage1..3), checkable and exclusive, added to `row`.
QList<QPushButton *> createPageButtons(QHBoxLayout *row, QWidget *parent);

} // namespace MainPages
