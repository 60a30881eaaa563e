// SPDX-License-Identifier: LGPL-2.1-or-later
#include <MavLibrary/net/platform/critsection.h>
#include <MavLibrary/net/platform/mutex.h>

#include <QDir>
#include <QTest>

#include <future>
#include <memory>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// tryLock on another thread, which lets go again at once.
template<typename Lock> bool tryLockElsewhere(Lock *lock)
{
    return std::async(std::launch::async,
                      [lock] { return lock->tryLock() && (lock->unlock(), true); })
        .get();
}

// The lock holder (lockholder.cpp) in a process of its own. Started with a plain
// fork: ThreadSanitizer follows that, but not the shared-memory spawn of
// QProcess, after which it refuses new threads.
class LockHolder
{
public:
    LockHolder(const QByteArray &name, const char *mode)
    {
        int input[2], output[2];
        QVERIFY(pipe2(input, O_CLOEXEC) == 0 && pipe2(output, O_CLOEXEC) == 0);
        m_pid = fork();
        if (m_pid == 0) {
            dup2(input[0], STDIN_FILENO);
            dup2(output[1], STDOUT_FILENO);
            execl(LOCKHOLDER_PATH, LOCKHOLDER_PATH, name.constData(), mode, nullptr);
            _exit(127);
        }
        ::close(input[0]);
        ::close(output[1]);
        m_input = input[1];
        m_output = fdopen(output[0], "r");
    }
    ~LockHolder() { finish(); }

    QByteArray readLine()
    {
        char line[64];
        return std::fgets(line, sizeof line, m_output) ? QByteArray(line) : QByteArray();
    }
    //! Closes the holder's input, which tells it to unlock, and returns its exit code.
    int finish()
    {
        if (m_input >= 0)
            ::close(m_input);
        m_input = -1;
        int status = 0;
        if (m_pid > 0 && waitpid(m_pid, &status, 0) == m_pid)
            m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        m_pid = -1;
        if (m_output)
            fclose(m_output);
        m_output = nullptr;
        return m_exitCode;
    }

private:
    pid_t m_pid = -1;
    int m_input = -1;
    FILE *m_output = nullptr;
    int m_exitCode = -1;
};

QByteArray uniqueName(const char *what)
{
    // Space and slash: a name need not be a valid file name.
    return QByteArray("tst_locks ") + what + '/' + QByteArray::number(getpid());
}

} // namespace

class tst_Locks : public QObject
{
    Q_OBJECT

private slots:
    void recursion_data();
    void recursion();
    void guards();
    void unusableNamedMutex();
    void heldByOtherProcess();
    void ownerDied();
    void lastCloseRemovesSharedMemory();
};

void tst_Locks::recursion_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::newRow("anonymous mutex") << QByteArray("anonymous mutex");
    QTest::newRow("named mutex") << QByteArray("named mutex");
    QTest::newRow("named mutex, long name") << QByteArray("named mutex, long name");
    QTest::newRow("critical section") << QByteArray("critical section");
}

void tst_Locks::recursion()
{
    QFETCH(QByteArray, kind);
    ztpm::CritSection section;
    const QByteArray name = kind.endsWith("long name")
        ? QByteArray(300, 'n') + QByteArray::number(getpid())
        : uniqueName("recursion");
    ztpm::Mutex anonymous;
    // Another object of the same name is the same lock.
    ztpm::Mutex named(name.constData()), sameName(name.constData());
    const bool isSection = kind == "critical section";
    const bool isNamed = kind.startsWith("named mutex");
    auto lock = [&] { isSection ? section.lock() : (isNamed ? named : anonymous).lock(); };
    auto tryLock = [&] {
        return isSection ? section.tryLock() : (isNamed ? named : anonymous).tryLock();
    };
    auto unlock = [&] { isSection ? section.unlock() : (isNamed ? named : anonymous).unlock(); };
    auto free = [&] {
        return isSection ? tryLockElsewhere(&section)
                         : tryLockElsewhere(isNamed ? &sameName : &anonymous);
    };

    QVERIFY(free());
    lock();
    lock();
    QVERIFY(tryLock()); // three levels held now
    QVERIFY(!free());
    unlock();
    unlock();
    QVERIFY(!free());
    unlock();
    QVERIFY(free());
}

