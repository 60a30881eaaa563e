// SPDX-License-Identifier: LGPL-2.1-or-later
// Keys: existence, the rows of keys and values, and the Key objects of a hive.
#include "registry_sqlite_p.h"

#include <MavLibrary/text/utfconversion.h>

namespace ztds::registry {

namespace sqlite {

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

namespace {

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

} // namespace

bool insertPath(Database &db, const ParsedPath &parsed, const std::string &fold, KnownKeys *known)
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

} // namespace sqlite

using namespace sqlite;

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

} // namespace ztds::registry
