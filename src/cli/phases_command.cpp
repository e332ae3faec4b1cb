#include <algorithm>
#include <future>

#include "cli/almanac_commands.h"
#include "cli/csv_writer.h"
#include "engine/phases.h"
#include "engine/text_helpers.h"

namespace {

// A row is at most 60 bytes ("-1236.75,3,2415027.7360546035,05:39  08 September 1900"),
// and a year has at most 51 rows (four phases a synodic month of 29.53 days).
constexpr size_t RowBytes = 60;
constexpr size_t YearRows = 51;

// Years listed at a time: the phases of a block are made, written and let go, so the list of
// a whole span is never held.
constexpr int YearsPerBlock = 8;

// Below this many years a second thread costs more than it saves (a year is 0.1 ms).
constexpr int YearsWorthAThread = 20;

void Write(std::ostream& out, const std::string& text) {
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

// One row: the numbers, and the date text as TPhaseEntry::Text has it, made in dateText.
void AppendRow(std::string& text, const TPhaseInstant& phase, std::string& dateText) {
    AppendNumber(text, phase.K);
    text += ',';
    text += static_cast<char>('0' + phase.PhaseType);
    text += ',';
    AppendNumber(text, phase.JDLocal);
    text += ',';
    dateText.clear();
    AppendDateTimeTextNoSeconds(dateText, JDToDate(phase.JDLocal));
    AppendCsvField(text, dateText);
    text += '\n';
}

// The phases of the years as CSV rows in one text.
std::string PhaseRows(int first, int last, const TObserver& observer) {
    std::string text;
    text.reserve(RowBytes * YearRows * static_cast<size_t>(last - first + 1));
    std::string dateText;
    for (int from = first; from <= last; from += YearsPerBlock)
        for (const TPhaseInstant& phase :
             PhaseInstantsInYears(from, std::min(from + YearsPerBlock - 1, last), observer))
            AppendRow(text, phase, dateText);
    return text;
}

} // namespace

int RunPhases(const TAlmanacArgs& args, std::ostream& out) {
    int first = 0;
    int last = 0;
    ParseYearRange(args, first, last);
    out << "K,PhaseType,JDLocal,Text\n";
    if (last - first + 1 < YearsWorthAThread) {
        Write(out, PhaseRows(first, last, args.Observer));
        return 0;
    }
    // A long span is made in two halves side by side, the later one on a second thread. Each
    // phase depends on its lunation number alone and the years' lists follow each other, so
    // the halves one after the other are the whole span's list.
    const int middle = first + (last - first + 1) / 2;
    std::future<std::string> later =
        std::async(std::launch::async, PhaseRows, middle, last, std::cref(args.Observer));
    Write(out, PhaseRows(first, middle - 1, args.Observer));
    Write(out, later.get());
    return 0;
}
