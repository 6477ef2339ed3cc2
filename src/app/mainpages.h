#pragma once

class ExchangeButtons;
class HeaderLinesBox;
class QWidget;
class RegisterSession;
class TaxRatesBox;

// The three pages of the main window, each built over the session's families.
namespace MainPages {

struct FirstPage {
    QWidget *page = nullptr;
    HeaderLinesBox *headerLines = nullptr;
    TaxRatesBox *taxRates = nullptr;
};

// Header lines and tax rates (TabCompany).
FirstPage createFirst(RegisterSession &session, ExchangeButtons &buttons);
// Departments and articles (tabTaxGroups).
QWidget *createSecond(RegisterSession &session, ExchangeButtons &buttons);
// Groups, logo, operators and passwords (tabOperators).
QWidget *createThird(RegisterSession &session, ExchangeButtons &buttons);

} // namespace MainPages
