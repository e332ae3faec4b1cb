// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The TimeServer setting: the address the clock's Sync asks for the time. Either
// daytime://host[:port], a server of the daytime protocol (RFC 867, TCP port 13 unless
// given), or http://host[:port][/path], a web page whose reply's first line is the time.
// Checked here once, for Sync and for the configuration screen alike.
//
//   const TTimeServerCheck check = CheckTimeServerAddress(settings.TimeServer);
//   if (!check.Address) ShowMessage(check.Problem);

#include <optional>
#include <string>
#include <string_view>

// The daytime protocol's TCP port (RFC 867), for daytime:// addresses without one.
inline constexpr int DaytimePort = 13;
inline constexpr int HttpPort = 80;

struct TTimeServerAddress {
    bool Daytime = false; // daytime:// rather than http://
    std::string Host;     // a name, an IPv4 address, or an IPv6 address without its brackets
    int Port = 0;         // as given, or the scheme's own
    std::string Target;   // http: the path and query to ask for, "/" when none
};

struct [[nodiscard]] TTimeServerCheck {
    std::optional<TTimeServerAddress> Address;
    std::string Problem; // when there is no Address: the message, quoting the setting
};

// Reads the address exactly as written: no blank at either end or inside, a known scheme
// (in any case), a host, a port 1..65535 when one is given, and for daytime nothing after
// the host and port but an optional "/".
[[nodiscard]] TTimeServerCheck CheckTimeServerAddress(std::string_view text);
