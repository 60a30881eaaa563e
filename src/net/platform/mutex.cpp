// SPDX-License-Identifier: LGPL-2.1-or-later
//
// The Windows mutex is a kernel object: recursive for its owner, shared between
// processes by name, and "abandoned" (yet acquirable) when its owner ends
// holding it. Here an anonymous mutex is a recursive pthread mutex; a named one
// is a robust, process-shared, recursive pthread mutex in a POSIX shared-memory
// object, removed again by the last process that closes it.
#include "mutex.h"

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

constexpr std::uint32_t SharedMutexReady = 0x5a4d5458; // written once the mutex is set up

struct SharedMutex
{
    pthread_mutex_t mutex;
    std::uint32_t ready;
};

// Takes the lock; an owner that died holding it hands it on, as an abandoned
// Windows mutex does, once the state is marked consistent again.
bool acquired(pthread_mutex_t *mutex, int result)
{
    if (result == EOWNERDEAD) {
        pthread_mutex_consistent(mutex);
        return true;
    }
    return result == 0;
}

// Shared-memory names are one path component of at most NAME_MAX bytes; the user
// id keeps users apart, as Windows keeps sessions apart.
std::string sharedMemoryName(std::string_view name)
{
    std::string result = "/zentrix-mutex-" + std::to_string(getuid()) + '-';
    for (unsigned char c : name) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
            || c == '.' || c == '_' || c == '-') {
            result += char(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            result += escaped;
        }
    }
    constexpr std::size_t maximum = 240;
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

bool initialise(SharedMutex *shared)
{
    pthread_mutexattr_t attributes;
    if (pthread_mutexattr_init(&attributes) != 0)
        return false;
    pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutexattr_setpshared(&attributes, PTHREAD_PROCESS_SHARED);
    pthread_mutexattr_setrobust(&attributes, PTHREAD_MUTEX_ROBUST);
    const bool ok = pthread_mutex_init(&shared->mutex, &attributes) == 0;
    pthread_mutexattr_destroy(&attributes);
    if (ok)
        __atomic_store_n(&shared->ready, SharedMutexReady, __ATOMIC_RELEASE);
    return ok;
}

} // namespace

struct MutexHandle
{
    pthread_mutex_t *mutex = nullptr;
    // Named mutexes only
    SharedMutex *shared = nullptr;
    int fd = -1;
    std::string shmName;
};

namespace {

MutexHandle *createAnonymous()
{
    auto *handle = new MutexHandle;
    handle->mutex = new pthread_mutex_t;
    pthread_mutexattr_t attributes;
    pthread_mutexattr_init(&attributes);
    pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_init(handle->mutex, &attributes);
    pthread_mutexattr_destroy(&attributes);
    return handle;
}

/*
    Every user of the object holds a shared flock on it for as long as it has it
    open; set-up and removal take the exclusive one. So the object is set up once,
    and the closer that gets the exclusive lock without waiting is the last user
    and removes it. A process that dies drops its flock with its descriptors.
*/
MutexHandle *openNamed(const char *name)
{
    const std::string shmName = sharedMemoryName(name);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int fd = shm_open(shmName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0)
            return nullptr;
        if (lockFile(fd, LOCK_EX) != 0) {
            ::close(fd);
            return nullptr;
        }
        if (!stillLinked(fd, shmName)) {
            ::close(fd);
            continue;
        }
        struct stat status;
        if (fstat(fd, &status) != 0
            || (status.st_size < off_t(sizeof(SharedMutex))
                && ftruncate(fd, sizeof(SharedMutex)) != 0)) {
            ::close(fd);
            return nullptr;
        }
        void *memory = mmap(nullptr, sizeof(SharedMutex), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        if (memory == MAP_FAILED) {
            ::close(fd);
            return nullptr;
        }
        auto *shared = static_cast<SharedMutex *>(memory);
        // A creator that died half-way left the marker unset: set up again.
        if (__atomic_load_n(&shared->ready, __ATOMIC_ACQUIRE) != SharedMutexReady
            && !initialise(shared)) {
            munmap(memory, sizeof(SharedMutex));
            ::close(fd);
            return nullptr;
        }
        // Turning the exclusive lock into a shared one is not atomic; a last
        // closer may have slipped in and removed the object.
        if (lockFile(fd, LOCK_SH) != 0 || !stillLinked(fd, shmName)) {
            munmap(memory, sizeof(SharedMutex));
            ::close(fd);
            continue;
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
    // Unmapping a mutex this thread still holds would leave it on the thread's
    // robust list; let go of every level first, as closing a Windows handle does.
    while (pthread_mutex_unlock(handle->mutex) == 0) {
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
        pthread_mutex_destroy(m_handle->mutex);
        delete m_handle->mutex;
    }
    delete m_handle;
}

void Mutex::unlock()
{
    if (m_handle)
        pthread_mutex_unlock(m_handle->mutex);
}

void Mutex::lock()
{
    if (m_handle)
        acquired(m_handle->mutex, pthread_mutex_lock(m_handle->mutex));
}

bool Mutex::tryLock()
{
    return m_handle && acquired(m_handle->mutex, pthread_mutex_trylock(m_handle->mutex));
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
