// SPDX-License-Identifier: GPL-3.0-or-later
// The time server's address as the configuration and Sync read it: exactly as written, a known
// scheme, a host, a port in 1..65535; anything else refused with a message quoting it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "settings/time_server_address.h"

namespace {

TEST(TimeServerAddress, ReadAsWritten) {
    // The address as "scheme host port target".
    const std::pair<const char*, const char*> good[] = {
        {"daytime://time.nist.gov", "daytime time.nist.gov 13 "},
        {"DAYTIME://127.0.0.1:1313/", "daytime 127.0.0.1 1313 "},
        {"http://127.0.0.1:65535", "http 127.0.0.1 65535 /"},
        {"http://example.org/now?fmt=nist#top", "http example.org 80 /now?fmt=nist"},
        {"http://x-1.example:8080?q", "http x-1.example 8080 /?q"},
        {"daytime://[::1]:13", "daytime ::1 13 "},
    };
    for (const auto& [text, read] : good) {
        const TTimeServerCheck check = CheckTimeServerAddress(text);
        ASSERT_TRUE(check.Address) << text << ": " << check.Problem;
        const TTimeServerAddress& a = *check.Address;
        EXPECT_EQ((a.Daytime ? "daytime " : "http ") + a.Host + " " + std::to_string(a.Port) + " " +
                      a.Target,
                  read);
    }
}

TEST(TimeServerAddress, RefusedWithTheSettingQuoted) {
    const std::pair<std::string, const char*> bad[] = {
        {"daytime://time.nist.gov:70000", "port must be a number from 1 to 65535"},
        {"daytime://time.nist.gov:0", "port must be a number from 1 to 65535"},
        {"daytime://time.nist.gov:", "port must be a number from 1 to 65535"},
        {"daytime://time.nist.gov ", "ends with a blank"},
        {" daytime://time.nist.gov", "begins with a blank"},
        {"daytime://time nist.gov", "holds a blank"},
        {"daytime://tíme.gov", "outside ASCII"},
        {"", "is empty"},
        {"https://time.gov/", "must begin with daytime:// or http://"},
        {"time.nist.gov", "must begin with daytime:// or http://"},
        {"http://", "names no host"},
        {"http://user@host/", "user name"},
        {"http://256.1.1.1/", "not a name or an address"},
        {"daytime://[zz]:13", "IPv6"},
        {"daytime://time.nist.gov/path", "takes no path"},
    };
    for (const auto& [text, why] : bad) {
        const TTimeServerCheck check = CheckTimeServerAddress(text);
        EXPECT_FALSE(check.Address) << text;
        EXPECT_THAT(check.Problem, testing::StartsWith("The time server \"" + text + "\" is not"));
        EXPECT_THAT(check.Problem, testing::HasSubstr(why)) << text;
    }
    // Control characters never reach the message; a long setting is cut.
    EXPECT_THAT(CheckTimeServerAddress("daytime://a\x1b[2J").Problem,
                testing::StartsWith("The time server \"daytime://a?[2J\""));
    EXPECT_THAT(CheckTimeServerAddress("http://" + std::string(300, 'a')).Problem,
                testing::StartsWith("The time server \"http://" + std::string(73, 'a') + "...\""));
}

} // namespace
