#pragma once

#include <string>
#include <string_view>

// The text as one line for a terminal: control characters (line breaks, tabs, escape
// sequences) that an echoed argument, file name or stored value may carry are written as C
// escapes (\n, \t, \r, \xHH), so a message never spans two lines or moves the cursor.
[[nodiscard]] std::string MessageLine(std::string_view text);
