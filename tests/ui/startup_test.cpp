#include "app/errorreport.h"
#include "app/lamp.h"
#include "app/mainwindow.h"
#include "app/messagedialog.h"
#include "params/taxrates/taxratefamily.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QDialog>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const char *const ExchangeButtonNames[] = {
    "btnReadCliche", "btnWriteCliche", "btnTGRead", "btnTGWrite",  "btnSTRead",      "btnSTWrite",
    "btnARead",      "btnAWrite",      "BtnEndDialog", "BtnGRead", "BtnGWrite",      "btnLogoRead",
    "btnLogoWrite",  "BtnORead",       "BtnOWrite",  "BtnLozinkaRead", "BtnLozinkaWrite",
    "btnAWriteChanges", "btnAVerify"};

// Enabled as soon as the register port opens.
const char *const EnabledOnOpen[] = {"btnReadCliche", "btnTGRead",   "btnSTRead", "btnARead",
                                     "btnAWrite",     "BtnEndDialog", "BtnGRead", "btnLogoRead",
                                     "btnLogoWrite",  "BtnORead",    "BtnLozinkaRead",
                                     "btnAWriteChanges", "btnAVerify"};

class Startup : public ::testing::TestWithParam<char> {
protected:
    Startup()
    {
        MainWindowOptions options;
        options.regional = Regional::withDecimal(QLatin1Char(GetParam()));
        window = std::make_unique<MainWindow>(options);
        dialog = new MessageDialog(window.get());
        dialog->setNonBlocking(true);
        window->setMessageDialog(dialog);
        window->errorReport().setRecording(true);
        window->show();
    }

