// SPDX-License-Identifier: GPL-3.0-or-later
#include "features/terminator_candidate.h"

#include <algorithm>

#include "features/feature_file.h"

std::vector<std::string> FeatureFileDisplayNames() {
    return {FeatureFileNames.begin(), FeatureFileNames.end()};
}

bool IsFeatureFileName(std::string_view name) {
    return std::find(FeatureFileNames.begin(), FeatureFileNames.end(), name) !=
           FeatureFileNames.end();
}

TTerminatorCandidates LoadTerminatorCandidates(const std::vector<std::string>& files,
                                               const std::filesystem::path& dataFolder) {
    TTerminatorCandidates candidates;
    for (const std::string& file : files) {
        TFeatureTable table;
        TFeatureFileLoad load = LoadFeatureFile(table, file, dataFolder);
        if (load != TFeatureFileStatus::Loaded) {
            candidates.Unloaded.push_back(std::move(load));
            continue;
        }
        for (TFeature& feature : table.Features)
            candidates.Features.push_back({std::move(feature), file});
    }
    return candidates;
}
