// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Terms of the instant of greatest lunar eclipse (Meeus, Astronomical Algorithms, ch. 54):
// coefficient in days times the sine of M*M + Mp*M' + F1*F1 + Om*Omega + A1*A1, times E
// when EFactor is set.
struct TEclipseTerm {
    int M;
    int Mp;
    int F1;
    int Om;
    int A1;
    double Coefficient;
    bool EFactor;
};

inline constexpr TEclipseTerm EclipseMaximumTerms[] = {
    {0, 1, 0, 0, 0, -0.4065, false},  // M'
    {1, 0, 0, 0, 0, +0.1727, true},   // M
    {0, 2, 0, 0, 0, +0.0161, false},  // 2M'
    {0, 0, 2, 0, 0, -0.0097, false},  // 2F1
    {-1, 1, 0, 0, 0, +0.0073, true},  // M' - M
    {1, 1, 0, 0, 0, -0.0050, true},   // M' + M
    {0, 1, -2, 0, 0, -0.0023, false}, // M' - 2F1
    {2, 0, 0, 0, 0, +0.0021, true},   // 2M
    {0, 1, 2, 0, 0, +0.0012, false},  // M' + 2F1
    {1, 2, 0, 0, 0, +0.0006, true},   // 2M' + M
    {0, 3, 0, 0, 0, -0.0004, false},  // 3M'
    {1, 0, 2, 0, 0, -0.0003, true},   // M + 2F1
    {0, 0, 0, 0, 1, +0.0003, false},  // A1
    {1, 0, -2, 0, 0, -0.0002, true},  // M - 2F1
    {-1, 2, 0, 0, 0, -0.0002, true},  // 2M' - M
    {0, 0, 0, 1, 0, -0.0002, false},  // Omega
};
