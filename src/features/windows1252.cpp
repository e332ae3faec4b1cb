// SPDX-License-Identifier: GPL-3.0-or-later
#include "features/windows1252.h"

#include <array>
#include <cstdint>

namespace {

constexpr char32_t Unassigned = 0xFFFD;

// Code points of the bytes 0x80..0x9F; the rest of the upper half is Latin-1.
constexpr std::array<char32_t, 32> UpperControls = {
    0x20AC,     Unassigned, 0x201A, 0x0192, 0x201E, 0x2026,     0x2020, 0x2021,
    0x02C6,     0x2030,     0x0160, 0x2039, 0x0152, Unassigned, 0x017D, Unassigned,
    Unassigned, 0x2018,     0x2019, 0x201C, 0x201D, 0x2022,     0x2013, 0x2014,
    0x02DC,     0x2122,     0x0161, 0x203A, 0x0153, Unassigned, 0x017E, 0x0178};

// Latin Extended-A, U+0100..U+017F, without accents.
constexpr std::string_view LatinExtendedA =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIiIiJjKkkLlLlLlLlLlNnNnNnnNnOoOoOoOoRrRrRr"
    "SsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The next code point of the UTF-8 text at `pos` (advanced past it); Unassigned when the
// sequence is malformed (then one byte is skipped).
char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(pos);
    int length = 0;
    char32_t c = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        c = lead & 0x07;
    } else {
        ++pos;
        return Unassigned;
    }
    if (pos + length > text.size()) {
        ++pos;
        return Unassigned;
    }
    for (int i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) {
            ++pos;
            return Unassigned;
        }
        c = (c << 6) | (byte(pos + i) & 0x3F);
    }
    pos += length;
    return c;
}

// The Windows-1252 text standing for one code point ("" for a combining mark).
std::string EncodeCodePoint(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return std::string(1, static_cast<char>(c));
    for (std::size_t i = 0; i < UpperControls.size(); ++i) {
        if (UpperControls[i] == c && c != Unassigned)
            return std::string(1, static_cast<char>(0x80 + i));
    }
    if (c >= 0x100 && c <= 0x17F) return std::string(1, LatinExtendedA[c - 0x100]);
    if (c >= 0x300 && c <= 0x36F) return {}; // combining diacritical marks
    if (c >= 0x2010 && c <= 0x2012) return "-";
    if (c == 0x2015) return "\x97";
    if (c == 0x2032) return "'";
    if (c == 0x2033) return "\"";
    return "?";
}

} // namespace

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<std::uint8_t>(ch);
        if (b == 0) continue;
        AppendUtf8(out, b >= 0x80 && b < 0xA0 ? UpperControls[b - 0x80] : char32_t{b});
    }
    return out;
}

std::string Utf8ToWindows1252(std::string_view text) {
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size())
        out += EncodeCodePoint(NextCodePoint(text, pos));
    return out;
}
