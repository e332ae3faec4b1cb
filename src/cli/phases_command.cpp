// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "cli/almanac_commands.h"
#include "cli/csv_writer.h"
#include "engine/phases.h"
#include "engine/side_by_side.h"
#include "engine/text_helpers.h"

namespace {

// A row is at most 60 bytes ("-1236.75,3,2415027.7360546035,05:39  08 September 1900"),
// and a year has at most 51 rows (four phases a synodic month of 29.53 days).
constexpr size_t RowBytes = 60;
constexpr size_t YearRows = 51;

// Years listed at a time: the phases of a block are made, turned into rows and let go, so
// the list of a whole span is never held. Blocks are made side by side from
// YearsWorthAThread years on; below that a second thread costs more than it saves (a year is
// 0.05 ms).
constexpr int YearsPerBlock = 8;
constexpr int YearsWorthAThread = 20;

void Write(std::ostream& out, const std::string& text) {
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

// One row: the numbers, and the date text as TPhaseEntry::Text has it, made in dateText.
void AppendRow(std::string& text, const TPhaseInstant& phase, std::string& dateText) {
    AppendNumber(text, phase.K);
    text += ',';
    text += static_cast<char>('0' + PhaseTypeNumber(phase.PhaseType));
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
    for (const TPhaseInstant& phase : PhaseInstantsInYears(first, last, observer))
        AppendRow(text, phase, dateText);
    return text;
}

} // namespace

int RunPhases(const TAlmanacArgs& args, std::ostream& out) {
    int first = 0;
    int last = 0;
    ParseYearRange(args, first, last);
    out << "K,PhaseType,JDLocal,Text\n";
    const int years = last - first + 1;
    if (years < YearsWorthAThread) {
        Write(out, PhaseRows(first, last, args.Observer));
        return 0;
    }
    // Each phase depends on its lunation number alone and the blocks' lists follow each
    // other, so the blocks one after the other are the whole span's list.
    const int blocks = (years + YearsPerBlock - 1) / YearsPerBlock;
    for (const std::string& rows : PiecesSideBySide(blocks, [&](int i) {
             const int from = first + i * YearsPerBlock;
             return PhaseRows(from, std::min(from + YearsPerBlock - 1, last), args.Observer);
         }))
        Write(out, rows);
    return 0;
}
