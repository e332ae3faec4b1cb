#include "cli/almanac_commands.h"
#include "cli/csv_writer.h"
#include "engine/eclipse_search.h"
#include "engine/lunar_eclipse.h"

namespace {

// A contact's time text, empty where an eclipse of this type has no such contact.
std::string ContactText(const EclipseCircumstances& e, int contact, const std::string& text) {
    return e.Contacts[contact] != 0.0 ? text : std::string();
}

std::vector<std::string> EclipseRow(const EclipseCircumstances& e) {
    std::vector<std::string> row = {std::to_string(e.EclipseType),
                                    e.DateText,
                                    e.MaxTime,
                                    ContactText(e, ContactP1, e.PenStart),
                                    ContactText(e, ContactU1, e.UmbStart),
                                    ContactText(e, ContactU2, e.TotStart),
                                    ContactText(e, ContactU3, e.TotEnd),
                                    ContactText(e, ContactU4, e.UmbEnd),
                                    ContactText(e, ContactP4, e.PenEnd),
                                    FormatNumber(e.UmbralMag),
                                    FormatNumber(e.PenumbralMag),
                                    FormatNumber(e.Gamma),
                                    e.Visibility};
    for (double contact : e.Contacts)
        row.push_back(FormatNumber(contact));
    return row;
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
    for (const EclipseCircumstances& e : LunarEclipsesInYears(first, last, args.Observer))
        WriteCsvRow(out, EclipseRow(e));
    return 0;
}
