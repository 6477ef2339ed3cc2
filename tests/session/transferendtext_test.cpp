// The status line after a transfer that did not complete.
#include "session/transferendtext.h"

#include <gtest/gtest.h>

namespace {

struct EndCase {
    const char *outcome;
    int record;
    const char *text;
};

class EndText : public ::testing::TestWithParam<EndCase> {};

TEST_P(EndText, SaysWhatHappenedAndWhere)
{
    const EndCase c = GetParam();
    EXPECT_EQ(TransferEndText::forOutcome(QString::fromLatin1(c.outcome), c.record), QString::fromUtf8(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, EndText,
    ::testing::Values(EndCase{"Cancelled", 634, "Пренос прекинут код записа 634."},
                      EndCase{"Refused", 4, "Унос отказан: грешка у подацима, ред 4."},
                      EndCase{"NoReply", 12, "Пренос прекинут: каса не одговара, код записа 12."},
                      EndCase{"PortLost", 1, "Пренос прекинут: веза са касом је изгубљена, код записа 1."},
                      EndCase{"Failed", 3, "Пренос прекинут због грешке, код записа 3."},
                      // One request without records (the passwords).
                      EndCase{"Cancelled", 0, "Пренос прекинут."},
                      EndCase{"NoReply", 0, "Пренос прекинут: каса не одговара."},
                      // A completed transfer keeps the family's own text.
                      EndCase{"Completed", 8, ""}, EndCase{"", 8, ""}));

} // namespace
