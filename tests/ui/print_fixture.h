// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the tests of printed reports share: a place seeded into the settings, the almanac's
// rows for a month at that place, and the day rows of a printed page.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>

#include "pdf_reading.h"
#include "tmain_fixture.h"

// New York's latitude and longitude rounded to whole minutes, in Eastern Standard Time.
inline TSeed NewYorkSeed(std::initializer_list<std::pair<const char*, const char*>> more = {}) {
    std::vector<std::pair<const char*, const char*>> values = {
        {"LatDeg", "40"},   {"LatMin", "30"},        {"LatSec", "00"},  {"LatDir", "North"},
        {"LongDeg", "074"}, {"LongMin", "00"},       {"LongSec", "00"}, {"LongDir", "West"},
        {"TimeZone", "14"}, {"Location", "New York"}};
    values.insert(values.end(), more.begin(), more.end());
    return [values](const std::string& path) {
        TSettingsStore store(path);
        TSettings settings;
        (void)LoadSettings(store, settings, [](const std::string&) {});
        const auto key = store.OpenKey(SettingsKeyPath, false);
        QVERIFY(key.has_value());
        for (const auto& [name, value] : values)
            QVERIFY(store.WriteText(*key, name, value));
    };
}

// The almanac program of the same build (build/src/cli beside build/tests).
inline QString AlmanacProgram() {
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("../src/cli/tidewell-almanac"));
}

// The almanac's CSV rows (after the heading) for the arguments; empty when it fails.
inline QList<QStringList> AlmanacCsvRows(const QStringList& args) {
    QProcess almanac;
    almanac.start(AlmanacProgram(), args);
    if (!almanac.waitForFinished(60000) || almanac.exitCode() != 0) return {};
    QList<QStringList> rows;
    const QStringList lines = QString::fromUtf8(almanac.readAllStandardOutput()).split('\n');
    for (int i = 1; i < lines.size(); ++i)
        if (!lines[i].trimmed().isEmpty()) rows << lines[i].trimmed().split(',');
    return rows;
}

// The almanac's riseset rows for the month at the New York place: each row's cells after
// the day number.
inline QList<QStringList> AlmanacRows(int year, int month) {
    return AlmanacCsvRows({"--lat", "40.5", "--lon", "-74", "--zone", "-300", "riseset",
                           QString::number(year), QString::number(month)});
}

// The lines of a printed page that begin with a date in the default "dd/mm/yyyy" format.
inline QStringList PrintedDayLines(const QString& pdf) {
    QStringList days;
    static const QRegularExpression date(QStringLiteral("^\\s*\\d\\d/\\d\\d/\\d{4}\\b"));
    for (const QString& line : PdfLines(pdf))
        if (date.match(line).hasMatch()) days << line;
    return days;
}
