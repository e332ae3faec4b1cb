// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_store.h"

#include <sqlite3.h>

#include <array>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <thread>

#include "settings/store_files.h"

namespace fs = std::filesystem;

namespace {

// "TdWl": marks a database file as this program's settings store.
constexpr int StoreApplicationId = 0x5464576C;

// The two tables: "CREATE TABLE " and the name give the statement SQLite keeps in the file.
struct TTableDef {
    const char* Name;
    const char* Definition;
};

constexpr std::array<TTableDef, 2> StoreTables = {{
    {"keys", "keys(id INTEGER PRIMARY KEY, parent INTEGER NOT NULL,"
             " name TEXT NOT NULL COLLATE NOCASE, UNIQUE(parent, name))"},
    {"vals", "vals(key INTEGER NOT NULL, name TEXT NOT NULL COLLATE NOCASE,"
             " value TEXT NOT NULL, PRIMARY KEY(key, name)) WITHOUT ROWID"},
}};

std::string SchemaSql() {
    std::string sql;
    for (const TTableDef& table : StoreTables)
        sql += std::string("CREATE TABLE IF NOT EXISTS ") + table.Definition + ";";
    return sql;
}

// A statement as SQL reads it: blanks and the case of letters do not count.
std::string SqlWords(std::string_view sql) {
    std::string words;
    for (char c : sql) {
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            words += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return words;
}

std::vector<std::string> SplitKeyPath(std::string_view path) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        if (end > start) names.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

void BindText(sqlite3_stmt* statement, int index, std::string_view text) {
    sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()),
                      SQLITE_TRANSIENT);
}

std::string ColumnText(sqlite3_stmt* statement, int column) {
    const auto* text = sqlite3_column_text(statement, column);
    const int bytes = sqlite3_column_bytes(statement, column);
    return text ? std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(bytes))
                : std::string();
}

// Resets the statement and clears its bindings when the scope ends.
class TStatementUse {
  public:
    explicit TStatementUse(sqlite3_stmt* statement) : Statement_(statement) {}
    ~TStatementUse() {
        sqlite3_reset(Statement_);
        sqlite3_clear_bindings(Statement_);
    }
    TStatementUse(const TStatementUse&) = delete;
    TStatementUse& operator=(const TStatementUse&) = delete;

  private:
    sqlite3_stmt* Statement_;
};

} // namespace

struct TSettingsStore::TStatements {
    sqlite3_stmt* FindChild = nullptr;
    sqlite3_stmt* AddChild = nullptr;
    sqlite3_stmt* ReadValue = nullptr;
    sqlite3_stmt* WriteValue = nullptr;
    sqlite3_stmt* ListChildren = nullptr;
    sqlite3_stmt* DeleteValuesBelow = nullptr;
    sqlite3_stmt* DeleteKeysBelow = nullptr;

    bool Prepare(sqlite3* db) {
        const auto prepare = [db](const char* sql, sqlite3_stmt*& statement) {
            return sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK;
        };
        return prepare("SELECT id FROM keys WHERE parent = ?1 AND name = ?2", FindChild) &&
               prepare("INSERT INTO keys(parent, name) VALUES(?1, ?2)", AddChild) &&
               prepare("SELECT value FROM vals WHERE key = ?1 AND name = ?2", ReadValue) &&
               prepare("INSERT INTO vals(key, name, value) SELECT ?1, ?2, ?3"
                       " WHERE EXISTS(SELECT 1 FROM keys WHERE id = ?1)"
                       " ON CONFLICT(key, name) DO UPDATE SET value = excluded.value",
                       WriteValue) &&
               prepare("SELECT name FROM keys WHERE parent = ?1 ORDER BY name", ListChildren) &&
               prepare("WITH RECURSIVE below(id) AS (SELECT ?1 UNION ALL"
                       " SELECT keys.id FROM keys JOIN below ON keys.parent = below.id)"
                       " DELETE FROM vals WHERE key IN below",
                       DeleteValuesBelow) &&
               prepare("WITH RECURSIVE below(id) AS (SELECT ?1 UNION ALL"
                       " SELECT keys.id FROM keys JOIN below ON keys.parent = below.id)"
                       " DELETE FROM keys WHERE id IN below",
                       DeleteKeysBelow);
    }

