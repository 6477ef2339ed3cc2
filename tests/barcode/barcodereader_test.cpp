#include "barcode/barcodereader.h"
#include "link/serialline.h"
#include "params/articles/articlefamily.h"
#include "params/articles/articlesbox.h"
#include "params/common/exchangebuttons.h"
#include "search/searchwindow.h"
#include "support/fakelink.h"
#include "support/pty.h"
#include "support/waituntil.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// The reader between the article group box and the search window, as the
// main window puts it together.
class BarcodeReaderTest : public ::testing::Test {
protected:
    FakePort port;
    FakeTimer timer;
    ExchangeDriver driver{port, timer};
    FamilyContext ctx{driver, Regional::comma()};
    ArticleFamily family{ctx};
    ExchangeButtons buttons;
    ArticlesBox box{family, buttons};
    SearchWindow search{family};
    QLineEdit *barcodeField = box.findChild<QLineEdit *>(QStringLiteral("edtBarkod"));
    BarcodeReader reader{barcodeField, &search};
    int beeps = 0;

    void SetUp() override
    {
        ASSERT_NE(barcodeField, nullptr);
        reader.setBeep([this] { ++beeps; });
    }
    QString searchField() const { return search.findChild<QLineEdit *>(QStringLiteral("EdtTrazi"))->text(); }
};

TEST_F(BarcodeReaderTest, WholeScanFillsBothFieldsAndBeepsOnce)
{
    search.setMode(ArticleSearch::Mode::Name);
    QSignalSpy scanned(&reader, &BarcodeReader::scanned);
    reader.BCComPortRxChar(hexBytes("38 36 30 30 31 32 33 34 35 36 37 38 39 0d 0a"));
    EXPECT_EQ(barcodeField->text(), QStringLiteral("8600123456789"));
    EXPECT_EQ(searchField(), QStringLiteral("8600123456789"));
    EXPECT_EQ(search.mode(), ArticleSearch::Mode::Barcode);
    EXPECT_EQ(beeps, 1);
    ASSERT_EQ(scanned.count(), 1);
    EXPECT_EQ(scanned.at(0).at(0).toString(), QStringLiteral("8600123456789"));
}

TEST_F(BarcodeReaderTest, SplitScanCompletesOnTheCarriageReturn)
{
    reader.BCComPortRxChar(hexBytes("38 36 30 30 31 32"));
    EXPECT_EQ(beeps, 0);
    EXPECT_TRUE(searchField().isEmpty());
    reader.BCComPortRxChar(hexBytes("33 34 35 36 37 38 39 0d"));
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(barcodeField->text(), QStringLiteral("8600123456789"));
    reader.BCComPortRxChar(hexBytes("0a"));
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(reader.collector().pending(), hexBytes("0a"));
}

TEST_F(BarcodeReaderTest, LoneCarriageReturnDoesNothing)
{
    barcodeField->setText(QStringLiteral("111"));
    reader.BCComPortRxChar(hexBytes("0d"));
    EXPECT_EQ(beeps, 0);
    EXPECT_EQ(barcodeField->text(), QStringLiteral("111"));
}

TEST_F(BarcodeReaderTest, LongCodeIsNotCutToTheTypingLimit)
{
    reader.BCComPortRxChar(QByteArrayLiteral("]C1086001234567891234\r"));
    EXPECT_EQ(barcodeField->text(), QStringLiteral("1086001234567891234"));
    EXPECT_EQ(searchField(), QStringLiteral("1086001234567891234"));
}

TEST_F(BarcodeReaderTest, ScanChangesNoArticle)
{
    const ArticleRow before = family.model().row(0);
    reader.BCComPortRxChar(QByteArrayLiteral("4711\r\n"));
    EXPECT_EQ(family.model().row(0), before);
    EXPECT_EQ(family.currentRow(), 0);
    EXPECT_TRUE(port.writes.isEmpty());
}

TEST_F(BarcodeReaderTest, ScannedCodeIsFoundBySearch)
{
    ArticleRow kafa;
    kafa.name = QStringLiteral("KAFA");
    kafa.barcode = QStringLiteral("08600123456789");
    family.model().setRow(17, kafa);
    reader.BCComPortRxChar(QByteArrayLiteral("A8600123456789\r\n"));
    search.BtnTraziClick();
    EXPECT_EQ(family.currentRow(), 17);
}

TEST_F(BarcodeReaderTest, ResetDropsAPartialScan)
{
    reader.BCComPortRxChar(QByteArrayLiteral("999"));
    reader.reset();
    reader.BCComPortRxChar(QByteArrayLiteral("12\r"));
    EXPECT_EQ(barcodeField->text(), QStringLiteral("12"));
}

TEST_F(BarcodeReaderTest, MissingTargetsAreSkipped)
{
    BarcodeReader alone(nullptr, nullptr);
    int sounds = 0;
    alone.setBeep([&] { ++sounds; });
    QSignalSpy scanned(&alone, &BarcodeReader::scanned);
    alone.BCComPortRxChar(QByteArrayLiteral("5\r"));
    EXPECT_EQ(sounds, 1);
    EXPECT_EQ(scanned.count(), 1);
}

// Over a real pseudo-terminal opened through the scanner port's own code.
TEST_F(BarcodeReaderTest, ScansArriveThroughTheScannerPort)
{
    TestPty pty;
    ASSERT_TRUE(pty.ok());
    SerialLine scanner(SerialSettings::scannerPort());
    scanner.setPortName(pty.slavePath());
    QString error;
    ASSERT_TRUE(scanner.open(&error)) << error.toStdString();
    EXPECT_EQ(scanner.port().baudRate(), 9600);
    reader.listenTo(scanner);
    pty.write(hexBytes("38 36 30 30 31 32"));
    pty.write(hexBytes("33 34 35 36 37 38 39 0d 0a"));
    ASSERT_TRUE(waitUntil([&] { return beeps == 1; }, 5000));
    EXPECT_EQ(barcodeField->text(), QStringLiteral("8600123456789"));
    EXPECT_EQ(searchField(), QStringLiteral("8600123456789"));
    pty.write(QByteArrayLiteral("4711\r\n"));
    ASSERT_TRUE(waitUntil([&] { return beeps == 2; }, 5000));
    EXPECT_EQ(barcodeField->text(), QStringLiteral("4711"));
    EXPECT_TRUE(pty.readAvailable().isEmpty()) << "nothing is ever sent to the scanner";
    scanner.close();
}

} // namespace
