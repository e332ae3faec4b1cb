#pragma once

#include <ostream>
#include <string>
#include <vector>

// Numbers for machine reading: 17 significant digits, enough to read the double back exactly.
[[nodiscard]] std::string FormatNumber(double value);

// One CSV field, quoted when it holds a comma, a quote or a line break.
[[nodiscard]] std::string CsvField(const std::string& text);

void WriteCsvRow(std::ostream& out, const std::vector<std::string>& fields);
