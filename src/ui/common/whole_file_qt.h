// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The windows' side of writing a file whole or not at all (engine/whole_file.h): paths and
// bytes as Qt holds them, the reason of a failure as a text for a message.
//
//   QString error;
//   if (!SaveWholeFile(path, bytes, error)) ShowMessage(this, "... " + error);

#include <string>

#include <QByteArray>
#include <QString>

// The path in the file system's encoding.
[[nodiscard]] std::string FileSystemPath(const QString& path);

// Replaces (or creates) path with bytes; false with the system's reason in error.
[[nodiscard]] bool SaveWholeFile(const QString& path, const QByteArray& bytes, QString& error);
