// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The files of the settings database as the file system sees them, apart from SQLite: its
// write-ahead log ("-wal") and shared-memory index ("-shm") beside it, copies of damaged
// files kept aside, and the locks other connections hold on them.

#include <array>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::array<std::string_view, 2> StoreLogSuffixes = {"-wal", "-shm"};

// Where SQLite keeps the file with that suffix: beside the database, or beside the file a
// symbolic link to the database points at.
[[nodiscard]] std::string StoreLogPath(const std::string& path, std::string_view suffix);

// True when nothing is at the path (a symbolic link leading nowhere included) or a regular
// file, perhaps through a symbolic link.
[[nodiscard]] bool IsRegularOrMissing(const std::string& path);

// True when the file is missing or holds no bytes.
[[nodiscard]] bool IsMissingOrEmpty(const std::string& path);

// True when the file starts with an SQLite header that this SQLite cannot use for a
// store: a write version or read version above 2 (a format it may not write), or a schema
// format above 4 ("unsupported file format").
[[nodiscard]] bool HasUnusableHeader(const std::string& path);

// Renames the file to "<file>.damaged-<UTC time>" (a name not yet taken). Returns the new
// name, or "" when it could not be renamed.
[[nodiscard]] std::string KeepAside(const std::string& file);

// Keeps a damaged database aside with its log files, which are renamed to the new name
// with their suffixes. Returns the new name, or "" when the database could not be moved.
[[nodiscard]] std::string KeepDamagedStoreAside(const std::string& path);

// True when a connection, of this process or another, has the database open: SQLite
// holds a lock on the database file or on its index file from its first read until it
// closes, and the system's table of file locks lists them.
[[nodiscard]] bool IsOpenElsewhere(const std::string& path);

// Keeps aside log files that SQLite cannot use and that hold nothing of the store: one
// that is not a regular file (a folder, a pipe, a link to a device), and, while the store
// itself can be written and nobody has it open, an index file or an empty log file that
// cannot be written (left by a run on a read-only store). Returns the names they now have.
[[nodiscard]] std::vector<std::string> KeepUnusableLogFilesAside(const std::string& path);

// Deletes an empty database file, with its empty log files, that a start could not make
// into a store (on a full disk), unless another connection has it open.
void RemoveUnfinishedStore(const std::string& path);

// True when the process may write the file and the folder it is in.
[[nodiscard]] bool CanWriteFileAndFolder(const std::string& path);

// A reason the store cannot be written, for the message that says so: "the file is
// read-only", "its folder is read-only", or the log file that is read-only; "" when none.
[[nodiscard]] std::string ReadOnlyObstacle(const std::string& path);
