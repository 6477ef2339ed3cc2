// The main window against the register simulator on a pseudo-terminal,
// through the real serial-port layer.
#include "app/errorreport.h"
#include "app/lamp.h"
#include "app/mainwindow.h"
#include "params/articles/articlefamily.h"
#include "params/departments/departmentfamily.h"
#include "params/groups/groupfamily.h"
#include "params/logo/logofamily.h"
#include "params/operators/operatorfamily.h"
#include "params/passwords/passwordfamily.h"
#include "app/messagedialog.h"
#include "protocol/fields.h"
#include "params/headerlines/headerlinefamily.h"
#include "params/taxrates/taxratefamily.h"
#include "sim/ptyregister.h"
#include "support/fakelink.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTableView>
#include <QTest>
#include "support/waituntil.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString Reading = QStringLiteral("Каса чита. Молимо, сачекаjте...");
const QString Writing = QStringLiteral("Унос параметара у касу. Молимо, сачекаjте...");
const QString TaxReadDone = QStringLiteral("Завршено читање пореских група");
const QString TaxWriteDone = QStringLiteral("Завршен упис пореских група");
const QString NoReplyText = QStringLiteral("Нема одзива са комуникационог порта. Молимо, проверите прикључке");
constexpr int Patience = 15000; // ms; generous for sanitizer builds

const char *const AllExchangeButtons[] = {
    "btnReadCliche", "btnWriteCliche", "btnTGRead", "btnTGWrite",  "btnSTRead",      "btnSTWrite",
    "btnARead",      "btnAWrite",      "BtnEndDialog", "BtnGRead", "BtnGWrite",      "btnLogoRead",
    "btnLogoWrite",  "BtnORead",       "BtnOWrite",  "BtnLozinkaRead", "BtnLozinkaWrite"};
const char *const HeaderFields[] = {"edtFTop", "edtSTop", "edtFBottom", "edtSBottom",
                                    "edtRed4", "edtRed5", "edtRed6",    "edtRed7"};

using Log = QList<RegisterResponder::Handled>;

// Types text key by key, Cyrillic included (QTest::keyClicks takes Latin only).
void type(QWidget *w, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

Log series(quint8 code, int count)
{
    Log log;
    for (int i = 0; i < count; ++i)
        log.append({code, i});
    return log;
}

class Register : public ::testing::TestWithParam<char> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(reg.isOpen()) << reg.errorString().toStdString();
        MainWindowOptions options;
        options.regional = Regional::withDecimal(QLatin1Char(GetParam()));
        options.registerPort = reg.slavePath();
        window = std::make_unique<MainWindow>(options);
        dialog = new MessageDialog(window.get());
        dialog->setNonBlocking(true);
        window->setMessageDialog(dialog);
        window->errorReport().setRecording(true);
        for (ParameterFamily *f : {static_cast<ParameterFamily *>(&window->headerLines()),
                                   static_cast<ParameterFamily *>(&window->taxRates())})
            QObject::connect(f, &ParameterFamily::status, [this](const QString &s) { statuses << s; });
        window->show();
        find<QLineEdit>("EdtId")->setText(QStringLiteral("004512"));
        button("btnCOM")->click();
        ASSERT_TRUE(window->registerLine().isOpen()) << dialog->history().value(0).second.toStdString();
        ASSERT_EQ(button("btnCOM")->text(), QStringLiteral("Затвори порт"));
    }

    template <typename T = QWidget>
    T *find(const char *name) const
    {
        T *w = window->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QPushButton *button(const char *name) const { return find<QPushButton>(name); }
    QString status() const { return find<QLabel>("Status")->text(); }
    int progress() const { return find<QProgressBar>("PBar")->value(); }
    QAbstractItemModel *taxTable() const { return find<QTableView>("sgTaxGroups")->model(); }
    QString rate(int taxIndex) const { return taxTable()->index(taxIndex + 1, 1).data().toString(); }
    void setRate(int taxIndex, const QString &text)
    {
        ASSERT_TRUE(taxTable()->setData(taxTable()->index(taxIndex + 1, 1), text));
    }
    QString d() const { return QString(QLatin1Char(GetParam())); }

    // A transfer is over when nothing is awaited and the status says so.
    bool waitForEnd(const QString &finalStatus)
    {
        return QTest::qWaitFor([&] { return status() == finalStatus && !window->driver().isBusy(); }, Patience);
    }
    bool messageShown(const QString &text) const
    {
        for (const auto &m : dialog->history())
            if (m.second == text)
                return true;
        return false;
    }
    // Every button that the port rules allow is usable again: the reads,
    // the end of dialogue, the article and logo writes, and the writes of
    // the families whose read has started.
    void expectEveryButtonUsable(const QStringList &startedWrites)
    {
        for (const char *name : AllExchangeButtons) {
            const QString n = QString::fromLatin1(name);
            const bool lockedWrite = n.contains(QLatin1String("Write")) && n != QLatin1String("btnAWrite")
                                     && n != QLatin1String("btnLogoWrite") && !startedWrites.contains(n);
            EXPECT_EQ(button(name)->isEnabled(), !lockedWrite) << name;
        }
    }
    void readTaxRates()
    {
        button("btnTGRead")->click();
        ASSERT_TRUE(waitForEnd(TaxReadDone));
    }

    PtyRegister reg{RegisterState::blank()};
    std::unique_ptr<MainWindow> window;
    MessageDialog *dialog = nullptr;
    QStringList statuses;
};

