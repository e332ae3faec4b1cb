// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "cli/csv_writer.h"

namespace {

// C's printf, the definition of the text the almanac promises.
std::string Printf17(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

double FromBits(std::uint64_t bits) {
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

TEST(CsvNumber, SameTextAsPrintfAcrossMagnitudes) {
    std::vector<double> values = {
        // Ties at the 17th digit (the 18th is an exact 5) round to the even digit.
        123456789012345.125, 123456789012345.375, -123456789012345.625, 12345678901234.0625,
        12345678901234.1875, 1.5, 2.5, 999999999999999.875,
        // Where the fixed-point digits begin and end.
        1.0, -1.0, 10.0, 1e14, 1e15, -1e15, std::nextafter(1.0, 0.0), std::nextafter(1e15, 0.0),
        std::nextafter(10.0, 0.0), std::nextafter(1e6, 0.0), std::nextafter(1e6, 2e6),
        // Small, large and odd values the general conversion handles.
        0.0, -0.0, 0.1, 0.25, -0.75, 1e-5, 5e-324, 1e16, 1e17, 1e300,
        std::numeric_limits<double>::max(), std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(),
        // Julian Days and lunation numbers as listings print them.
        2415021.0776708098, 2451550.09765, -1236.75, 2444289.5, 5373484.4999999991};
    std::mt19937_64 random(20261207);
    for (int i = 0; i < 200000; ++i) {
        // Any mantissa, binary exponents from 2^-20 to 2^60, both signs.
        const std::uint64_t mantissa = random() & ((std::uint64_t{1} << 52) - 1);
        const std::uint64_t exponent = 1023 - 20 + random() % 81;
        const std::uint64_t sign = static_cast<std::uint64_t>(i & 1) << 63;
        values.push_back(FromBits(sign | exponent << 52 | mantissa));
    }
    for (int i = 0; i < 20000; ++i) // Julian Days of ten thousand years, to the microsecond
        values.push_back(1721057.5 + static_cast<double>(random() % 3'652'425'000'000ULL) * 1e-6);
    int faults = 0;
    for (double value : values)
        if (FormatNumber(value) != Printf17(value) && ++faults < 10)
            ADD_FAILURE() << Printf17(value) << " written as " << FormatNumber(value);
    EXPECT_EQ(faults, 0);
    EXPECT_EQ(Printf17(std::nan("")), FormatNumber(std::nan("")));
}

TEST(CsvNumber, AppendedToARowAsWrittenAlone) {
    std::string row = "K,";
    AppendNumber(row, -1236.75);
    row += ',';
    AppendCsvField(row, "05:39  08 January 1900");
    row += ',';
    AppendCsvField(row, "say \"hi\", then go");
    EXPECT_EQ(row, "K,-1236.75,05:39  08 January 1900,\"say \"\"hi\"\", then go\"");
}

} // namespace
