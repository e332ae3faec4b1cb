// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The features offered to the terminator list, read from the chosen feature files.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "features/feature_file.h"

// A feature offered to the list, and the feature file's display name it comes from.
struct TTerminatorCandidate : TFeature {
    std::string File;
};

struct TTerminatorCandidates {
    std::vector<TTerminatorCandidate> Features;
    std::vector<TFeatureFileLoad> Unloaded; // files asked for and not loaded, and why
};

// The feature files' display names, in the order of every file list.
[[nodiscard]] std::vector<std::string> FeatureFileDisplayNames();

// Whether a name is one of the feature files' display names ("Craters", "Landing Sites" ...).
[[nodiscard]] bool IsFeatureFileName(std::string_view name);

// Every feature of the named files (display names such as "Craters").
[[nodiscard]] TTerminatorCandidates
LoadTerminatorCandidates(const std::vector<std::string>& files,
                         const std::filesystem::path& dataFolder);
