#include "ui/reports/eclipse_search.h"

#include <algorithm>

#include "engine/eclipse_search.h"

std::vector<EclipseCircumstances> EclipsesInYears(int from, int to, const TObserver& observer) {
    return LunarEclipsesInYears(std::max(from, FirstSearchYear), std::min(to, LastSearchYear),
                                observer);
}
