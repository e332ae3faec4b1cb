// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The single-byte code page of the feature data files.

// Decodes Windows-1252 bytes to UTF-8. The five byte values the code page leaves
// unassigned become U+FFFD; NUL bytes are dropped.
[[nodiscard]] std::string Windows1252ToUtf8(std::string_view bytes);

// Encodes UTF-8 text to Windows-1252. Letters outside the code page lose their accents
// ("ā" gives "a", "č" gives "c"), combining marks are dropped, a few punctuation marks
// take their nearest form, anything else (and malformed UTF-8) becomes "?".
[[nodiscard]] std::string Utf8ToWindows1252(std::string_view text);
