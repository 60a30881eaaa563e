// SPDX-License-Identifier: LGPL-2.1-or-later
#include "output.h"

#include "command.h"

#include "net/http/diagnostics_p.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <mutex>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Mavctl {

namespace {

// Standard output as the command sees it; fd 1 itself is standard error meanwhile.
int s_out = STDOUT_FILENO;
std::atomic<int> s_writeError = 0;
std::mutex s_outMutex;

bool writeAll(int fd, const char *data, std::size_t size)
{
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno != EINTR)
            return false;
        done += std::size_t(std::max<ssize_t>(n, 0));
    }
    return true;
}

void printToStandardError(const char *line)
{
    std::string text = line;
    text += '\n';
    writeAll(STDERR_FILENO, text.data(), text.size());
}

// The transport's lines during a soak, in the order they first came.
struct DiagnosticCounts
{
    static constexpr std::size_t MaxDistinct = 100;
    std::mutex mutex;
    std::vector<std::pair<std::string, qint64>> lines;
    std::unordered_map<std::string, std::size_t> index;
    qint64 others = 0;
};

DiagnosticCounts &diagnosticCounts()
{
    static DiagnosticCounts s_counts;
    return s_counts;
}

void countLine(const char *line)
{
    DiagnosticCounts &counts = diagnosticCounts();
    std::lock_guard locker(counts.mutex);
    if (const auto it = counts.index.find(line); it != counts.index.end())
        ++counts.lines[it->second].second;
    else if (counts.lines.size() < DiagnosticCounts::MaxDistinct) {
        counts.index.emplace(line, counts.lines.size());
        counts.lines.emplace_back(line, 1);
    } else
        ++counts.others;
}

enum class Kind { Missing, Regular, InPlace, Refused };

// What \a path names now: a FIFO or a character device is written in place.
Kind classify(const QByteArray &path, struct stat *st, QString &error)
{
    if (::stat(path.constData(), st) != 0) {
        if (errno == ENOENT)
            return Kind::Missing;
        error = QString::fromLocal8Bit(std::strerror(errno));
        return Kind::Refused;
    }
    if (S_ISREG(st->st_mode))
        return Kind::Regular;
    if (S_ISCHR(st->st_mode) || S_ISFIFO(st->st_mode))
        return Kind::InPlace;
    error = S_ISDIR(st->st_mode)
        ? QString::fromLocal8Bit(std::strerror(EISDIR))
        : QStringLiteral("not a regular file, a character device or a FIFO");
    return Kind::Refused;
}

// Opens a FIFO or a device without creating or truncating anything: a regular
// file put there meanwhile is refused.
int openInPlace(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    struct stat st;
    if (fd >= 0 && (::fstat(fd, &st) != 0 || S_ISREG(st.st_mode))) {
        ::close(fd);
        errno = EEXIST;
        return -1;
    }
    return fd;
}

QString errorText(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

// The new file of the one StreamTarget, for the signal handler.
char s_newPath[PATH_MAX];
volatile std::sig_atomic_t s_newFileExists = 0;
constexpr int s_endSignals[] = {SIGTERM, SIGINT, SIGHUP};
struct sigaction s_previous[std::size(s_endSignals)];

extern "C" void removeNewFileAndEnd(int signal)
{
    if (s_newFileExists)
        ::unlink(s_newPath);
    ::signal(signal, SIG_DFL);
    ::raise(signal); // delivered once the handler returns
}

} // namespace

void beginOutput()
{
    s_out = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    // Also when standard output was closed: a file opened later must not become fd 1.
    ::dup2(STDERR_FILENO, STDOUT_FILENO);
    // In step with the lines that mavctl itself writes there.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    ztsc::setDiagnosticHandler(printToStandardError);
}

int finishOutput(int code)
{
    std::fflush(stdout);
    int error = s_writeError.load();
    if (s_out >= 0 && ::close(s_out) != 0 && errno != EINTR && !error)
        error = errno;
    s_out = -1;
    if (!error)
        return code;
    fail(QStringLiteral("cannot write the output: ") + errorText(error));
    return code == UsageError ? UsageError : Failure;
}

bool writeOut(const QByteArray &bytes)
{
    std::lock_guard locker(s_outMutex);
    if (s_writeError.load())
        return false;
    if (s_out >= 0 && writeAll(s_out, bytes.constData(), std::size_t(bytes.size())))
        return true;
    s_writeError = s_out < 0 ? EBADF : errno;
    return false;
}

bool printText(const QString &text)
{
    return writeOut(text.toUtf8());
}

void printLine(const QString &line)
{
    printText(line + QLatin1Char('\n'));
}

void countDiagnostics(bool on)
{
    ztsc::setDiagnosticHandler(on ? countLine : printToStandardError);
}

void printDiagnosticCounts()
{
    DiagnosticCounts &counts = diagnosticCounts();
    std::lock_guard locker(counts.mutex);
    QByteArray text;
    for (const auto &[line, count] : counts.lines)
        text += QByteArray(line.c_str()) + " (" + QByteArray::number(count)
            + (count == 1 ? " time)\n" : " times)\n");
    if (counts.others)
        text += "mavctl: " + QByteArray::number(counts.others) + " more lines of other kinds\n";
    writeAll(STDERR_FILENO, text.constData(), std::size_t(text.size()));
    counts.lines.clear();
    counts.index.clear();
    counts.others = 0;
}

