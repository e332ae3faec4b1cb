// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/date_format.h"

#include <QDate>

namespace {

constexpr const char* DefaultDateFormat = "dd/mm/yyyy";

} // namespace

QString QtDatePattern(const std::string& dateFormat) {
    const QString stored = QString::fromStdString(dateFormat).trimmed();
    const QString source = stored.isEmpty() ? QString(DefaultDateFormat) : stored;
    QString pattern;
    QString literal; // characters Qt must not read as a field
    auto flushLiteral = [&] {
        if (literal.isEmpty()) return;
        QString quoted = literal;
        quoted.replace('\'', QStringLiteral("''"));
        pattern += '\'' + quoted + '\'';
        literal.clear();
    };
    for (const QChar c : source) {
        const QChar lower = c.toLower();
        if (lower == 'd' || lower == 'm' || lower == 'y') {
            flushLiteral();
            pattern += lower == 'm' ? QChar('M') : lower;
        } else {
            literal += c;
        }
    }
    flushLiteral();
    return pattern;
}

QString FormatDate(const TDateRec& date, const std::string& dateFormat) {
    return QDate(date.Year, date.Month, date.Day).toString(QtDatePattern(dateFormat));
}
