#include "ui/reports/eclipse_search.h"

#include <algorithm>

#include "engine/phases.h"

std::vector<EclipseCircumstances> EclipsesInYears(int from, int to, const TObserver& observer) {
    std::vector<EclipseCircumstances> found;
    from = std::max(from, FirstSearchYear);
    to = std::min(to, LastSearchYear);
    for (int year = from; year <= to; ++year) {
        for (int month = 1; month <= 12; ++month) {
            TPhaseList phases;
            const int count = MonthPhases(MakeDate(year, month, 1), observer, phases);
            for (EclipseCircumstances& e : MonthEclipses(phases, count, year, observer))
                found.push_back(std::move(e));
        }
    }
    return found;
}
