#include "protocol/commands.h"

#include <gtest/gtest.h>

TEST(Commands, DispatchOrderAndRequestLengths)
{
    // Code, request length (N + 12), restated from the protocol's table.
    const int expected[][2] = {{104, 21}, {103, 12}, {121, 12}, {101, 13}, {102, 32}, {115, 14},
                               {116, 68}, {111, 13}, {112, 37}, {107, 13}, {108, 17}, {113, 13},
                               {114, 34}, {119, 13}, {120, 40}, {117, 13}, {118, 36}};
    const auto &order = Commands::dispatchOrder();
    ASSERT_EQ(order.size(), 17u);
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(order[i].code, expected[i][0]) << i;
        EXPECT_EQ(order[i].requestDataLength + 12, expected[i][1]) << expected[i][0];
    }
}

TEST(Commands, FindOnlyKnowsTheSeventeen)
{
    int known = 0;
    for (int c = 0; c < 256; ++c)
        if (Commands::find(static_cast<std::uint8_t>(c)))
            ++known;
    EXPECT_EQ(known, 17);
    EXPECT_EQ(Commands::find(105), nullptr);
    ASSERT_NE(Commands::find(116), nullptr);
    EXPECT_EQ(Commands::find(116)->requestDataLength, 56);
}
