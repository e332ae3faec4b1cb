#include "ui/reports/eclipse_search.h"

#include <algorithm>

#include "engine/eclipse_search.h"

std::vector<EclipseCircumstances> EclipsesInYears(int from, int to, const TObserver& observer) {
    from = std::max(from, FirstSearchYear);
    to = std::min(to, LastSearchYear);
    return LunarEclipsesInYears(from, to, observer);
}
