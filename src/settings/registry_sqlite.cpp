// SPDX-License-Identifier: LGPL-2.1-or-later
// The registry store on SQLite: one database file a hive.
//
// Windows keeps HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE in hive files that every
// process shares; key names compare without regard to case but keep their
// spelling, values carry a type number and raw bytes. Here:
//   keys(path, parent, name)  path and parent are upper-cased full paths (the
//                             registry's comparison), name the stored spelling
//   vals(key, fold, name, type, data)
// Every write is one IMMEDIATE transaction, retried while another process holds
// the write lock, so a busy hive never turns into a failed write. The user hive
// runs in WAL mode; the machine hive in rollback-journal mode, so that users who
// cannot write it can still read it. Access follows the file system, as HKLM
// does for a non-administrator: read needs the file readable, full access (and
// creating keys) needs the file and its folder writable.
#include "registry_p.h"
#include "settingslogging_p.h"

#include <MavLibrary/text/utfconversion.h>

#include <QChar>

#include <sqlite3.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <thread>
#include <unordered_set>

namespace ztds::registry {

namespace {

constexpr int BusyTimeoutMs = 5000;
constexpr auto WriteRetryLimit = std::chrono::seconds(60);
constexpr auto RecheckInterval = std::chrono::milliseconds(100);

/*
    The environment variables a hive's file was made of, as they were then. Whether
    the file would still be the same is a matter of comparing them again: cheaper
    than building its name, and the next read after a change follows it.
*/
class HiveSource
{
public:
    std::string get(const char *name)
    {
        const char *value = std::getenv(name);
        if (m_count < m_read.size())
            m_read[m_count++] = {name, value != nullptr, value ? value : ""};
        return value ? std::string(value) : std::string();
    }

