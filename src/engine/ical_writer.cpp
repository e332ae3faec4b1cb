// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ical_writer.h"

#include <algorithm>
#include <cstdio>

#include "engine/program_version.h"

namespace {

constexpr const char* Crlf = "\r\n";

bool Utf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

void AddLine(std::string& out, std::string_view line) {
    out += FoldCalendarLine(line);
}

void AddProperty(std::string& out, const char* name, std::string_view value) {
    AddLine(out, std::string(name) + ":" + std::string(value));
}

TDateRec AddMinutes(const TDateRec& date, int minutes) {
    return JDToDate(JulianDayOf(date.Year, date.Month, date.Day, date.Hour, date.Minute) +
                    minutes / 1440.0);
}

} // namespace

std::string CalendarUtcText(const TDateRec& utc) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d00Z", utc.Year, utc.Month, utc.Day,
                  utc.Hour, utc.Minute);
    return text;
}

std::string EscapeCalendarText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' || c == ';' || c == ',') {
            out += '\\';
            out += c;
        } else if (c == '\r' || c == '\n') {
            out += "\\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (static_cast<unsigned char>(c) < 0x20 && c != '\t') {
            continue; // RFC 5545 allows no other control characters in TEXT
        } else if (c == 0x7F) {
            continue;
        } else {
            out += c;
        }
    }
    return out;
}

std::string FoldCalendarLine(std::string_view line) {
    std::string out;
    out.reserve(line.size() + line.size() / 60 * 3 + 2);
    size_t at = 0;
    bool first = true;
    // A continuation's leading blank counts towards its 75 octets (RFC 5545, 3.1).
    while (at < line.size() || first) {
        const size_t room = first ? MaxCalendarLineOctets : MaxCalendarLineOctets - 1;
        size_t end = std::min(line.size(), at + room);
        // Never cut inside a UTF-8 sequence: back up to the start of the character.
        while (end < line.size() && end > at && Utf8Continuation(line[end]))
            --end;
        if (end == at) end = std::min(line.size(), at + room); // not UTF-8: cut anyway
        if (!first) out += ' ';
        out.append(line.substr(at, end - at));
        out += Crlf;
        at = end;
        first = false;
    }
    return out;
}

std::string CalendarProductId() {
    std::string id = "-//";
    id.append(ProgramName).append("//").append(ProgramName).append(" ");
    return id.append(ProgramVersion).append("//EN");
}

std::string CalendarText(const std::vector<TCalendarEvent>& events, const std::string& name,
                         const TDateRec& stampUtc) {
    std::string out;
    AddProperty(out, "BEGIN", "VCALENDAR");
    AddProperty(out, "VERSION", "2.0");
    AddProperty(out, "PRODID", CalendarProductId());
    AddProperty(out, "CALSCALE", "GREGORIAN");
    AddProperty(out, "METHOD", "PUBLISH");
    if (!name.empty()) AddProperty(out, "X-WR-CALNAME", EscapeCalendarText(name));
    const std::string stamp = CalendarUtcText(stampUtc);
    for (const TCalendarEvent& e : events) {
        AddProperty(out, "BEGIN", "VEVENT");
        AddProperty(out, "UID", EscapeCalendarText(e.Uid));
        AddProperty(out, "DTSTAMP", stamp);
        AddProperty(out, "DTSTART", CalendarUtcText(e.Start));
        // RFC 5545 wants DTEND later than DTSTART: an instant occupies the minute it is given to.
        AddProperty(out, "DTEND",
                    CalendarUtcText(AddMinutes(e.Start, std::max(1, e.DurationMinutes))));
        AddProperty(out, "SUMMARY", EscapeCalendarText(e.Summary));
        if (!e.Description.empty())
            AddProperty(out, "DESCRIPTION", EscapeCalendarText(e.Description));
        // Sky events never make the user busy.
        AddProperty(out, "TRANSP", "TRANSPARENT");
        AddProperty(out, "END", "VEVENT");
    }
    AddProperty(out, "END", "VCALENDAR");
    return out;
}
