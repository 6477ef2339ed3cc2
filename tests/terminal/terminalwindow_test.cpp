#include "params/articles/articletablemodel.h"
#include "widgets/filedialogs.h"
#include "terminal/terminalwindow.h"
#include "support/filebytes.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }
QByteArray hex(const char *text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }
std::string hexOf(const QByteArray &bytes) { return bytes.toHex(' ').toStdString(); }

using Message = QPair<QString, QString>;

class TerminalWindowTest : public ::testing::TestWithParam<QChar> {
protected:
    ArticleTableModel model;
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
    Regional regional = Regional::withDecimal(GetParam());
    std::unique_ptr<TfrmTerminal> window;
    QTemporaryDir dir;
    QList<Message> messages;
    QList<Message> notices;
    QStringList errors;
    QList<ArticleEditFill> fills;

    void SetUp() override
    {
        window = std::make_unique<TfrmTerminal>(model, regional);
        QObject::connect(window.get(), &TfrmTerminal::message,
                         [this](const QString &t, const QString &x) { messages.append({t, x}); });
        QObject::connect(window.get(), &TfrmTerminal::information,
                         [this](const QString &t, const QString &x) { notices.append({t, x}); });
        QObject::connect(window.get(), &TfrmTerminal::programError, [this](const QString &e) { errors << e; });
        QObject::connect(window.get(), &TfrmTerminal::firstArticleShown,
                         [this](const ArticleEditFill &f) { fills << f; });
        window->show();
    }
    void TearDown() override { window.reset(); }

    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    QString s(const char *text) const { return u(text).replace(QLatin1Char(','), GetParam()); }
    QPushButton *button(const char *name) const
    {
        return window->findChild<QPushButton *>(QString::fromLatin1(name));
    }
    void click(const char *name, const QString &answer)
    {
        FileDialogs::answerNext(answer);
        QPushButton *b = button(name);
        ASSERT_NE(b, nullptr) << name;
        b->click();
    }
    void name(int number, const char *text, const char *price = "0", const char *barcode = "00000000000000",
              const char *tax = "А")
    {
        ArticleRow r = model.row(number - 1);
        r.name = u(text);
        r.price = s(price);
        r.barcode = u(barcode);
        r.tax = u(tax);
        model.setRow(number - 1, r);
    }
    const Message Written{u("Информација !!!"), u("Подаци су успешно уписани!...")};
};

std::string separatorName(const ::testing::TestParamInfo<QChar> &info)
{
    return info.param == QLatin1Char(',') ? "comma" : "point";
}

// ---------------------------------------------------------------- the window

