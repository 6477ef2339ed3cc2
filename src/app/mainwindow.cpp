#include "app/mainwindow.h"

#include "app/errorreport.h"
#include "app/footer.h"
#include "app/headerstrip.h"
#include "app/messagedialog.h"
#include "app/portcombobox.h"
#include "app/portcontrol.h"
#include "app/uistyle.h"
#include "barcode/barcodereader.h"
#include "report/reportwindow.h"
#include "search/searchwindow.h"
#include "terminal/terminalwindow.h"
#include "params/articles/articlefamily.h"
#include "params/articles/articlesbox.h"
#include "params/departments/departmentfamily.h"
#include "params/departments/departmentsbox.h"
#include "params/files/tablefileactions.h"
#include "params/groups/groups.h"
#include "params/groups/groupsbox.h"
#include "params/headerlines/headerlines.h"
#include "params/headerlines/headerlinesbox.h"
#include "params/logo/logo.h"
#include "params/logo/logobox.h"
#include "params/operators/operators.h"
#include "params/operators/operatorsbox.h"
#include "params/passwords/passwords.h"
#include "params/passwords/passwordsbox.h"
#include "params/taxrates/taxrates.h"
#include "params/taxrates/taxratesbox.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDebug>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {
const QString WindowCaption = QStringLiteral("V3.5 Setup Kase Dravix Vilaron - ");

QPushButton *namedButton(const char *name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}
} // namespace

MainWindow::MainWindow(const MainWindowOptions &options, QWidget *parent)
    : QMainWindow(parent), m_retryTimer(options.retryIntervalMs), m_context{m_driver, options.regional}
{
    setObjectName(QStringLiteral("MainForm"));
    setProperty("windowClass", QStringLiteral("TMainForm"));
    setWindowTitle(WindowCaption);
    setFont(UiStyle::baseFont());
    m_errorReport = new ErrorReport(this, this);
    m_registerLine.setPortName(options.registerPort);

    m_headerLines = std::make_unique<HeaderLines>(m_context);
    m_taxRates = std::make_unique<TaxRates>(m_context);
    m_departments = std::make_unique<DepartmentFamily>(m_context);
    m_articles = std::make_unique<ArticleFamily>(m_context);
    m_groups = std::make_unique<Groups>(m_context);
    m_operators = std::make_unique<Operators>(m_context);
    m_logo = std::make_unique<Logo>(m_context);
    m_passwords = std::make_unique<Passwords>(m_context, m_logo->record());

    auto *central = new QWidget(this);
    m_header = new HeaderStrip(central);
    m_footer = new Footer(central);

    // The page control: three pages selected by the page buttons above them.
    m_pages = new QStackedWidget(central);
    m_pages->setObjectName(QStringLiteral("Page"));
    m_pages->addWidget(createPage1());
    m_pages->addWidget(createPage2());
    m_pages->addWidget(createPage3());
    auto *pageButtons = new QHBoxLayout;
    pageButtons->setSpacing(2);
    const QStringList captions = {QStringLiteral("Подаци о трговцу,пореске стопе:"),
                                  QStringLiteral("Одељења, артикли"), QStringLiteral("Лого,Групе,Оператери")};
    const char *names[] = {"btPage1", "btPage2", "btPage3"};
    for (int i = 0; i < 3; ++i) {
        auto *b = namedButton(names[i], captions[i], central);
        b->setCheckable(true);
        b->setAutoExclusive(true);
        m_pageButtons << b;
        pageButtons->addWidget(b);
    }
    pageButtons->addStretch();
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

    // Ports.
    m_registerPort = new PortControl(m_header->registerPortNames(), m_header->registerPortButton(),
                                     m_registerLine, options.portEnumerator, this);
    m_scannerPort = new PortControl(m_header->scannerPortNames(), m_header->scannerPortButton(),
                                    m_scannerLine, options.portEnumerator, this);
    // A lost register port takes its request with it: no repeats, no
    // "no reply" message after the one that says the device is gone.
    connect(m_registerPort, &PortControl::lost, this, [this] {
        m_driver.cancel();
        m_driver.reset();
    });
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
    connect(&m_registerLine, &SerialLine::bytesArrived, &m_driver, &ExchangeDriver::received);
    connect(&m_registerLine, &SerialLine::openChanged, &m_buttons, &ExchangeButtons::setPortOpen);

    // The driver.
    m_buttons.add(m_header->endDialogueButton(), true);
    connect(m_header->endDialogueButton(), &QPushButton::clicked, this, &MainWindow::BtnEndDialogClick);
    connect(m_footer, &Footer::cancelClicked, this, &MainWindow::btnOtkazClick);
    QLineEdit *serial = m_header->serialNumber();
    m_driver.setSerialNumberSource([serial] { return serial->text(); });
    connect(&m_retryTimer, &QtRetryTimer::expired, &m_driver, &ExchangeDriver::retryTick);
    connect(&m_driver, &ExchangeDriver::status, m_footer, &Footer::setStatus);
    connect(&m_driver, &ExchangeDriver::progress, m_footer, &Footer::setProgress);
    connect(&m_driver, &ExchangeDriver::message, this, &MainWindow::showMessage);
    connect(&m_driver, &ExchangeDriver::programError, m_errorReport, &ErrorReport::report);
    connect(&m_driver, &ExchangeDriver::transmitLampLit, m_footer, &Footer::lightTransmit);
    connect(&m_driver, &ExchangeDriver::receiveLampLit, m_footer, &Footer::lightReceive);
    connect(&m_driver, &ExchangeDriver::pageEnabledChanged, m_pages, &QWidget::setEnabled);
    connect(&m_driver, &ExchangeDriver::cancelButtonVisibleChanged, m_footer, &Footer::setCancelVisible);
    connect(&m_driver, &ExchangeDriver::busyChanged, &m_buttons, &ExchangeButtons::setBusy);

    route(m_headerLines.get());
    route(m_taxRates.get());
    route(m_departments.get());
    route(m_articles.get());
    route(m_groups.get());
    route(m_operators.get());
    route(m_logo.get());
    route(m_passwords.get());
    connect(m_articles.get(), &ArticleFamily::counter, m_footer->counter(), &QLabel::setText);
    connectFileButtons(serial);

    UiStyle::applyDataLook(central);
    showPage(1);
    resize(800, 565);
}

