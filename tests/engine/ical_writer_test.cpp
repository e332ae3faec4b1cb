// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "engine/ical_writer.h"

namespace {

// The physical lines of a folded text, each checked for its CRLF.
std::vector<std::string> Lines(const std::string& folded) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < folded.size()) {
        const size_t end = folded.find("\r\n", at);
        EXPECT_NE(end, std::string::npos) << "no CRLF after " << folded.substr(at);
        if (end == std::string::npos) break;
        lines.push_back(folded.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

TEST(CalendarText, FoldingKeepsLinesWithin75OctetsAndNeverSplitsACharacter) {
    // Two-, three- and four-octet characters at every offset against the fold.
    for (const std::string ch : {"\u00B0", "\u2013", "\U0001F315"}) {
        for (size_t pad = 0; pad < 5; ++pad) {
            const std::string line = "DESCRIPTION:" + std::string(pad, 'x') + [&] {
                std::string s;
                for (int i = 0; i < 60; ++i)
                    s += ch;
                return s;
            }();
            const std::vector<std::string> lines = Lines(FoldCalendarLine(line));
            std::string unfolded;
            for (size_t i = 0; i < lines.size(); ++i) {
                EXPECT_LE(lines[i].size(), 75u) << i;
                const std::string piece = i == 0 ? lines[i] : lines[i].substr(1);
                if (i > 0) {
                    EXPECT_EQ(lines[i][0], ' ');
                    // A piece starts on a character's first octet.
                    EXPECT_NE(static_cast<unsigned char>(piece[0]) & 0xC0, 0x80) << i;
                }
                // No line falls short of 75 by more than the character that did not fit.
                if (i + 1 < lines.size()) {
                    EXPECT_GT(lines[i].size() + ch.size(), 75u) << i;
                }
                unfolded += piece;
            }
            EXPECT_EQ(unfolded, line);
        }
    }
    // Exactly 75 octets stay one line; 76 make two.
    EXPECT_EQ(Lines(FoldCalendarLine(std::string(75, 'a'))).size(), 1u);
    EXPECT_EQ(Lines(FoldCalendarLine(std::string(76, 'a'))).size(), 2u);
    EXPECT_EQ(FoldCalendarLine(""), "\r\n");
}

TEST(CalendarText, TextValuesEscapedAsTheRfcSays) {
    EXPECT_EQ(EscapeCalendarText("a\\b;c,d\ne\r\nf\rg"), "a\\\\b\\;c\\,d\\ne\\nf\\ng");
    EXPECT_EQ(EscapeCalendarText(std::string("bell\x07 tab\tend")), "bell tab\tend");
    EXPECT_EQ(EscapeCalendarText("51.48\u00B0 N: Hunter's Moon"), "51.48\u00B0 N: Hunter's Moon");
}

TEST(CalendarText, EventsWithUtcTimesAndAnEndAfterTheStart) {
    TCalendarEvent e;
    e.Uid = "full-moon-20261231T2359Z@tidewell";
    e.Start = MakeDate(2026, 12, 31, 23, 59, 40); // seconds are dropped
    e.Summary = "Full Moon (Cold Moon)";
    e.Description = "one\ntwo";
    const std::string text = CalendarText({e}, "Tidewell 2026", MakeDate(2026, 12, 7, 13, 5));
    for (const char* line :
         {"BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tidewell//Tidewell V2.62//EN\r\n",
          "X-WR-CALNAME:Tidewell 2026\r\n", "DTSTAMP:20261207T130500Z\r\n",
          "DTSTART:20261231T235900Z\r\n", "DTEND:20270101T000000Z\r\n", "DESCRIPTION:one\\ntwo\r\n",
          "END:VEVENT\r\nEND:VCALENDAR\r\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
}

} // namespace