    template <typename T = QWidget>
    T *find(const char *name) const
    {
        T *w = window->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString text(const char *name) const
    {
        if (auto *b = window->findChild<QAbstractButton *>(QString::fromLatin1(name)))
            return b->text();
        if (auto *l = window->findChild<QLabel *>(QString::fromLatin1(name)))
            return l->text();
        if (auto *g = window->findChild<QGroupBox *>(QString::fromLatin1(name)))
            return g->title();
        ADD_FAILURE() << "no captioned widget " << name;
        return QString();
    }
    QString cell(const char *table, int column, int row) const
    {
        QAbstractItemModel *m = find<QTableView>(table)->model();
        return m->index(row, column).data().toString();
    }
    QString zero() const { return QStringLiteral("0") + QLatin1Char(GetParam()) + QStringLiteral("00"); }

    std::unique_ptr<MainWindow> window;
    MessageDialog *dialog;
};

TEST_P(Startup, WindowAndHeaderStrip)
{
    EXPECT_EQ(window->objectName(), QStringLiteral("MainForm"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("V3.5 Setup Kase Dravix Vilaron - "));
    EXPECT_EQ(text("lblNaslov"), QStringLiteral("Параметризација фискалне касе \"Виларон\""));
    EXPECT_EQ(text("Label1"), QStringLiteral("Сер.бр.касе"));
    EXPECT_EQ(find<QLineEdit>("EdtId")->text(), QString());
    EXPECT_TRUE(find<QLineEdit>("EdtId")->isEnabled());
    EXPECT_EQ(text("BtnEndDialog"), QStringLiteral("Крај дијалога"));
    EXPECT_EQ(text("Label20"), QStringLiteral("Комуникациони порт :"));
    EXPECT_EQ(text("Label48"), QStringLiteral("Порт Баркод читача:"));
    EXPECT_EQ(text("btnCOM"), QStringLiteral("Отвори порт"));
    EXPECT_EQ(text("btnBCCom"), QStringLiteral("Отвори порт"));
    EXPECT_EQ(text("btnClose"), QStringLiteral("Излаз"));
    for (const char *combo : {"CB_ComPort", "cbBCCom"}) {
        auto *c = find<QComboBox>(combo);
        EXPECT_EQ(c->currentText(), QStringLiteral("COM1"));
        ASSERT_GE(c->count(), 4);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(c->itemText(i), QStringLiteral("COM%1").arg(i + 1));
    }
    EXPECT_EQ(window->registerLine().portName(), QStringLiteral("COM1"));
    EXPECT_FALSE(window->registerLine().isOpen());
    EXPECT_FALSE(window->scannerLine().isOpen());
}

TEST_P(Startup, PagesAndBoxes)
{
    auto *page = find<QStackedWidget>("Page");
    EXPECT_EQ(page->currentWidget()->objectName(), QStringLiteral("tabTaxGroups"));
    EXPECT_TRUE(page->isEnabled());
    EXPECT_EQ(text("btPage1"), QStringLiteral("Подаци о трговцу,пореске стопе:"));
    EXPECT_EQ(text("btPage2"), QStringLiteral("Одељења, артикли"));
    EXPECT_EQ(text("btPage3"), QStringLiteral("Лого,Групе,Оператери"));
    struct BoxPlace {
        const char *box, *page, *caption;
    };
    const BoxPlace boxes[] = {
        {"GBKlishe", "TabCompany", "Заглавље и поруке"},
        {"gbTaxGroups", "TabCompany", " Пореске стопе : "},
        {"gbStands", "tabTaxGroups", " Одељења : "},
        {"gbArticles", "tabTaxGroups", " Артикли : "},
        {"GBGroups", "tabOperators", "Групе"},
        {"GBOperateri", "tabOperators", "Оператери"},
        {"GBLogo", "tabOperators", "Графички лого трговца (ЦБ 216x198 тачке) : "},
        {"GBLozinke", "tabOperators", "Лозинке"},
    };
    for (const BoxPlace &b : boxes) {
        auto *box = find<QGroupBox>(b.box);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->title(), QString::fromUtf8(b.caption));
        EXPECT_TRUE(box->isEnabled());
        QWidget *onPage = find<QWidget>(b.page);
        EXPECT_TRUE(onPage->isAncestorOf(box)) << b.box;
    }
    find<QPushButton>("btPage1")->click();
    EXPECT_EQ(page->currentWidget()->objectName(), QStringLiteral("TabCompany"));
    find<QPushButton>("btPage3")->click();
    EXPECT_EQ(page->currentWidget()->objectName(), QStringLiteral("tabOperators"));
    find<QPushButton>("btPage2")->click();
    EXPECT_EQ(page->currentWidget()->objectName(), QStringLiteral("tabTaxGroups"));
}

TEST_P(Startup, Footer)
{
    EXPECT_FALSE(find<Lamp>("ledRec")->isLit());
    EXPECT_FALSE(find<Lamp>("ledTrans")->isLit());
    EXPECT_EQ(text("lblReceive"), QStringLiteral("Примање података"));
    EXPECT_EQ(text("lblTransmit"), QStringLiteral("Слање података"));
    EXPECT_EQ(text("lblBrojac"), QString());
    EXPECT_EQ(text("BtnOtkaz"), QStringLiteral("Прекини"));
    EXPECT_TRUE(find<QPushButton>("BtnOtkaz")->isVisible());
    EXPECT_EQ(text("Status"), QString());
    auto *bar = find<QProgressBar>("PBar");
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 16);
    EXPECT_EQ(bar->value(), 0);
    for (const char *timer : {"RecTimer", "TransTimer"}) {
        auto *t = find<QTimer>(timer);
        EXPECT_EQ(t->interval(), 500);
        EXPECT_FALSE(t->isActive());
    }
    EXPECT_EQ(window->retryTimer().interval(), 5000);
    EXPECT_FALSE(window->retryTimer().isActive());
}