MainWindow::~MainWindow()
{
    closePorts();
    // The boxes refer to the families: they go first.
    delete takeCentralWidget();
}

QWidget *MainWindow::createPage1()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabCompany"));
    m_headerLinesBox = new HeaderLinesBox(*m_headerLines, m_buttons, page);
    m_taxRatesBox = new TaxRatesBox(*m_taxRates, m_buttons, page);
    auto *layout = new QHBoxLayout(page);
    layout->addWidget(m_headerLinesBox, 1, Qt::AlignTop);
    layout->addWidget(m_taxRatesBox, 0, Qt::AlignTop);
    return page;
}

QWidget *MainWindow::createPage2()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tabTaxGroups"));
    m_departmentsBox = new DepartmentsBox(*m_departments, m_buttons, page);
    m_articlesBox = new ArticlesBox(*m_articles, m_buttons, page);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(m_departmentsBox, 4);
    layout->addWidget(m_articlesBox, 5);
    return page;
}

void MainWindow::connectFileButtons(QLineEdit *serial)
{
    m_fileActions = std::make_unique<TableFileActions>(*m_articles, *m_departments, m_context.regional,
                                                       [serial] { return serial->text(); });
    m_fileActions->setDialogParent(this);
    route(m_fileActions.get());
    auto wire = [this](const char *name, void (TableFileActions::*handler)()) {
        if (auto *b = findChild<QPushButton *>(QString::fromLatin1(name)))
            connect(b, &QPushButton::clicked, m_fileActions.get(), handler);
    };
    wire("btnAFSave", &TableFileActions::btnAFSaveClick);
    wire("btnAFLoad", &TableFileActions::btnAFLoadClick);
    wire("BtnOFileSave", &TableFileActions::BtnOFileSaveClick);
    wire("BtnOFileRead", &TableFileActions::BtnOFileReadClick);
}

QWidget *MainWindow::createPage3()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tabOperators"));
    auto *grid = new QGridLayout(page);
    grid->addWidget(new GroupsBox(*m_groups, m_buttons, page), 0, 0);
    grid->addWidget(new LogoBox(*m_logo, m_buttons, page), 0, 1);
    grid->addWidget(new OperatorsBox(*m_operators, m_buttons, page), 1, 0);
    grid->addWidget(new PasswordsBox(*m_passwords, m_buttons, page), 1, 1);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(1, 1);
    return page;
}

void MainWindow::route(ParameterFamily *family)
{
    connect(family, &ParameterFamily::status, m_footer, &Footer::setStatus);
    connect(family, &ParameterFamily::progress, m_footer, &Footer::setProgress);
    connect(family, &ParameterFamily::message, this, &MainWindow::showMessage);
    connect(family, &ParameterFamily::programError, m_errorReport, &ErrorReport::report);
}

void MainWindow::setMessageDialog(MessageDialog *dialog) { m_messages = dialog; }

void MainWindow::attachSearchWindow(SearchWindow *search)
{
    if (auto *button = findChild<QPushButton *>(QStringLiteral("BtnPretraga")))
        connect(button, &QPushButton::clicked, search, [search] { search->exec(); });
    // Codes scanned on the scanner port go to the barcode field and the search.
    m_barcode = new BarcodeReader(findChild<QLineEdit *>(QStringLiteral("edtBarkod")), search, this);
    m_barcode->listenTo(m_scannerLine);
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
    connect(terminal, &TfrmTerminal::firstArticleShown, this, [this](const ArticleEditFill &fill) {
        // The family's current row moves too, so that a later correction
        // goes to row 1.
        m_articles->selectFirstRow();
        emit m_articles->editsFilled(fill);
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
    m_driver.reset();
    setWindowTitle(WindowCaption);
    m_header->registerPortButton()->setText(QStringLiteral("Отвори порт"));
    m_header->scannerPortButton()->setText(QStringLiteral("Отвори порт"));
    m_articles->selectFirstRow();
    m_logo->reset();
    if (m_barcode)
        m_barcode->reset();
    m_taxRatesBox->selectFirstRate();
    m_buttons.setPortOpen(m_registerLine.isOpen());
    m_footer->reset();
    m_taxRates->clearReadBack();
    if (const QScreen *screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
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
void MainWindow::BtnEndDialogClick() { m_driver.endDialogue(); }
void MainWindow::btnOtkazClick() { m_driver.cancel(); }

void MainWindow::closePorts()
{
    m_registerLine.close();
    m_scannerLine.close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // FormCloseQuery: the register port first, then the scanner port.
    closePorts();
    event->accept();
    QMainWindow::closeEvent(event);
}
