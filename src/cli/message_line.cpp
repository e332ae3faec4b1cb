// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/message_line.h"

#include <algorithm>
#include <cstdio>

namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 character at `at` (RFC 3629: shortest form, no
// surrogates, nothing above U+10FFFF), or 0 when the byte there does not start one.
std::size_t CharacterLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (!IsContinuation(byte(i))) return 0;
    return length;
}

void AppendHexEscapes(std::string& line, std::string_view bytes) {
    for (const char c : bytes) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned char>(c));
        line += escape;
    }
}

// Whether a character must be escaped: C0 controls, DEL, and U+0080..U+009F (0xC2 0x80..0x9F).
bool IsControl(std::string_view character) {
    const auto lead = static_cast<unsigned char>(character[0]);
    if (character.size() == 1) return lead < 0x20 || lead == 0x7f;
    return character.size() == 2 && lead == 0xC2 &&
           static_cast<unsigned char>(character[1]) <= 0x9F;
}

} // namespace

std::string MessageLine(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = CharacterLength(text, at);
        const std::string_view character = text.substr(at, length == 0 ? 1 : length);
        at += character.size();
        if (character == "\n") {
            line += "\\n";
        } else if (character == "\t") {
            line += "\\t";
        } else if (character == "\r") {
            line += "\\r";
        } else if (length == 0 || IsControl(character)) {
            AppendHexEscapes(line, character);
        } else {
            line += character;
        }
    }
    return line;
}

std::string QuotedArgument(std::string_view word) {
    std::size_t end = 0;
    for (int count = 0; end < word.size() && count < MaxQuotedCharacters; ++count)
        end += std::max<std::size_t>(1, CharacterLength(word, end));
    return "'" + std::string(word.substr(0, end)) + (end < word.size() ? "...'" : "'");
}
