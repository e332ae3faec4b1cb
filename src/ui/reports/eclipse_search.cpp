#include "ui/reports/eclipse_search.h"

#include <algorithm>
#include <future>
#include <thread>

#include "engine/eclipse_search.h"

namespace {

// Below this many years one thread answers at once; above it the span is shared out.
constexpr int YearsPerThreadAtLeast = 500;

} // namespace

std::vector<EclipseCircumstances> EclipsesInYears(int from, int to, const TObserver& observer) {
    from = std::max(from, FirstSearchYear);
    to = std::min(to, LastSearchYear);
    const int years = to - from + 1;
    const int threads = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 4);
    const int parts = std::clamp(years / YearsPerThreadAtLeast, 1, threads);
    if (parts == 1) return LunarEclipsesInYears(from, to, observer);
    // The engine's search is a pure function of its span: consecutive spans searched on their
    // own add up to the whole, in order.
    std::vector<std::future<std::vector<EclipseCircumstances>>> pieces;
    for (int i = 0; i < parts; ++i) {
        const int first = from + years * i / parts;
        const int last = from + years * (i + 1) / parts - 1;
        pieces.push_back(std::async(std::launch::async, [first, last, &observer] {
            return LunarEclipsesInYears(first, last, observer);
        }));
    }
    std::vector<EclipseCircumstances> found;
    for (auto& piece : pieces) {
        std::vector<EclipseCircumstances> part = piece.get();
        found.insert(found.end(), std::make_move_iterator(part.begin()),
                     std::make_move_iterator(part.end()));
    }
    return found;
}
