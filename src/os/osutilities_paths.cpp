// SPDX-License-Identifier: LGPL-2.1-or-later
// Per-user folders, the temporary and download paths, directory trees, free file
// names and free space.
#include "osutilities.h"

#include "paths_p.h"

#include <MavLibrary/text/mavstringtools.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QStandardPaths>

#include <dirent.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

#include <algorithm>
#include <memory>
#include <vector>

/*
    The shell folders of the Windows build and what stands for them here:

    | Windows                       | Here                                                 |
    |-------------------------------|------------------------------------------------------|
    | CSIDL_APPDATA                 | QStandardPaths::GenericDataLocation ($XDG_DATA_HOME) |
    | CSIDL_MYVIDEO, first choice   | QStandardPaths::MoviesLocation (XDG_VIDEOS_DIR)      |
    | CSIDL_PERSONAL, second choice | QStandardPaths::DocumentsLocation                    |
    | "C:", last resort             | the home folder                                      |
    | CSIDL_DESKTOPDIRECTORY        | QStandardPaths::DesktopLocation                      |
    | "\Zentrix Movies"             | "/Zentrix Movies"                                    |
    | GetDiskFreeSpaceExA           | statvfs                                              |
    | FILE_ATTRIBUTE_HIDDEN         | nothing: ".downloads" is hidden by its name          |
*/

