// SPDX-License-Identifier: LGPL-2.1-or-later
#include <MavLibrary/net/platform/critsection.h>
#include <MavLibrary/net/platform/mutex.h>

#include <QDir>
#include <QTest>

#include <future>
#include <memory>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A mutex or critical section behind one face. For a named mutex the other
// thread uses a second Mutex of the same name: the same lock.
class Lockable
{
public:
    explicit Lockable(const QByteArray &kind)
    {
        if (kind == "critical section") {
            m_section = std::make_unique<ztpm::CritSection>();
        } else if (kind == "named mutex") {
            const QByteArray name = "tst_locks-" + QByteArray::number(getpid());
            m_mutex = std::make_unique<ztpm::Mutex>(name.constData());
            m_otherMutex = std::make_unique<ztpm::Mutex>(name.constData());
        } else {
            m_mutex = std::make_unique<ztpm::Mutex>();
        }
    }
    void lock() { m_section ? m_section->lock() : m_mutex->lock(); }
    bool tryLock() { return m_section ? m_section->tryLock() : m_mutex->tryLock(); }
    void unlock() { m_section ? m_section->unlock() : m_mutex->unlock(); }

    //! tryLock from another thread, which lets go again at once.
    bool tryLockElsewhere()
    {
        return std::async(std::launch::async, [this] {
                   if (m_section)
                       return m_section->tryLock() && (m_section->unlock(), true);
                   ztpm::Mutex *mutex = m_otherMutex ? m_otherMutex.get() : m_mutex.get();
                   return mutex->tryLock() && (mutex->unlock(), true);
               })
            .get();
    }

private:
    std::unique_ptr<ztpm::Mutex> m_mutex;
    std::unique_ptr<ztpm::Mutex> m_otherMutex;
    std::unique_ptr<ztpm::CritSection> m_section;
};

bool tryLockElsewhere(ztpm::Mutex *mutex)
{
    return std::async(std::launch::async, [mutex] {
               return mutex->tryLock() && (mutex->unlock(), true);
           })
        .get();
}

// The lock holder in a process of its own, talked to through its standard input
// and output. Started with a plain fork: ThreadSanitizer follows that, but not
// the shared-memory spawn QProcess uses, after which it refuses new threads.
class LockHolder
{
public:
    LockHolder(const QByteArray &name, const char *mode)
    {
        int input[2], output[2];
        if (pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            dup2(input[0], STDIN_FILENO);
            dup2(output[1], STDOUT_FILENO);
            execl(LOCKHOLDER_PATH, LOCKHOLDER_PATH, name.constData(), mode, static_cast<char *>(nullptr));
            _exit(127);
        }
        ::close(input[0]);
        ::close(output[1]);
        m_input = input[1];
        m_output = output[0];
    }
    ~LockHolder()
    {
        closeInput();
        if (m_output >= 0)
            ::close(m_output);
        finish();
    }

    QByteArray readLine()
    {
        QByteArray line;
        char c;
        pollfd ready{m_output, POLLIN, 0};
        while (poll(&ready, 1, 10000) == 1 && ::read(m_output, &c, 1) == 1) {
            line += c;
            if (c == '\n')
                break;
        }
        return line;
    }
    void write(const char *text) { QVERIFY(::write(m_input, text, strlen(text)) > 0); }
    void closeInput()
    {
        if (m_input >= 0)
            ::close(m_input);
        m_input = -1;
    }
    //! The exit code, or -1.
    int finish()
    {
        int status = 0;
        if (m_pid > 0 && waitpid(m_pid, &status, 0) == m_pid)
            m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        m_pid = -1;
        return m_exitCode;
    }

private:
    pid_t m_pid = -1;
    int m_input = -1;
    int m_output = -1;
    int m_exitCode = -1;
};

QStringList sharedMemoryObjects(const QByteArray &token)
{
    return QDir("/dev/shm").entryList({"*" + QString::fromLatin1(token) + "*"},
                                      QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
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

private:
    QByteArray uniqueName(const char *what) const
    {
        return QByteArray("tst_locks ") + what + '/' + QByteArray::number(getpid());
    }
};

void tst_Locks::recursion_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::newRow("anonymous mutex") << QByteArray("anonymous mutex");
    QTest::newRow("named mutex") << QByteArray("named mutex");
    QTest::newRow("critical section") << QByteArray("critical section");
}

void tst_Locks::recursion()
{
    QFETCH(QByteArray, kind);
    Lockable lockable(kind);

    QVERIFY(lockable.tryLockElsewhere());
    lockable.lock();
    lockable.lock();
    QVERIFY(lockable.tryLock()); // recursion: three levels held now
    QVERIFY(!lockable.tryLockElsewhere());
    lockable.unlock();
    lockable.unlock();
    QVERIFY(!lockable.tryLockElsewhere());
    lockable.unlock();
    QVERIFY(lockable.tryLockElsewhere());
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
        guard.release(); // forgotten: must not take back the level just taken
        QVERIFY(!tryLockElsewhere(&mutex));
        mutex.unlock();
    }
    QVERIFY(tryLockElsewhere(&mutex));

    ztpm::CritSection &section = ztpm::getGlobalCritSection();
    QCOMPARE(&section, &ztpm::getGlobalCritSection());
    {
        ztpm::CritLock guard(&section);
        ztpm::CritLock none(nullptr);
        QVERIFY(!std::async(std::launch::async, [&section] { return section.tryLock(); }).get());
    }
    QVERIFY(std::async(std::launch::async, [&section] {
                return section.tryLock() && (section.unlock(), true);
            }).get());
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
    holder.write("release\n");
    QCOMPARE(holder.readLine(), QByteArray("released\n"));
    QVERIFY(mutex.tryLock());

    // And the other way round, while this process holds it.
    LockHolder prober(name, "try");
    QCOMPARE(prober.readLine(), QByteArray("0\n"));
    mutex.unlock();

    holder.closeInput();
    QCOMPARE(holder.finish(), 0);
}

void tst_Locks::ownerDied()
{
    const QByteArray name = uniqueName("died");
    ztpm::Mutex mutex(name.constData());

    LockHolder holder(name, "die");
    QCOMPARE(holder.readLine(), QByteArray("locked\n"));
    QCOMPARE(holder.finish(), 3);

    QVERIFY(mutex.tryLock()); // abandoned, so acquired
    mutex.lock();
    mutex.unlock();
    QVERIFY(!tryLockElsewhere(&mutex));
    mutex.unlock();

    // The mutex is whole again for every process, not only for the one that found it abandoned.
    LockHolder prober(name, "try");
    QCOMPARE(prober.readLine(), QByteArray("1\n"));
}

void tst_Locks::lastCloseRemovesSharedMemory()
{
    const QByteArray name = "tst_locks-removed-" + QByteArray::number(getpid());
    auto first = std::make_unique<ztpm::Mutex>(name.constData());
    auto second = std::make_unique<ztpm::Mutex>(name.constData());
    QCOMPARE(sharedMemoryObjects(name).size(), 1);
    second->lock(); // closing a held mutex lets go of it
    second.reset();
    QCOMPARE(sharedMemoryObjects(name).size(), 1);
    QVERIFY(tryLockElsewhere(first.get()));
    first.reset();
    QVERIFY(sharedMemoryObjects(name).isEmpty());
}

QTEST_GUILESS_MAIN(tst_Locks)
#include "tst_locks.moc"
