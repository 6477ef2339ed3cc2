#include "widgets/filedialogs.h"
#include "params/logo/logopasswordboxrig.h"
#include "params/logo/logobox.h"
#include "params/logo/logopicture.h"

#include <QCheckBox>
#include <QLabel>
#include <QTemporaryDir>

namespace {

using LogoOnTheRegister = LogoPasswordBoxOnTheRegister<LogoBox, LogoFamily>;

INSTANTIATE_TEST_SUITE_P(Regional, LogoOnTheRegister, ::testing::Values(QChar(','), QChar('.')), separatorName);

TEST_P(LogoOnTheRegister, ControlsCarryTheirNamesAndCaptions)
{
    EXPECT_EQ(box.objectName(), u("GBLogo"));
    EXPECT_EQ(box.title(), u("Графички лого трговца (ЦБ 216x198 тачке) : "));
    EXPECT_EQ(child<QPushButton>("btnLogoOpen")->text(), u("Учитавање лога са фаjла"));
    EXPECT_EQ(child<QPushButton>("btnLogoRead")->text(), u("Читање из касе"));
    EXPECT_EQ(child<QPushButton>("btnLogoWrite")->text(), u("Унос у касу"));
    EXPECT_EQ(child<QLabel>("chbLogoLabel")->text(), u("Штампање графичког лога?"));
    EXPECT_FALSE(child<QLabel>("chbLogoLabel")->isVisible());
    EXPECT_FALSE(child<QCheckBox>("chbLogo")->isVisible());
    EXPECT_EQ(child<QLabel>("imgGraphLogo")->size(), QSize(216, 198));
}

TEST_P(LogoOnTheRegister, BothExchangeButtonsFollowThePort)
{
    EXPECT_TRUE(box.readButton()->isEnabled());
    EXPECT_TRUE(box.writeButton()->isEnabled());
    EXPECT_TRUE(box.openButton()->isEnabled());
    buttons.setPortOpen(false);
    EXPECT_FALSE(box.readButton()->isEnabled());
    EXPECT_FALSE(box.writeButton()->isEnabled());
    EXPECT_TRUE(box.openButton()->isEnabled());
}

TEST_P(LogoOnTheRegister, OpenDialogLoadsThePictureAndSizesTheImage)
{
    QTemporaryDir dir;
    QImage p(90, 30, QImage::Format_RGB32);
    p.fill(0xFFFFFFFF);
    const QString path = dir.filePath(QStringLiteral("shop.bmp"));
    ASSERT_TRUE(p.save(path, "BMP"));
    FileDialogs::answerNext(path);
    click("btnLogoOpen");
    EXPECT_EQ(box.image()->size(), QSize(90, 30));
    // Cancelling changes nothing.
    FileDialogs::answerNext(QString());
    click("btnLogoOpen");
    EXPECT_EQ(box.image()->size(), QSize(90, 30));
    EXPECT_TRUE(h.errors.isEmpty());
    // A file that does not load goes to the error report; the picture stays.
    FileDialogs::answerNext(dir.filePath(QStringLiteral("nothing.png")));
    click("btnLogoOpen");
    EXPECT_EQ(h.errors.size(), 1);
    EXPECT_EQ(box.image()->size(), QSize(90, 30));
}

TEST_P(LogoOnTheRegister, WrittenLogoIsInTheRegisterAndReadsBack)
{
    // A picture with a diagonal and a grey band, 216 x 40.
    QImage p(216, 40, QImage::Format_RGB32);
    p.fill(0xFFFFFFFF);
    for (int y = 0; y < 40; ++y) {
        p.setPixel(y * 5, y, 0xFF000000);
        p.setPixel(200, y, 0xFFEEEEEE);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("logo.png"));
    ASSERT_TRUE(p.save(path, "PNG"));
    FileDialogs::answerNext(path);
    click("btnLogoOpen");
    const quint32 service = h.reg.state().servicePassword;
    const quint32 report = h.reg.state().reportPassword;

    click("btnLogoWrite");
    ASSERT_TRUE(waitForStatus("Завршен упис Лога")) << h.status.toStdString();
    const RegisterState &memory = h.reg.state();
    EXPECT_EQ(memory.logoHeight, 40);
    EXPECT_EQ(memory.servicePassword, service);
    EXPECT_EQ(memory.reportPassword, report);
    for (int y = 0; y < 40; ++y) {
        QByteArray expected(27, '\0');
        expected[(y * 5) / 8] = char(1 << ((y * 5) % 8));
        expected[25] = char(quint8(expected[25]) | 0x01); // column 200
        ASSERT_EQ(memory.logoRows[y].toHex(), expected.toHex()) << y;
    }
    EXPECT_EQ(h.progress, 0);
    EXPECT_TRUE(h.messages.isEmpty());

    logo.reset();
    click("btnLogoRead");
    ASSERT_TRUE(waitForStatus("Завршено читање ЛОГО-а")) << h.status.toStdString();
    EXPECT_EQ(box.image()->size(), QSize(216, 40));
    for (int y = 0; y < 40; ++y)
        ASSERT_EQ(LogoPicture::packRow(logo.picture(), y), memory.logoRows[y]) << y;
    EXPECT_EQ(logo.picture().pixel(200, 3), 0xFF000000u); // the grey was printed
    EXPECT_EQ(logo.record().pending(), LogoPasswordRecord::Operation::None);
}

TEST_P(LogoOnTheRegister, DemoLogoReadsRowForRow)
{
    const RegisterState memory = h.reg.state();
    ASSERT_GT(memory.logoHeight, 0);
    click("btnLogoRead");
    ASSERT_TRUE(waitForStatus("Завршено читање ЛОГО-а")) << h.status.toStdString();
    const int height = qMin<int>(memory.logoHeight, 198);
    EXPECT_EQ(logo.picture().height(), height);
    for (int y = 0; y < height; ++y)
        ASSERT_EQ(LogoPicture::packRow(logo.picture(), y), memory.logoRows[y]) << y;
    EXPECT_EQ(h.handled(119).size(), qMax<int>(memory.logoHeight, 1));
}

} // namespace