namespace Quorvex {

QString OSUtilities::s_tempPath;
QString OSUtilities::s_tempDownloadDirectoryPath;

namespace {

// The two paths are set at start-up and read by the ping worker and plug-ins on
// their own threads: every access copies the whole value under this lock. Until
// a setter runs they are QDir::tempPath() as it is when read, not when the
// library was loaded, so a host may still set TMPDIR in main().
struct TempPaths
{
    QMutex mutex;
    bool tempSet = false;
    bool downloadSet = false;
};

TempPaths &tempPaths()
{
    static TempPaths paths;
    return paths;
}

// A folder that the user-dirs file names must be absolute; a relative one would
// land in the working folder.
QString existingFolder(QStandardPaths::StandardLocation location)
{
    const QString path = QStandardPaths::writableLocation(location);
    return QDir::isAbsolutePath(path) && QFileInfo(path).isDir() ? path : QString();
}

// Anything at the path counts as taken, a dangling symbolic link included:
// writing there would follow the link.
bool isTaken(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

// A path split for numbering: only the file name is numbered, before its
// extension. A leading dot hides a file and starts no extension (".hidden").
struct NumberedPath
{
    QString folder; // up to and with the last '/'
    QString stem;
    QString suffix; // "." and the extension, or empty

    explicit NumberedPath(const QString &path)
    {
        const qsizetype nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
        folder = path.left(nameStart);
        const QString name = path.mid(nameStart);
        qsizetype firstOther = 0;
        while (firstOther < name.size() && name.at(firstOther) == QLatin1Char('.'))
            ++firstOther;
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        const qsizetype stemEnd = dot >= firstOther ? dot : name.size();
        stem = name.left(stemEnd);
        suffix = name.mid(stemEnd);
    }

    QString at(qint64 n) const
    {
        return folder + stem + QLatin1Char('[') + QString::number(n) + QLatin1Char(']') + suffix;
    }

    // The number in a sibling's name "<stem>[n]<suffix>", written as at() writes
    // it, or 0.
    qint64 numberOf(const QString &name) const
    {
        if (name.size() <= stem.size() + suffix.size() + 2 || !name.startsWith(stem)
            || !name.endsWith(suffix) || name.at(stem.size()) != QLatin1Char('[')
            || name.at(name.size() - suffix.size() - 1) != QLatin1Char(']'))
            return 0;
        const QStringView digits =
            QStringView(name).mid(stem.size() + 1).chopped(suffix.size() + 1);
        if (digits.size() > 18 || digits.front() == QLatin1Char('0'))
            return 0;
        qint64 n = 0;
        for (const QChar c : digits) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return 0;
            n = n * 10 + (c.unicode() - '0');
        }
        return n;
    }
};

// The numbers that the folder's entries already use, sorted, read in one pass
// over the folder; false when it cannot be listed.
bool usedNumbers(const NumberedPath &parts, std::vector<qint64> &used)
{
    const QString folder = parts.folder.isEmpty() ? QStringLiteral(".") : parts.folder;
    const std::unique_ptr<DIR, int (*)(DIR *)> dir(::opendir(QFile::encodeName(folder).constData()),
                                                   ::closedir);
    if (!dir)
        return false;
    while (const dirent *entry = ::readdir(dir.get())) {
        if (const qint64 n = parts.numberOf(QFile::decodeName(entry->d_name)))
            used.push_back(n);
    }
    std::sort(used.begin(), used.end());
    return true;
}

} // namespace

QString Paths::playerDataPath()
{
    const QString root = OSUtilities::getApplicationDataPath(true);
    if (root.isEmpty())
        return root;
    return QStringLiteral("%1/Zentrix/%2")
        .arg(root, MavStringTools::fromStdStringUTF8(OSUtilities::getComponentIdUTF8()));
}

QString Paths::moviesPath(bool create)
{
    QString folder = existingFolder(QStandardPaths::MoviesLocation);
    if (folder.isEmpty())
        folder = existingFolder(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() && QFileInfo(QDir::homePath()).isDir())
        folder = QDir::homePath();
    if (folder.isEmpty())
        return folder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    const QString path = folder + QStringLiteral("Zentrix Movies");
    if (!create)
        return path;
    if (!QFileInfo::exists(path))
        QDir().mkpath(path);
    return QFileInfo(path).isDir() ? path : QString();
}

QString OSUtilities::getApplicationDataPath(bool root)
{
    if (root)
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString path = Paths::playerDataPath();
    if (!path.isEmpty() && !QFileInfo::exists(path))
        QDir().mkpath(path);
    return path;
}

QString OSUtilities::getTempPath()
{
    TempPaths &paths = tempPaths();
    QMutexLocker locker(&paths.mutex);
    return paths.tempSet ? s_tempPath : QDir::tempPath();
}

void OSUtilities::setTempPath(const QString &path)
{
    TempPaths &paths = tempPaths();
    QMutexLocker locker(&paths.mutex);
    s_tempPath = path;
    paths.tempSet = true;
}

QString OSUtilities::getTempDownloadDirectoryPath()
{
    TempPaths &paths = tempPaths();
    QMutexLocker locker(&paths.mutex);
    return paths.downloadSet ? s_tempDownloadDirectoryPath : QDir::tempPath();
}

bool OSUtilities::setTempDownloadDirectoryParent(const QString &parent)
{
    // Decided before it is stored, so no reader ever sees a folder that failed.
    QString path = parent + QStringLiteral("/.downloads");
    const bool made = makeDirectory(path);
    if (!made)
        path = QDir::tempPath();
    TempPaths &paths = tempPaths();
    QMutexLocker locker(&paths.mutex);
    s_tempDownloadDirectoryPath = path;
    paths.downloadSet = true;
    return made;
}

QString OSUtilities::getZentrixMoviesPathDefault()
{
    return Paths::moviesPath(true);
}

QString OSUtilities::getDesktopPath()
{
    return QDir::toNativeSeparators(
        QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}

/*
    One level at a time, as the Windows build does. Callers written for Windows
    pass "\\" as well as "/", so both separate levels here (a backslash is never
    part of a folder name made this way). A failing level is not reported by
    itself: only whether the whole path exists at the end counts.
*/
bool OSUtilities::makeDirectory(const QString &path)
{
    QString normal = path;
    normal.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (QDir(normal).exists())
        return true;
    const QString absolute = QDir(normal).absolutePath();
    qsizetype previous = absolute.indexOf(QLatin1Char('/'));
    while (previous >= 0) {
        const qsizetype current = absolute.indexOf(QLatin1Char('/'), previous + 1);
        const QString level = absolute.left(current); // the whole path when current is -1
        const QString name = level.mid(previous + 1);
        if (!name.isEmpty() && !QFileInfo(level).isDir())
            QDir(previous == 0 ? QStringLiteral("/") : absolute.left(previous)).mkdir(name);
        previous = current;
    }
    return QDir(normal).exists();
}

QString OSUtilities::ensureUniqueFilePath(QString path)
{
    if (!isTaken(path))
        return path;
    const NumberedPath parts(path);
    // One pass over the folder instead of one file-system query per number: a
    // folder of downloads may hold thousands of numbered copies.
    std::vector<qint64> used;
    qint64 n = 1;
    if (usedNumbers(parts, used)) {
        for (const qint64 u : used) {
            if (u > n)
                break;
            if (u == n)
                ++n;
        }
    }
    // The listing may be stale by now, or unreadable: each answer is checked.
    while (isTaken(parts.at(n)))
        ++n;
    return parts.at(n);
}

bool OSUtilities::getFreeSpace(const QString &path, quint64 *freeBytes, quint64 *totalBytes)
{
    struct statvfs volume;
    if (::statvfs(QFile::encodeName(path).constData(), &volume) != 0)
        return false;
    if (freeBytes)
        *freeBytes = quint64(volume.f_bavail) * volume.f_frsize;
    if (totalBytes)
        *totalBytes = quint64(volume.f_blocks) * volume.f_frsize;
    return true;
}

} // namespace Quorvex
