// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The settings as the program starts with them: the store opened (or recovered), every
// value read, repaired and migrated, and what the user must be told about it, gathered so
// that one message can say it all.
//
//   TStartupSettings start = LoadStartupSettings(QString());   // the user's own store
//   TProgramState state(start.Settings, clock);
//   if (!start.Messages.isEmpty()) ShowMessage(main, StartupMessage(start.Messages));

#include <memory>

#include <QString>
#include <QStringList>

#include "settings/settings.h"
#include "settings/settings_store.h"

struct TStartupSettings {
    std::unique_ptr<TSettingsStore> Store;
    TSettings Settings;
    QStringList Messages; // in the order they arose; empty after a clean start
};

// path: the settings database; empty for the store's default place.
[[nodiscard]] TStartupSettings LoadStartupSettings(const QString& path);

// One text for all start-up messages: a single one as it is, several as a list.
[[nodiscard]] QString StartupMessage(const QStringList& messages);