    bool unchanged() const
    {
        for (std::size_t i = 0; i < m_count; ++i) {
            const char *value = std::getenv(m_read[i].name);
            if ((value != nullptr) != m_read[i].set
                || (value && std::strcmp(value, m_read[i].value.c_str()) != 0))
                return false;
        }
        return m_count != 0;
    }

private:
    struct Variable
    {
        const char *name;
        bool set;
        std::string value;
    };
    std::array<Variable, 3> m_read {};
    std::size_t m_count = 0;
};

std::string folderOf(const std::string &file)
{
    const auto slash = file.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : file.substr(0, slash);
}

std::string hiveName(Hive hive)
{
    return hive == Hive::CurrentUser ? "the user hive " : "the machine hive ";
}

bool makePath(const std::string &dir)
{
    struct stat st;
    if (::stat(dir.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    const std::string parent = folderOf(dir);
    if (parent != dir && !makePath(parent))
        return false;
    return ::mkdir(dir.c_str(), 0755) == 0 || errno == EEXIST;
}

// The registry's comparison: component names match when their upper-case forms
// do. Into \a fold, whose buffer a caller may keep; false for a name that is not
// valid Unicode, which no key or value can have.
bool foldName(std::wstring_view name, std::string &fold)
{
    fold.resize(name.size());
    char *out = fold.data();
    for (const wchar_t w : name) {
        const auto c = std::uint32_t(w);
        if (c >= 0x80) {
            // Characters beyond Unicode (negative ones too) would match a name of
            // U+FFFD or of the character in their low byte.
            std::wstring upper(name);
            for (wchar_t &u : upper) {
                if (std::uint32_t(u) > 0x10FFFF)
                    return false;
                u = wchar_t(QChar::toUpper(char32_t(u)));
            }
            bool ok = true;
            fold = ztds::wideToUtf8(upper, &ok);
            return ok;
        }
        *out++ = char(c - 'a' < 26 ? c - ('a' - 'A') : c);
    }
    return true;
}

std::string foldName(std::wstring_view name, bool *ok = nullptr)
{
    std::string fold;
    const bool folded = foldName(name, fold);
    if (ok)
        *ok = folded;
    return fold;
}

// The components of a path; they view the string parsed, which must outlive them.
struct ParsedPath
{
    bool valid = false;
    std::vector<std::wstring_view> components;
};

ParsedPath parsePath(std::wstring_view path, std::string *error = nullptr)
{
    ParsedPath parsed;
    auto fail = [&](const char *why) {
        if (error)
            *error = why;
        return parsed;
    };
    if (path.empty())
        return fail("empty key path");
    std::size_t start = 0;
    while (true) {
        const std::size_t end = path.find(L'\\', start);
        const std::wstring_view component =
            path.substr(start, end == std::wstring::npos ? end : end - start);
        if (component.empty())
            return fail("empty key part");
        if (component.size() > MaxKeyNameLength)
            return fail("key part longer than 255 characters");
        parsed.components.push_back(component);
        if (end == std::wstring::npos)
            break;
        start = end + 1;
    }
    parsed.valid = true;
    return parsed;
}

class Database
{
public:
    ~Database()
    {
        for (auto &entry : m_statements)
            sqlite3_finalize(entry.second);
        if (m_db)
            sqlite3_close_v2(m_db);
    }

    std::mutex mutex;
    std::string file;
    Hive hive = Hive::CurrentUser;
    bool writable = false;
    dev_t device = 0;
    ino_t inode = 0;
    // When device and inode were last compared with the file's; written under the cache lock.
    std::atomic<std::chrono::steady_clock::time_point> checkedAt {};
    std::atomic<bool> cached {true}; // false once the cache let go of it
    std::string error; // why the last transaction failed, under the mutex
    std::string nameFold; // a buffer for queryRow, under the mutex

    // Opens the file; \a why tells what is wrong with it. Only \a create makes the tables.
    bool open(bool create, std::string &why)
    {
        const int flags = (writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY)
            | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_EXRESCODE;
        const int rc = sqlite3_open_v2(file.c_str(), &m_db, flags, nullptr);
        if (rc != SQLITE_OK) {
            why = m_db ? reason() : sqlite3_errstr(rc);
            return false;
        }
        sqlite3_busy_handler(m_db, &Database::busy, nullptr);
        if (writable) {
            const char *journal = hive == Hive::CurrentUser ? "PRAGMA journal_mode=WAL"
                                                            : "PRAGMA journal_mode=DELETE";
            if (!retryBusy(
                    [&] { return sqlite3_exec(m_db, journal, nullptr, nullptr, nullptr); })) {
                why = reason();
                return false;
            }
            // FULL: a commit that returned is on disk, not only in the page cache.
            sqlite3_exec(m_db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
        }
        // Reads the header, so that a file that is no database says so now
        // instead of passing for a hive without keys.
        if (schemaVersion() < 0) {
            why = reason();
            return false;
        }
        if (create && !ensureSchema()) {
            why = error;
            return false;
        }
        return true;
    }

    // The tables, made when the first write needs them. Call with the mutex held.
    bool ensureSchema()
    {
        if (m_schemaReady || schemaVersion() == 1)
            return m_schemaReady = true; // the usual case: no write transaction for it
        return m_schemaReady = transaction([&] {
                   return exec("CREATE TABLE IF NOT EXISTS keys("
                               " path TEXT PRIMARY KEY, parent TEXT NOT NULL, name TEXT NOT NULL"
                               ") WITHOUT ROWID")
                       && exec("CREATE INDEX IF NOT EXISTS keys_parent ON keys(parent)")
                       && exec("CREATE TABLE IF NOT EXISTS vals("
                               " key TEXT NOT NULL, fold TEXT NOT NULL, name TEXT NOT NULL,"
                               " type INTEGER NOT NULL, data BLOB NOT NULL,"
                               " PRIMARY KEY(key, fold)) WITHOUT ROWID")
                       && exec("PRAGMA user_version=1");
               });
    }

    int schemaVersion()
    {
        int version = -1;
        retryBusy([&] {
            return sqlite3_exec(
                m_db, "PRAGMA user_version",
                [](void *out, int, char **values, char **) {
                    *static_cast<int *>(out) = values[0] ? std::atoi(values[0]) : 0;
                    return 0;
                },
                &version, nullptr);
        });
        return version;
    }

    // What SQLite says about the last failure; the system's word where a file
    // could not be opened ("Permission denied" rather than "unable to open").
    std::string reason() const
    {
        if ((sqlite3_extended_errcode(m_db) & 0xff) == SQLITE_CANTOPEN
            && sqlite3_system_errno(m_db) != 0)
            return std::strerror(sqlite3_system_errno(m_db));
        return sqlite3_errmsg(m_db);
    }

    // Keeps the reason of a failure, unless a step already named a better one.
    void noteFailure()
    {
        const int rc = sqlite3_errcode(m_db);
        if (error.empty() && rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
            error = reason();
    }

    bool exec(const char *sql)
    {
        const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            qCDebug(lcSettings, "%s: %s", sql, sqlite3_errmsg(m_db));
        return rc == SQLITE_OK;
    }

    // A cached prepared statement, reset and cleared; null when it cannot be
    // prepared (a hive without tables, for example).
    sqlite3_stmt *statement(const char *sql)
    {
        auto it = m_statements.find(sql);
        if (it != m_statements.end()) {
            sqlite3_reset(it->second);
            sqlite3_clear_bindings(it->second);
            return it->second;
        }
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr)
            != SQLITE_OK) {
            qCDebug(lcSettings, "cannot prepare %s: %s", sql, sqlite3_errmsg(m_db));
            return nullptr;
        }
        m_statements.emplace(sql, stmt);
        return stmt;
    }

    // The statement of single reads, the hot path, without the look-up in the
    // map: queryRow binds both parameters and resets it after every step.
    sqlite3_stmt *readStatement()
    {
        if (!m_read)
            m_read = statement("SELECT type, data FROM vals WHERE key=?1 AND fold=?2");
        return m_read;
    }

    // Retries \a step while the database is busy (locked by another process
    // beyond the busy timeout), up to a generous limit.
    template<class F> static bool retryBusy(F step)
    {
        const auto deadline = std::chrono::steady_clock::now() + WriteRetryLimit;
        while (true) {
            const int rc = step();
            if (rc == SQLITE_OK || rc == SQLITE_DONE || rc == SQLITE_ROW)
                return true;
            if ((rc & 0xff) != SQLITE_BUSY && (rc & 0xff) != SQLITE_LOCKED)
                return false;
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    bool begin()
    {
        if (retryBusy(
                [&] { return sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr); }))
            return true;
        noteFailure();
        return false;
    }
    bool commit()
    {
        if (retryBusy([&] { return sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr); }))
            return true;
        noteFailure();
        rollback();
        return false;
    }
    void rollback()
    {
        if (!sqlite3_get_autocommit(m_db))
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }

    // One write transaction around \a body; rolled back when it fails, with the
    // reason in error.
    template<class F> bool transaction(F body)
    {
        error.clear();
        if (!begin())
            return false;
        if (!body()) {
            noteFailure();
            rollback();
            return false;
        }
        return commit();
    }

    sqlite3 *handle() const { return m_db; }

    // SQLite's own handler sleeps up to 100 ms between tries, so a process that
    // writes in a loop starves the others; short sleeps keep the turns fair.
    static int busy(void *, int count)
    {
        constexpr int PollMicroseconds = 200;
        if (count * PollMicroseconds > BusyTimeoutMs * 1000)
            return 0;
        std::this_thread::sleep_for(std::chrono::microseconds(count < 10 ? 50 : PollMicroseconds));
        return 1;
    }

private:
    sqlite3 *m_db = nullptr;
    bool m_schemaReady = false;
    std::map<const char *, sqlite3_stmt *> m_statements;
    sqlite3_stmt *m_read = nullptr; // one of m_statements
};

// Runs a statement to its end; true on SQLITE_DONE.
bool run(sqlite3_stmt *stmt)
{
    if (!stmt)
        return false;
    const int rc = sqlite3_step(stmt);
    sqlite3_reset(stmt);
    return rc == SQLITE_DONE || rc == SQLITE_ROW;
}

void bindText(sqlite3_stmt *stmt, int index, const std::string &text)
{
    sqlite3_bind_text(stmt, index, text.data(), int(text.size()), SQLITE_STATIC);
}

bool writableFile(const std::string &file)
{
    return ::access(file.c_str(), W_OK) == 0 && ::access(folderOf(file).c_str(), W_OK) == 0;
}

struct Cache
{
    std::mutex mutex;
    std::map<std::string, std::shared_ptr<Database>> databases;
};

Cache &cache()
{
    // Never destroyed: keys may outlive static destruction order. The cache lets
    // go of its connections when the process ends normally, though, so that each
    // closes with the last key that uses it: the last close of a hive moves its
    // -wal file into the database file.
    static Cache *s_cache = new Cache;
    static const struct Closer
    {
        ~Closer()
        {
            std::lock_guard lock(s_cache->mutex);
            for (auto &entry : s_cache->databases)
                entry.second->cached = false;
            s_cache->databases.clear();
        }
    } s_closer;
    return *s_cache;
}

std::string hiveFile(Hive hive, HiveSource &environment)
{
    if (hive == Hive::CurrentUser) {
        std::string file = environment.get("ZENTRIX_USER_HIVE");
        if (!file.empty())
            return file;
        std::string config = environment.get("XDG_CONFIG_HOME");
        if (config.empty() || config[0] != '/') {
            const std::string home = environment.get("HOME");
            if (home.empty())
                return {};
            config = home + "/.config";
        }
        return config + "/zentrix/user-hive.db";
    }
    std::string file = environment.get("ZENTRIX_MACHINE_HIVE");
    if (!file.empty())
        return file;
    std::string dirs = environment.get("XDG_CONFIG_DIRS");
    std::string first = dirs.substr(0, dirs.find(':'));
    if (first.empty() || first[0] != '/')
        first = "/etc/xdg";
    return first + "/zentrix/machine-hive.db";
}

// A thread's last connection to a hive, reached without the cache lock while the
// environment names the same file. Weak: it keeps open no connection the cache
// let go of (a replaced file, the end of the process).
struct Shortcut
{
    HiveSource source;
    std::weak_ptr<Database> db;
};

/*
    The open database of a hive, shared by every key of the process and reopened
    when the file was replaced. With \a create a missing file (and folder) is made.
    \a needWrite asks for a connection that may write, with the tables made.
    Null with \a error empty when the hive file does not exist (and is not to be
    created); otherwise \a error tells why the hive cannot be used.
*/
std::shared_ptr<Database> database(Hive hive, bool create, bool needWrite,
                                   std::string *error = nullptr)
{
    // Reads trust a file checked a moment ago; writes always check, so no write
    // ever goes to a hive file that was replaced.
    const bool read = !create && !needWrite;
    const auto now = std::chrono::steady_clock::now();
    const auto fresh = [now](const Database &db) {
        return db.cached && now - db.checkedAt.load() < RecheckInterval;
    };
    thread_local Shortcut t_shortcuts[2];
    Shortcut &shortcut = t_shortcuts[hive == Hive::CurrentUser ? 0 : 1];
    if (read) {
        auto db = shortcut.db.lock();
        if (db && fresh(*db) && shortcut.source.unchanged())
            return db;
    }
    HiveSource source;
    const std::string file = hiveFile(hive, source);
    auto fail = [&](const std::string &why) -> std::shared_ptr<Database> {
        if (error)
            *error = "cannot open " + hiveName(hive) + file + ": " + why;
        return nullptr;
    };
    if (file.empty())
        return create ? fail("no home folder") : nullptr;
    Cache &c = cache();
    const auto remember = [&](const std::shared_ptr<Database> &db) {
        shortcut.source = std::move(source);
        shortcut.db = db;
        return db;
    };
    if (read) {
        std::lock_guard lock(c.mutex);
        auto it = c.databases.find(file);
        if (it != c.databases.end() && fresh(*it->second))
            return remember(it->second);
    }
    struct stat st;
    bool exists = ::stat(file.c_str(), &st) == 0;
    if (!exists) {
        if (!create)
            return nullptr;
        if (!makePath(folderOf(file)))
            return fail(std::strerror(errno));
    }

    std::shared_ptr<Database> db;
    {
        std::lock_guard lock(c.mutex);
        if (exists) {
            auto it = c.databases.find(file);
            if (it != c.databases.end()) {
                if (it->second->device == st.st_dev && it->second->inode == st.st_ino
                    && (it->second->writable || !needWrite || !writableFile(file))) {
                    it->second->checkedAt = now;
                    db = it->second;
                } else {
                    it->second->cached = false;
                    c.databases.erase(it);
                }
            }
        }
        if (!db) {
            // Drop connections to hives nobody uses any longer (tests switch hives often).
            for (auto it = c.databases.begin(); it != c.databases.end();) {
                if (it->second.use_count() == 1 && c.databases.size() > 4) {
                    it->second->cached = false;
                    it = c.databases.erase(it);
                } else {
                    ++it;
                }
            }
            db = std::make_shared<Database>();
            db->file = file;
            db->hive = hive;
            db->writable =
                exists ? writableFile(file) : ::access(folderOf(file).c_str(), W_OK) == 0;
            if (!db->writable && !exists)
                return fail(std::strerror(EACCES));
            std::string why;
            if (!db->open(create && !exists, why))
                return fail(why);
            if (::stat(file.c_str(), &st) != 0)
                return fail(std::strerror(errno));
            db->device = st.st_dev;
            db->inode = st.st_ino;
            db->checkedAt = now;
            c.databases[file] = db;
        }
    }
    remember(db);
    if (needWrite) {
        if (!db->writable) {
            if (error)
                *error = "no write access to " + hiveName(hive) + file;
            return nullptr;
        }
        std::lock_guard lock(db->mutex);
        if (!db->ensureSchema())
            return fail(db->error);
    }
    return db;
}

enum class KeyState { Missing, Exists, Failed };

// Whether the key exists; Failed puts the reason in db.error. Call with the mutex held.
KeyState keyState(Database &db, const std::string &fold)
{
    sqlite3_stmt *stmt = db.statement("SELECT 1 FROM keys WHERE path=?1");
    if (!stmt) {
        if (db.schemaVersion() == 0)
            return KeyState::Missing; // an empty file: a hive without keys
        db.error = db.reason();
        return KeyState::Failed;
    }
    bindText(stmt, 1, fold);
    const int rc = sqlite3_step(stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        db.error = db.reason();
    sqlite3_reset(stmt);
    return rc == SQLITE_ROW ? KeyState::Exists
        : rc == SQLITE_DONE ? KeyState::Missing
                            : KeyState::Failed;
}

// Folded paths of the keys known to exist inside one transaction, so that a deep
// tree costs each of its levels once, not once for every key below it.
using KnownKeys = std::unordered_set<std::string>;

// Inserts every missing key of the path (folded: \a fold); the caller holds a transaction.
bool insertPath(Database &db, const ParsedPath &parsed, const std::string &fold,
                KnownKeys *known = nullptr)
{
    // A component's folded name holds no '\\', so the prefixes of fold are the parents.
    const std::size_t count = parsed.components.size();
    std::vector<std::size_t> ends(count);
    for (std::size_t i = 0, at = 0; i < count; ++i) {
        at = i + 1 < count ? fold.find('\\', at) : fold.size();
        ends[i] = at++;
    }
    std::size_t first = 0;
    if (known) {
        for (std::size_t i = count; i-- > 0;) {
            if (known->count(fold.substr(0, ends[i]))) {
                first = i + 1;
                break;
            }
        }
    }
    for (std::size_t i = first; i < count; ++i) {
        bool ok = true;
        const std::string name = ztds::wideToUtf8(parsed.components[i], &ok);
        if (!ok)
            return false;
        sqlite3_stmt *stmt =
            db.statement("INSERT OR IGNORE INTO keys(path, parent, name) VALUES(?1, ?2, ?3)");
        if (!stmt)
            return false;
        sqlite3_bind_text(stmt, 1, fold.data(), int(ends[i]), SQLITE_STATIC);
        sqlite3_bind_text(stmt, 2, fold.data(), i ? int(ends[i - 1]) : 0, SQLITE_STATIC);
        bindText(stmt, 3, name);
        if (!run(stmt))
            return false;
        if (known)
            known->insert(fold.substr(0, ends[i]));
    }
    return true;
}

bool removeTree(Database &db, const std::string &fold, bool mustExist)
{
    const std::string low = fold + '\\';
    const std::string high = fold + ']'; // the code point after '\\'
    sqlite3_stmt *vals = db.statement("DELETE FROM vals WHERE key=?1 OR (key>=?2 AND key<?3)");
    if (!vals)
        return false;
    bindText(vals, 1, fold);
    bindText(vals, 2, low);
    bindText(vals, 3, high);
    if (!run(vals))
        return false;
    sqlite3_stmt *keys = db.statement("DELETE FROM keys WHERE path=?1 OR (path>=?2 AND path<?3)");
    if (!keys)
        return false;
    bindText(keys, 1, fold);
    bindText(keys, 2, low);
    bindText(keys, 3, high);
    if (!run(keys))
        return false;
    return !mustExist || sqlite3_changes(db.handle()) > 0;
}

bool storeValue(Database &db, const std::string &keyFold, const std::wstring &name,
                std::uint32_t type, const std::string &data)
{
    if (name.size() > MaxValueNameLength) {
        db.error = "value name longer than 16383 characters";
        return false;
    }
    bool ok = true;
    const std::string spelling = ztds::wideToUtf8(name, &ok);
    std::string fold;
    if (!ok || !foldName(name, fold)) {
        db.error = "value name is not valid Unicode";
        return false;
    }
    sqlite3_stmt *stmt = db.statement(
        "INSERT INTO vals(key, fold, name, type, data)"
        " SELECT ?1, ?2, ?3, ?4, ?5 WHERE EXISTS(SELECT 1 FROM keys WHERE path=?1)"
        " ON CONFLICT(key, fold) DO UPDATE SET type=excluded.type, data=excluded.data");
    if (!stmt)
        return false;
    bindText(stmt, 1, keyFold);
    bindText(stmt, 2, fold);
    bindText(stmt, 3, spelling);
    sqlite3_bind_int64(stmt, 4, type);
    sqlite3_bind_blob(stmt, 5, data.data(), int(data.size()), SQLITE_STATIC);
    if (!run(stmt))
        return false;
    if (sqlite3_changes(db.handle()) == 0)
        db.error = "no such key";
    return sqlite3_changes(db.handle()) > 0;
}

bool removeValue(Database &db, const std::string &keyFold, const std::wstring &name)
{
    sqlite3_stmt *stmt = db.statement("DELETE FROM vals WHERE key=?1 AND fold=?2");
    if (!stmt)
        return false;
    std::string fold;
    if (!foldName(name, fold)) {
        db.error = "no such value";
        return false;
    }
    bindText(stmt, 1, keyFold);
    bindText(stmt, 2, fold);
    if (!run(stmt))
        return false;
    if (sqlite3_changes(db.handle()) == 0)
        db.error = "no such value";
    return sqlite3_changes(db.handle()) > 0;
}

bool queryRow(Database &db, const std::string &keyFold, const std::wstring &name,
              std::uint32_t &type, std::string &data)
{
    std::lock_guard lock(db.mutex);
    sqlite3_stmt *stmt = db.readStatement();
    if (!stmt)
        return false;
    std::string &fold = db.nameFold;
    if (!foldName(name, fold))
        return false; // no value can have that name
    bindText(stmt, 1, keyFold);
    bindText(stmt, 2, fold);
    const bool found = sqlite3_step(stmt) == SQLITE_ROW;
    if (found) {
        type = std::uint32_t(sqlite3_column_int64(stmt, 0));
        const void *bytes = sqlite3_column_blob(stmt, 1);
        data.assign(static_cast<const char *>(bytes), std::size_t(sqlite3_column_bytes(stmt, 1)));
    }
    sqlite3_reset(stmt);
    return found;
}

class SqliteKey final : public Key
{
public:
    SqliteKey(std::shared_ptr<Database> db, Access access, std::wstring path, std::string fold)
        : m_db(std::move(db))
        , m_access(access)
        , m_path(std::move(path))
        , m_fold(std::move(fold))
    { }

    Hive hive() const override { return m_db->hive; }
    Access access() const override { return m_access; }
    const std::wstring &path() const override { return m_path; }

    bool queryValue(const std::wstring &name, std::uint32_t &type, std::string &data) override
    {
        return queryRow(*m_db, m_fold, name, type, data);
    }

    bool setValue(const std::wstring &name, std::uint32_t type, const std::string &data) override
    {
        if (m_access != Access::Full)
            return failed("the key is open for reading only");
        std::lock_guard lock(m_db->mutex);
        return m_db->transaction([&] { return storeValue(*m_db, m_fold, name, type, data); })
            || failed(m_db->error);
    }

    bool deleteValue(const std::wstring &name) override
    {
        if (m_access != Access::Full)
            return failed("the key is open for reading only");
        std::lock_guard lock(m_db->mutex);
        return m_db->transaction([&] { return removeValue(*m_db, m_fold, name); })
            || failed(m_db->error);
    }

    bool subKeyNames(std::vector<std::wstring> &names) override
    {
        return names_("SELECT name FROM keys WHERE parent=?1", names);
    }

    bool valueNames(std::vector<std::wstring> &names) override
    {
        return names_("SELECT name FROM vals WHERE key=?1", names);
    }

    bool values(std::vector<Value> &values) override
    {
        std::lock_guard lock(m_db->mutex);
        sqlite3_stmt *stmt = m_db->statement("SELECT name, type, data FROM vals WHERE key=?1");
        if (!stmt)
            return false;
        bindText(stmt, 1, m_fold);
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            Value value;
            value.name =
                ztds::utf8ToWide(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
            value.type = std::uint32_t(sqlite3_column_int64(stmt, 1));
            const void *bytes = sqlite3_column_blob(stmt, 2);
            value.data.assign(static_cast<const char *>(bytes),
                              std::size_t(sqlite3_column_bytes(stmt, 2)));
            values.push_back(std::move(value));
        }
        if (rc != SQLITE_DONE)
            m_error = m_db->reason();
        sqlite3_reset(stmt);
        return rc == SQLITE_DONE;
    }

    std::string errorString() const override { return m_error; }

private:
    bool names_(const char *sql, std::vector<std::wstring> &names)
    {
        std::lock_guard lock(m_db->mutex);
        sqlite3_stmt *stmt = m_db->statement(sql);
        if (!stmt)
            return false;
        bindText(stmt, 1, m_fold);
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0));
            names.push_back(ztds::utf8ToWide(
                std::string_view(text, std::size_t(sqlite3_column_bytes(stmt, 0)))));
        }
        if (rc != SQLITE_DONE)
            m_error = m_db->reason();
        sqlite3_reset(stmt);
        return rc == SQLITE_DONE;
    }

    bool failed(const std::string &why)
    {
        m_error = why;
        return false;
    }

    std::shared_ptr<Database> m_db;
    Access m_access;
    std::wstring m_path;
    std::string m_fold;
    std::string m_error;
};

// foldKeyPath for a path that is not all ASCII: component by component.
bool foldComponents(std::wstring_view path, std::string &fold)
{
    fold.clear();
    for (std::size_t start = 0, end;; start = end + 1) {
        end = std::min(path.find(L'\\', start), path.size());
        bool ok = validKeyPart(end - start);
        if (ok)
            fold += foldName(path.substr(start, end - start), &ok);
        if (!ok)
            return false;
        if (end == path.size())
            return true;
        fold += '\\';
    }
}

// A key for reads that is not checked for existence: resolves its hive on first
// use, so that a read answered by the user hive costs the machine hive nothing.
// A read goes straight to the hive; listings through a SqliteKey made for the call.
class LookupKey final : public Key
{
public:
    LookupKey(Hive hive, std::wstring path, std::string fold)
        : m_hive(hive)
        , m_path(std::move(path))
        , m_fold(std::move(fold))
    { }