TEST_P(Startup, ControlsOfTheFirstPage)
{
    const char *fields[] = {"edtFTop", "edtSTop", "edtFBottom", "edtSBottom", "edtRed4", "edtRed5", "edtRed6", "edtRed7"};
    for (const char *f : fields) {
        auto *e = find<QLineEdit>(f);
        EXPECT_EQ(e->text(), QString());
        EXPECT_TRUE(e->font().bold()) << f;
        EXPECT_EQ(e->palette().color(QPalette::Text), QColor(Qt::blue)) << f;
    }
    EXPECT_EQ(text("btnReadCliche"), QStringLiteral("Читање из касе"));
    EXPECT_EQ(text("btnWriteCliche"), QStringLiteral("Унос у касу"));
    EXPECT_EQ(text("btnTGRead"), QStringLiteral("Читање из касе"));
    EXPECT_EQ(text("btnTGWrite"), QStringLiteral("Унос у касу"));
    auto *real = find<QCheckBox>("chbRealNumbers");
    EXPECT_TRUE(real->isChecked());
    EXPECT_FALSE(real->isEnabled());
    EXPECT_TRUE(real->isHidden());
    EXPECT_TRUE(find<QLabel>("chbRealNumbersLabel")->isHidden());
    EXPECT_EQ(text("chbRealNumbersLabel"), QStringLiteral("Разломци"));
}

TEST_P(Startup, TaxRateTable)
{
    auto *view = find<QTableView>("sgTaxGroups");
    EXPECT_EQ(view->model()->columnCount(), 2);
    EXPECT_EQ(view->model()->rowCount(), 10);
    const QString d{QLatin1Char(GetParam())};
    EXPECT_EQ(cell("sgTaxGroups", 0, 0), QStringLiteral("П. Ст."));
    EXPECT_EQ(cell("sgTaxGroups", 1, 0), "%(0" + d + "0-99" + d + "99)");
    const QStringList labels = {"А", "Г", "Д", "Ђ", "Е", "Ж", "И", "J", "К"};
    for (int r = 1; r <= 9; ++r) {
        EXPECT_EQ(cell("sgTaxGroups", 0, r), labels[r - 1]);
        EXPECT_EQ(cell("sgTaxGroups", 1, r), QString());
    }
    EXPECT_EQ(view->currentIndex().row(), 1);
    EXPECT_EQ(view->currentIndex().column(), 1);
    EXPECT_EQ(view->rowHeight(3), 17);
    // 30 and 66 pixels at least, wider where a heading needs it.
    EXPECT_GE(view->columnWidth(0), 30);
    EXPECT_GE(view->columnWidth(1), 66);
    for (int c = 0; c < 2; ++c)
        EXPECT_GE(view->columnWidth(c), view->fontMetrics().horizontalAdvance(cell("sgTaxGroups", c, 0))) << c;
}

TEST_P(Startup, GroupAndOperatorTables)
{
    const QStringList groupHeader = {"Број", "Назив", "Приход(%)", "Промет"};
    auto *groups = find<QTableView>("sgGrupe");
    EXPECT_EQ(groups->model()->columnCount(), 4);
    EXPECT_EQ(groups->model()->rowCount(), 14);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(cell("sgGrupe", c, 0), groupHeader[c]);
    for (int r = 1; r <= 13; ++r) {
        EXPECT_EQ(cell("sgGrupe", 0, r), QString::number(r - 1));
        EXPECT_EQ(cell("sgGrupe", 1, r), QStringLiteral("Група %1").arg(r - 1));
        EXPECT_EQ(cell("sgGrupe", 2, r), zero());
        EXPECT_EQ(cell("sgGrupe", 3, r), zero());
    }
    auto *operators = find<QTableView>("SGOperateri");
    EXPECT_EQ(operators->model()->columnCount(), 19);
    EXPECT_EQ(operators->model()->rowCount(), 26);
    EXPECT_EQ(cell("SGOperateri", 0, 0), QStringLiteral("Број"));
    EXPECT_EQ(cell("SGOperateri", 1, 0), QStringLiteral("Име"));
    EXPECT_EQ(cell("SGOperateri", 2, 0), QStringLiteral("Лозинка"));
    EXPECT_EQ(cell("SGOperateri", 3, 0), QStringLiteral("Сума прихода 0"));
    EXPECT_EQ(cell("SGOperateri", 7, 0), QStringLiteral("Сума прихода 4"));
    EXPECT_EQ(cell("SGOperateri", 8, 0), QStringLiteral("Служ.унос 0"));
    EXPECT_EQ(cell("SGOperateri", 17, 0), QStringLiteral("Служ.излаз 4"));
    EXPECT_EQ(cell("SGOperateri", 18, 0), QStringLiteral("Корекција"));
    for (int r = 1; r <= 25; ++r) {
        EXPECT_EQ(cell("SGOperateri", 0, r), QString::number(r));
        for (int c = 1; c < 19; ++c)
            EXPECT_EQ(cell("SGOperateri", c, r), QString());
    }
    EXPECT_EQ(text("LblPassServ"), QStringLiteral("Сервисна лозинка:"));
    EXPECT_EQ(text("LblPassIzv"), QStringLiteral("Лозинка за извештаје:"));
    EXPECT_EQ(text("btnLogoOpen"), QStringLiteral("Учитавање лога са фаjла"));
    EXPECT_TRUE(find<QLabel>("chbLogoLabel")->isHidden());
    EXPECT_EQ(text("chbLogoLabel"), QStringLiteral("Штампање графичког лога?"));
}

