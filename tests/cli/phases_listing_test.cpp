// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "almanac_run.h"

namespace {

// A long listing is made a few years at a time, the blocks side by side; whatever the
// seams, it must be the single years' listings one after the other, each once.
TEST(AlmanacPhases, LongListingIsItsYearsOneAfterAnother) {
    for (const std::string zone : {"0", "-570", "765"}) {
        SCOPED_TRACE("zone " + zone);
        const TRun whole = Almanac({"--zone", zone, "phases", "1890", "2110"});
        ASSERT_EQ(whole.Status, 0) << whole.Err;
        ASSERT_FALSE(whole.Lines.empty());
        std::string joined = whole.Lines[0] + "\n";
        for (int year = 1890; year <= 2110; ++year) {
            const TRun one = Almanac({"--zone", zone, "phases", std::to_string(year)});
            ASSERT_EQ(one.Status, 0) << one.Err;
            joined += one.Out.substr(one.Out.find('\n') + 1);
        }
        EXPECT_EQ(whole.Out, joined);
        // Row after row the next quarter of a lunation (Meeus, ch. 49): four phases a synodic
        // month of 29.530589 days over the 221 years.
        double previous = 0.0;
        for (size_t i = 1; i < whole.Lines.size(); ++i) {
            const double k = std::stod(SplitCsv(whole.Lines[i]).at(0));
            if (i > 1) {
                ASSERT_EQ(k, previous + 0.25) << whole.Lines[i];
            }
            previous = k;
        }
        EXPECT_NEAR(static_cast<double>(whole.Lines.size() - 1), 221 * 365.2425 / 29.530589 * 4,
                    4.0);
    }
}

} // namespace