    Hive hive() const override { return m_hive; }
    Access access() const override { return Access::Read; }
    const std::wstring &path() const override { return m_path; }

    bool queryValue(const std::wstring &name, std::uint32_t &type, std::string &data) override
    {
        return resolve() && queryRow(*m_db, m_fold, name, type, data);
    }
    bool setValue(const std::wstring &, std::uint32_t, const std::string &) override
    {
        return false;
    }
    bool deleteValue(const std::wstring &) override { return false; }
    bool subKeyNames(std::vector<std::wstring> &names) override
    {
        return !resolve() || key().subKeyNames(names);
    }
    bool valueNames(std::vector<std::wstring> &names) override
    {
        return !resolve() || key().valueNames(names);
    }
    bool values(std::vector<Value> &values) override { return !resolve() || key().values(values); }

private:
    bool resolve()
    {
        if (!m_resolved) {
            m_resolved = true;
            m_db = database(m_hive, false, false);
        }
        return bool(m_db);
    }
    SqliteKey key() const { return SqliteKey(m_db, Access::Read, m_path, m_fold); }

    Hive m_hive;
    std::wstring m_path;
    std::string m_fold;
    bool m_resolved = false;
    std::shared_ptr<Database> m_db;
};

std::string foldPath(const ParsedPath &parsed, bool &ok)
{
    std::string fold;
    std::size_t length = parsed.components.size();
    for (const auto &component : parsed.components)
        length += component.size();
    fold.reserve(length);
    ok = true;
    for (std::size_t i = 0; i < parsed.components.size(); ++i) {
        bool componentOk = true;
        if (i)
            fold += '\\';
        fold += foldName(parsed.components[i], &componentOk);
        ok = ok && componentOk;
    }
    return fold;
}

// Parses and folds a key path; false, with the reason, for a path no key can have.
bool resolvePath(const std::wstring &path, ParsedPath &parsed, std::string &fold,
                 std::string *error = nullptr)
{
    parsed = parsePath(path, error);
    if (!parsed.valid)
        return false;
    bool ok = true;
    fold = foldPath(parsed, ok);
    if (!ok && error)
        *error = "key name is not valid Unicode";
    return ok;
}

std::string utf8(const std::wstring &text)
{
    return ztds::wideToUtf8(text);
}

} // namespace

std::string hiveFile(Hive hive)
{
    HiveSource source;
    return hiveFile(hive, source);
}

std::unique_ptr<Key> openKey(Hive hive, const std::wstring &path, Access access, std::string *error)
{
    ParsedPath parsed;
    std::string fold;
    if (!resolvePath(path, parsed, fold, error))
        return nullptr;
    auto db = database(hive, false, access == Access::Full, error);
    if (!db)
        return nullptr;
    {
        std::lock_guard lock(db->mutex);
        switch (keyState(*db, fold)) {
        case KeyState::Exists:
            break;
        case KeyState::Missing:
            return nullptr;
        case KeyState::Failed:
            if (error)
                *error = "cannot read " + hiveName(hive) + db->file + ": " + db->error;
            return nullptr;
        }
    }
    return std::make_unique<SqliteKey>(std::move(db), access, path, std::move(fold));
}

std::unique_ptr<Key> lookupKey(Hive hive, const std::wstring &path)
{
    std::string fold;
    if (!foldKeyPath(path, fold))
        return nullptr;
    return std::make_unique<LookupKey>(hive, path, std::move(fold));
}

// The usual paths, all ASCII, are upper-cased as they are checked.
bool foldKeyPath(std::wstring_view path, std::string &fold)
{
    fold.resize(path.size());
    char *out = fold.data();
    std::size_t start = 0; // of the current component
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto c = std::uint32_t(path[i]);
        if (c >= 0x80)
            return foldComponents(path, fold);
        if (c == '\\') {
            if (!validKeyPart(i - start))
                return false;
            start = i + 1;
        }
        out[i] = char(c - 'a' < 26 ? c - ('a' - 'A') : c);
    }
    return validKeyPart(path.size() - start);
}

