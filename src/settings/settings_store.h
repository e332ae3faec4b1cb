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
// it at once. A file that is not a usable store is moved aside (never deleted) and a fresh
// store is created; RecoveryMessage() then tells the user what happened.
class TSettingsStore {
  public:
    // Opens or creates the database at the path (its folder is created when missing).
    explicit TSettingsStore(std::string path);
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

    // False when the file cannot be used; LastOpenDamaged_ then says whether it is the
    // file itself (rather than a lock or a full disk) that is at fault.
    bool OpenDatabase(const std::string& path);
    void CloseDatabase();
    void OpenInMemory();
    bool BeginTransaction();
    bool EndTransaction(bool commit);
    [[nodiscard]] std::optional<std::int64_t> FindChild(std::int64_t parent, std::string_view name);
    [[nodiscard]] std::optional<std::int64_t> AddChild(std::int64_t parent, std::string_view name);
    bool WriteOne(std::int64_t key, std::string_view name, std::string_view value);

    std::string Path_;
    bool Persistent_ = true;
    bool LastOpenDamaged_ = false;
    std::string RecoveryMessage_;
    sqlite3* Db_ = nullptr;
    TStatements* Statements_ = nullptr;
    int TransactionDepth_ = 0;
    bool TransactionFailed_ = false;
    bool InSqlTransaction_ = false;
};