TEST_P(Register, OpeningEnablesTheReadButtons)
{
    const QStringList enabled = {"btnReadCliche", "btnTGRead",    "btnSTRead",  "btnARead",
                                 "btnAWrite",     "BtnEndDialog", "BtnGRead",   "btnLogoRead",
                                 "btnLogoWrite",  "BtnORead",     "BtnLozinkaRead"};
    for (const char *name : AllExchangeButtons)
        EXPECT_EQ(button(name)->isEnabled(), enabled.contains(QString::fromLatin1(name))) << name;
    button("btnCOM")->click();
    EXPECT_FALSE(window->registerLine().isOpen());
    EXPECT_EQ(button("btnCOM")->text(), QStringLiteral("Отвори порт"));
    for (const char *name : AllExchangeButtons)
        EXPECT_FALSE(button(name)->isEnabled()) << name;
}

TEST_P(Register, HeaderLinesReadAndWrite)
{
    for (int i = 0; i < 8; ++i)
        reg.state().headerLines[i] = RegisterState::headerLineField(QStringLiteral("Line %1").arg(i));
    button("btnReadCliche")->click();
    ASSERT_TRUE(waitForEnd(QStringLiteral("Завршено читање")));
    for (int i = 0; i < 8; ++i) // the 19 characters come back whole, blanks and all
        EXPECT_EQ(find<QLineEdit>(HeaderFields[i])->text(), QStringLiteral("Line %1").arg(i).leftJustified(19));
    EXPECT_EQ(progress(), 0);
    EXPECT_EQ(reg.log(), series(101, 8));

    const QStringList typed = {"ПРОДАВНИЦА ВИЛАРОН", "Main street 1", "", "PIB 100200300",
                               "Hvala na poseti",   "Dobrodosli",     "x", "Kraj racuna"};
    for (int i = 0; i < 8; ++i) {
        QLineEdit *e = find<QLineEdit>(HeaderFields[i]);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        type(e, typed[i] + (i == 0 ? QStringLiteral("XYZ") : QString())); // 18 typed at most
    }
    EXPECT_EQ(find<QLineEdit>("edtFTop")->text(), typed[0]);
    reg.clearLog();
    EXPECT_TRUE(button("btnWriteCliche")->isEnabled());
    button("btnWriteCliche")->click();
    ASSERT_TRUE(waitForEnd(QStringLiteral("Завршен упис рекламних порука")));
    EXPECT_EQ(reg.log(), series(102, 8));
    EXPECT_EQ(reg.state().headerLines[0], hexBytes("8F 90 8E 84 80 82 8D 88 96 80 20 82 88 8B 80 90 8E 8D 20"));
    EXPECT_EQ(reg.state().headerLines[1], QByteArray("Main street 1      "));
    EXPECT_EQ(reg.state().headerLines[2], QByteArray(19, ' '));
    for (int i = 3; i < 8; ++i)
        EXPECT_EQ(reg.state().headerLines[i], typed[i].toLatin1().leftJustified(19)) << i;
    EXPECT_EQ(progress(), 0);
    EXPECT_EQ(statuses.last(), QStringLiteral("Завршен упис рекламних порука"));
    expectEveryButtonUsable({"btnWriteCliche"});
}