TEST_P(Startup, NoControlCanStartAnExchangeBeforeThePortOpens)
{
    EXPECT_EQ(window->exchangeButtons().count(), 19);
    for (const char *name : ExchangeButtonNames) {
        auto *b = find<QPushButton>(name);
        ASSERT_NE(b, nullptr);
        EXPECT_FALSE(b->isEnabled()) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    EXPECT_FALSE(window->driver().isBusy());
    EXPECT_EQ(window->driver().sequenceCounter(), 1);
    EXPECT_EQ(text("Status"), QString());
}

TEST_P(Startup, ExchangeButtonsFollowThePortState)
{
    // The port rules on their own (opening a real port is for the register tests).
    window->exchangeButtons().setPortOpen(true);
    QStringList enabled;
    for (const char *name : ExchangeButtonNames)
        if (find<QPushButton>(name)->isEnabled())
            enabled << QString::fromLatin1(name);
    QStringList expected;
    for (const char *name : EnabledOnOpen)
        expected << QString::fromLatin1(name);
    enabled.sort();
    expected.sort();
    EXPECT_EQ(enabled, expected);
    window->exchangeButtons().setPortOpen(false);
    for (const char *name : ExchangeButtonNames)
        EXPECT_FALSE(find<QPushButton>(name)->isEnabled()) << name;
}

// Arial 8 on a 9-point desktop, scaled with the desktop's text size.
TEST_P(Startup, FontIsArialScaledFromTheDesktop)
{
    const QFont f = window->font();
    EXPECT_EQ(f.family(), QStringLiteral("Arial"));
    const QFont desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    EXPECT_DOUBLE_EQ(f.pointSizeF(), qRound(desktop.pointSizeF() * 8 / 9 * 2) / 2.0);
    if (desktop.pointSizeF() == 9) {
        EXPECT_EQ(f.pointSize(), 8);
    }
    const QString resolved = QFontInfo(f).family();
    EXPECT_TRUE(resolved == QLatin1String("Arial") || resolved == QLatin1String("Liberation Sans"))
        << resolved.toStdString();
    auto *serial = find<QLineEdit>("EdtId");
    EXPECT_EQ(serial->palette().color(QPalette::Text), QColor(Qt::blue));
    EXPECT_EQ(serial->palette().color(QPalette::Base), QApplication::palette().color(QPalette::ToolTipBase));
}

TEST_P(Startup, OpeningAMissingPortReportsAndChangesNothing)
{
    auto *combo = find<QComboBox>("CB_ComPort");
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("/dev/no-such-register-port"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(window->registerLine().portName(), QStringLiteral("/dev/no-such-register-port"));
    find<QPushButton>("btnCOM")->click();
    ASSERT_EQ(dialog->history().size(), 1);
    EXPECT_EQ(dialog->history()[0].first, QStringLiteral("Грешка !!! "));
    EXPECT_TRUE(dialog->history()[0].second.startsWith(QStringLiteral("Problem u otvaranju porta (win error code: 2)")))
        << dialog->history()[0].second.toStdString();
    EXPECT_EQ(text("btnCOM"), QStringLiteral("Отвори порт"));
    for (const char *name : ExchangeButtonNames)
        EXPECT_FALSE(find<QPushButton>(name)->isEnabled()) << name;
}

TEST_P(Startup, AFailingHandlerGoesToTheErrorReportAndTheProgramGoesOn)
{
    const QString d{QLatin1Char(GetParam())};
    window->taxRates().table().setRate(0, "1" + d + "2" + d + "3");
    window->taxRates().btnTGWriteClick();
    ASSERT_EQ(window->errorReport().recorded().size(), 1);
    EXPECT_EQ(window->errorReport().recorded()[0],
              "'1" + d + "2" + d + "3' is not a valid floating point value.");
    EXPECT_TRUE(dialog->history().isEmpty());
    EXPECT_FALSE(window->taxRates().readBackPending());
}

INSTANTIATE_TEST_SUITE_P(Separators, Startup, ::testing::Values(',', '.'));

struct FullStopCase {
    const char *in;
    const char *out;
};
class FullStop : public ::testing::TestWithParam<FullStopCase> {};
TEST_P(FullStop, AddedAfterCharactersSortingAfterThePoint)
{
    EXPECT_EQ(ErrorReport::withFullStop(QString::fromUtf8(GetParam().in)), QString::fromUtf8(GetParam().out));
}
INSTANTIATE_TEST_SUITE_P(ErrorReport, FullStop,
                         ::testing::Values(FullStopCase{"value", "value."}, FullStopCase{"done.", "done."},
                                           FullStopCase{"stop!", "stop!"}, FullStopCase{"a-", "a-"},
                                           FullStopCase{"code 5", "code 5."}, FullStopCase{"", ""},
                                           FullStopCase{"грешка", "грешка."}, FullStopCase{"x/", "x/."},
                                           FullStopCase{"(x)", "(x)"}));

// What the modal box shown by `show` held; the box is inspected and closed
// from its own event loop.
struct ShownBox {
    bool seen = false;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
    QMessageBox::StandardButtons buttons;
};

template <typename Show>
ShownBox captureBox(Show show)
{
    ShownBox shown;
    QTimer closer;
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        closer.stop();
        shown = ShownBox{true, box->windowTitle(), box->icon(), box->text(), box->standardButtons()};
        box->accept();
    });
    closer.start();
    show();
    return shown;
}

