#include "settings/settings_store.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// "TdWl": marks a database file as this program's settings store.
constexpr int StoreApplicationId = 0x5464576C;
constexpr int BusyTimeoutMs = 10000;

constexpr const char* SchemaSql = "CREATE TABLE IF NOT EXISTS keys("
                                  " id INTEGER PRIMARY KEY,"
                                  " parent INTEGER NOT NULL,"
                                  " name TEXT NOT NULL COLLATE NOCASE,"
                                  " UNIQUE(parent, name));"
                                  "CREATE TABLE IF NOT EXISTS vals("
                                  " key INTEGER NOT NULL,"
                                  " name TEXT NOT NULL COLLATE NOCASE,"
                                  " value TEXT NOT NULL,"
                                  " PRIMARY KEY(key, name)) WITHOUT ROWID;";

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

std::string UtcStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &parts);
    return text;
}

// Renames the damaged file (and its log files) to a name not yet taken. Returns the new
// name, or "" when the file could not be moved.
std::string MoveAside(const std::string& path) {
    const std::string base = path + ".damaged-" + UtcStamp();
    std::string target = base;
    std::error_code error;
    for (int n = 2; fs::exists(target, error) && n < 1000; ++n)
        target = base + "-" + std::to_string(n);
    fs::rename(path, target, error);
    if (error) return {};
    for (const char* suffix : {"-wal", "-shm"}) {
        std::error_code ignored;
        if (fs::exists(path + suffix, ignored)) fs::rename(path + suffix, target + suffix, ignored);
    }
    return target;
}

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

enum class TOpenOutcome { Ok, Damaged, Unavailable };

TOpenOutcome Classify(int rc) {
    const int primary = rc & 0xff;
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED || primary == SQLITE_NOMEM ||
        primary == SQLITE_FULL || primary == SQLITE_IOERR)
        return TOpenOutcome::Unavailable;
    return TOpenOutcome::Damaged;
}

int ExecSql(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

// The single integer or text result of a query; rc receives the error code.
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

// Schema and ownership check inside one write transaction. A file that holds another
// program's tables is not taken over.
TOpenOutcome CheckSchema(sqlite3* db) {
    int rc = ExecSql(db, "BEGIN IMMEDIATE");
    if (rc != SQLITE_OK) return Classify(rc);
    const auto fail = [db](TOpenOutcome outcome) {
        ExecSql(db, "ROLLBACK");
        return outcome;
    };
    const std::string id = QueryText(db, "PRAGMA application_id", rc);
    if (rc != SQLITE_OK) return fail(Classify(rc));
    if (id != "0" && id != std::to_string(StoreApplicationId)) return fail(TOpenOutcome::Damaged);
    const std::string foreign =
        QueryText(db,
                  "SELECT count(*) FROM sqlite_schema WHERE type = 'table'"
                  " AND name NOT IN ('keys', 'vals') AND name NOT LIKE 'sqlite%'",
                  rc);
    if (rc != SQLITE_OK) return fail(Classify(rc));
    if (foreign != "0") return fail(TOpenOutcome::Damaged);
    rc = ExecSql(db, SchemaSql);
    if (rc != SQLITE_OK) return fail(Classify(rc));
    const std::string setId = "PRAGMA application_id = " + std::to_string(StoreApplicationId);
    rc = ExecSql(db, setId.c_str());
    if (rc != SQLITE_OK) return fail(Classify(rc));
    rc = ExecSql(db, "COMMIT");
    if (rc != SQLITE_OK) return fail(Classify(rc));
    return TOpenOutcome::Ok;
}

TOpenOutcome SetUpConnection(sqlite3* db) {
    sqlite3_busy_timeout(db, BusyTimeoutMs);
    int rc = SQLITE_OK;
    QueryText(db, "PRAGMA journal_mode = WAL", rc);
    if (rc != SQLITE_OK) return Classify(rc);
    const TOpenOutcome schema = CheckSchema(db);
    if (schema != TOpenOutcome::Ok) return schema;
    const std::string check = QueryText(db, "PRAGMA quick_check", rc);
    if (rc != SQLITE_OK) return Classify(rc);
    return check == "ok" ? TOpenOutcome::Ok : TOpenOutcome::Damaged;
}

} // namespace

