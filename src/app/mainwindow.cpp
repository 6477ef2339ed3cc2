#include "app/mainwindow.h"

#include "app/datalossguard.h"
#include "backup/backupswindow.h"
#include "backup/backupwriter.h"
#include "app/errorreport.h"
#include "app/find/findregisterlauncher.h"
#include "app/footer.h"
#include "app/headerstrip.h"
#include "app/messagedialog.h"
#include "app/openingsize.h"
#include "app/portcombobox.h"
#include "app/portcontrol.h"
#include "app/refusedcell.h"
#include "app/scanrouting.h"
#include "app/uistyle.h"
#include "barcode/barcodereader.h"
#include "report/reportwindow.h"
#include "search/searchwindow.h"
#include "terminal/terminalwindow.h"
#include "app/undoactions.h"
#include "app/mainpages.h"
#include "app/trace/tracelauncher.h"
#include "params/articles/articlefamily.h"
#include "tablefiles/tablefilebuttons.h"
#include "import/importlauncher.h"
#include "params/taxrates/taxratesbox.h"
#include "session/tablehistories.h"
#include "session/registersession.h"
#include "session/tablestates.h"
#include "sync/synccontrols.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDebug>
#include <QHBoxLayout>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>

namespace {
const QString WindowCaption = QStringLiteral("V3.5 Setup Kase Dravix Vilaron - ");
} // namespace