TEST_P(Register, TaxRatesReadWriteAndReadBack)
{
    reg.state().taxRates = {2000, 1000, 0, 0xFFFF, 850, 1, 10000, 0xFFFF, 2500};
    readTaxRates();
    const QStringList shown = {"20", "10", "0", "**" + d() + "**", "8" + d() + "5", "0" + d() + "01",
                               "100", "**" + d() + "**", "25"};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(rate(i), shown[i]) << i;
    EXPECT_EQ(reg.log(), series(107, 9));
    EXPECT_EQ(progress(), 0);

    setRate(0, "12" + d() + "5");
    setRate(1, QStringLiteral("12.5"));
    setRate(2, QStringLiteral("*"));
    setRate(3, QStringLiteral("18"));
    setRate(5, "0" + d() + "009");
    reg.clearLog();
    statuses.clear();
    button("btnTGWrite")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return reg.log().size() == 18 && !window->driver().isBusy(); }, Patience));
    EXPECT_EQ(reg.log(), series(108, 9) + series(107, 9));
    const std::array<quint16, 9> expected = {1250, 1250, 0xFFFF, 1800, 850, 0, 10000, 0xFFFF, 2500};
    EXPECT_EQ(reg.state().taxRates, expected);
    EXPECT_EQ(statuses, (QStringList{Writing, TaxWriteDone, Reading, TaxWriteDone}));
    EXPECT_EQ(status(), TaxWriteDone);
    EXPECT_EQ(progress(), 0);
    EXPECT_EQ(rate(0), "12" + d() + "5");
    EXPECT_EQ(rate(2), "**" + d() + "**");
    EXPECT_EQ(rate(5), QStringLiteral("0"));
    EXPECT_FALSE(window->taxRates().readBackPending());
    expectEveryButtonUsable({"btnTGWrite"});
}

TEST_P(Register, RefusedEntryStopsTheWrite)
{
    reg.state().taxRates = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    readTaxRates();
    setRate(0, QStringLiteral("20"));
    setRate(3, QStringLiteral("101"));
    reg.clearLog();
    button("btnTGWrite")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->history().isEmpty(); }, Patience));
    ASSERT_EQ(dialog->history().size(), 1);
    EXPECT_EQ(dialog->history()[0].first, QStringLiteral("Грешка !!! "));
    EXPECT_EQ(dialog->history()[0].second, QStringLiteral("Грешка у подацима. Унос отказан!"));
    // Nothing is outstanding, so nothing more can go out without the user.
    EXPECT_FALSE(window->driver().replyAwaited());
    EXPECT_FALSE(window->driver().isBusy());
    EXPECT_FALSE(window->retryTimer().isActive());
    EXPECT_EQ(reg.log(), series(108, 3));
    EXPECT_EQ(reg.state().taxRates[0], 2000);
    EXPECT_EQ(reg.state().taxRates[3], 4);
    // The status says what happened and where; the refused cell is current.
    EXPECT_EQ(status(), QStringLiteral("Унос отказан: грешка у подацима, ред 4."));
    EXPECT_EQ(progress(), 0);
    EXPECT_EQ(find<QTableView>("sgTaxGroups")->currentIndex(), taxTable()->index(4, 1));
    EXPECT_FALSE(window->taxRates().readBackPending());
    expectEveryButtonUsable({"btnTGWrite"});
    // A read afterwards reports a read.
    readTaxRates();
    EXPECT_EQ(rate(0), QStringLiteral("20"));
}

TEST_P(Register, NoReplyFromASilentRegister)
{
    window->setRetryIntervalMs(40);
    PtyRegister::Faults silent;
    silent.silent = true;
    reg.setFaults(silent);
    button("btnTGRead")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return messageShown(NoReplyText); }, Patience));
    EXPECT_EQ(dialog->history().last().first, QStringLiteral("Грешка !!! "));
    EXPECT_EQ(reg.requestCount(), 4); // the request and three repeats
    EXPECT_EQ(status(), QStringLiteral("Пренос прекинут: каса не одговара, код записа 1."));
    EXPECT_EQ(progress(), 0);
    EXPECT_TRUE(find<QPushButton>("BtnOtkaz")->isHidden());
    expectEveryButtonUsable({"btnTGWrite"});
    // The register answers again: the next read goes through.
    reg.setFaults({});
    window->setRetryIntervalMs(5000);
    readTaxRates();
}