TEST_P(TerminalWindowTest, CaptionsNamesAndSizes)
{
    EXPECT_EQ(window->objectName(), u("frmTerminal"));
    EXPECT_EQ(window->windowTitle(), u("Terminal"));
    EXPECT_TRUE(window->isModal());
    const std::pair<const char *, const char *> captions[] = {
        {"BtnExportGPRS", "Слање свих артикала"},   {"BtnUpisSelektovanih", "Слање селектованих артикала"},
        {"BtnImportGPRS", "Импорт прочитаних артикала"}, {"BtnCitanje", "Читање артикала"},
        {"BtnDnevni", "Дневни извештај"},            {"BtnPromet", "Импорт промета"}};
    int lastTop = -1;
    for (const auto &[objectName, caption] : captions) {
        QPushButton *b = button(objectName);
        ASSERT_NE(b, nullptr) << objectName;
        EXPECT_EQ(b->text(), u(caption)) << objectName;
        EXPECT_EQ(b->size(), QSize(169, 25)) << objectName;
        EXPECT_GT(b->y(), lastTop) << objectName; // top to bottom
        lastTop = b->y();
    }
    auto *list = window->findChild<QListWidget *>(QStringLiteral("ListArtikli"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->size(), QSize(321, 281));
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_GT(list->x(), button("BtnExportGPRS")->x());
}

TEST_P(TerminalWindowTest, ListShowsAllRowsWithoutSelection)
{
    QListWidget *list = window->list();
    ASSERT_EQ(list->count(), 4000);
    EXPECT_TRUE(list->selectedItems().isEmpty());
    EXPECT_EQ(list->item(0)->text(),
              u("   1 ") + QString(36, QLatin1Char(' ')) + u(" 00000000000000        0 А"));
    EXPECT_EQ(list->item(3999)->text().left(5), u("4000 "));
}

struct LineCase {
    const char *name;
    const char *barcode;
    const char *price;
    const char *tax;
    int number;
    const char *line;
};

class ListLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(ListLine, FieldsPaddedToTheirWidthsAndNeverCut)
{
    ArticleRow r;
    r.name = u(GetParam().name);
    r.barcode = u(GetParam().barcode);
    r.price = u(GetParam().price);
    r.tax = u(GetParam().tax);
    EXPECT_EQ(TfrmTerminal::listLine(r, GetParam().number), u(GetParam().line));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ListLine,
    ::testing::Values(
        LineCase{"Хлеб", "123", "12,5", "Д", 12,
                 "  12 Хлеб                                 123               12,5 Д"},
        LineCase{"", "", "", "", 300, " 300                                                             "},
        LineCase{"0123456789012345678901234567890123456789", "12345678901234", "123456789,5", "Жx", 4000,
                 "4000 0123456789012345678901234567890123456789 12345678901234 123456789,5 Жx"}));

TEST_P(TerminalWindowTest, ListIsRebuiltWithoutSelectionAtEveryShowing)
{
    window->list()->item(3)->setSelected(true);
    window->hide();
    name(4, "Mleko", "55,5");
    window->show();
    EXPECT_TRUE(window->list()->selectedItems().isEmpty());
    EXPECT_TRUE(window->list()->item(3)->text().startsWith(u("   4 Mleko ")));
    EXPECT_EQ(window->list()->count(), 4000);
}

// ---------------------------------------------------------------- command files

TEST_P(TerminalWindowTest, SendAllWithNoNamedRowWritesTheMarksAndReportsSuccess)
{
    click("BtnExportGPRS", path("Command.iv"));
    EXPECT_EQ(FileDialogs::lastDefaultName(), u("Command.iv"));
    EXPECT_EQ(hexOf(readFile(path("Command.iv"))), "34 3c 44 3e 3c 2f 44 3e");
    EXPECT_EQ(messages, QList<Message>{Written});
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_TRUE(window->isVisible());
}

TEST_P(TerminalWindowTest, SendAllWritesEveryNamedRowInOrder)
{
    name(300, "a", "0");
    name(1, "Хлеб", "12,50", "123", "Д");
    name(5, "   \t");
    click("BtnExportGPRS", path("all.iv"));
    EXPECT_EQ(hexOf(readFile(path("all.iv"))),
              hexOf(hex("34 3C 44 3E"
                        "00 00 12 3F FF FF FF FF FF 02 E2 04 00 00 D5 EB E5 E1 1B"
                        "01 2B 00 00 00 00 00 00 00 00 00 00 00 00 61 1B"
                        "3C 2F 44 3E")));
    EXPECT_EQ(messages, QList<Message>{Written});
}

TEST_P(TerminalWindowTest, SendSelectedTakesSelectedNamedRowsInIncreasingOrder)
{
    name(300, "a", "0");
    name(1, "Хлеб", "12,50", "123", "Д");
    name(5, "  ");
    name(7, "not selected");
    window->list()->item(299)->setSelected(true);
    window->list()->item(4)->setSelected(true);
    window->list()->item(0)->setSelected(true);
    click("BtnUpisSelektovanih", path("sel.iv"));
    EXPECT_EQ(hexOf(readFile(path("sel.iv"))),
              hexOf(hex("33 3C 44 3E"
                        "00 00 12 3F FF FF FF FF FF 02 E2 04 00 00 D5 EB E5 E1 1B"
                        "01 2B 00 00 00 00 00 00 00 00 00 00 00 00 61 1B"
                        "3C 2F 44 3E")));
    EXPECT_EQ(messages, QList<Message>{Written});
}

TEST_P(TerminalWindowTest, SendSelectedWithoutSelectionStillReportsSuccess)
{
    name(1, "Хлеб");
    click("BtnUpisSelektovanih", path("none.iv"));
    EXPECT_EQ(hexOf(readFile(path("none.iv"))), "33 3c 44 3e 3c 2f 44 3e");
    EXPECT_EQ(messages, QList<Message>{Written});
}

struct SingleDigitCase {
    const char *button;
    const char *bytes;
};

class SingleDigit : public ::testing::TestWithParam<std::tuple<QChar, SingleDigitCase>> {};

TEST_P(SingleDigit, WritesTheDigitAloneWithoutAMessage)
{
    ArticleTableModel model;
    TfrmTerminal window(model, Regional::withDecimal(std::get<0>(GetParam())));
    int messages = 0;
    int errors = 0;
    QObject::connect(&window, &TfrmTerminal::message, [&] { ++messages; });
    QObject::connect(&window, &TfrmTerminal::programError, [&] { ++errors; });
    window.show();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Command.iv"));
    writeFile(path, "old contents");
    FileDialogs::answerNext(path);
    window.findChild<QPushButton *>(QString::fromLatin1(std::get<1>(GetParam()).button))->click();
    EXPECT_EQ(FileDialogs::lastDefaultName(), u("Command.iv"));
    EXPECT_EQ(hexOf(readFile(path)), std::get<1>(GetParam()).bytes);
    EXPECT_EQ(messages, 0);
    EXPECT_EQ(errors, 0);
    EXPECT_TRUE(window.isVisible());
}

INSTANTIATE_TEST_SUITE_P(Buttons, SingleDigit,
                         ::testing::Combine(::testing::Values(QChar(u','), QChar(u'.')),
                                            ::testing::Values(SingleDigitCase{"BtnCitanje", "32"},
                                                              SingleDigitCase{"BtnDnevni", "35"})));

TEST_P(TerminalWindowTest, CancelledSaveWritesNothing)
{
    name(1, "Хлеб");
    for (const char *b : {"BtnExportGPRS", "BtnUpisSelektovanih", "BtnCitanje", "BtnDnevni"})
        click(b, QString());
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(window->isVisible());
}

TEST_P(TerminalWindowTest, FileThatCannotBeCreatedShowsTheErrorAndNoSuccess)
{
    for (const char *b : {"BtnExportGPRS", "BtnCitanje"})
        click(b, path("missing/Command.iv"));
    EXPECT_EQ(errors.size(), 2);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_P(TerminalWindowTest, PriceThatIsNoNumberRefusesTheWholeFile)
{
    writeFile(path("keep.iv"), "previous");
    name(1, "Хлеб", "1,5");
    name(2, "Mleko", "abc");
    click("BtnExportGPRS", path("keep.iv"));
    EXPECT_EQ(errors, QStringList{u("'abc' is not a valid floating point value")});
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(readFile(path("keep.iv")), QByteArray("previous"));
}

// ---------------------------------------------------------------- article import

QByteArray deviceArticle(const char *fixedHex, const QByteArray &name) { return hex(fixedHex) + name + '\x1b'; }

TEST_P(TerminalWindowTest, ImportReplacesNameBarcodeTaxAndPriceOnly)
{
    ArticleRow kept = model.row(0);
    kept.name = u("Old");
    kept.department = u("3");
    kept.quantity = s("5,5");
    kept.group = u("2");
    kept.sold = u("7");
    kept.turnover = u("70");
    model.setRow(0, kept);
    const ArticleRow untouched = model.row(1);

    const QByteArray file = "x<D>" + deviceArticle("00 00 12 3F FF FF FF FF FF 02 E2 04 00 00", hex("95 AB A5 A1"))
        + deviceArticle("01 2B FF FF FF FF FF FF FF 08 01 00 00 00", hex("9E A8 A2 A0"))
        + deviceArticle("00 01 11 11 11 11 11 11 11 01 00 00 00 00", QByteArray()) + "</D>";
    writeFile(path("sold.iv"), file);
    click("BtnImportGPRS", path("sold.iv"));

    EXPECT_EQ(FileDialogs::lastDefaultName(), u("sold.iv"));
    const ArticleRow &r1 = model.row(0);
    EXPECT_EQ(r1.name, u("Хлеб"));
    EXPECT_EQ(r1.barcode, u("123"));
    EXPECT_EQ(r1.tax, u("Д"));
    EXPECT_EQ(r1.price, s("12,5"));
    EXPECT_EQ(r1.department, u("3"));
    EXPECT_EQ(r1.quantity, s("5,5"));
    EXPECT_EQ(r1.group, u("2"));
    EXPECT_EQ(r1.sold, u("7"));
    EXPECT_EQ(r1.turnover, u("70"));
    EXPECT_EQ(model.cell(0, ArticleTableModel::Number), u("1"));

    const ArticleRow &r300 = model.row(299);
    EXPECT_EQ(r300.name, u("Њива"));
    EXPECT_EQ(r300.barcode, QString());
    EXPECT_EQ(r300.tax, u("К"));
    EXPECT_EQ(r300.price, s("0,01"));
    // The record with an empty name is skipped whole.
    EXPECT_EQ(model.row(1), untouched);

    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), int(QDialog::Accepted));
}

