#pragma once

#include "app/portchoices.h"
#include "link/exchangedriver.h"
#include "link/qtretrytimer.h"
#include "core/regional.h"
#include "link/serialline.h"
#include "params/common/exchangebuttons.h"
#include "transfer/familycontext.h"
#include "session/registersession.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>

class ArticleFamily;
class ArticlesBox;
class DataLossGuard;
class DepartmentFamily;
class DepartmentsBox;
class ErrorReport;
class GroupFamily;
class LogoFamily;
class OperatorFamily;
class PasswordFamily;
class QLineEdit;
class TableFileActions;
class Footer;
class HeaderLineFamily;
class HeaderLinesBox;
class HeaderStrip;
class MessageDialog;
class ParameterFamily;
class PortControl;
class QPushButton;
class QStackedWidget;
class TaxRateFamily;
class TaxRatesBox;
class TfrmTerminal;
class SearchWindow;
class ReportWindow;
class BarcodeReader;
class SyncControls;
class UndoActions;

// The session's options, and where the port lists come from (tests give a
// fixed list).
struct MainWindowOptions : SessionOptions {
    PortEnumerator portEnumerator = PortFacts::systemPorts;
};

// The main window (form MainForm of class TMainForm). It only composes:
// creates the two ports, the retry timer, the exchange driver, the exchange
// buttons, the families and their group boxes, lays them out on the three
// pages and routes the feedback of the families and the driver to the
// footer, the message dialog and the general error report.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(const MainWindowOptions &options = MainWindowOptions(), QWidget *parent = nullptr);
    ~MainWindow() override;

    // The message dialog is created after the main window; until it is
    // attached, messages only go to the debug output.
    void setMessageDialog(MessageDialog *dialog);
    // The terminal window, created after the main window: BtnTerminal shows
    // it, its messages and errors go where the families' go.
    void attachTerminalWindow(TfrmTerminal *terminal);
    // The article search window (BtnPretraga), which the barcode reader on
    // the scanner port also feeds, and the article list report (BitBtn1).
    void attachSearchWindow(SearchWindow *search);
    void attachReportWindow(ReportWindow *report);
    RegisterSession &session() { return *m_session; }
    void setRetryIntervalMs(int ms) { m_session->retryTimer().setInterval(ms); }
    // The retry timer "Timer" of the exchange driver.
    const QtRetryTimer &retryTimer() const { return m_session->retryTimer(); }

    ErrorReport &errorReport() { return *m_errorReport; }
    ExchangeDriver &driver() { return m_session->driver(); }
    ExchangeButtons &exchangeButtons() { return m_buttons; }
    SerialLine &registerLine() { return m_session->registerLine(); }
    SerialLine &scannerLine() { return m_scannerLine; }
    HeaderLineFamily &headerLines() { return m_session->headerLines(); }
    TaxRateFamily &taxRates() { return m_session->taxRates(); }
    DepartmentFamily &departments() { return m_session->departments(); }
    ArticleFamily &articles() { return m_session->articles(); }
    GroupFamily &groups() { return m_session->groups(); }
    OperatorFamily &operators() { return m_session->operators(); }
    LogoFamily &logo() { return m_session->logo(); }
    PasswordFamily &passwords() { return m_session->passwords(); }
    TableFileActions &fileActions() { return m_session->tableFiles(); }
    // The questions before a write of start-up defaults and before closing
    // over unsaved edits.
    DataLossGuard &dataLossGuard() { return *m_guard; }
    // The mirror's windows and actions (transfers dialog, differences, forget).
    SyncControls &syncControls() { return *m_sync; }
    UndoActions &undoActions() { return *m_undo; }
    const Regional &regional() const { return m_session->regional(); }

public slots:
    void FormActivate();
    void btPage1Click();
    void btPage2Click();
    void btPage3Click();
    void btnCOMClick();
    void CB_ComPortClick();
    void btnBCComClick();
    void cbBCComClick();
    void btnCloseClick();
    void BtnEndDialogClick();
    void btnOtkazClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void showMessage(const QString &title, const QString &text);
    void showPage(int index);
    void closePorts();
    // As large as the pages ask and the screen allows, in its middle.
    void placeOnScreen();

    std::unique_ptr<RegisterSession> m_session;
    SerialLine m_scannerLine{SerialSettings::scannerPort()};
    ExchangeButtons m_buttons;

    ErrorReport *m_errorReport = nullptr;
    DataLossGuard *m_guard = nullptr;
    QPointer<MessageDialog> m_messages;
    HeaderStrip *m_header = nullptr;
    Footer *m_footer = nullptr;
    PortControl *m_registerPort = nullptr;
    PortControl *m_scannerPort = nullptr;
    QStackedWidget *m_pages = nullptr;
    QList<QPushButton *> m_pageButtons;
    TaxRatesBox *m_taxRatesBox = nullptr;
    BarcodeReader *m_barcode = nullptr;
    SyncControls *m_sync = nullptr;
    UndoActions *m_undo = nullptr;
    bool m_activated = false;
};