TEST_P(Register, CancelLeavesEveryButtonUsable)
{
    PtyRegister::Faults silent;
    silent.silent = true;
    reg.setFaults(silent);
    button("btnReadCliche")->click();
    EXPECT_FALSE(button("btnTGRead")->isEnabled()); // a transfer runs
    EXPECT_FALSE(find<QPushButton>("BtnOtkaz")->isHidden());
    button("BtnOtkaz")->click();
    EXPECT_TRUE(find<QPushButton>("BtnOtkaz")->isHidden());
    EXPECT_EQ(status(), QStringLiteral("Пренос прекинут код записа 1."));
    EXPECT_EQ(progress(), 0);
    EXPECT_FALSE(window->driver().replyAwaited());
    expectEveryButtonUsable({"btnWriteCliche"});
    // The first reply after a cancel is dropped; the repeat brings the read home.
    reg.setFaults({});
    window->setRetryIntervalMs(100);
    readTaxRates();
    EXPECT_TRUE(dialog->history().isEmpty());
}

TEST_P(Register, EndOfDialogue)
{
    button("BtnEndDialog")->click();
    ASSERT_TRUE(waitForEnd(QStringLiteral("Прекинут дијалог са касом")));
    EXPECT_EQ(progress(), 16);
}

TEST_P(Register, APickWhileOpenChangesNothing)
{
    auto *combo = find<QComboBox>("CB_ComPort");
    combo->setCurrentIndex(2);
    window->CB_ComPortClick();
    EXPECT_EQ(window->registerLine().portName(), reg.slavePath());
    button("btnCOM")->click();
    EXPECT_EQ(window->registerLine().portName(), reg.slavePath());
    button("btnCOM")->click();
    EXPECT_TRUE(window->registerLine().isOpen());
}

TEST_P(Register, PulledCableClosesThePortCleanly)
{
    reg.closeMaster();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->registerLine().isOpen(); }, Patience));
    EXPECT_EQ(button("btnCOM")->text(), QStringLiteral("Отвори порт"));
    for (const char *name : AllExchangeButtons)
        EXPECT_FALSE(button(name)->isEnabled()) << name;
    ASSERT_FALSE(dialog->history().isEmpty());
    EXPECT_EQ(dialog->history().last().first, QStringLiteral("Грешка !!! "));
}

TEST_P(Register, LostPortDuringATransferSaysWhereItStopped)
{
    PtyRegister::Faults silent;
    silent.silent = true;
    reg.setFaults(silent);
    button("btnTGRead")->click();
    EXPECT_FALSE(find<QPushButton>("BtnOtkaz")->isHidden());
    reg.closeMaster();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->registerLine().isOpen(); }, Patience));
    // The port's message stays as it is; the status line tells the rest.
    ASSERT_FALSE(dialog->history().isEmpty());
    EXPECT_EQ(status(), QStringLiteral("Пренос прекинут: веза са касом је изгубљена, код записа 1."));
    EXPECT_EQ(progress(), 0);
    EXPECT_TRUE(find<QPushButton>("BtnOtkaz")->isHidden());
}

TEST_P(Register, AReplyAfterACancelLeavesTheEndOnTheStatusLine)
{
    PtyRegister::Faults late;
    late.delayMs = 100;
    reg.setFaults(late);
    button("btnTGRead")->click();
    button("BtnOtkaz")->click();
    ASSERT_TRUE(window->driver().cancelFlag());
    // The late reply is dropped; the status line still says where it stopped.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->driver().cancelFlag(); }, Patience));
    EXPECT_EQ(status(), QStringLiteral("Пренос прекинут код записа 1."));
    EXPECT_EQ(progress(), 0);
}

TEST_P(Register, RefusedArticleBecomesTheCurrentCell)
{
    auto *table = find<QTableView>("sgArticles");
    QAbstractItemModel *articles = table->model();
    for (int row = 0; row < 634; ++row)
        ASSERT_TRUE(articles->setData(articles->index(row, 5), QStringLiteral("Г")));
    ASSERT_TRUE(articles->setData(articles->index(633, 5), QStringLiteral("Ш"))); // no such tax rate
    button("btPage3")->click(); // the cell is shown from another page too
    button("btnAWrite")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->history().isEmpty() && !window->driver().isBusy(); },
                                60000));
    EXPECT_EQ(dialog->history().last().second, QStringLiteral("Грешка у подацима. Унос отказан!"));
    EXPECT_EQ(status(), QStringLiteral("Унос отказан: грешка у подацима, ред 634."));
    EXPECT_EQ(progress(), 0);
    EXPECT_EQ(table->currentIndex(), articles->index(633, 1));
    button("btPage2")->click();
    QApplication::processEvents();
    QApplication::processEvents();
    const QRect cell = table->visualRect(table->currentIndex());
    EXPECT_TRUE(table->viewport()->rect().contains(cell));
    // In the page's view too, not only in the table's.
    auto *page = find<QScrollArea>("tabTaxGroups");
    EXPECT_TRUE(page->viewport()->rect().contains(
        QRect(table->viewport()->mapTo(page->viewport(), cell.topLeft()), cell.size())));
    EXPECT_TRUE(find<QPushButton>("BtnOtkaz")->isHidden());
}

