// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/csv_writer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

bool NeedsQuotes(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; });
}

constexpr int Digits = 17;

// "00", "01", .. "99" one after the other.
constexpr std::array<char, 200> DigitPairs = [] {
    std::array<char, 200> pairs{};
    for (size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// 10^0 .. 10^16, exact both as integers and as doubles.
constexpr std::array<std::uint64_t, Digits> PowersOfTen = [] {
    std::array<std::uint64_t, Digits> powers{};
    std::uint64_t p = 1;
    for (std::uint64_t& power : powers) {
        power = p;
        p *= 10;
    }
    return powers;
}();

// mantissa * 2^-shift * 10^places rounded to the nearest integer, ties to even, as printf
// rounds; shift is 1..63 and the product below 2^127.
std::uint64_t ScaledRounded(std::uint64_t mantissa, int shift, int places) {
    const unsigned __int128 scaled =
        static_cast<unsigned __int128>(mantissa) * PowersOfTen[static_cast<size_t>(places)];
    const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
    const unsigned __int128 rest = scaled & ((half << 1) - 1);
    auto rounded = static_cast<std::uint64_t>(scaled >> shift);
    if (rest > half || (rest == half && (rounded & 1) != 0)) ++rounded;
    return rounded;
}

// "%.17g" of a value with 1 <= |value| < 10^15, the range of the almanac's Julian Days and
// lunation numbers, where it is the 17 significant digits in fixed notation without trailing
// zeros. Works from the exact binary value in integers; returns false outside that range.
bool AppendFixed17(std::string& row, double value) {
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1.0 && magnitude < 1e15)) return false;
    // |value| = mantissa * 2^-shift exactly; shift is 3..52 in this range.
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int shift = 1075 - static_cast<int>(bits >> 52);
    const std::uint64_t mantissa =
        (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    // Digits before the point: 10^(intDigits - 1) <= |value|.
    int intDigits = 1;
    while (magnitude >= static_cast<double>(PowersOfTen[static_cast<size_t>(intDigits)]))
        ++intDigits;
    const std::uint64_t digits = ScaledRounded(mantissa, shift, Digits - intDigits);
    // 17 digits tell every double apart, so none below 10^k rounds up to it; should one do so
    // all the same, the general conversion writes it.
    if (digits >= PowersOfTen[Digits - 1] * 10) return false;
    // The 17 digits: the last eight and the eight before them in 32-bit arithmetic, two at a
    // time from a table.
    char text[Digits];
    auto low = static_cast<std::uint32_t>(digits % 100'000'000);
    auto middle = static_cast<std::uint32_t>(digits / 100'000'000 % 100'000'000);
    text[0] = static_cast<char>('0' + digits / 10'000'000'000'000'000);
    for (int i = 7; i > 0; i -= 2, low /= 100, middle /= 100) {
        std::copy_n(&DigitPairs[2 * (low % 100)], 2, &text[i + 8]);
        std::copy_n(&DigitPairs[2 * (middle % 100)], 2, &text[i]);
    }
    int end = Digits;
    while (end > intDigits && text[end - 1] == '0')
        --end;
    if (value < 0) row += '-';
    row.append(text, static_cast<size_t>(intDigits));
    if (end > intDigits) {
        row += '.';
        row.append(text + intDigits, static_cast<size_t>(end - intDigits));
    }
    return true;
}

} // namespace

// The text of printf's "%.17g". A long listing's numbers take the integer path above, which
// costs a tenth of the general conversion; the rest go through std::to_chars (defined by a
// precision as printf's conversion), without printf's format parsing.
void AppendNumber(std::string& row, double value) {
    if (AppendFixed17(row, value)) return;
    char buffer[40];
    const std::to_chars_result end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, Digits);
    row.append(buffer, end.ptr);
}

std::string FormatNumber(double value) {
    std::string text;
    AppendNumber(text, value);
    return text;
}

void AppendCsvField(std::string& row, std::string_view text) {
    if (!NeedsQuotes(text)) {
        row += text;
        return;
    }
    row += '"';
    for (char c : text) {
        if (c == '"') row += '"';
        row += c;
    }
    row += '"';
}

std::string CsvField(std::string_view text) {
    std::string field;
    AppendCsvField(field, text);
    return field;
}

void WriteCsvRow(std::ostream& out, const std::vector<std::string>& fields) {
    std::string row;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i) row += ',';
        AppendCsvField(row, fields[i]);
    }
    row += '\n';
    out.write(row.data(), static_cast<std::streamsize>(row.size()));
}
