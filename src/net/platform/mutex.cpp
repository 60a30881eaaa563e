// SPDX-License-Identifier: LGPL-2.1-or-later
//
// The Windows mutex is a kernel object: recursive for its owner, shared between
// processes by name, and "abandoned" (yet acquirable) when its owner ends
// holding it. Here an anonymous mutex is a recursive pthread mutex; a named one
// is a robust, process-shared, recursive pthread mutex in a POSIX shared-memory
// object, removed again by the last process that closes it.
#include "mutex.h"

#include "recursivemutex_p.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ztpm {

namespace {

// Where shm_open keeps its objects; named to publish one with link(2).
const std::string s_sharedMemoryFolder = "/dev/shm";

struct SharedMutex
{
    pthread_mutex_t mutex;
};

// Shared-memory names are one path component of at most NAME_MAX bytes; the user
// id keeps users apart, as Windows keeps sessions apart.
std::string sharedMemoryName(std::string_view name)
{
    std::string result = "/zentrix-mutex-" + std::to_string(getuid()) + '-';
    for (unsigned char c : name) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.'
            || c == '_' || c == '-') {
            result += char(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            result += escaped;
        }
    }
    constexpr std::size_t maximum = 200; // room for the draft suffix, see createShared
    if (result.size() > maximum) {
        std::uint64_t hash = 14695981039346656037u; // FNV-1a over the whole name
        for (unsigned char c : name)
            hash = (hash ^ c) * 1099511628211u;
        char suffix[18];
        std::snprintf(suffix, sizeof suffix, "~%016llx", static_cast<unsigned long long>(hash));
        result.resize(maximum - 17);
        result += suffix;
    }
    return result;
}

int lockFile(int fd, int operation)
{
    int result;
    do
        result = flock(fd, operation);
    while (result != 0 && errno == EINTR);
    return result;
}

// Whether the name still leads to the object behind fd: the last user may have
// removed it between our shm_open and our flock.
bool stillLinked(int fd, const std::string &shmName)
{
    const int other = shm_open(shmName.c_str(), O_RDONLY | O_CLOEXEC, 0);
    if (other < 0)
        return false;
    struct stat mine, theirs;
    const bool same = fstat(fd, &mine) == 0 && fstat(other, &theirs) == 0
        && mine.st_dev == theirs.st_dev && mine.st_ino == theirs.st_ino;
    ::close(other);
    return same;
}

} // namespace

struct MutexHandle
{
    pthread_mutex_t local; // anonymous mutexes: the lock itself, one load away
    pthread_mutex_t *mutex = nullptr; // named ones: in the shared memory
    // Named mutexes only
    SharedMutex *shared = nullptr;
    int fd = -1;
    std::string shmName;
    // The thread holding levels through this object, and how many; the
    // destructor gives them back before unmapping.
    std::atomic<pthread_t> owner {};
    unsigned levels = 0;

    // An owner that died holding the lock hands it on, as an abandoned Windows
    // mutex does, once the state is marked consistent again.
    bool acquired(int result)
    {
        if (result == EOWNERDEAD) {
            pthread_mutex_consistent(mutex);
            levels = 0; // whatever a dead thread held through this object is void
        } else if (result != 0)
            return false;
        if (levels++ == 0)
            owner.store(pthread_self(), std::memory_order_relaxed);
        return true;
    }
    bool ownedHere() const
    {
        // The owner first: only the owner may look at levels.
        return pthread_equal(owner.load(std::memory_order_relaxed), pthread_self()) && levels > 0;
    }
    void release()
    {
        if (--levels == 0)
            owner.store(pthread_t {}, std::memory_order_relaxed);
        pthread_mutex_unlock(mutex);
    }
};