MainWindow::MainWindow(const MainWindowOptions &options, QWidget *parent)
    : QMainWindow(parent), m_session(std::make_unique<RegisterSession>(options))
{
    setObjectName(QStringLiteral("MainForm"));
    setProperty("windowClass", QStringLiteral("TMainForm"));
    setWindowTitle(WindowCaption);
    setFont(UiStyle::baseFont());
    m_errorReport = new ErrorReport(this, this);

    auto *central = new QWidget(this);
    m_header = new HeaderStrip(central);
    m_footer = new Footer(central);

    // The page control: three pages selected by the page buttons above them.
    m_pages = new QStackedWidget(central);
    m_pages->setObjectName(QStringLiteral("Page"));
    const MainPages::FirstPage first = MainPages::createFirst(*m_session, m_buttons, m_pages);
    m_taxRatesBox = first.taxRates;
    m_pages->addWidget(first.page);
    m_pages->addWidget(MainPages::createSecond(*m_session, m_buttons, m_pages));
    m_pages->addWidget(MainPages::createThird(*m_session, m_buttons, m_pages));
    auto *pageButtons = new QHBoxLayout;
    m_pageButtons = MainPages::createPageButtons(pageButtons, central);
    auto *transfers = new QPushButton(QStringLiteral("Пренос више породица"), central);
    transfers->setObjectName(QStringLiteral("btnTransfers"));
    pageButtons->addWidget(transfers);
    connect(m_pageButtons[0], &QPushButton::clicked, this, &MainWindow::btPage1Click);
    connect(m_pageButtons[1], &QPushButton::clicked, this, &MainWindow::btPage2Click);
    connect(m_pageButtons[2], &QPushButton::clicked, this, &MainWindow::btPage3Click);

    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(m_header);
    layout->addLayout(pageButtons);
    layout->addWidget(m_pages, 1);
    layout->addWidget(m_footer);
    setCentralWidget(central);

    m_registerPort = new PortControl(m_header->registerPortNames(), m_header->registerPortButton(),
                                     m_session->registerLine(), options.portEnumerator, this);
    m_scannerPort = new PortControl(m_header->scannerPortNames(), m_header->scannerPortButton(),
                                    m_scannerLine, options.portEnumerator, this);
    connect(m_registerPort, &PortControl::message, this, &MainWindow::showMessage);
    connect(m_scannerPort, &PortControl::message, this, &MainWindow::showMessage);
    connect(m_header->registerPortNames(), &QComboBox::activated, this, &MainWindow::CB_ComPortClick);
    connect(m_header->registerPortNames()->lineEdit(), &QLineEdit::returnPressed, this,
            &MainWindow::CB_ComPortClick);
    connect(m_header->scannerPortNames(), &QComboBox::activated, this, &MainWindow::cbBCComClick);
    connect(m_header->scannerPortNames()->lineEdit(), &QLineEdit::returnPressed, this,
            &MainWindow::cbBCComClick);
    connect(m_header->registerPortButton(), &QPushButton::clicked, this, &MainWindow::btnCOMClick);
    connect(m_header->scannerPortButton(), &QPushButton::clicked, this, &MainWindow::btnBCComClick);
    connect(m_header->closeButton(), &QPushButton::clicked, this, &MainWindow::btnCloseClick);
    connect(m_session.get(), &RegisterSession::portOpenChanged, &m_buttons, &ExchangeButtons::setPortOpen);
    m_buttons.add(m_header->endDialogueButton(), true);
    connect(m_header->endDialogueButton(), &QPushButton::clicked, this, &MainWindow::BtnEndDialogClick);
    connect(m_footer, &Footer::cancelClicked, this, &MainWindow::btnOtkazClick);
    QLineEdit *serial = m_header->serialNumber();
    m_session->setSerialNumberSource([serial] { return serial->text(); });
    RegisterSession *s = m_session.get();
    connect(s, &RegisterSession::status, m_footer, &Footer::setStatus);
    connect(s, &RegisterSession::progress, m_footer, &Footer::setProgress);
    connect(s, &RegisterSession::message, this, &MainWindow::showMessage);
    connect(s, &RegisterSession::programError, m_errorReport, &ErrorReport::report);
    connect(s, &RegisterSession::transmitLampLit, m_footer, &Footer::lightTransmit);
    connect(s, &RegisterSession::receiveLampLit, m_footer, &Footer::lightReceive);
    connect(s, &RegisterSession::pagesLocked, m_pages, [this](bool locked) { m_pages->setEnabled(!locked); });
    connect(s, &RegisterSession::cancelAvailable, m_footer, &Footer::setCancelVisible);
    connect(s, &RegisterSession::recordRefused, this,
            [this](const QString &family, int row, int column) { RefusedCell::show(this, family, row, column); });
    connect(s, &RegisterSession::busyChanged, &m_buttons, &ExchangeButtons::setBusy);
    connect(&articles(), &ArticleFamily::counter, m_footer->counter(), &QLabel::setText);
    new TableFileButtons(m_session->tableFiles(), articles(), [serial] { return serial->text(); }, this);
    ImportLauncher::attach(this, *m_session);
    TraceLauncher::attach(this, m_header->traceButton(), *m_session, [serial] { return serial->text(); });
    FindRegisterLauncher::attach(this, m_header->findRegisterButton(), serial, *m_registerPort, m_scannerLine,
                                 options.portEnumerator, [this](const QString &t, const QString &m) { showMessage(t, m); });
    m_guard = new DataLossGuard(*m_session, this);
    m_guard->guardWriteButtons();
    m_sync = new SyncControls(*m_session, this);
    m_undo = new UndoActions(this, *new TableHistories(*m_session, this), *m_session);
    m_sync->attachTransfersButton(transfers);
    m_sync->setWriteGuard([this](const QStringList &families) { return m_guard->mayWrite(families); });
    // Every write backs up what the register held first (after the question).
    BackupWriter::guardWrites(*m_session);
    auto *backups = new BackupsWindow(*m_session, this);
    auto *backupsAction = new QAction(BackupsWindow::Title, this);
    backupsAction->setObjectName(QStringLiteral("actBackups"));
    backupsAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+B")));
    addAction(backupsAction);
    connect(backupsAction, &QAction::triggered, backups, &BackupsWindow::showList);
    if (auto *button = findChild<QPushButton *>(QStringLiteral("btnBackups")))
        connect(button, &QPushButton::clicked, backups, &BackupsWindow::showList);

    UiStyle::applyDataLook(central);
    UiStyle::tightenBoxes(central);
    showPage(1);
    placeOnScreen();
}

MainWindow::~MainWindow()
{
    closePorts();
    // The boxes refer to the families: they go first.
    delete takeCentralWidget();
}

void MainWindow::setMessageDialog(MessageDialog *dialog)
{
    m_messages = dialog;
    m_guard->setMessageDialog(dialog);
}