TEST_P(TerminalWindowTest, ImportSkipsRecordsOutsideTheTableAndSaysSo)
{
    const ArticleRow before = model.row(0);
    const QByteArray file = "<D>" + deviceArticle("0F A0 FF FF FF FF FF FF FF 00 00 00 00 00", "Beyond")
        + deviceArticle("00 00 FF FF FF FF FF FF FF 09 00 00 00 00", "Tax9")
        + deviceArticle("0F 9F FF FF FF FF FF FF FF 00 64 00 00 00", "Last") + "</D>";
    writeFile(path("sold.iv"), file);
    click("BtnImportGPRS", path("sold.iv"));
    EXPECT_EQ(model.row(0), before);
    EXPECT_EQ(model.row(3999).name, u("Last"));
    EXPECT_EQ(model.row(3999).price, u("1"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].first, u("Пажња!!! "));
    EXPECT_TRUE(messages[0].second.endsWith(u(": 2")));
    EXPECT_FALSE(window->isVisible());
}

TEST_P(TerminalWindowTest, ImportOfAMissingFileShowsTheBoxAndStaysOpen)
{
    click("BtnImportGPRS", path("nothere.iv"));
    EXPECT_EQ(notices, QList<Message>{Message(u("Information"), u("Greska - ne postoji fajl!"))});
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_P(TerminalWindowTest, CancellingEitherImportClosesTheWindow)
{
    const ArticleRow before = model.row(0);
    click("BtnImportGPRS", QString());
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(fills.isEmpty());

    window->show();
    name(1, "First", "3,5", "77");
    click("BtnPromet", QString());
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(fills.size(), 1);
    EXPECT_EQ(fills[0].name, u("First"));
    EXPECT_EQ(fills[0].barcode, u("77"));
    EXPECT_EQ(fills[0].price, s("3,5"));
    EXPECT_EQ(fills[0].department, 0); // "1" is the first entry of cbAStand
    EXPECT_FALSE(fills[0].tax.has_value());
    EXPECT_NE(model.row(0), before);
}

// ---------------------------------------------------------------- turnover import

QByteArray saleRecord(const char *bytesHex) { return hex(bytesHex) + '\x1b'; }

TEST_P(TerminalWindowTest, TurnoverFillsSoldAndTurnover)
{
    name(1, "Хлеб", "1", "");            // empty barcode takes the record's
    name(2, "Mleko", "1", "  555  ");    // same barcode after trimming
    name(8, "Jaja", "1", "00000000000000"); // no barcode in the record
    const QByteArray file = "<D>"
        + saleRecord("00 00 12 3F FF FF FF FF FF D2 04 00 00 02 01 00 00 05")
        + saleRecord("00 01 55 5F FF FF FF FF FF E8 03 00 00 0A 00 00 00 00")
        + saleRecord("00 07 FF FF FF FF FF FF FF 01 00 00 00 00 00 00 00 63") + "</D>";
    writeFile(path("sold.iv"), file);
    click("BtnPromet", path("sold.iv"));

    EXPECT_EQ(model.row(0).barcode, u("123"));
    EXPECT_EQ(model.row(0).sold, s("1,234"));
    EXPECT_EQ(model.row(0).turnover, s("258,05"));
    EXPECT_EQ(model.row(1).barcode, u("  555  "));
    EXPECT_EQ(model.row(1).sold, u("1"));
    EXPECT_EQ(model.row(1).turnover, u("10"));
    EXPECT_EQ(model.row(7).barcode, u("00000000000000"));
    EXPECT_EQ(model.row(7).sold, s("0,001"));
    EXPECT_EQ(model.row(7).turnover, s("0,99"));
    EXPECT_EQ(model.row(7).name, u("Jaja"));

    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(fills.size(), 1);
    EXPECT_EQ(fills[0].name, u("Хлеб"));
    EXPECT_EQ(fills[0].barcode, u("123"));
}

TEST_P(TerminalWindowTest, BarcodeMismatchStopsTheTurnoverImport)
{
    name(1, "A", "1", "");
    // Row 2 still holds the initial barcode of fourteen zeros.
    const QByteArray file = "<D>"
        + saleRecord("00 00 12 3F FF FF FF FF FF 05 00 00 00 01 00 00 00 00")
        + saleRecord("00 01 98 7F FF FF FF FF FF 06 00 00 00 02 00 00 00 00")
        + saleRecord("00 02 FF FF FF FF FF FF FF 07 00 00 00 03 00 00 00 00") + "</D>";
    writeFile(path("sold.iv"), file);
    click("BtnPromet", path("sold.iv"));

    EXPECT_EQ(messages, QList<Message>{Message(u("Грешка"), u("Бар код се не слаже"))});
    EXPECT_EQ(model.row(0).sold, s("0,005"));
    EXPECT_EQ(model.row(0).turnover, u("1"));
    EXPECT_EQ(model.row(1).sold, u("0"));
    EXPECT_EQ(model.row(1).barcode, u("00000000000000"));
    // The remaining records are not read.
    EXPECT_EQ(model.row(2).sold, u("0"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(fills.isEmpty());
}

TEST_P(TerminalWindowTest, TurnoverFileThatCannotBeOpenedIsAnError)
{
    click("BtnPromet", path("nothere.iv"));
    EXPECT_EQ(errors.size(), 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(fills.isEmpty());
}

TEST_P(TerminalWindowTest, DamagedTurnoverFileLoadsWhatItCan)
{
    const QByteArray file = "<D>" + saleRecord("00 00 FF FF FF FF FF FF FF 02 00 00 00 00 00 00 00 00")
        + hex("01 02 03 1B")                                                          // damage
        + saleRecord("0F A0 FF FF FF FF FF FF FF 01 00 00 00 00 00 00 00 00")            // index 4000
        + saleRecord("00 03 FF FF FF FF FF FF FF 03 00 00 00 00 00 00 00 00")
        + hex("00 04 FF FF");                                                          // cut short
    writeFile(path("sold.iv"), file);
    click("BtnPromet", path("sold.iv"));
    EXPECT_EQ(model.row(0).sold, s("0,002"));
    EXPECT_EQ(model.row(3).sold, s("0,003"));
    EXPECT_EQ(model.row(4).sold, u("0"));
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_EQ(messages.last().first, u("Пажња!!! "));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(fills.size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Separators, TerminalWindowTest, ::testing::Values(QChar(u','), QChar(u'.')),
                         separatorName);

} // namespace

TEST_P(TerminalWindowTest, ImportKeepsANameOfFortyCharactersWhole)
{
    const QByteArray forty = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
    ASSERT_EQ(forty.size(), 40);
    writeFile(path("sold.iv"),
              "<D>" + deviceArticle("00 04 12 3F FF FF FF FF FF 02 E2 04 00 00", forty) + "</D>");
    click("BtnImportGPRS", path("sold.iv"));
    EXPECT_EQ(model.row(4).name, QString::fromLatin1(forty));
    EXPECT_TRUE(errors.isEmpty());
}

// ---------------------------------------------------------------- open dialog filter

TEST_P(TerminalWindowTest, BothImportsOfferTheFiltersInTheirOrderAndStartOnTheTerminalFiles)
{
    const QString filters = u("CSV fajlovi (*.csv);;Svi fajlovi (*.*);;IV fajlovi (*.iv)");
    for (const char *button : {"BtnImportGPRS", "BtnPromet"}) {
        window->show();
        click(button, QString());
        EXPECT_EQ(FileDialogs::lastFilter(), filters) << button;
        EXPECT_EQ(FileDialogs::lastSelectedFilter(), u("IV fajlovi (*.iv)")) << button;
    }
}

TEST_P(TerminalWindowTest, TheShownOpenDialogStartsOnItsThirdFilterEntry)
{
    // The real dialog, answered by the test: it is cancelled once seen.
    QStringList shownFilters;
    QString selected;
    QString dialogName;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            shownFilters = dialog->nameFilters();
            selected = dialog->selectedNameFilter();
            dialogName = dialog->objectName();
            dialog->reject();
        }
    });
    poll.start(5);
    button("BtnImportGPRS")->click();
    EXPECT_EQ(dialogName, u("OD"));
    EXPECT_EQ(shownFilters, (QStringList{u("CSV fajlovi (*.csv)"), u("Svi fajlovi (*.*)"), u("IV fajlovi (*.iv)")}));
    EXPECT_EQ(selected, u("IV fajlovi (*.iv)"));
    EXPECT_FALSE(window->isVisible()) << "a cancelled import closes the window";
}
