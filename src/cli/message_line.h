// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The text as one line for a terminal: control characters (line breaks, tabs, escape
// sequences, DEL and the C1 controls U+0080..U+009F) that an echoed argument, file name or
// stored value may carry, and bytes that are not UTF-8, are written as C escapes (\n, \t, \r,
// \xHH for each of their bytes), so a message never spans two lines, moves the cursor or
// hands the terminal a broken character.
[[nodiscard]] std::string MessageLine(std::string_view text);

// An argument as an error line quotes it: in single quotes, its first MaxQuotedCharacters
// characters followed by "..." when it is longer (a byte that is not UTF-8 counts as one).
inline constexpr int MaxQuotedCharacters = 80;
[[nodiscard]] std::string QuotedArgument(std::string_view word);
