// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program_options.h"

#include <algorithm>
#include <array>

#include "cli/message_line.h"

namespace {

// Qt's own options (QGuiApplication, QApplication and the X11 platform), written with one
// dash or two: those that take the next word as their value, those that may take it after
// '=' instead, and those that take none.
constexpr std::array QtValueOptions = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowicon", "qwindowtitle", "session", "display", "geometry", "style", "stylesheet",
};
constexpr std::array QtJoinedValueOptions = {"style", "stylesheet", "qmljsdebugger"};
constexpr std::array QtFlags = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

bool Among(const auto& names, const QString& name) {
    return std::any_of(names.begin(), names.end(),
                       [&name](const char* known) { return name == QLatin1String(known); });
}

// The word's name without its dashes and without a value after '=' (empty when it is no
// single- or double-dash option).
QString OptionName(const QString& word) {
    if (word.size() < 2 || word[0] != QLatin1Char('-')) return {};
    const QString bare = word.mid(word.startsWith(QLatin1String("--")) ? 2 : 1);
    return bare.section(QLatin1Char('='), 0, 0);
}

// A refusal quoting the word as the almanac quotes one: cut short, on one line.
TProgramOptions Refused(const char* before, const QString& word, const char* after) {
    const std::string message = before + QuotedArgument(word.toStdString()) + after;
    return {TProgramRequest::Refused, QString::fromStdString(MessageLine(message))};
}

TProgramOptions Unknown(const QString& word) {
    return Refused(OptionName(word).isEmpty() ? "unexpected word " : "unknown option ", word,
                   " (see --help)");
}

} // namespace

TProgramOptions ReadProgramOptions(const QStringList& words) {
    bool help = false, version = false, paths = false;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        const QString name = OptionName(word);
        if (word == QLatin1String("--help") || word == QLatin1String("-h")) {
            help = true;
        } else if (word == QLatin1String("--version")) {
            version = true;
        } else if (word == QLatin1String("--paths")) {
            paths = true;
        } else if (word.contains(QLatin1Char('='))) {
            if (!Among(QtJoinedValueOptions, name)) return Unknown(word);
        } else if (Among(QtValueOptions, name)) {
            if (++i == words.size()) return Refused("", word, " needs a value");
        } else if (!Among(QtFlags, name)) {
            return Unknown(word);
        }
    }

    if (help) return {TProgramRequest::Help, {}};
    if (version) return {TProgramRequest::Version, {}};
    if (paths) return {TProgramRequest::Paths, {}};
    return {};
}
