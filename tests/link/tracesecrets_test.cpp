// Passwords in the trace: hidden in the bytes column, the frame reading and
// the saved file, the checksums still judged on the real bytes.
#include "link/framesecrets.h"
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
    QString clear() const { return QLatin1String(f().passwordHex); }
};

TEST_P(PasswordInTrace, BytesColumnAndSavedFileHideThePasswordAndTheChecksums)
{
    TraceRecorder recorder([] { return qint64(1'765'270'800'000); });
    recorder.record(TraceKind::ReplyAccepted, bytes());
    EXPECT_EQ(TraceFormat::cell(recorder.at(0), TraceFormat::Bytes), f().hiddenHex(bad()));
    EXPECT_EQ(TraceFormat::cell(recorder.at(0), TraceFormat::Bytes, Secrets::Shown), TraceFormat::hex(bytes()));
    const QString file = TraceFormat::fileText({}, recorder);
    EXPECT_TRUE(file.contains(f().hiddenHex(bad()))) << file.toStdString();
    EXPECT_FALSE(file.contains(clear())) << file.toStdString();
}

TEST_P(PasswordInTrace, FrameReadingHidesThemAndStillJudgesTheChecksums)
{
    const QString mark = bad() ? QStringLiteral("погрешан") : QStringLiteral("исправан");
    const QString hidden = TraceFormat::decodeFrame(bytes());
    EXPECT_FALSE(hidden.contains(clear())) << hidden.toStdString();
    EXPECT_TRUE(hidden.contains(QStringLiteral("CRC1: •• %1\nCRC2: •• исправан").arg(mark))) << hidden.toStdString();
    EXPECT_FALSE(hidden.contains(QStringLiteral("треба"))) << hidden.toStdString();

    const QString shown = TraceFormat::decodeFrame(bytes(), Secrets::Shown);
    EXPECT_TRUE(shown.contains(clear())) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("CRC1: %1 %2").arg(TraceFormat::hex(bytes().mid(f().crc1At(), 1)), mark)));
    EXPECT_EQ(shown.contains(QStringLiteral("треба")), bad());
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
                      HiddenCase{"LogoRecordWriteReplyEmpty", "AA011112345603680000000D", {}},
                      HiddenCase{"TextOutsideFrames", "4F4B0D", {}},
                      HiddenCase{"HeaderOnly", "AA0111123456036709", {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TraceFormat, NamesTheCommandsInSerbian)
{
    for (const auto &[code, title] : {std::pair{101, "читање реда заглавља"}, {104, "упис лога и лозинки"},
                                      {107, "читање пореске стопе"}, {118, "упис оператера"}, {121, "крај дијалога"}})
        EXPECT_EQ(TraceFormat::commandTitle(code), QString::fromUtf8(title)) << code;
    EXPECT_EQ(TraceFormat::commandTitle(105), QString());
}

} // namespace