void tst_Locks::guards()
{
    ztpm::Mutex mutex;
    {
        ztpm::MutexLock guard(&mutex);
        QVERIFY(!tryLockElsewhere(&mutex));
        guard.release();
        QVERIFY(tryLockElsewhere(&mutex));
        mutex.lock();
        guard.release(); // already released: must not take back the level just taken
        QVERIFY(!tryLockElsewhere(&mutex));
        mutex.unlock();
    }
    QVERIFY(tryLockElsewhere(&mutex));

    ztpm::CritSection &section = ztpm::getGlobalCritSection();
    {
        ztpm::CritLock guard(&section);
        ztpm::CritLock none(nullptr);
        QVERIFY(!tryLockElsewhere(&section));
    }
    QVERIFY(tryLockElsewhere(&section));
}

void tst_Locks::unusableNamedMutex()
{
    // A folder where the shared memory object belongs makes the mutex unusable:
    // tryLock must not claim a lock it does not have, lock must not hang.
    const QByteArray name = "tst_locks-unusable-" + QByteArray::number(getpid());
    const QByteArray folder = "/dev/shm/zentrix-mutex-" + QByteArray::number(getuid()) + '-' + name;
    QVERIFY(mkdir(folder.constData(), 0700) == 0);
    {
        ztpm::Mutex mutex(name.constData());
        QVERIFY(!mutex.tryLock());
        mutex.lock();
        mutex.unlock();
    }
    rmdir(folder.constData());
}

void tst_Locks::heldByOtherProcess()
{
    const QByteArray name = uniqueName("held");
    ztpm::Mutex mutex(name.constData());
    LockHolder holder(name, "hold");
    QCOMPARE(holder.readLine(), QByteArray("locked\n"));
    QVERIFY(!mutex.tryLock());
    QCOMPARE(holder.finish(), 0);

    QVERIFY(mutex.tryLock());
    LockHolder prober(name, "try"); // and the other way round
    QCOMPARE(prober.readLine(), QByteArray("0\n"));
    mutex.unlock();
}

void tst_Locks::ownerDied()
{
    const QByteArray name = uniqueName("died");
    ztpm::Mutex mutex(name.constData());
    LockHolder holder(name, "die");
    QCOMPARE(holder.readLine(), QByteArray("locked\n"));
    QCOMPARE(holder.finish(), 3);

    QVERIFY(mutex.tryLock()); // abandoned, so acquired
    QVERIFY(!tryLockElsewhere(&mutex));
    mutex.unlock();
    // Whole again for every process, not only for the one that found it abandoned.
    LockHolder prober(name, "try");
    QCOMPARE(prober.readLine(), QByteArray("1\n"));

    // A thread of this process that ends holding it, through the same object.
    std::thread([&mutex] { mutex.lock(); }).join();
    QVERIFY(mutex.tryLock());
    mutex.unlock();
    QVERIFY(tryLockElsewhere(&mutex));
}

void tst_Locks::lastCloseRemovesSharedMemory()
{
    const QByteArray name = "tst_locks-removed-" + QByteArray::number(getpid());
    auto objects = [&name] {
        return QDir("/dev/shm")
            .entryList({"*" + QString::fromLatin1(name)}, QDir::Files | QDir::System);
    };
    auto first = std::make_unique<ztpm::Mutex>(name.constData());
    auto second = std::make_unique<ztpm::Mutex>(name.constData());
    QCOMPARE(objects().size(), 1);
    second->lock(); // closing a held mutex lets go of it
    second.reset();
    QCOMPARE(objects().size(), 1);
    QVERIFY(tryLockElsewhere(first.get()));
    first.reset();
    QVERIFY(objects().isEmpty());
}

QTEST_GUILESS_MAIN(tst_Locks)
#include "tst_locks.moc"
