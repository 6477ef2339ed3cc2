#include "params/articles/articlefamily.h"
#include "search/searchwindow.h"
#include "support/fakelink.h"

#include <QAbstractItemModelTester>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

// The search window over an article family on a fake link, under a comma
// and a point decimal separator (the price cells carry the separator).
class SearchWindowTest : public ::testing::TestWithParam<QChar> {
protected:
    FakePort port;
    FakeTimer timer;
    ExchangeDriver driver{port, timer};
    FamilyContext ctx{driver, Regional::withDecimal(GetParam())};
    ArticleFamily family{ctx};
    SearchWindow window{family};
    QAbstractItemModelTester tester{&family.model(), QAbstractItemModelTester::FailureReportingMode::Fatal};
    int fills = 0;
    std::vector<std::pair<int, int>> cellMoves;
    QString lastName;
    QString lastPrice;

    void SetUp() override
    {
        QObject::connect(&family, &ArticleFamily::editsFilled, [this](const ArticleEditFill &f) {
            ++fills;
            lastName = f.name.value_or(QString());
            lastPrice = f.price.value_or(QString());
        });
        QObject::connect(&family, &ArticleFamily::currentCellRequested,
                         [this](int r, int c) { cellMoves.emplace_back(r, c); });
        ArticleRow kafa;
        kafa.name = QStringLiteral("KAFA 200g");
        kafa.barcode = QStringLiteral("08600123456789");
        kafa.price = QString(QStringLiteral("189,90")).replace(QLatin1Char(','), GetParam());
        family.model().setRow(41, kafa);
        ArticleRow mleko;
        mleko.name = u("МЛЕКО");
        mleko.barcode = QStringLiteral("00000000000123");
        family.model().setRow(99, mleko);
        window.show();
    }

    template <typename W>
    W *child(const char *name)
    {
        W *w = window.findChild<W *>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString label() { return child<QLabel>("LblTrazi")->text(); }
    void search(const QString &text, bool byName)
    {
        child<QLineEdit>("EdtTrazi")->setText(text);
        child<QRadioButton>(byName ? "RadioGroup1Naziv" : "RadioGroup1BarKod")->setChecked(true);
        QTest::mouseClick(child<QPushButton>("BtnTrazi"), Qt::LeftButton);
    }
};

TEST_P(SearchWindowTest, StartsWithItsNamesAndCaptions)
{
    EXPECT_EQ(window.objectName(), QStringLiteral("frmTrazi"));
    EXPECT_EQ(window.windowClass(), QStringLiteral("TfrmTrazi"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Pretrazivanje"));
    EXPECT_TRUE(window.isModal());
    EXPECT_EQ(child<QPushButton>("BtnTrazi")->text(), u("Тражи"));
    EXPECT_NE(child<QGroupBox>("RadioGroup1"), nullptr);
    EXPECT_EQ(child<QRadioButton>("RadioGroup1BarKod")->text(), QStringLiteral("BarKod"));
    EXPECT_EQ(child<QRadioButton>("RadioGroup1Naziv")->text(), QStringLiteral("Naziv"));
    EXPECT_TRUE(child<QRadioButton>("RadioGroup1BarKod")->isChecked());
    EXPECT_EQ(window.mode(), ArticleSearch::Mode::Barcode);
    EXPECT_TRUE(label().isEmpty());
    EXPECT_TRUE(child<QLineEdit>("EdtTrazi")->text().isEmpty());
    EXPECT_TRUE(child<QLineEdit>("EdtTrazi")->font().bold());
}

TEST_P(SearchWindowTest, ByNameSelectsTheRowAndFillsTheEdits)
{
    search(QStringLiteral("kafa"), true);
    EXPECT_EQ(label(), u("Пронађен артикал"));
    EXPECT_EQ(family.currentRow(), 41);
    ASSERT_FALSE(cellMoves.empty());
    EXPECT_EQ(cellMoves.back(), std::make_pair(41, int(ArticleTableModel::Name)));
    EXPECT_EQ(fills, 1);
    EXPECT_EQ(lastName, QStringLiteral("KAFA 200g"));
    EXPECT_EQ(lastPrice, QString(QStringLiteral("189,90")).replace(QLatin1Char(','), GetParam()));
}

TEST_P(SearchWindowTest, CyrillicCaseIsNotFolded)
{
    search(u("млеко"), true);
    EXPECT_EQ(label(), u("Артикал није пронађен"));
    EXPECT_EQ(family.currentRow(), 0);
    EXPECT_EQ(fills, 0);
    EXPECT_TRUE(cellMoves.empty());
}

TEST_P(SearchWindowTest, EmptyTextAsksForOne)
{
    search(QString(), false);
    EXPECT_EQ(label(), u("Унесите податак за претраживање!!!"));
    EXPECT_EQ(fills, 0);
}

TEST_P(SearchWindowTest, BlanksByNameFindNothing)
{
    search(QStringLiteral("   "), true);
    EXPECT_EQ(label(), u("Артикал није пронађен"));
    EXPECT_EQ(fills, 0);
}

TEST_P(SearchWindowTest, BarcodeSecondPassFindsThePaddedCell)
{
    search(QStringLiteral("8600123456789"), false);
    EXPECT_EQ(label(), u("Пронађен артикал"));
    EXPECT_EQ(family.currentRow(), 41);
    search(QStringLiteral("123"), false);
    EXPECT_EQ(family.currentRow(), 99);
    EXPECT_EQ(lastName, u("МЛЕКО"));
}

TEST_P(SearchWindowTest, ResultAlreadySelectedIsNotRefilled)
{
    search(QStringLiteral("kafa"), true);
    ASSERT_EQ(fills, 1);
    const std::size_t moves = cellMoves.size();
    search(QStringLiteral("200G"), true);
    EXPECT_EQ(label(), u("Пронађен артикал"));
    EXPECT_EQ(fills, 1);
    EXPECT_EQ(cellMoves.size(), moves);
}

TEST_P(SearchWindowTest, NotFoundAfterFoundKeepsTheSelection)
{
    search(QStringLiteral("kafa"), true);
    search(QStringLiteral("nema"), true);
    EXPECT_EQ(label(), u("Артикал није пронађен"));
    EXPECT_EQ(family.currentRow(), 41);
}

TEST_P(SearchWindowTest, TextAndChoiceStayBetweenOpenings)
{
    search(QStringLiteral("kafa"), true);
    window.hide();
    window.show();
    EXPECT_EQ(window.searchText(), QStringLiteral("kafa"));
    EXPECT_EQ(window.mode(), ArticleSearch::Mode::Name);
}

TEST_P(SearchWindowTest, ScannedCodeSwitchesToBarcode)
{
    window.setMode(ArticleSearch::Mode::Name);
    window.takeScannedCode(QStringLiteral("8600123456789"));
    EXPECT_EQ(window.searchText(), QStringLiteral("8600123456789"));
    EXPECT_TRUE(child<QRadioButton>("RadioGroup1BarKod")->isChecked());
    EXPECT_EQ(fills, 0) << "a scan fills the field, it does not search";
}

TEST_P(SearchWindowTest, EnterInTheFieldSearches)
{
    auto *field = child<QLineEdit>("EdtTrazi");
    field->setText(QStringLiteral("123"));
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(family.currentRow(), 99);
}

TEST_P(SearchWindowTest, SearchSendsNothingToTheRegister)
{
    search(QStringLiteral("kafa"), true);
    EXPECT_TRUE(port.writes.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Separators, SearchWindowTest, ::testing::Values(QChar(','), QChar('.')));

} // namespace
