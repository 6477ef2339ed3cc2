// The register mirror alone: what it keeps, for which register, and when it
// forgets.
#include "session/registermirror.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class Mirror : public ::testing::Test {
protected:
    void SetUp() override
    {
        mirror.setSerialNumberSource([this] { return serial; });
    }
    QString serial = QStringLiteral("004512");
    RegisterMirror mirror;
};

TEST_F(Mirror, KnowsNothingAtFirst)
{
    EXPECT_FALSE(mirror.known(QStringLiteral("articles"), 0));
    EXPECT_EQ(mirror.compare(QStringLiteral("articles"), 0, QByteArray("x")), RegisterMirror::State::Unknown);
    EXPECT_EQ(mirror.knownCount(QStringLiteral("articles")), 0);
}

TEST_F(Mirror, KeepsTheLastConfirmedBytesPerFamilyAndRecord)
{
    mirror.confirm(QStringLiteral("articles"), 7, QByteArray("old"));
    mirror.confirm(QStringLiteral("articles"), 7, QByteArray("new"));
    mirror.confirm(QStringLiteral("groups"), 7, QByteArray("group"));
    EXPECT_EQ(mirror.known(QStringLiteral("articles"), 7), QByteArray("new"));
    EXPECT_EQ(mirror.known(QStringLiteral("groups"), 7), QByteArray("group"));
    EXPECT_FALSE(mirror.known(QStringLiteral("articles"), 8));
    EXPECT_EQ(mirror.knownCount(QStringLiteral("articles")), 1);
}

struct CompareCase {
    const char *held;
    const char *table;
    RegisterMirror::State state;
};
class MirrorCompare : public Mirror, public ::testing::WithParamInterface<CompareCase> {};

TEST_P(MirrorCompare, ComparesTheTableBytesWithTheHeldBytes)
{
    mirror.confirm(QStringLiteral("taxes"), 2, QByteArray(GetParam().held));
    EXPECT_EQ(mirror.compare(QStringLiteral("taxes"), 2, QByteArray(GetParam().table)), GetParam().state);
}

INSTANTIATE_TEST_SUITE_P(Cases, MirrorCompare,
                         ::testing::Values(CompareCase{"abc", "abc", RegisterMirror::State::Equal},
                                           CompareCase{"abc", "abd", RegisterMirror::State::Differs},
                                           CompareCase{"abc", "ab", RegisterMirror::State::Differs},
                                           CompareCase{"", "", RegisterMirror::State::Equal}));

TEST_F(Mirror, AnotherSerialNumberStartsEmptyAndDoesNotComeBack)
{
    mirror.confirm(QStringLiteral("articles"), 1, QByteArray("a"));
    QSignalSpy changed(&mirror, &RegisterMirror::changed);
    serial = QStringLiteral("009999");
    EXPECT_FALSE(mirror.known(QStringLiteral("articles"), 1));
    EXPECT_EQ(changed.size(), 1);
    serial = QStringLiteral("004512");
    EXPECT_FALSE(mirror.known(QStringLiteral("articles"), 1)) << "only one register is known at a time";
}

TEST_F(Mirror, TheSameSerialNumberKeepsWhatIsKnown)
{
    mirror.confirm(QStringLiteral("articles"), 1, QByteArray("a"));
    serial = QStringLiteral("004512");
    EXPECT_EQ(mirror.known(QStringLiteral("articles"), 1), QByteArray("a"));
}

TEST_F(Mirror, ForgetEmptiesEveryFamily)
{
    mirror.confirm(QStringLiteral("articles"), 1, QByteArray("a"));
    mirror.confirm(QStringLiteral("logo"), 0, QByteArray("b"));
    QSignalSpy changed(&mirror, &RegisterMirror::changed);
    mirror.forget();
    EXPECT_FALSE(mirror.known(QStringLiteral("articles"), 1));
    EXPECT_FALSE(mirror.known(QStringLiteral("logo"), 0));
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed.at(0).at(0).toString(), QString());
}

TEST_F(Mirror, TellsOnlyRealChanges)
{
    QSignalSpy changed(&mirror, &RegisterMirror::changed);
    mirror.confirm(QStringLiteral("groups"), 3, QByteArray("g"));
    mirror.confirm(QStringLiteral("groups"), 3, QByteArray("g"));
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed.at(0).at(0).toString(), QStringLiteral("groups"));
}

} // namespace
