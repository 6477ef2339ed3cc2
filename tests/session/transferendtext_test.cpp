// The status line after a transfer that did not complete.
#include "session/transferendtext.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

using O = TransferOutcome;

struct EndCase {
    TransferOutcome outcome;
    std::optional<int> record; // as the family's table numbers it
    const char *text;
};

class EndText : public ::testing::TestWithParam<EndCase> {};

TEST_P(EndText, SaysWhatHappenedAndWhere)
{
    const EndCase c = GetParam();
    EXPECT_EQ(TransferEndText::forOutcome(c.outcome, c.record), QString::fromUtf8(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, EndText,
    ::testing::Values(EndCase{O::Cancelled, 634, "Пренос прекинут код записа 634."},
                      EndCase{O::Refused, 4, "Унос отказан: грешка у подацима, ред 4."},
                      EndCase{O::NoReply, 12, "Пренос прекинут: каса не одговара, код записа 12."},
                      EndCase{O::PortLost, 1, "Пренос прекинут: веза са касом је изгубљена, код записа 1."},
                      EndCase{O::Failed, 3, "Пренос прекинут због грешке, код записа 3."},
                      // Tables that number from 0 (groups, logo rows).
                      EndCase{O::Refused, 0, "Унос отказан: грешка у подацима, ред 0."},
                      EndCase{O::Cancelled, 0, "Пренос прекинут код записа 0."},
                      // One request without records (the passwords).
                      EndCase{O::Cancelled, std::nullopt, "Пренос прекинут."},
                      EndCase{O::NoReply, std::nullopt, "Пренос прекинут: каса не одговара."},
                      EndCase{O::Refused, std::nullopt, "Унос отказан: грешка у подацима."},
                      // A completed transfer keeps the family's own text; a port
                      // that never opened has its own message.
                      EndCase{O::Completed, 8, ""}, EndCase{O::PortFailed, std::nullopt, ""}));

} // namespace
