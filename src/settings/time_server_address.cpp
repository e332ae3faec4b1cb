// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/time_server_address.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::size_t MaxQuotedBytes = 80;

bool IsControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

bool IsBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The setting as a message quotes it: control characters shown as "?", a long text cut.
std::string Quoted(std::string_view text) {
    std::string shown(text.substr(0, MaxQuotedBytes));
    for (char& c : shown)
        if (IsControl(static_cast<unsigned char>(c))) c = '?';
    // Never end inside a UTF-8 character.
    if (text.size() > MaxQuotedBytes) {
        while (!shown.empty() && (static_cast<unsigned char>(shown.back()) & 0xC0) == 0x80)
            shown.pop_back();
        if (!shown.empty() && static_cast<unsigned char>(shown.back()) >= 0xC0) shown.pop_back();
        shown += "...";
    }
    return "\"" + shown + "\"";
}

TTimeServerCheck Refused(std::string_view text, const std::string& why) {
    return {std::nullopt, "The time server " + Quoted(text) + " is not a valid address: " + why +
                              ". Write daytime://host[:port] or http://host[:port]/path."};
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The dot-separated parts of a text (empty parts kept).
template <typename Check> bool EveryPart(std::string_view text, int& parts, Check&& check) {
    parts = 0;
    for (std::size_t from = 0;;) {
        const std::size_t dot = std::min(text.find('.', from), text.size());
        ++parts;
        if (!check(text.substr(from, dot - from))) return false;
        if (dot == text.size()) return true;
        from = dot + 1;
    }
}

// Four parts of 0..255.
bool IsIpv4(std::string_view host) {
    int parts = 0;
    return EveryPart(host, parts,
                     [](std::string_view part) {
                         return AllDigits(part) && part.size() <= 3 &&
                                std::stoi(std::string(part)) <= 255;
                     }) &&
           parts == 4;
}

// A host name (RFC 1123: labels of letters, digits and inner hyphens, 1..63 characters each,
// 253 in all); a name of digits and dots only must be an IPv4 address.
bool IsHostName(std::string_view host) {
    if (host.empty() || host.size() > 253) return false;
    if (std::all_of(host.begin(), host.end(),
                    [](char c) { return (c >= '0' && c <= '9') || c == '.'; }))
        return IsIpv4(host);
    int parts = 0;
    return EveryPart(host, parts, [](std::string_view label) {
        return !label.empty() && label.size() <= 63 && label.front() != '-' &&
               label.back() != '-' && std::all_of(label.begin(), label.end(), [](char c) {
                   return std::isalnum(static_cast<unsigned char>(c)) || c == '-';
               });
    });
}

// The inside of [...]: hexadecimal groups and colons (an IPv4 tail allowed).
bool IsIpv6(std::string_view host) {
    return host.size() >= 2 && host.size() <= 45 &&
           std::count(host.begin(), host.end(), ':') >= 2 &&
           std::all_of(host.begin(), host.end(), [](char c) {
               return std::isxdigit(static_cast<unsigned char>(c)) || c == ':' || c == '.';
           });
}

// Host and port of the authority ("host", "host:port", "[v6]:port") into the address, or why
// not.
std::string ReadAuthority(std::string_view authority, TTimeServerAddress& address) {
    if (authority.find('@') != std::string_view::npos) return "it holds a user name";
    std::string_view port;
    bool colon = false;
    if (!authority.empty() && authority.front() == '[') {
        const std::size_t close = authority.find(']');
        if (close == std::string_view::npos || !IsIpv6(authority.substr(1, close - 1)))
            return "its IPv6 address is not one";
        address.Host = std::string(authority.substr(1, close - 1));
        const std::string_view after = authority.substr(close + 1);
        if (!after.empty() && after.front() != ':') return "its host is not a name or an address";
        colon = !after.empty();
        if (colon) port = after.substr(1);
    } else {
        const std::size_t at = authority.find(':');
        address.Host = std::string(authority.substr(0, at));
        if (address.Host.empty()) return "it names no host";
        if (!IsHostName(address.Host)) return "its host is not a name or an address";
        colon = at != std::string_view::npos;
        if (colon) port = authority.substr(at + 1);
    }
    address.Port = address.Daytime ? DaytimePort : HttpPort;
    if (!colon) return {};
    if (!AllDigits(port) || port.size() > 5 || std::stoi(std::string(port)) < 1 ||
        std::stoi(std::string(port)) > 65535)
        return "its port must be a number from 1 to 65535";
    address.Port = std::stoi(std::string(port));
    return {};
}

} // namespace

TTimeServerCheck CheckTimeServerAddress(std::string_view text) {
    if (text.empty()) return Refused(text, "it is empty");
    if (IsBlank(static_cast<unsigned char>(text.front())))
        return Refused(text, "it begins with a blank");
    if (IsBlank(static_cast<unsigned char>(text.back())))
        return Refused(text, "it ends with a blank");
    if (std::any_of(text.begin(), text.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return IsBlank(byte) || IsControl(byte) || byte >= 0x80;
        }))
        return Refused(text, "it holds a blank, a control character or a letter outside ASCII");

    TTimeServerAddress address;
    std::string_view rest;
    if (StartsWithIgnoringCase(text, "daytime://")) {
        address.Daytime = true;
        rest = text.substr(10);
    } else if (StartsWithIgnoringCase(text, "http://")) {
        rest = text.substr(7);
    } else {
        return Refused(text, "it must begin with daytime:// or http://");
    }
    const std::size_t authorityEnd = std::min(rest.find_first_of("/?#"), rest.size());
    const std::string problem = ReadAuthority(rest.substr(0, authorityEnd), address);
    if (!problem.empty()) return Refused(text, problem);

    const std::string_view target = rest.substr(authorityEnd);
    if (address.Daytime && !target.empty() && target != "/")
        return Refused(text, "a daytime server takes no path");
    if (!address.Daytime) {
        address.Target = std::string(target.substr(0, target.find('#')));
        if (address.Target.empty() || address.Target.front() == '?') address.Target.insert(0, "/");
    }
    return {address, {}};
}
