// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

// The parts of the SQLite registry store that its files share: the connection
// to a hive's database, path folding and the row operations. Internal to
// settings/, never installed, nothing exported.
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

#include <sqlite3.h>

#include <sys/types.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_set>
#include <vector>

namespace ztds::registry::sqlite {

constexpr int BusyTimeoutMs = 5000;
constexpr auto WriteRetryLimit = std::chrono::seconds(60);

// Path folding (registry_paths.cpp)

// The registry's comparison: component names match when their upper-case forms
// do. Into \a fold, whose buffer a caller may keep; false for a name that is not
// valid Unicode, which no key or value can have.
bool foldName(std::wstring_view name, std::string &fold);
std::string foldName(std::wstring_view name, bool *ok = nullptr);

// The components of a path; they view the string parsed, which must outlive them.
struct ParsedPath
{
    bool valid = false;
    std::vector<std::wstring_view> components;
};

ParsedPath parsePath(std::wstring_view path, std::string *error = nullptr);

// Parses and folds a key path; false, with the reason, for a path no key can have.
bool resolvePath(const std::wstring &path, ParsedPath &parsed, std::string &fold,
                 std::string *error = nullptr);

// The connection (registry_cache.cpp opens and caches them)

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
inline bool run(sqlite3_stmt *stmt)
{
    if (!stmt)
        return false;
    const int rc = sqlite3_step(stmt);
    sqlite3_reset(stmt);
    return rc == SQLITE_DONE || rc == SQLITE_ROW;
}

inline void bindText(sqlite3_stmt *stmt, int index, const std::string &text)
{
    sqlite3_bind_text(stmt, index, text.data(), int(text.size()), SQLITE_STATIC);
}

std::string folderOf(const std::string &file);
std::string hiveName(Hive hive);

/*
    The open database of a hive, shared by every key of the process and reopened
    when the file was replaced. With \a create a missing file (and folder) is made.
    \a needWrite asks for a connection that may write, with the tables made.
    Null with \a error empty when the hive file does not exist (and is not to be
    created); otherwise \a error tells why the hive cannot be used.
*/
std::shared_ptr<Database> database(Hive hive, bool create, bool needWrite,
                                   std::string *error = nullptr);

// Rows (registry_keys.cpp); the caller holds the connection's mutex and, for
// writes, a transaction.

// Folded paths of the keys known to exist inside one transaction, so that a deep
// tree costs each of its levels once, not once for every key below it.
using KnownKeys = std::unordered_set<std::string>;

// Inserts every missing key of the path (folded: \a fold); the caller holds a transaction.
bool insertPath(Database &db, const ParsedPath &parsed, const std::string &fold,
                KnownKeys *known = nullptr);
bool removeTree(Database &db, const std::string &fold, bool mustExist);
bool storeValue(Database &db, const std::string &keyFold, const std::wstring &name,
                std::uint32_t type, const std::string &data);
bool removeValue(Database &db, const std::string &keyFold, const std::wstring &name);

} // namespace ztds::registry::sqlite
