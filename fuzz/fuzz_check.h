// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A property that must hold for every input: a failure aborts, which libFuzzer reports as
// a crash and keeps the input.

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition);  \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
