// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/settings_startup.h"

#include "settings/load_settings.h"
#include "ui/common/look.h"

namespace {

void AddMessage(QStringList& messages, const std::string& text) {
    const QString trimmed = Q(text).trimmed();
    if (!trimmed.isEmpty() && !messages.contains(trimmed)) messages.append(trimmed);
}

} // namespace

TStartupSettings LoadStartupSettings(const QString& path) {
    TStartupSettings start;
    start.Store = std::make_unique<TSettingsStore>(path.isEmpty() ? TSettingsStore::DefaultPath()
                                                                  : path.toStdString());
    // LoadSettings hands over every start-up message: recovery, read-only, repairs.
    const TZoneOffsets offsets =
        LoadSettings(*start.Store, start.Settings,
                     [&start](const std::string& message) { AddMessage(start.Messages, message); });
    (void)offsets; // the observer is made from the settings themselves
    return start;
}

QString StartupMessage(const QStringList& messages) {
    if (messages.size() == 1) return messages.first();
    QString text = QStringLiteral("Tidewell found these problems with its settings:\n");
    for (const QString& message : messages)
        text += QStringLiteral("\n\u2022 ") + message;
    return text;
}