INSTANTIATE_TEST_SUITE_P(Separators, Register, ::testing::Values(',', '.'));

// The cancel button is there for every family's transfer, and a cancel says
// at which record the transfer stopped.
// The main window on an open register port, the serial number typed.
struct CancelCase {
    const char *button;
    const char *status; // the record named as the family's table numbers it
};

void PrintTo(const CancelCase &c, std::ostream *out) { *out << c.button; }

class CancelEachTransfer : public ::testing::TestWithParam<CancelCase> {
protected:
    std::unique_ptr<PtyRegister> m_reg;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<MessageDialog> m_dialog;

    void openOn(const RegisterState &state)
    {
        m_reg = std::make_unique<PtyRegister>(state);
        ASSERT_TRUE(m_reg->isOpen());
        MainWindowOptions options;
        options.registerPort = m_reg->slavePath();
        m_window = std::make_unique<MainWindow>(options);
        m_dialog = std::make_unique<MessageDialog>(m_window.get());
        m_dialog->setNonBlocking(true);
        m_window->setMessageDialog(m_dialog.get());
        m_window->show();
        m_window->findChild<QLineEdit *>("EdtId")->setText(QStringLiteral("004512"));
        m_window->btnCOMClick();
        ASSERT_TRUE(m_window->registerLine().isOpen());
    }
    void TearDown() override
    {
        m_dialog.reset(); // before the window it belongs to
        m_window.reset();
    }
};

TEST_P(CancelEachTransfer, ShowsTheButtonAndSaysWhereItStopped)
{
    ASSERT_NO_FATAL_FAILURE(openOn(RegisterState::blank()));
    MainWindow &window = *m_window;
    MessageDialog &dialog = *m_dialog;
    PtyRegister &reg = *m_reg;
    PtyRegister::Faults silent;
    silent.silent = true;
    reg.setFaults(silent);
    auto *cancel = window.findChild<QPushButton *>("BtnOtkaz");
    cancel->click(); // hidden at rest
    ASSERT_TRUE(cancel->isHidden());
    window.findChild<QPushButton *>(QString::fromLatin1(GetParam().button))->click();
    ASSERT_TRUE(window.driver().isBusy());
    EXPECT_FALSE(cancel->isHidden());
    cancel->click();
    EXPECT_TRUE(cancel->isHidden());
    EXPECT_FALSE(window.driver().replyAwaited());
    EXPECT_EQ(window.findChild<QLabel *>("Status")->text(), QString::fromUtf8(GetParam().status));
    EXPECT_EQ(window.findChild<QProgressBar *>("PBar")->value(), 0);
    EXPECT_TRUE(dialog.history().isEmpty());
}

TEST_P(CancelEachTransfer, GoesAwayWhenTheTransferCompletes)
{
    ASSERT_NO_FATAL_FAILURE(openOn(RegisterState::demo()));
    MainWindow &window = *m_window;
    MessageDialog &dialog = *m_dialog;
    auto *cancel = window.findChild<QPushButton *>("BtnOtkaz");
    window.findChild<QPushButton *>(QString::fromLatin1(GetParam().button))->click();
    EXPECT_FALSE(cancel->isHidden());
    ASSERT_TRUE(waitUntil([&] { return !window.driver().isBusy(); }, 60000));
    EXPECT_TRUE(cancel->isHidden());
    EXPECT_TRUE(dialog.history().isEmpty());
}

// The groups number from 0; the logo and the passwords are stopped at their
// one record, before any row.
INSTANTIATE_TEST_SUITE_P(Reads, CancelEachTransfer,
                         ::testing::Values(CancelCase{"btnReadCliche", "Пренос прекинут код записа 1."},
                                           CancelCase{"btnTGRead", "Пренос прекинут код записа 1."},
                                           CancelCase{"btnSTRead", "Пренос прекинут код записа 1."},
                                           CancelCase{"btnARead", "Пренос прекинут код записа 1."},
                                           CancelCase{"BtnGRead", "Пренос прекинут код записа 0."},
                                           CancelCase{"BtnORead", "Пренос прекинут код записа 1."},
                                           CancelCase{"btnLogoRead", "Пренос прекинут."},
                                           CancelCase{"BtnLozinkaRead", "Пренос прекинут."}));