bool readValue(Hive hive, const std::string &keyFold, const std::wstring &name, std::uint32_t &type,
               std::string &data)
{
    auto db = database(hive, false, false);
    return db && queryRow(*db, keyFold, name, type, data);
}

std::unique_ptr<Key> createKey(Hive hive, const std::wstring &path, std::string *error)
{
    ParsedPath parsed;
    std::string fold;
    if (!resolvePath(path, parsed, fold, error))
        return nullptr;
    auto db = database(hive, true, true, error);
    if (!db)
        return nullptr;
    {
        std::lock_guard lock(db->mutex);
        // Most opens find the key there already: no write transaction for them.
        const KeyState state = keyState(*db, fold);
        if (state == KeyState::Failed || (state == KeyState::Missing && !db->transaction([&] {
                return insertPath(*db, parsed, fold);
            }))) {
            if (error)
                *error = "cannot write " + hiveName(hive) + db->file + ": " + db->error;
            return nullptr;
        }
    }
    return std::make_unique<SqliteKey>(std::move(db), Access::Full, path, std::move(fold));
}

bool deleteTree(Hive hive, const std::wstring &path, std::string *error)
{
    ParsedPath parsed;
    std::string fold;
    if (!resolvePath(path, parsed, fold, error))
        return false;
    auto db = database(hive, false, true, error);
    if (!db)
        return false;
    std::lock_guard lock(db->mutex);
    if (db->transaction([&] { return removeTree(*db, fold, true); }))
        return true;
    if (error && !db->error.empty())
        *error = "cannot write " + hiveName(hive) + db->file + ": " + db->error;
    return false;
}

