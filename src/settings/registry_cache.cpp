// SPDX-License-Identifier: LGPL-2.1-or-later
// The connection cache: one open database a hive file, shared by every key of
// the process, reopened when the file is replaced.
#include "registry_sqlite_p.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace ztds::registry {

namespace sqlite {

namespace {

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

using Clock = std::chrono::steady_clock;

// The cached connection to \a file when it is still that file (\a st) and may
// do what is asked; otherwise it leaves the cache. Call with the cache's lock held.
std::shared_ptr<Database> reuse(Cache &c, const std::string &file, const struct stat &st,
                                bool needWrite, Clock::time_point now)
{
    auto it = c.databases.find(file);
    if (it == c.databases.end())
        return nullptr;
    if (it->second->device == st.st_dev && it->second->inode == st.st_ino
        && (it->second->writable || !needWrite || !writableFile(file))) {
        it->second->checkedAt = now;
        return it->second;
    }
    it->second->cached = false;
    c.databases.erase(it);
    return nullptr;
}

// Drops connections to hives nobody uses any longer (tests switch hives often).
// Call with the cache's lock held.
void dropUnused(Cache &c)
{
    for (auto it = c.databases.begin(); it != c.databases.end();) {
        if (it->second.use_count() == 1 && c.databases.size() > 4) {
            it->second->cached = false;
            it = c.databases.erase(it);
        } else {
            ++it;
        }
    }
}

// A new connection to \a file; null with the reason in \a why.
std::shared_ptr<Database> connect(Hive hive, const std::string &file, bool exists, bool create,
                                  Clock::time_point now, std::string &why)
{
    auto db = std::make_shared<Database>();
    db->file = file;
    db->hive = hive;
    db->writable = exists ? writableFile(file) : ::access(folderOf(file).c_str(), W_OK) == 0;
    if (!db->writable && !exists) {
        why = std::strerror(EACCES);
        return nullptr;
    }
    if (!db->open(create && !exists, why))
        return nullptr;
    struct stat st;
    if (::stat(file.c_str(), &st) != 0) {
        why = std::strerror(errno);
        return nullptr;
    }
    db->device = st.st_dev;
    db->inode = st.st_ino;
    db->checkedAt = now;
    return db;
}

} // namespace

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

/*
    The open database of a hive, shared by every key of the process and reopened
    when the file was replaced. With \a create a missing file (and folder) is made.
    \a needWrite asks for a connection that may write, with the tables made.
    Null with \a error empty when the hive file does not exist (and is not to be
    created); otherwise \a error tells why the hive cannot be used.
*/
std::shared_ptr<Database> database(Hive hive, bool create, bool needWrite, std::string *error)
{
    // Reads trust a file checked a moment ago; writes always check, so no write
    // ever goes to a hive file that was replaced.
    const bool read = !create && !needWrite;
    const auto now = Clock::now();
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
        if (exists)
            db = reuse(c, file, st, needWrite, now);
        if (!db) {
            dropUnused(c);
            std::string why;
            db = connect(hive, file, exists, create, now, why);
            if (!db)
                return fail(why);
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

} // namespace sqlite

using namespace sqlite;

std::string hiveFile(Hive hive)
{
    HiveSource source;
    return hiveFile(hive, source);
}

} // namespace ztds::registry