namespace {

MutexHandle *createAnonymous()
{
    auto *handle = new MutexHandle;
    initRecursiveMutex(&handle->local);
    return handle;
}

SharedMutex *mapShared(int fd)
{
    void *memory = mmap(nullptr, sizeof(SharedMutex), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    return memory == MAP_FAILED ? nullptr : static_cast<SharedMutex *>(memory);
}

// A fresh object, set up under a name of its own and then published under the
// wanted one in a single link(2): whoever finds the name finds it ready.
// Returns -1 with errno EEXIST when someone else published first.
int createShared(const std::string &shmName, SharedMutex **shared)
{
    static std::atomic<unsigned> s_counter = 0;
    const std::string draft = shmName + ".draft." + std::to_string(getpid()) + '.'
        + std::to_string(s_counter.fetch_add(1));
    const int fd = shm_open(draft.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    *shared = nullptr;
    int published = -1;
    int error = 0;
    if (ftruncate(fd, sizeof(SharedMutex)) == 0 && (*shared = mapShared(fd))
        && initRecursiveMutex(&(*shared)->mutex, MutexSharing::BetweenProcesses)
        && lockFile(fd, LOCK_SH) == 0) {
        published =
            link((s_sharedMemoryFolder + draft).c_str(), (s_sharedMemoryFolder + shmName).c_str());
        error = errno;
    }
    shm_unlink(draft.c_str());
    if (published == 0)
        return fd;
    if (*shared)
        munmap(*shared, sizeof(SharedMutex));
    ::close(fd);
    errno = error;
    return -1;
}

/*
    Every user of the object holds a shared flock on it for as long as it has it
    open. The closer that gets the exclusive one without waiting is the last user
    and removes the name; a process that dies drops its flock with its descriptors.
*/
MutexHandle *openNamed(const char *name)
{
    const std::string shmName = sharedMemoryName(name);
    for (int attempt = 0; attempt < 100; ++attempt) {
        SharedMutex *shared = nullptr;
        int fd = shm_open(shmName.c_str(), O_RDWR | O_CLOEXEC, 0);
        if (fd >= 0) {
            if (lockFile(fd, LOCK_SH) != 0) {
                ::close(fd);
                return nullptr;
            }
            // The last user may have removed it between our shm_open and flock.
            if (!stillLinked(fd, shmName)) {
                ::close(fd);
                continue;
            }
            shared = mapShared(fd);
            if (!shared) {
                ::close(fd);
                return nullptr;
            }
        } else if (errno == ENOENT) {
            fd = createShared(shmName, &shared);
            if (fd < 0) {
                if (errno == EEXIST)
                    continue;
                return nullptr;
            }
        } else {
            return nullptr;
        }
        auto *handle = new MutexHandle;
        handle->mutex = &shared->mutex;
        handle->shared = shared;
        handle->fd = fd;
        handle->shmName = shmName;
        return handle;
    }
    return nullptr;
}

void closeNamed(MutexHandle *handle)
{
    // Unmapping a mutex this thread still holds would leave the thread's robust
    // list pointing into memory that is gone, so nobody could ever mark it
    // abandoned: let go of every level first. Windows keeps such a mutex owned
    // until the thread ends and then abandons it; releasing it now only lets a
    // waiter in earlier.
    if (pthread_equal(handle->owner.load(std::memory_order_relaxed), pthread_self())) {
        while (handle->levels > 0)
            handle->release();
    }
    munmap(handle->shared, sizeof(SharedMutex));
    if (flock(handle->fd, LOCK_EX | LOCK_NB) == 0)
        shm_unlink(handle->shmName.c_str());
    ::close(handle->fd);
}

} // namespace

Mutex::Mutex(const char *name)
{
    if (name) {
        m_handle = openNamed(name);
        m_named = 1;
    } else {
        m_handle = createAnonymous();
    }
}

Mutex::~Mutex()
{
    if (!m_handle)
        return;
    if (m_named) {
        closeNamed(m_handle);
    } else {
        pthread_mutex_destroy(&m_handle->local);
    }
    delete m_handle;
}

// Only a named mutex can lack its handle or find its owner dead. Kept out of
// line, so that the anonymous mutex goes straight on to the pthread call.
namespace {

[[gnu::noinline]] void unlockNamed(MutexHandle *handle)
{
    if (handle && handle->ownedHere()) // ReleaseMutex fails for others
        handle->release();
}

[[gnu::noinline]] void lockNamed(MutexHandle *handle)
{
    if (handle)
        handle->acquired(pthread_mutex_lock(handle->mutex));
}

[[gnu::noinline]] bool tryLockNamed(MutexHandle *handle)
{
    return handle && handle->acquired(pthread_mutex_trylock(handle->mutex));
}

} // namespace

void Mutex::unlock()
{
    if (m_named)
        unlockNamed(m_handle);
    else
        pthread_mutex_unlock(&m_handle->local);
}

void Mutex::lock()
{
    if (m_named)
        lockNamed(m_handle);
    else
        pthread_mutex_lock(&m_handle->local);
}

bool Mutex::tryLock()
{
    if (m_named)
        return tryLockNamed(m_handle);
    return pthread_mutex_trylock(&m_handle->local) == 0;
}

MutexLock::MutexLock(Mutex *mutex)
    : m_mutex(mutex)
{
    if (m_mutex)
        m_mutex->lock();
}

MutexLock::~MutexLock()
{
    release();
}

void MutexLock::release()
{
    if (m_mutex) {
        m_mutex->unlock();
        m_mutex = nullptr;
    }
}

} // namespace ztpm