void MainWindow::attachSearchWindow(SearchWindow *search)
{
    if (auto *button = findChild<QPushButton *>(QStringLiteral("BtnPretraga")))
        connect(button, &QPushButton::clicked, search, [search] { search->exec(); });
    // Codes scanned on the scanner port go to the barcode field and the search.
    m_barcode = new BarcodeReader(this);
    m_barcode->listenTo(m_scannerLine);
    ScanRouting::route(*m_barcode, findChild<QLineEdit *>(QStringLiteral("edtBarkod")), search,
                       [] { QApplication::beep(); });
}

void MainWindow::attachReportWindow(ReportWindow *report)
{
    if (auto *button = findChild<QPushButton *>(QStringLiteral("BitBtn1")))
        connect(button, &QPushButton::clicked, report, &ReportWindow::BitBtn1Click);
}

void MainWindow::attachTerminalWindow(TfrmTerminal *terminal)
{
    connect(terminal, &TfrmTerminal::message, this, &MainWindow::showMessage);
    connect(terminal, &TfrmTerminal::programError, m_errorReport, &ErrorReport::report);
    connect(terminal, &TfrmTerminal::information, m_errorReport, &ErrorReport::inform);
    connect(terminal, &TfrmTerminal::firstArticleShown, this, [this](const ArticleEditFill &fill) {
        // The family's current row moves too, so that a later correction
        // goes to row 1.
        articles().selectFirstRow();
        emit articles().editsFilled(fill);
    });
    if (auto *button = findChild<QPushButton *>(QStringLiteral("BtnTerminal")))
        connect(button, &QPushButton::clicked, terminal, [terminal] { terminal->exec(); });
}

void MainWindow::showMessage(const QString &title, const QString &text)
{
    if (m_messages)
        m_messages->showMessage(title, text);
    else
        qWarning().noquote() << title << text;
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_activated)
        FormActivate();
}

void MainWindow::FormActivate()
{
    m_activated = true;
    m_session->reset();
    setWindowTitle(WindowCaption);
    m_header->registerPortButton()->setText(QStringLiteral("Отвори порт"));
    m_header->scannerPortButton()->setText(QStringLiteral("Отвори порт"));
    if (m_barcode)
        m_barcode->reset();
    m_taxRatesBox->selectFirstRate();
    m_buttons.setPortOpen(m_session->registerLine().isOpen());
    m_footer->reset();
    // Placed again now that the window system may have told its frame.
    placeOnScreen();
}

void MainWindow::placeOnScreen()
{
    const QScreen *screen = this->screen();
    if (!screen)
        return;
    // Until the window system tells the frame, a title bar is reckoned with.
    QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    if (frame.isNull())
        frame = QMargins(0, style()->pixelMetric(QStyle::PM_TitleBarHeight), 0, 0);
    setGeometry(OpeningSize::placed(OpeningSize::wanted(*this, *m_pages), minimumSizeHint(),
                                    screen->availableGeometry(), frame));
}

void MainWindow::showPage(int index)
{
    m_pages->setCurrentIndex(index);
    m_pageButtons[index]->setChecked(true);
}

void MainWindow::btPage1Click() { showPage(0); }
void MainWindow::btPage2Click() { showPage(1); }
void MainWindow::btPage3Click() { showPage(2); }

void MainWindow::btnCOMClick() { m_registerPort->openOrClose(); }
void MainWindow::CB_ComPortClick() { m_registerPort->applyChosenName(); }
void MainWindow::btnBCComClick() { m_scannerPort->openOrClose(); }
void MainWindow::cbBCComClick() { m_scannerPort->applyChosenName(); }
void MainWindow::btnCloseClick() { close(); }
void MainWindow::BtnEndDialogClick() { m_session->endDialogue(); }
void MainWindow::btnOtkazClick() { m_session->cancel(); }

void MainWindow::closePorts()
{
    m_session->registerLine().close();
    m_scannerLine.close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_guard->mayClose()) {
        event->ignore();
        return;
    }
    // FormCloseQuery: the register port first, then the scanner port.
    closePorts();
    event->accept();
    QMainWindow::closeEvent(event);
}