bool checkKeyPath(const std::wstring &path, std::string *error)
{
    ParsedPath parsed;
    std::string fold;
    return resolvePath(path, parsed, fold, error);
}

bool applyBatch(const std::vector<Operation> &operations, std::string *error)
{
    auto fail = [&](const std::string &why) {
        if (error)
            *error = why;
        return false;
    };
    // Both hives in a fixed order, so two batches never wait for each other.
    std::shared_ptr<Database> dbs[2];
    for (const Operation &op : operations) {
        const int index = op.hive == Hive::CurrentUser ? 0 : 1;
        if (dbs[index])
            continue;
        const bool creates = op.kind == Operation::CreateKey || op.kind == Operation::SetValue;
        std::string why;
        dbs[index] = database(op.hive, creates, true, &why);
        if (!dbs[index] && !why.empty())
            return fail(why);
        // Without it: deleting from a hive that does not exist, nothing to do.
    }
    std::unique_lock<std::mutex> locks[2];
    for (int i = 0; i < 2; ++i) {
        if (dbs[i])
            locks[i] = std::unique_lock(dbs[i]->mutex);
    }
    for (int i = 0; i < 2; ++i) {
        if (dbs[i])
            dbs[i]->error.clear();
        if (dbs[i] && !dbs[i]->begin()) {
            for (int j = 0; j < i; ++j)
                if (dbs[j])
                    dbs[j]->rollback();
            return fail("cannot write " + hiveName(dbs[i]->hive) + dbs[i]->file + ": "
                        + dbs[i]->error);
        }
    }
    auto rollbackAll = [&] {
        for (auto &db : dbs)
            if (db)
                db->rollback();
    };
    KnownKeys known[2];
    for (const Operation &op : operations) {
        const int index = op.hive == Hive::CurrentUser ? 0 : 1;
        Database *db = dbs[index].get();
        if (!db)
            continue;
        ParsedPath parsed;
        std::string fold, why;
        if (!resolvePath(op.path, parsed, fold, &why)) {
            rollbackAll();
            return fail(utf8(op.path) + ": " + why);
        }
        bool ok = true;
        switch (op.kind) {
        case Operation::CreateKey:
            ok = insertPath(*db, parsed, fold, &known[index]);
            break;
        case Operation::DeleteTree:
            ok = removeTree(*db, fold, false);
            known[index].clear();
            break;
        case Operation::SetValue:
            ok = storeValue(*db, fold, op.name, op.type, op.data);
            break;
        case Operation::DeleteValue:
            removeValue(*db, fold, op.name);
            db->error.clear(); // a value that is not there is deleted already
            break;
        }
        if (!ok) {
            db->noteFailure();
            rollbackAll();
            return fail("cannot write " + utf8(op.path) + ": " + db->error);
        }
    }
    for (auto &db : dbs) {
        if (db && !db->commit()) {
            rollbackAll();
            return fail("cannot write " + hiveName(db->hive) + db->file + ": " + db->error);
        }
    }
    // A copy of the database file alone, or a backup tool, sees the import at once.
    for (auto &db : dbs) {
        if (db)
            sqlite3_wal_checkpoint_v2(db->handle(), nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr,
                                      nullptr);
    }
    return true;
}

