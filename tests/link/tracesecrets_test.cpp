// Passwords in the trace: hidden in the bytes column, the frame reading and
// the saved file, the checksums still judged on the real bytes.
#include "link/framesecrets.h"
#include "link/traceformat.h"
#include "link/tracerecorder.h"
#include "support/passwordframes.h"

#include <gtest/gtest.h>

namespace {

using Secrets = TraceFormat::Secrets;

class PasswordInTrace : public ::testing::TestWithParam<std::tuple<PasswordFrame, bool>> {
protected:
    const PasswordFrame &f() const { return std::get<0>(GetParam()); }
    bool bad() const { return std::get<1>(GetParam()); }
    QByteArray bytes() const { return f().frame(bad()); }
    QString crcHex(int which) const { return TraceFormat::hex(bytes().mid(f().crc1At() + which, 1)); }
};

TEST_P(PasswordInTrace, BytesColumnHidesThePasswordAndTheChecksums)
{
    TraceEvent e;
    e.kind = TraceKind::ReplyAccepted;
    e.bytes = bytes();
    EXPECT_EQ(TraceFormat::cell(e, TraceFormat::Bytes), f().hiddenHex(bad()));
    EXPECT_EQ(TraceFormat::cell(e, TraceFormat::Bytes, Secrets::Shown), TraceFormat::hex(bytes()));
    EXPECT_TRUE(TraceFormat::cell(e, TraceFormat::Bytes, Secrets::Shown).contains(QLatin1String(f().passwordHex)));
}

TEST_P(PasswordInTrace, FrameReadingHidesThemAndStillJudgesTheChecksums)
{
    const QString mark = bad() ? QStringLiteral("погрешан") : QStringLiteral("исправан");
    const QString hidden = TraceFormat::decodeFrame(bytes());
    EXPECT_FALSE(hidden.contains(QLatin1String(f().passwordHex))) << hidden.toStdString();
    EXPECT_TRUE(hidden.contains(QStringLiteral("CRC1: •• ") + mark)) << hidden.toStdString();
    EXPECT_TRUE(hidden.contains(QStringLiteral("CRC2: •• исправан"))) << hidden.toStdString();
    EXPECT_FALSE(hidden.contains(QStringLiteral("треба"))) << hidden.toStdString();
    EXPECT_TRUE(hidden.contains(QStringLiteral("Подаци: ") + f().hiddenHex(bad()).mid(9 * 3, f().data().size() * 3 - 1)));

    const QString shown = TraceFormat::decodeFrame(bytes(), Secrets::Shown);
    EXPECT_TRUE(shown.contains(QLatin1String(f().passwordHex))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("CRC1: %1 %2").arg(crcHex(0), mark))) << shown.toStdString();
    EXPECT_EQ(shown.contains(QStringLiteral("треба")), bad());
}

TEST_P(PasswordInTrace, SavedFileHidesThem)
{
    qint64 now = 1'765'270'800'000;
    TraceRecorder recorder([&] { return now; });
    recorder.record(TraceKind::RequestWritten, bytes());
    recorder.record(TraceKind::Stray, bytes(), 0, QStringLiteral("застарели одговор"));
    const QString text = TraceFormat::fileText({QStringLiteral("vilaron-setup"), QStringLiteral("COM1"),
                                                QStringLiteral("123456"), recorder.startedMs()},
                                               recorder);
    EXPECT_FALSE(text.contains(QLatin1String(f().passwordHex))) << text.toStdString();
    EXPECT_EQ(text.count(f().hiddenHex(bad())), 2) << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("\t%1 %2").arg(f().command).arg(TraceFormat::commandTitle(f().command))), 2);
}

INSTANTIATE_TEST_SUITE_P(Frames, PasswordInTrace,
                         ::testing::Combine(::testing::ValuesIn(passwordFrames()), ::testing::Bool()),
                         [](const auto &info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) ? "_BadChecksum" : "_GoodChecksum");
                         });

// Frames that hold no password hide nothing; pieces of one hide what they hold.
struct HiddenCase {
    const char *name;
    const char *hex;
    QList<int> hidden;
};

class HiddenBytes : public ::testing::TestWithParam<HiddenCase> {};

TEST_P(HiddenBytes, AreExactlyThePasswordBytesPresent)
{
    const QByteArray bytes = QByteArray::fromHex(GetParam().hex);
    const std::vector<bool> flags = FrameSecrets::hidden(bytes);
    ASSERT_EQ(flags.size(), static_cast<std::size_t>(bytes.size()));
    QList<int> hidden;
    for (int i = 0; i < bytes.size(); ++i)
        if (flags[static_cast<std::size_t>(i)])
            hidden << i;
    EXPECT_EQ(hidden, GetParam().hidden);
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, HiddenBytes,
    ::testing::Values(HiddenCase{"LogoRecordRead", "AA011112345603670000000D", {}},
                      HiddenCase{"OperatorRead", "AA01111234560375010500000D", {}},
                      HiddenCase{"TaxRateReply", "AA0111123456036B05040000DC0500000D", {}},
                      HiddenCase{"LogoRecordCutShort", "AA011112345603670940E201", {9, 10, 11}},
                      HiddenCase{"LogoRecordWithNoData", "AA011112345603680000000D", {}},
                      HiddenCase{"TextOutsideFrames", "4F4B0D", {}},
                      HiddenCase{"HeaderOnly", "AA0111123456036709", {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TraceFormat, NamesEveryCommandInSerbian)
{
    const struct {
        int code;
        const char *title;
    } names[] = {{101, "читање реда заглавља"}, {104, "упис лога и лозинки"}, {107, "читање пореске стопе"},
                 {116, "упис артикла"},         {118, "упис оператера"},     {121, "крај дијалога"}};
    for (const auto &n : names)
        EXPECT_EQ(TraceFormat::commandTitle(n.code), QString::fromUtf8(n.title)) << n.code;
    for (int code = 101; code <= 121; ++code) {
        const QString title = TraceFormat::commandTitle(code);
        for (QChar c : title)
            EXPECT_TRUE(c.isSpace() || (c.unicode() >= 0x0400 && c.unicode() <= 0x04FF)) << code;
    }
    EXPECT_EQ(TraceFormat::commandTitle(105), QString());
}

} // namespace
