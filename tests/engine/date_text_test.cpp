// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "engine/regional_names.h"
#include "engine/text_helpers.h"

namespace {

// Regional names replaced for one test and put back afterwards.
class DateText : public testing::Test {
  protected:
    void TearDown() override { SetRegionalNames(EnglishNames()); }
};

TEST_F(DateText, RegionalMonthNamesCutToSixtyBytes) {
    TRegionalNames names = EnglishNames();
    names.LongMonthNames[2] = std::string(70, 'm');
    names.LongMonthNames[7] = "août";
    SetRegionalNames(names);
    const TDateRec date = MakeDate(1977, 3, 9, 21, 5, 30);
    // "21:05:30  09 " is 13 bytes; the month fills the rest of the 60.
    EXPECT_EQ(DateTimeText(date), "21:05:30  09 " + std::string(47, 'm'));
    EXPECT_EQ(DateTimeTextNoSeconds(date), "21:05  09 " + std::string(47, 'm'));
    EXPECT_EQ(DateTimeText(MakeDate(65535, 8, 1, 23, 0, 0)), "23:00:00  01 août 65535");
    // Appended one after another to the same text.
    std::string text = "at ";
    AppendDateTimeTextNoSeconds(text, MakeDate(9, 8, 31, 0, 59, 59));
    AppendDateTimeTextNoSeconds(text, MakeDate(2026, 12, 7, 6, 5, 0));
    EXPECT_EQ(text, "at 00:59  31 août 906:05  07 December 2026");
}

} // namespace