namespace {

std::string baseName(const std::string &file)
{
    return file.substr(file.rfind('/') + 1);
}

// Copies the open hive into the empty database file \a copy; the reason when it fails.
std::string copyHive(Database &db, const std::string &copy)
{
    sqlite3 *target = nullptr;
    int rc = sqlite3_open_v2(copy.c_str(), &target, SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK) {
        std::lock_guard lock(db.mutex);
        sqlite3_backup *backup = sqlite3_backup_init(target, "main", db.handle(), "main");
        if (backup) {
            Database::retryBusy([&] { return sqlite3_backup_step(backup, -1); });
            rc = sqlite3_backup_finish(backup);
        } else {
            rc = sqlite3_errcode(target);
        }
    }
    std::string why = rc == SQLITE_OK ? std::string()
        : target                      ? std::string(sqlite3_errmsg(target))
                                      : std::string(sqlite3_errstr(rc));
    rc = sqlite3_close(target);
    if (why.empty() && rc != SQLITE_OK)
        why = sqlite3_errstr(rc);
    // SQLite synced the copy as it committed; this also covers a file system that
    // reports a late write error only here.
    const int fd = why.empty() ? ::open(copy.c_str(), O_RDONLY | O_CLOEXEC) : -1;
    if (fd >= 0) {
        if (::fsync(fd) != 0)
            why = std::strerror(errno);
        ::close(fd);
    }
    return why;
}

} // namespace

