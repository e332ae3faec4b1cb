// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include "cli/almanac_commands.h"
#include "cli/csv_writer.h"
#include "engine/almanac_text.h"
#include "engine/eclipse_search.h"
#include "engine/lunar_eclipse.h"

namespace {

// A row is about 250 bytes.
constexpr size_t RowBytes = 256;

void AppendRow(std::string& text, const EclipseCircumstances& e) {
    text += std::to_string(static_cast<int>(e.Type));
    text += ',';
    AppendCsvField(text, EclipseDateText(e));
    for (const int contact :
         {ContactMax, ContactP1, ContactU1, ContactU2, ContactU3, ContactU4, ContactP4}) {
        text += ',';
        AppendCsvField(text, EclipseContactText(e, contact));
    }
    for (const double number : {e.UmbralMag, e.PenumbralMag, e.Gamma}) {
        text += ',';
        AppendNumber(text, number);
    }
    text += ',';
    AppendCsvField(text, EclipseVisibilityText(e.Visibility));
    for (const double contact : e.Contacts) {
        text += ',';
        AppendNumber(text, contact);
    }
    text += '\n';
}

} // namespace

int RunEclipses(const TAlmanacArgs& args, std::ostream& out) {
    int first = 0;
    int last = 0;
    ParseYearRange(args, first, last, true);
    WriteCsvRow(out, {"EclipseType",  "DateText",   "MaxTime",    "PenStart",  "UmbStart",
                      "TotStart",     "TotEnd",     "UmbEnd",     "PenEnd",    "UmbralMag",
                      "PenumbralMag", "Gamma",      "Visibility", "ContactP1", "ContactU1",
                      "ContactU2",    "ContactMax", "ContactU3",  "ContactU4", "ContactP4"});
    const std::vector<EclipseCircumstances> found =
        LunarEclipsesInYears(first, last, args.Observer);
    std::string text;
    text.reserve(RowBytes * found.size());
    for (const EclipseCircumstances& e : found)
        AppendRow(text, e);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return 0;
}