    void Finalize() {
        for (sqlite3_stmt** statement : {&FindChild, &AddChild, &ReadValue, &WriteValue,
                                         &ListChildren, &DeleteValuesBelow, &DeleteKeysBelow}) {
            sqlite3_finalize(*statement);
            *statement = nullptr;
        }
    }
};

namespace {

bool IsDamage(int rc) {
    const int primary = rc & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

bool IsBusy(int rc) {
    const int primary = rc & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

// A write that failed for want of room: a full disk, a quota, or a file-size limit.
bool IsNoRoom(int rc, int systemErrno) {
    return (rc & 0xff) == SQLITE_FULL || systemErrno == ENOSPC || systemErrno == EDQUOT ||
           systemErrno == EFBIG;
}

int ExecSql(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

// The first column of the first row of a query; rc receives the error code.
std::string QueryText(sqlite3* db, const char* sql, int& rc) {
    sqlite3_stmt* statement = nullptr;
    rc = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    std::string result;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(statement);
        if (rc == SQLITE_ROW) {
            result = ColumnText(statement, 0);
            rc = SQLITE_OK;
        } else if (rc == SQLITE_DONE) {
            rc = SQLITE_OK;
        }
    }
    sqlite3_finalize(statement);
    return result;
}

enum class TCheck { Ok, Damaged, Unreadable };

// A plain error while reading a file that opened is SQLite refusing its contents (an
// unsupported file format, say); trouble with the file system comes as I/O, lock or
// permission errors.
TCheck CheckFailure(int rc) {
    return IsDamage(rc) || (rc & 0xff) == SQLITE_ERROR ? TCheck::Damaged : TCheck::Unreadable;
}

// Reads the whole file without writing anything: a damaged file must reach the place it
// is kept aside unchanged. The file is tiny, so the full integrity check (which also
// finds index rows out of order) costs nothing. A file holding another program's tables
// is not taken over. rc receives the error code of a failed read.
TCheck CheckContents(sqlite3* db, int& rc) {
    rc = SQLITE_OK;
    const std::string id = QueryText(db, "PRAGMA application_id", rc);
    if (rc != SQLITE_OK) return CheckFailure(rc);
    if (id != "0" && id != std::to_string(StoreApplicationId)) return TCheck::Damaged;
    const std::string foreign =
        QueryText(db,
                  "SELECT count(*) FROM sqlite_schema WHERE type = 'table'"
                  " AND name NOT IN ('keys', 'vals') AND name NOT LIKE 'sqlite%'",
                  rc);
    if (rc != SQLITE_OK) return CheckFailure(rc);
    if (foreign != "0") return TCheck::Damaged;
    // A table whose kept definition is not ours (a damaged byte in it can turn the key
    // column into a plain one) reads as if values were missing.
    for (const TTableDef& table : StoreTables) {
        const std::string kept =
            QueryText(db,
                      ("SELECT sql FROM sqlite_schema WHERE type = 'table' AND name = '" +
                       std::string(table.Name) + "'")
                          .c_str(),
                      rc);
        if (rc != SQLITE_OK) return CheckFailure(rc);
        if (!kept.empty() &&
            SqlWords(kept) != SqlWords(std::string("CREATE TABLE ") + table.Definition))
            return TCheck::Damaged;
    }
    const std::string check = QueryText(db, "PRAGMA integrity_check", rc);
    if (rc != SQLITE_OK) return CheckFailure(rc);
    return check == "ok" ? TCheck::Ok : TCheck::Damaged;
}

// Switching to write-ahead logging takes an exclusive lock without calling the busy
// handler, so a second copy starting at the same moment is retried here, within the
// same timeout.
int SwitchToWal(sqlite3* db, int busyTimeoutMs) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(busyTimeoutMs);
    for (;;) {
        int rc = SQLITE_OK;
        QueryText(db, "PRAGMA journal_mode = WAL", rc);
        if (!IsBusy(rc) || std::chrono::steady_clock::now() >= deadline) return rc;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// Creates the tables and marks the file as ours, in one write transaction.
int PrepareForWriting(sqlite3* db, int busyTimeoutMs) {
    int rc = SwitchToWal(db, busyTimeoutMs);
    if (rc != SQLITE_OK) return rc;
    rc = ExecSql(db, "BEGIN IMMEDIATE");
    if (rc != SQLITE_OK) return rc;
    // Nothing is written to a store that is already complete.
    const std::string ourId = std::to_string(StoreApplicationId);
    rc = ExecSql(db, SchemaSql().c_str());
    if (rc == SQLITE_OK && QueryText(db, "PRAGMA application_id", rc) != ourId && rc == SQLITE_OK)
        rc = ExecSql(db, ("PRAGMA application_id = " + ourId).c_str());
    if (rc == SQLITE_OK) rc = ExecSql(db, "COMMIT");
    if (rc != SQLITE_OK) ExecSql(db, "ROLLBACK");
    return rc;
}

// True when the store has no keys yet: a file just made, perhaps by another copy starting
// at the same moment, that holds nothing to lose.
bool HoldsNoKeys(sqlite3* db) {
    int rc = SQLITE_OK;
    return QueryText(db, "SELECT EXISTS(SELECT 1 FROM keys)", rc) != "1" || rc != SQLITE_OK;
}

std::string LogFilesKeptMessage(const std::vector<std::string>& kept) {
    std::string names;
    for (const std::string& name : kept)
        names += (names.empty() ? "\"" : " and \"") + name + "\"";
    return "\r\nFiles beside your settings file that Tidewell could not use have been kept as " +
           names + ". Your settings are as they were.";
}

} // namespace

TSettingsStore::TSettingsStore(std::string path, int busyTimeoutMs)
    : Path_(std::move(path)), BusyTimeoutMs_(busyTimeoutMs) {
    std::error_code error;
    const fs::path file(Path_);
    if (file.has_parent_path()) fs::create_directories(file.parent_path(), error);
    Open();
}

TSettingsStore::~TSettingsStore() {
    CloseDatabase();
}

void TSettingsStore::Open() {
    New_ = IsMissingOrEmpty(Path_);
    const std::vector<std::string> kept = KeepUnusableLogFilesAside(Path_);
    if (!kept.empty()) RecoveryMessage_ = LogFilesKeptMessage(kept);
    const TOpen outcome = OpenDatabase();
    if (outcome == TOpen::Ok) return;
    if (outcome == TOpen::ReadOnly) {
        ReadOnly_ = true;
        ReadOnlyMessage_ = "\r\nYour settings file \"" + Path_ + "\" " + CannotWriteReason() +
                           ". Tidewell has started with the settings it holds, but changes made "
                           "during this run cannot be saved.";
        return;
    }
    // A start that could not make the store (on a full disk) leaves no empty file behind.
    RemoveUnfinishedStore(Path_);
    StartAfresh(outcome == TOpen::Damaged);
}

// Said only of what was seen: another connection holding the store, a read-only file or
// folder, a full disk, else SQLite's own words.
std::string TSettingsStore::CannotWriteReason() const {
    if (IsBusy(WriteFailure_) && IsOpenElsewhere(Path_)) return "is in use by another program";
    if (const std::string obstacle = ReadOnlyObstacle(Path_); !obstacle.empty())
        return "cannot be written (" + obstacle + ")";
    if (IsNoRoom(WriteFailure_, WriteFailureErrno_))
        return "cannot be written (there is no room left on its disk)";
    return "cannot be written (" + std::string(sqlite3_errstr(WriteFailure_)) + ")";
}

void TSettingsStore::NoteWriteFailure(int rc) {
    WriteFailure_ = rc;
    WriteFailureErrno_ = Db_ ? sqlite3_system_errno(Db_) : 0;
}

void TSettingsStore::StartAfresh(bool moveAside) {
    const std::string aside =
        moveAside && Persistent_ ? KeepDamagedStoreAside(Path_) : std::string();
    DamagedCopyPath_ = aside;
    New_ = true;
    if (!aside.empty() && OpenDatabase() == TOpen::Ok) {
        RecoveryMessage_ = "\r\nYour settings file could not be read. It has been kept as \"" +
                           aside +
                           "\" and Tidewell has started with its default settings. Please "
                           "check them in Tidewell's Configuration screen.";
        return;
    }
    OpenInMemory();
    RecoveryMessage_ = "\r\nYour settings file \"" + Path_ +
                       "\" could not be opened. Tidewell has started with its default settings "
                       "and cannot save changes during this run.";
}

bool TSettingsStore::RecoverFromDamage() {
    if (!Damaged_) return false;
    CloseDatabase(false);
    Damaged_ = false;
    ReadOnly_ = false;
    ReadOnlyMessage_.clear();
    StartAfresh(true);
    return true;
}

std::string TSettingsStore::DefaultPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    fs::path folder;
    if (config && *config && fs::path(config).is_absolute()) {
        folder = config;
    } else {
        const char* home = std::getenv("HOME");
        folder = fs::path(home && *home ? home : ".") / ".config";
    }
    return (folder / "tidewell" / "settings.db").string();
}

TSettingsStore::TOpen TSettingsStore::OpenDatabase() {
    CloseDatabase();
    // A folder (or a device) where the file belongs is not a store, nor is a file of a
    // format this SQLite cannot write; they are moved aside.
    if (!IsRegularOrMissing(Path_) || HasUnusableHeader(Path_)) return TOpen::Damaged;
    int rc =
        sqlite3_open_v2(Path_.c_str(), &Db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        NoteWriteFailure(rc);
        CloseDatabase();
        return OpenReadOnly();
    }
    sqlite3_busy_timeout(Db_, BusyTimeoutMs_);
    const TCheck check = CheckContents(Db_, rc);
    if (check == TCheck::Damaged) {
        CloseDatabase(false);
        return TOpen::Damaged;
    }
    // A file opened for writing may still be read-only (SQLite falls back silently).
    if (check == TCheck::Ok && sqlite3_db_readonly(Db_, "main") == 1) rc = SQLITE_READONLY;
    if (rc == SQLITE_OK) rc = PrepareForWriting(Db_, BusyTimeoutMs_);
    if (IsDamage(rc)) {
        CloseDatabase(false);
        return TOpen::Damaged;
    }
    if (rc != SQLITE_OK) {
        NoteWriteFailure(rc); // a read-only file or folder, a full disk, a lock held too long
        CloseDatabase();
        return OpenReadOnly();
    }
    New_ = New_ || HoldsNoKeys(Db_);
    // The tables are there and are ours: what cannot use them is damage.
    return PrepareStatements() ? TOpen::Ok : TOpen::Damaged;
}

// A file that exists but cannot be written: its values are read for this run.
TSettingsStore::TOpen TSettingsStore::OpenReadOnly() {
    std::error_code error;
    if (!fs::is_regular_file(Path_, error)) return TOpen::Unavailable;
    const int flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;
    if (sqlite3_open_v2(Path_.c_str(), &Db_, flags, nullptr) != SQLITE_OK) {
        CloseDatabase();
        return TOpen::Unavailable;
    }
    sqlite3_busy_timeout(Db_, BusyTimeoutMs_);
    int rc = SQLITE_OK;
    TCheck check = CheckContents(Db_, rc);
    // Reading a write-ahead-log file needs its -shm file, which a read-only folder does
    // not let SQLite make, nor a full disk grow. With no -wal file, or an empty one (left
    // by such an attempt), the main file holds everything and nobody is writing to it, so
    // it may be read as immutable. Its verdict moves nothing.
    if (check == TCheck::Unreadable && IsMissingOrEmpty(StoreLogPath(Path_, "-wal"))) {
        CloseDatabase();
        const std::string uri = "file:" + Path_ + "?immutable=1";
        if (sqlite3_open_v2(uri.c_str(), &Db_, flags, nullptr) != SQLITE_OK) {
            CloseDatabase();
            return TOpen::Unavailable;
        }
        check = CheckContents(Db_, rc);
        if (check == TCheck::Damaged) check = TCheck::Unreadable;
    }
    if (check != TCheck::Ok) {
        CloseDatabase(check != TCheck::Damaged);
        return check == TCheck::Damaged ? TOpen::Damaged : TOpen::Unavailable;
    }
    New_ = New_ || HoldsNoKeys(Db_);
    // An empty file has no tables yet: there is nothing to read.
    if (!PrepareStatements()) return TOpen::Unavailable;
    return TOpen::ReadOnly;
}

bool TSettingsStore::PrepareStatements() {
    Statements_ = new TStatements;
    if (Statements_->Prepare(Db_)) return true;
    CloseDatabase(false);
    return false;
}

void TSettingsStore::OpenInMemory() {
    CloseDatabase();
    Persistent_ = false;
    ReadOnly_ = false;
    New_ = true;
    if (sqlite3_open(":memory:", &Db_) == SQLITE_OK &&
        ExecSql(Db_, SchemaSql().c_str()) == SQLITE_OK && PrepareStatements())
        return;
    CloseDatabase();
}

void TSettingsStore::CloseDatabase(bool checkpoint) {
    if (Statements_) {
        Statements_->Finalize();
        delete Statements_;
        Statements_ = nullptr;
    }
    // A damaged file keeps its log unmerged, so it is moved aside as it was found.
    if (Db_ && !checkpoint) sqlite3_db_config(Db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    if (Db_) sqlite3_close(Db_);
    Db_ = nullptr;
    TransactionDepth_ = 0;
    InSqlTransaction_ = false;
    TransactionFailed_ = false;
}

int TSettingsStore::Checked(int rc) {
    if (IsDamage(rc)) Damaged_ = true;
    return rc;
}

bool TSettingsStore::BeginTransaction() {
    if (!Db_) return false;
    if (TransactionDepth_++ == 0) {
        TransactionFailed_ = !CanWrite() || Checked(ExecSql(Db_, "BEGIN IMMEDIATE")) != SQLITE_OK;
        InSqlTransaction_ = !TransactionFailed_;
    }
    return !TransactionFailed_;
}

bool TSettingsStore::EndTransaction(bool commit) {
    if (!Db_ || TransactionDepth_ == 0) return false;
    if (!commit) TransactionFailed_ = true;
    if (--TransactionDepth_ > 0) return !TransactionFailed_;
    bool written = false;
    if (InSqlTransaction_) {
        written = !TransactionFailed_ && !Damaged_ && Checked(ExecSql(Db_, "COMMIT")) == SQLITE_OK;
        if (!written) ExecSql(Db_, "ROLLBACK");
    }
    InSqlTransaction_ = false;
    TransactionFailed_ = false;
    return written;
}

TSettingsStore::TTransaction::TTransaction(TSettingsStore& store) : Store_(store) {
    Store_.BeginTransaction();
    Open_ = true;
}

TSettingsStore::TTransaction::~TTransaction() {
    if (Open_) Store_.EndTransaction(false);
}

bool TSettingsStore::TTransaction::Commit() {
    if (!Open_) return false;
    Open_ = false;
    return Store_.EndTransaction(true);
}

std::optional<std::int64_t> TSettingsStore::FindChild(std::int64_t parent, std::string_view name) {
    sqlite3_stmt* statement = Statements_->FindChild;
    TStatementUse use(statement);
    sqlite3_bind_int64(statement, 1, parent);
    BindText(statement, 2, name);
    if (Checked(sqlite3_step(statement)) != SQLITE_ROW) return std::nullopt;
    return sqlite3_column_int64(statement, 0);
}

std::optional<std::int64_t> TSettingsStore::AddChild(std::int64_t parent, std::string_view name) {
    if (!CanWrite()) return std::nullopt;
    sqlite3_stmt* statement = Statements_->AddChild;
    TStatementUse use(statement);
    sqlite3_bind_int64(statement, 1, parent);
    BindText(statement, 2, name);
    if (Checked(sqlite3_step(statement)) != SQLITE_DONE) return std::nullopt;
    return sqlite3_last_insert_rowid(Db_);
}

std::optional<TStoreKey> TSettingsStore::OpenKey(std::string_view path, bool canCreate) {
    const std::vector<std::string> names = SplitKeyPath(path);
    if (!Db_ || names.empty()) return std::nullopt;
    std::optional<TTransaction> transaction;
    if (canCreate) transaction.emplace(*this);
    std::int64_t id = 0; // the root
    for (const std::string& name : names) {
        std::optional<std::int64_t> child = FindChild(id, name);
        if (!child && canCreate) child = AddChild(id, name);
        if (!child) return std::nullopt; // the transaction, if any, rolls back
        id = *child;
    }
    if (transaction && !transaction->Commit()) return std::nullopt;
    return TStoreKey{id, std::string(path)};
}

std::string TSettingsStore::ReadText(const TStoreKey& key, std::string_view name) {
    if (!Db_ || key.Id == 0) return {};
    sqlite3_stmt* statement = Statements_->ReadValue;
    TStatementUse use(statement);
    sqlite3_bind_int64(statement, 1, key.Id);
    BindText(statement, 2, name);
    if (Checked(sqlite3_step(statement)) != SQLITE_ROW) return {};
    return ColumnText(statement, 0);
}

bool TSettingsStore::WriteOne(std::int64_t key, std::string_view name, std::string_view value) {
    if (name.empty() || !CanWrite()) return false;
    sqlite3_stmt* statement = Statements_->WriteValue;
    TStatementUse use(statement);
    sqlite3_bind_int64(statement, 1, key);
    BindText(statement, 2, name);
    BindText(statement, 3, value);
    return Checked(sqlite3_step(statement)) == SQLITE_DONE && sqlite3_changes(Db_) == 1;
}

bool TSettingsStore::WriteText(const TStoreKey& key, std::string_view name,
                               std::string_view value) {
    return WriteTexts(key, {TNamedText{std::string(name), std::string(value)}});
}

bool TSettingsStore::WriteTexts(const TStoreKey& key, const std::vector<TNamedText>& values) {
    if (!CanWrite() || key.Id == 0) return false;
    TTransaction transaction(*this);
    for (const TNamedText& value : values) {
        if (!WriteOne(key.Id, value.Name, value.Value)) return false;
    }
    return transaction.Commit();
}

std::vector<std::string> TSettingsStore::ListSubKeys(const TStoreKey& key) {
    std::vector<std::string> names;
    if (!Db_ || key.Id == 0) return names;
    sqlite3_stmt* statement = Statements_->ListChildren;
    TStatementUse use(statement);
    sqlite3_bind_int64(statement, 1, key.Id);
    while (Checked(sqlite3_step(statement)) == SQLITE_ROW)
        names.push_back(ColumnText(statement, 0));
    return names;
}

bool TSettingsStore::DeleteKey(std::string_view path) {
    if (!CanWrite()) return false;
    TTransaction transaction(*this);
    const std::optional<TStoreKey> key = OpenKey(path, false);
    if (!key) return false;
    for (sqlite3_stmt* statement : {Statements_->DeleteValuesBelow, Statements_->DeleteKeysBelow}) {
        TStatementUse use(statement);
        sqlite3_bind_int64(statement, 1, key->Id);
        if (Checked(sqlite3_step(statement)) != SQLITE_DONE) return false;
    }
    return transaction.Commit();
}

void TSettingsStore::CloseKey(TStoreKey& key) {
    key.Id = 0;
    key.Path.clear();
}