bool backupHive(Hive hive, const std::string &file, std::string *error)
{
    auto fail = [&](const std::string &why) {
        if (error)
            *error = "cannot write " + file + ": " + why;
        return false;
    };
    if (file.empty())
        return fail("no file name");
    std::string target = file;
    struct stat st;
    const bool exists = ::stat(file.c_str(), &st) == 0;
    if (exists) {
        if (!S_ISREG(st.st_mode))
            return fail("not a regular file");
        // Through a link, the file it points to is replaced, as a save does.
        char resolved[PATH_MAX];
        if (::realpath(file.c_str(), resolved))
            target = resolved;
    }
    std::string why;
    auto db = database(hive, false, false, &why);
    if (!db) {
        if (error)
            *error = why.empty()
                ? "cannot back up " + hiveName(hive) + hiveFile(hive) + ": it does not exist"
                : why;
        return false;
    }
    std::string temporary = folderOf(target) + "/." + baseName(target) + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return fail(std::strerror(errno));
    // Private (0600) as a new file; a file it replaces keeps its mode.
    if (exists)
        ::fchmod(fd, st.st_mode & 07777);
    ::close(fd);
    why = copyHive(*db, temporary);
    if (why.empty() && ::rename(temporary.c_str(), target.c_str()) != 0)
        why = std::strerror(errno);
    if (!why.empty()) {
        ::unlink(temporary.c_str());
        return fail(why);
    }
    const int folder = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder); // the rename itself on disk
        ::close(folder);
    }
    return true;
}

} // namespace ztds::registry

