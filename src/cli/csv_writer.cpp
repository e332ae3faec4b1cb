#include "cli/csv_writer.h"

#include <charconv>

// The text of printf's "%.17g" (std::to_chars with a precision is defined as printf's
// conversion), without printf's format parsing, which cost a third of a long listing.
std::string FormatNumber(double value) {
    char buffer[40];
    const std::to_chars_result end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    return std::string(buffer, end.ptr);
}

namespace {

bool NeedsQuotes(const std::string& text) {
    return text.find_first_of(",\"\r\n") != std::string::npos;
}

} // namespace

std::string CsvField(const std::string& text) {
    if (!NeedsQuotes(text)) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

void WriteCsvRow(std::ostream& out, const std::vector<std::string>& fields) {
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i) out.put(',');
        const std::string& field = fields[i];
        if (!NeedsQuotes(field))
            out.write(field.data(), static_cast<std::streamsize>(field.size()));
        else
            out << CsvField(field);
    }
    out.put('\n');
}