TEST(ErrorReportBox, ShowsTheErrorIconAndTitle)
{
    QWidget parent;
    ErrorReport report(&parent);
    const ShownBox box = captureBox([&] { report.report(QStringLiteral("broken")); });
    EXPECT_TRUE(box.seen);
    EXPECT_EQ(box.title, QStringLiteral("Dravix"));
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.text, QStringLiteral("broken."));
}

TEST(ErrorReportBox, InformsInTheStandardBoxWithTheInformationSign)
{
    QWidget parent;
    ErrorReport report(&parent);
    const ShownBox box = captureBox(
        [&] { report.inform(QStringLiteral("Information"), QStringLiteral("Greska - ne postoji fajl!")); });
    EXPECT_TRUE(box.seen);
    EXPECT_EQ(box.title, QStringLiteral("Information"));
    EXPECT_EQ(box.icon, QMessageBox::Information);
    EXPECT_EQ(box.text, QStringLiteral("Greska - ne postoji fajl!"));
    EXPECT_EQ(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

} // namespace

namespace {
TEST_P(Startup, TheBackupsActionOpensTheBackupsWindow)
{
    auto *action = find<QAction>("actBackups");
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QStringLiteral("Резервне копије"));
    action->trigger();
    auto *backups = find<QDialog>("frmBackups");
    ASSERT_NE(backups, nullptr);
    EXPECT_TRUE(backups->isVisible());
    EXPECT_EQ(backups->windowTitle(), QStringLiteral("Резервне копије"));
    backups->close();
}
} // namespace