namespace ztds::registry {

std::string wideToRegSz(const std::wstring &text)
{
    std::string bytes;
    bytes.reserve((text.size() + 1) * 2);
    auto unit = [&](char32_t u) {
        bytes += char(u & 0xff);
        bytes += char((u >> 8) & 0xff);
    };
    for (wchar_t c : text) {
        const char32_t cp = char32_t(c);
        if (cp > 0xFFFF && cp <= 0x10FFFF) {
            unit(0xD800 + ((cp - 0x10000) >> 10));
            unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            unit(cp > 0x10FFFF ? 0xFFFD : cp);
        }
    }
    unit(0);
    return bytes;
}

std::wstring regSzToWide(const std::string &bytes)
{
    std::wstring text;
    const std::size_t units = (bytes.size() + 1) / 2;
    text.reserve(units);
    auto at = [&](std::size_t i) -> char32_t {
        const auto lo = char32_t(static_cast<unsigned char>(bytes[2 * i]));
        const auto hi = 2 * i + 1 < bytes.size()
            ? char32_t(static_cast<unsigned char>(bytes[2 * i + 1]))
            : char32_t(0);
        return lo | (hi << 8);
    };
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t u = at(i);
        if (u == 0)
            break;
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < units) {
            const char32_t low = at(i + 1);
            if (low >= 0xDC00 && low < 0xE000) {
                text += wchar_t(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        text += wchar_t(u); // a lone surrogate stays as it was stored
    }
    return text;
}

bool regSzToUtf8(const std::string &bytes, std::string &text)
{
    const auto *in = reinterpret_cast<const unsigned char *>(bytes.data());
    std::size_t units = 0;
    while (2 * units + 1 < bytes.size() && (in[2 * units] || in[2 * units + 1]))
        ++units;
    // An odd last byte that is a character of its own: rare enough for the long way.
    if (2 * units + 1 == bytes.size() && bytes.back()) {
        bool ok = true;
        std::string utf8 = ztds::wideToUtf8(regSzToWide(bytes), &ok);
        if (ok)
            text = std::move(utf8);
        return ok;
    }
    std::size_t ascii = 0;
    while (ascii < units && in[2 * ascii] < 0x80 && !in[2 * ascii + 1])
        ++ascii;
    if (ascii < units) {
        bool ok = true;
        std::string utf8 = ztds::utf16LEToUtf8(std::string_view(bytes.data(), 2 * units), &ok);
        if (ok)
            text = std::move(utf8);
        return ok;
    }
    // ASCII, the usual text: into the buffer text has.
    text.resize(units);
    for (std::size_t i = 0; i < units; ++i)
        text[i] = char(in[2 * i]);
    return true;
}

} // namespace ztds::registry
