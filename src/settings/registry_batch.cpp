// SPDX-License-Identifier: LGPL-2.1-or-later
// Changes in batches (one transaction a hive, all or none) and backups of a hive.
#include "registry_sqlite_p.h"

#include <MavLibrary/text/utfconversion.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace ztds::registry {

using namespace sqlite;

namespace {

std::string utf8(const std::wstring &text)
{
    return ztds::wideToUtf8(text);
}

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