// The way the run script starts the tool: --port names a symbolic link to
// the simulator's pseudo-terminal.
TEST(RegisterByLink, PortGivenAsASymbolicLinkOpensAndAnswers)
{
    PtyRegister reg{RegisterState::demo()};
    ASSERT_TRUE(reg.isOpen());
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString link = dir.filePath(QStringLiteral("register"));
    ASSERT_TRUE(QFile::link(reg.slavePath(), link));
    MainWindowOptions options;
    options.registerPort = link;
    MainWindow window(options);
    MessageDialog dialog(&window);
    dialog.setNonBlocking(true);
    window.setMessageDialog(&dialog);
    window.show();
    EXPECT_EQ(window.findChild<QComboBox *>("CB_ComPort")->currentText(), link);
    window.btnCOMClick();
    ASSERT_TRUE(window.registerLine().isOpen()) << dialog.history().value(0).second.toStdString();
    window.headerLines().btnReadClicheClick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.driver().isBusy(); }, Patience));
    EXPECT_EQ(window.findChild<QLabel *>("Status")->text(), QStringLiteral("Завршено читање"));
    EXPECT_EQ(window.findChild<QLineEdit *>("edtFTop")->text(), Fields::decodeText(reg.state().headerLines[0]));
    EXPECT_TRUE(dialog.history().isEmpty());
}

// Pictures of the three pages with the demo register's data read in, on a
// 1366×768 screen (less a 40-pixel panel) and maximised on a 1920×1080 one
// (less a 30-pixel title bar). For the documentation:
// VILARON_SCREENSHOT_DIR=docs ./app_register_tests --gtest_filter='Screenshots.*';
// otherwise they go to a temporary folder.
TEST(Screenshots, EachPage)
{
    QTemporaryDir scratch;
    QString dir = qEnvironmentVariable("VILARON_SCREENSHOT_DIR");
    if (dir.isEmpty())
        dir = scratch.path();
    PtyRegister reg{RegisterState::demo()};
    ASSERT_TRUE(reg.isOpen());
    MainWindowOptions options;
    options.regional = Regional::comma();
    options.registerPort = reg.slavePath();
    MainWindow window(options);
    MessageDialog dialog(&window);
    dialog.setNonBlocking(true);
    window.setMessageDialog(&dialog);
    window.show();
    window.findChild<QLineEdit *>("EdtId")->setText(QStringLiteral("004512"));
    window.btnCOMClick();
    ASSERT_TRUE(window.registerLine().isOpen());
    window.headerLines().btnReadClicheClick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.driver().isBusy(); }, Patience));
    window.taxRates().btnTGReadClick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.driver().isBusy(); }, Patience));
    window.departments().btnSTReadClick();
    ASSERT_TRUE(waitUntil([&] { return !window.driver().isBusy(); }, Patience));
    window.articles().btnAReadClick();
    ASSERT_TRUE(waitUntil([&] { return !window.driver().isBusy(); }, 30000));
    for (auto read : std::initializer_list<std::function<void()>>{
             [&] { window.groups().BtnGReadClick(); }, [&] { window.operators().BtnOReadClick(); },
             [&] { window.logo().btnLogoReadClick(); }, [&] { window.passwords().BtnLozinkaReadClick(); }}) {
        read();
        ASSERT_TRUE(waitUntil([&] { return !window.driver().isBusy(); }, Patience));
    }
    // Pictures with the lamps at rest.
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return !window.findChild<Lamp *>("ledRec")->isLit() && !window.findChild<Lamp *>("ledTrans")->isLit();
    }, Patience));
    QDir().mkpath(dir);
    const struct {
        const char *screen;
        QSize size;
    } screens[] = {{"1366x768", QSize(1366, 728)}, {"1920x1080", QSize(1920, 1050)}};
    const char *buttons[] = {"btPage1", "btPage2", "btPage3"};
    for (const auto &screen : screens) {
        window.resize(screen.size);
        for (int page = 0; page < 3; ++page) {
            window.findChild<QPushButton *>(QString::fromLatin1(buttons[page]))->click();
            QApplication::processEvents();
            const QString path =
                QDir(dir).filePath(QStringLiteral("main-%1-page%2.png").arg(QLatin1String(screen.screen)).arg(page + 1));
            EXPECT_TRUE(window.grab().save(path)) << path.toStdString();
            const QImage picture(path);
            EXPECT_EQ(picture.size(), screen.size) << path.toStdString();
        }
    }
}

} // namespace
