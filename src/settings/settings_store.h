// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// An open key of the store. Closing it (CloseKey) only forgets the handle; a key that
// another copy of the program deleted meanwhile reads as empty and refuses writes.
struct TStoreKey {
    std::int64_t Id = 0;
    std::string Path;
};

struct TNamedText {
    std::string Name;
    std::string Value;
};

// The per-user key/value store: a tree of keys, each holding text values, kept in one
// SQLite database file. Key and value names compare case-insensitively (ASCII letters),
// so "Timezone" and "TimeZone" name one value. Paths are relative to the root and use
// "\" between key names, e.g. "SoftWare\Brivant\User\Home Location".
//
// Every write is one transaction, or part of the caller's TTransaction; the file is in
// write-ahead-log mode with a busy timeout, so two running copies of the program can use
// it at once.
//
// A file that SQLite reports as corrupt or not a database, or whose format it cannot use,
// or that holds another program's tables, is damaged: it is moved aside with its -wal and
// -shm files, unchanged and never deleted, a fresh store is created, and RecoveryMessage()
// tells the user. Log files that SQLite cannot use and that hold nothing of the store are
// moved aside before the store is opened (see KeepUnusableLogFilesAside). A healthy file
// that cannot be written (no write permission, a read-only folder, a full disk, or a lock
// still held when the busy timeout ends) is opened read-only: its values are read, every
// write fails, and ReadOnlyMessage() says so once, with the reason that was seen.
class TSettingsStore {
  public:
    static constexpr int DefaultBusyTimeoutMs = 10000;

    // Opens or creates the database at the path (its folder is created when missing).
    // busyTimeoutMs: how long a lock held by another copy is waited for.
    explicit TSettingsStore(std::string path, int busyTimeoutMs = DefaultBusyTimeoutMs);
    ~TSettingsStore();
    TSettingsStore(const TSettingsStore&) = delete;
    TSettingsStore& operator=(const TSettingsStore&) = delete;

    // $XDG_CONFIG_HOME/tidewell/settings.db, else ~/.config/tidewell/settings.db.
    [[nodiscard]] static std::string DefaultPath();

    [[nodiscard]] const std::string& Path() const { return Path_; }
    // False when not even a fresh file could be made: the store then lives in memory
    // for this run only.
    [[nodiscard]] bool IsPersistent() const { return Persistent_; }
    // Empty after a clean open; otherwise a message for the user.
    [[nodiscard]] const std::string& RecoveryMessage() const { return RecoveryMessage_; }
    // Where a damaged file was kept during this run; empty when none was.
    [[nodiscard]] const std::string& DamagedCopyPath() const { return DamagedCopyPath_; }
    // True when the file could be read but not written in this run; every write fails.
    [[nodiscard]] bool IsReadOnly() const { return ReadOnly_; }
    // Empty unless IsReadOnly(): the one message telling the user changes cannot be saved.
    [[nodiscard]] const std::string& ReadOnlyMessage() const { return ReadOnlyMessage_; }
    // True when there was no store before this open (no file, an empty one, one without
    // keys that another copy is making at this moment, a damaged file moved aside, or a
    // store in memory): a missing key is then no loss.
    [[nodiscard]] bool IsNew() const { return New_; }
    // True when SQLite reported the file corrupt during this run. Writes are then refused,
    // so nothing more is written into it, until RecoverFromDamage().
    [[nodiscard]] bool IsDamaged() const { return Damaged_; }
    // Moves a damaged file aside and starts a fresh store, as the constructor does; the
    // keys opened before are no longer valid. False when the store was not damaged.
    bool RecoverFromDamage();

    // Opens the key at the path; with canCreate, missing keys along the path are created.
    [[nodiscard]] std::optional<TStoreKey> OpenKey(std::string_view path, bool canCreate);
    // A missing value (or key) reads as the empty text.
    [[nodiscard]] std::string ReadText(const TStoreKey& key, std::string_view name);
    bool WriteText(const TStoreKey& key, std::string_view name, std::string_view value);
    // Writes all values in one transaction: all or nothing.
    bool WriteTexts(const TStoreKey& key, const std::vector<TNamedText>& values);
    // Names of the direct sub-keys, sorted case-insensitively.
    [[nodiscard]] std::vector<std::string> ListSubKeys(const TStoreKey& key);
    // Deletes the key with every key and value below it. False when it did not exist.
    bool DeleteKey(std::string_view path);
    void CloseKey(TStoreKey& key);

    // Groups several operations into one transaction, committed by Commit() and rolled
    // back when destroyed without it or when any operation inside failed. Nests.
    class TTransaction {
      public:
        explicit TTransaction(TSettingsStore& store);
        ~TTransaction();
        TTransaction(const TTransaction&) = delete;
        TTransaction& operator=(const TTransaction&) = delete;
        // True when everything inside was written (or, nested, is still to be written).
        bool Commit();

      private:
        TSettingsStore& Store_;
        bool Open_ = false;
    };

  private:
    struct TStatements;

    enum class TOpen { Ok, ReadOnly, Damaged, Unavailable };

    void Open();
    // After a damaged or unusable file: a fresh store at the path, else one in memory.
    void StartAfresh(bool moveAside);
    [[nodiscard]] TOpen OpenDatabase();
    [[nodiscard]] TOpen OpenReadOnly();
    [[nodiscard]] bool PrepareStatements();
    void CloseDatabase(bool checkpoint = true);
    // Keeps the error of the attempt to open for writing, for the read-only message.
    void NoteWriteFailure(int rc);
    [[nodiscard]] std::string CannotWriteReason() const;
    void OpenInMemory();
    bool BeginTransaction();
    bool EndTransaction(bool commit);
    [[nodiscard]] std::optional<std::int64_t> FindChild(std::int64_t parent, std::string_view name);
    [[nodiscard]] std::optional<std::int64_t> AddChild(std::int64_t parent, std::string_view name);
    bool WriteOne(std::int64_t key, std::string_view name, std::string_view value);
    // Notes a corrupt file; returns rc.
    int Checked(int rc);
    [[nodiscard]] bool CanWrite() const { return Db_ && !ReadOnly_ && !Damaged_; }

    std::string Path_;
    int BusyTimeoutMs_ = DefaultBusyTimeoutMs;
    bool Persistent_ = true;
    bool ReadOnly_ = false;
    bool New_ = false;
    bool Damaged_ = false;
    std::string RecoveryMessage_;
    std::string DamagedCopyPath_;
    int WriteFailure_ = 0;
    int WriteFailureErrno_ = 0;
    std::string ReadOnlyMessage_;
    sqlite3* Db_ = nullptr;
    TStatements* Statements_ = nullptr;
    int TransactionDepth_ = 0;
    bool TransactionFailed_ = false;
    bool InSqlTransaction_ = false;
};