TSettingsStore::TSettingsStore(std::string path) : Path_(std::move(path)) {
    std::error_code error;
    const fs::path file(Path_);
    if (file.has_parent_path()) fs::create_directories(file.parent_path(), error);
    if (OpenDatabase(Path_)) return;

    const bool exists = fs::exists(fs::symlink_status(file, error));
    if (exists && LastOpenDamaged_) {
        const std::string aside = MoveAside(Path_);
        if (!aside.empty() && OpenDatabase(Path_)) {
            RecoveryMessage_ = "\r\nYour settings file could not be read. It has been kept as \"" +
                               aside +
                               "\" and Tidewell has started with its default settings. Please "
                               "check them in Tidewell's Configuration screen.";
            return;
        }
    }
    OpenInMemory();
    RecoveryMessage_ = "\r\nYour settings file \"" + Path_ +
                       "\" could not be opened. Tidewell has started with its default settings "
                       "and cannot save changes during this run.";
}

TSettingsStore::~TSettingsStore() {
    CloseDatabase();
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

bool TSettingsStore::OpenDatabase(const std::string& path) {
    CloseDatabase();
    LastOpenDamaged_ = false;
    const int rc =
        sqlite3_open_v2(path.c_str(), &Db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    TOpenOutcome outcome = rc == SQLITE_OK ? SetUpConnection(Db_) : Classify(rc);
    if (outcome == TOpenOutcome::Ok) {
        Statements_ = new TStatements;
        if (!Statements_->Prepare(Db_)) outcome = TOpenOutcome::Damaged;
    }
    if (outcome == TOpenOutcome::Ok) return true;
    LastOpenDamaged_ = outcome == TOpenOutcome::Damaged;
    CloseDatabase();
    return false;
}

void TSettingsStore::OpenInMemory() {
    CloseDatabase();
    Persistent_ = false;
    if (sqlite3_open(":memory:", &Db_) == SQLITE_OK && ExecSql(Db_, SchemaSql) == SQLITE_OK) {
        Statements_ = new TStatements;
        if (Statements_->Prepare(Db_)) return;
    }
    CloseDatabase();
}

void TSettingsStore::CloseDatabase() {
    if (Statements_) {
        Statements_->Finalize();
        delete Statements_;
        Statements_ = nullptr;
    }
    if (Db_) sqlite3_close(Db_);
    Db_ = nullptr;
    TransactionDepth_ = 0;
}

bool TSettingsStore::BeginTransaction() {
    if (!Db_) return false;
    if (TransactionDepth_++ == 0) {
        TransactionFailed_ = ExecSql(Db_, "BEGIN IMMEDIATE") != SQLITE_OK;
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
        written = !TransactionFailed_ && ExecSql(Db_, "COMMIT") == SQLITE_OK;
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
    if (sqlite3_step(statement) != SQLITE_ROW) return std::nullopt;
    return sqlite3_column_int64(statement, 0);
}

std::optional<std::int64_t> TSettingsStore::AddChild(std::int64_t parent, std::string_view name) {
    sqlite3_stmt* statement = Statements_->AddChild;
    TStatementUse use(statement);
    sqlite3_bind_int64(statement, 1, parent);
    BindText(statement, 2, name);
    if (sqlite3_step(statement) != SQLITE_DONE) return std::nullopt;
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
    if (sqlite3_step(statement) != SQLITE_ROW) return {};
    return ColumnText(statement, 0);
}

bool TSettingsStore::WriteOne(std::int64_t key, std::string_view name, std::string_view value) {
    if (name.empty()) return false;
    sqlite3_stmt* statement = Statements_->WriteValue;
    TStatementUse use(statement);
    sqlite3_bind_int64(statement, 1, key);
    BindText(statement, 2, name);
    BindText(statement, 3, value);
    return sqlite3_step(statement) == SQLITE_DONE && sqlite3_changes(Db_) == 1;
}

bool TSettingsStore::WriteText(const TStoreKey& key, std::string_view name,
                               std::string_view value) {
    return WriteTexts(key, {TNamedText{std::string(name), std::string(value)}});
}

bool TSettingsStore::WriteTexts(const TStoreKey& key, const std::vector<TNamedText>& values) {
    if (!Db_ || key.Id == 0) return false;
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
    while (sqlite3_step(statement) == SQLITE_ROW)
        names.push_back(ColumnText(statement, 0));
    return names;
}

bool TSettingsStore::DeleteKey(std::string_view path) {
    if (!Db_) return false;
    TTransaction transaction(*this);
    const std::optional<TStoreKey> key = OpenKey(path, false);
    if (!key) return false;
    for (sqlite3_stmt* statement : {Statements_->DeleteValuesBelow, Statements_->DeleteKeysBelow}) {
        TStatementUse use(statement);
        sqlite3_bind_int64(statement, 1, key->Id);
        if (sqlite3_step(statement) != SQLITE_DONE) return false;
    }
    return transaction.Commit();
}

void TSettingsStore::CloseKey(TStoreKey& key) {
    key.Id = 0;
    key.Path.clear();
}
