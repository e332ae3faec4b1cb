#include "features/terminator_candidate.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "features/feature_file.h"
#include "features/feature_times.h"

namespace {

double DiameterOf(const std::string& cell) {
    double value = 0.0;
    const char* last = cell.data() + cell.size();
    const auto [end, error] = std::from_chars(cell.data(), last, value);
    return error == std::errc() && end == last && std::isfinite(value) ? value : std::nan("");
}

} // namespace

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
        for (const TFeatureRow& row : table.Rows)
            if (const auto at = FeaturePositionOf(row))
                candidates.Features.push_back({row[FeatureName], file, at->LatitudeDeg,
                                               at->LongitudeDeg, DiameterOf(row[FeatureDiameter])});
    }
    return candidates;
}
