#include "app/headerstrip.h"
#include "vilaronversion.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

TEST(Version, GeneratedFromTheProjectVersion)
{
    EXPECT_STREQ(VilaronVersion, PROJECT_VERSION_TEXT);
}

TEST(Version, ShownInTheHeaderStrip)
{
    HeaderStrip strip;
    auto *label = strip.findChild<QLabel *>(QStringLiteral("lblVersion"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("верзија ") + QStringLiteral(PROJECT_VERSION_TEXT));
    // The title line keeps its own text.
    auto *title = strip.findChild<QLabel *>(QStringLiteral("lblNaslov"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), QStringLiteral("Параметризација фискалне касе \"Виларон\""));
}

} // namespace