bool checkOutput(const QString &name, QString &error)
{
    struct stat st;
    return name == QLatin1String("-")
        || classify(QFile::encodeName(name), &st, error) != Kind::Refused;
}

bool writeOutput(const QString &name, const QByteArray &bytes, QString &error)
{
    // A failure on standard output is reported once, by finishOutput().
    if (name == QLatin1String("-")) {
        writeOut(bytes);
        return true;
    }
    const QByteArray path = QFile::encodeName(name);
    struct stat st;
    switch (classify(path, &st, error)) {
    case Kind::Refused:
        return false;
    case Kind::InPlace: {
        const int fd = openInPlace(path);
        if (fd < 0) {
            error = errorText(errno);
            return false;
        }
        const bool written = writeAll(fd, bytes.constData(), std::size_t(bytes.size()));
        const int code = errno;
        if (::close(fd) != 0 && written) {
            error = errorText(errno);
            return false;
        }
        if (!written)
            error = errorText(code);
        return written;
    }
    case Kind::Missing:
    case Kind::Regular:
        break;
    }
    QSaveFile file(name);
    // Unbuffered: a write error shows at the write, not in a flush that commit() ignores.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error = file.errorString();
        return false;
    }
    for (qsizetype done = 0; done < bytes.size();) {
        // A short write is retried, so that the second one says why.
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            error = file.errorString();
            return false;
        }
        done += n;
    }
    if (::fsync(file.handle()) != 0) {
        error = errorText(errno);
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

StreamTarget::~StreamTarget()
{
    discard();
}

bool StreamTarget::open(const QString &name, QString &error)
{
    // A link stays a link, as QSaveFile keeps it: the file it points at is replaced.
    const QFileInfo link(name);
    m_name = link.isSymLink() && link.exists() ? link.canonicalFilePath() : name;
    const QByteArray path = QFile::encodeName(m_name);
    struct stat st;
    const Kind kind = classify(path, &st, error);
    if (kind == Kind::Refused)
        return false;
    if (kind == Kind::InPlace) {
        m_fd = openInPlace(path);
        if (m_fd < 0)
            error = errorText(errno);
        return m_fd >= 0;
    }

    const QFileInfo info(m_name);
    const QByteArray newPath = QFile::encodeName(info.absolutePath()) + "/."
        + QFile::encodeName(info.fileName()).left(200) + ".XXXXXX";
    if (newPath.size() >= qsizetype(sizeof s_newPath)) {
        error = errorText(ENAMETOOLONG);
        return false;
    }
    // No signal between making the file and arming its removal.
    sigset_t endSignals, previousMask;
    sigemptyset(&endSignals);
    for (const int signal : s_endSignals)
        sigaddset(&endSignals, signal);
    ::pthread_sigmask(SIG_BLOCK, &endSignals, &previousMask);
    std::memcpy(s_newPath, newPath.constData(), std::size_t(newPath.size()) + 1);
    m_fd = ::mkostemp(s_newPath, O_CLOEXEC);
    const int code = errno;
    if (m_fd >= 0) {
        m_newPath = s_newPath;
        s_newFileExists = 1;
        for (std::size_t i = 0; i < std::size(s_endSignals); ++i) {
            struct sigaction action = {};
            action.sa_handler = removeNewFileAndEnd;
            sigemptyset(&action.sa_mask);
            ::sigaction(s_endSignals[i], nullptr, &s_previous[i]);
            if (s_previous[i].sa_handler != SIG_IGN)
                ::sigaction(s_endSignals[i], &action, nullptr);
        }
    }
    ::pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
    if (m_fd < 0) {
        error = errorText(code);
        return false;
    }
    // mkostemp() makes it private; the file it replaces keeps its permissions.
    mode_t mode = kind == Kind::Regular ? st.st_mode & 07777 : 0;
    if (kind == Kind::Missing) {
        mode = ::umask(0);
        ::umask(mode);
        mode = 0666 & ~mode;
    }
    if (::fchmod(m_fd, mode) != 0) {
        error = errorText(errno);
        discard();
        return false;
    }
    return true;
}

QString StreamTarget::writerPath() const
{
    return QStringLiteral("/proc/self/fd/%1").arg(m_fd);
}

bool StreamTarget::commit(QString &error)
{
    if (m_newPath.isEmpty()) {
        const bool closed = ::close(m_fd) == 0 || errno == EINTR;
        if (!closed)
            error = errorText(errno);
        m_fd = -1;
        return closed;
    }
    if (::fsync(m_fd) != 0 || ::close(std::exchange(m_fd, -1)) != 0
        || ::rename(m_newPath.constData(), QFile::encodeName(m_name).constData()) != 0) {
        error = errorText(errno);
        discard();
        return false;
    }
    m_newPath.clear();
    discard();
    return true;
}

void StreamTarget::discard()
{
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
    if (!s_newFileExists)
        return;
    if (!m_newPath.isEmpty())
        ::unlink(m_newPath.constData());
    m_newPath.clear();
    s_newFileExists = 0;
    for (std::size_t i = 0; i < std::size(s_endSignals); ++i) {
        if (s_previous[i].sa_handler != SIG_IGN)
            ::sigaction(s_endSignals[i], &s_previous[i], nullptr);
    }
}

} // namespace Mavctl
