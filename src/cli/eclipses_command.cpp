#include <string>
#include <string_view>
#include <vector>

#include "cli/almanac_commands.h"
#include "cli/csv_writer.h"
#include "engine/eclipse_search.h"
#include "engine/lunar_eclipse.h"

namespace {

// A row is about 250 bytes.
constexpr size_t RowBytes = 256;

// A contact's time text, empty where an eclipse of this type has no such contact.
std::string_view ContactText(const EclipseCircumstances& e, int contact, const std::string& text) {
    return e.Contacts[contact] != 0.0 ? std::string_view(text) : std::string_view();
}

void AppendRow(std::string& text, const EclipseCircumstances& e) {
    text += std::to_string(e.EclipseType);
    for (const std::string_view field :
         {std::string_view(e.DateText), std::string_view(e.MaxTime),
          ContactText(e, ContactP1, e.PenStart), ContactText(e, ContactU1, e.UmbStart),
          ContactText(e, ContactU2, e.TotStart), ContactText(e, ContactU3, e.TotEnd),
          ContactText(e, ContactU4, e.UmbEnd), ContactText(e, ContactP4, e.PenEnd)}) {
        text += ',';
        AppendCsvField(text, field);
    }
    for (const double number : {e.UmbralMag, e.PenumbralMag, e.Gamma}) {
        text += ',';
        AppendNumber(text, number);
    }
    text += ',';
    AppendCsvField(text, e.Visibility);
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
