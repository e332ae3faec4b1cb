// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// Numbers for machine reading: 17 significant digits, enough to read the double back exactly.
[[nodiscard]] std::string FormatNumber(double value);

// One CSV field, quoted when it holds a comma, a quote or a line break.
[[nodiscard]] std::string CsvField(std::string_view text);

// The same texts appended to a row being built, for listings long enough that a string per
// field counts: a number as FormatNumber writes it, a field as CsvField quotes it.
void AppendNumber(std::string& row, double value);
void AppendCsvField(std::string& row, std::string_view text);

// The fields joined by commas and ended by a line break, written at once.
void WriteCsvRow(std::ostream& out, const std::vector<std::string>& fields);
