// SPDX-License-Identifier: LGPL-2.1-or-later
// The MIME applications files and the desktop entries of the XDG folders.
#include "mimeapps_p.h"
#include "oslogging_p.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace Quorvex::MimeApps {

namespace {

// Desktop entries and mimeapps.list files are small; anything larger is no such file.
constexpr qint64 MaxFileSize = 4 * 1024 * 1024;
constexpr int MaxFolderDepth = 8;

QByteArray withoutCarriageReturn(const QByteArray &line)
{
    return line.endsWith('\r') ? line.chopped(1) : line;
}

// An XDG base directory variable: absolute paths only, as the base directory rules ask.
QStringList xdgPaths(const char *name, const QStringList &fallback)
{
    QStringList paths;
    const QString value = qEnvironmentVariable(name);
    for (const QString &path : value.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(path))
            paths.append(QDir::cleanPath(path));
    }
    return paths.isEmpty() ? fallback : paths;
}

bool readSmallFile(const QString &path, QByteArray &data, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    if (file.size() > MaxFileSize) {
        *error = QStringLiteral("%1 is too large").arg(path);
        return false;
    }
    data = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError || data.size() > MaxFileSize) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace

// KeyFile --------------------------------------------------------------------------

bool KeyFile::parse(const QByteArray &data, QString *error)
{
    m_lines.clear();
    m_groups.clear();
    m_finalNewline = true;
    auto fail = [&](qsizetype line, const QString &why) {
        m_lines.clear();
        m_groups.clear();
        if (error)
            *error = line ? QStringLiteral("line %1: %2").arg(line).arg(why) : why;
        return false;
    };
    if (data.contains('\0'))
        return fail(0, QStringLiteral("not text (a NUL byte)"));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(data);
    Q_UNUSED(decoded)
    if (utf8.hasError())
        return fail(0, QStringLiteral("not UTF-8 text"));
    if (data.isEmpty())
        return true;

    QList<QByteArray> raw = data.split('\n');
    m_finalNewline = data.endsWith('\n');
    if (m_finalNewline)
        raw.removeLast();
    int group = -1;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        Line line {raw[i], group, QString(), false};
        const QByteArray text = withoutCarriageReturn(raw[i]).trimmed();
        if (text.isEmpty() || text.startsWith('#')) {
            // blank or comment
        } else if (text.startsWith('[')) {
            const QByteArray name = text.mid(1, text.size() - 2);
            if (!text.endsWith(']') || name.contains('[') || name.contains(']'))
                return fail(i + 1, QStringLiteral("a group header without its closing bracket"));
            m_groups.append(QString::fromUtf8(name));
            group = int(m_groups.size() - 1);
            line.group = group;
            line.header = true;
        } else {
            const qsizetype equals = text.indexOf('=');
            if (group < 0)
                return fail(i + 1, QStringLiteral("an entry before the first group"));
            const QByteArray key = equals > 0 ? text.left(equals).trimmed() : QByteArray();
            if (key.isEmpty())
                return fail(i + 1, QStringLiteral("neither a group, an entry nor a comment"));
            line.key = QString::fromUtf8(key);
        }
        m_lines.append(line);
    }
    return true;
}

qsizetype KeyFile::find(const QString &group, const QString &key, qsizetype from) const
{
    for (qsizetype i = from; i < m_lines.size(); ++i) {
        const Line &line = m_lines[i];
        if (!line.key.isEmpty() && m_groups[line.group] == group
            && line.key.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString KeyFile::value(const QString &group, const QString &key) const
{
    const qsizetype i = find(group, key);
    if (i < 0)
        return QString();
    const QByteArray text = withoutCarriageReturn(m_lines[i].text);
    return QString::fromUtf8(text.mid(text.indexOf('=') + 1).trimmed());
}

QStringList KeyFile::list(const QString &group, const QString &key) const
{
    QStringList items;
    const QStringList parts = value(group, key).split(QLatin1Char(';'));
    for (const QString &part : parts) {
        const QString item = part.trimmed();
        if (!item.isEmpty())
            items.append(item);
    }
    return items;
}

void KeyFile::setList(const QString &group, const QString &key, const QStringList &items)
{
    const qsizetype i = find(group, key);
    if (i >= 0) {
        // A repeated entry would count for readers that take the last one.
        for (qsizetype j = find(group, key, i + 1); j >= 0; j = find(group, key, j))
            m_lines.removeAt(j);
        if (items.isEmpty()) {
            m_lines.removeAt(i);
            return;
        }
        // Keep the spelling of the key, the trailing ';' (or its absence) and a CR.
        Line &line = m_lines[i];
        const bool carriageReturn = line.text.endsWith('\r');
        const QByteArray text = withoutCarriageReturn(line.text);
        const bool trailing = text.trimmed().endsWith(';');
        line.text = text.left(text.indexOf('=')).trimmed() + '='
            + items.join(QLatin1Char(';')).toUtf8() + (trailing ? ";" : "")
            + (carriageReturn ? "\r" : "");
        return;
    }
    if (items.isEmpty())
        return;
    const QByteArray entry = key.toUtf8() + '=' + items.join(QLatin1Char(';')).toUtf8() + ';';
    const int g = int(m_groups.indexOf(group));
    if (g >= 0) {
        qsizetype after = -1;
        for (qsizetype j = 0; j < m_lines.size(); ++j) {
            if (m_lines[j].group == g && (m_lines[j].header || !m_lines[j].key.isEmpty()))
                after = j;
        }
        m_lines.insert(after + 1, Line {entry, g, key, false});
        return;
    }
    if (!m_lines.isEmpty() && !withoutCarriageReturn(m_lines.last().text).trimmed().isEmpty())
        m_lines.append(Line {QByteArray(), m_lines.last().group, QString(), false});
    m_groups.append(group);
    const int added = int(m_groups.size() - 1);
    m_lines.append(Line {'[' + group.toUtf8() + ']', added, QString(), true});
    m_lines.append(Line {entry, added, key, false});
    m_finalNewline = true;
}

QByteArray KeyFile::toByteArray() const
{
    QByteArray data;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (i)
            data += '\n';
        data += m_lines[i].text;
    }
    if (m_finalNewline && !m_lines.isEmpty())
        data += '\n';
    return data;
}

// Associations ---------------------------------------------------------------------

QString Associations::playerDesktopId()
{
    return QStringLiteral("zentrix-player.desktop");
}

Associations::Associations()
{
    const QString home = QDir::homePath();
    const QString configHome =
        xdgPaths("XDG_CONFIG_HOME", {home + QStringLiteral("/.config")}).constFirst();
    const QStringList configDirs = xdgPaths("XDG_CONFIG_DIRS", {QStringLiteral("/etc/xdg")});
    const QString dataHome =
        xdgPaths("XDG_DATA_HOME", {home + QStringLiteral("/.local/share")}).constFirst();
    const QStringList dataDirs = xdgPaths(
        "XDG_DATA_DIRS", {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")});
    QStringList desktops;
    for (const QString &name :
         qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        desktops.append(name.toLower());

    m_userFile = configHome + QStringLiteral("/mimeapps.list");
    QStringList folders {configHome};
    folders += configDirs;
    folders += dataHome + QStringLiteral("/applications");
    for (const QString &dir : dataDirs)
        folders += dir + QStringLiteral("/applications");
    for (qsizetype i = 0; i < folders.size(); ++i) {
        for (const QString &desktop : std::as_const(desktops))
            m_listFiles.push_back(
                {folders[i] + QLatin1Char('/') + desktop + QStringLiteral("-mimeapps.list"), true,
                 false, false, nullptr});
        m_listFiles.push_back(
            {folders[i] + QStringLiteral("/mimeapps.list"), false, i == 0, false, nullptr});
    }
    m_dataDirs = QStringList {dataHome} + dataDirs;
}

Associations::~Associations() = default;

bool Associations::loadUserFile(QString *error)
{
    m_userLoaded = false;
    const QFileInfo info(m_userFile);
    QByteArray data;
    if (info.exists()) {
        if (!info.isFile()) {
            *error = QStringLiteral("%1 is not a regular file").arg(m_userFile);
            return false;
        }
        if (!readSmallFile(m_userFile, data, error))
            return false;
    }
    QString why;
    if (!m_user.parse(data, &why)) {
        *error = QStringLiteral("%1 is no MIME applications file, %2").arg(m_userFile, why);
        return false;
    }
    m_userLoaded = true;
    return true;
}

bool Associations::saveUserFile(const QByteArray &data, QString *error)
{
    const QFileInfo info(m_userFile);
    if (info.exists() && !info.isFile()) {
        *error = QStringLiteral("%1 is not a regular file").arg(m_userFile);
        return false;
    }
    if (!QDir().mkpath(info.absolutePath())) {
        *error = QStringLiteral("cannot create the folder %1").arg(info.absolutePath());
        return false;
    }
    QSaveFile file(m_userFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(m_userFile, file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}

bool Associations::removeUserFile(QString *error)
{
    QFile file(m_userFile);
    if (file.exists() && !file.remove()) {
        *error = QStringLiteral("cannot remove %1: %2").arg(m_userFile, file.errorString());
        return false;
    }
    return true;
}

void Associations::scanApplications()
{
    if (m_scanned)
        return;
    m_scanned = true;
    for (const QString &dir : std::as_const(m_dataDirs)) {
        const QString root = dir + QStringLiteral("/applications");
        scanFolder(root, root, 0);
    }
}

// A desktop entry's id is its path below applications/ with '/' turned into
// '-'; the first folder in precedence that has an id decides it, even when that
// entry is hidden or broken.
void Associations::scanFolder(const QString &root, const QString &folder, int depth)
{
    const QDir dir(folder);
    const QFileInfoList files =
        dir.entryInfoList({QStringLiteral("*.desktop")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo &info : files) {
        QString id = info.filePath().mid(root.size() + 1);
        id.replace(QLatin1Char('/'), QLatin1Char('-'));
        if (m_entries.contains(id))
            continue;
        DesktopEntry entry;
        QByteArray data;
        QString error;
        KeyFile file;
        if (readSmallFile(info.filePath(), data, &error) && file.parse(data, &error)) {
            const QString group = QStringLiteral("Desktop Entry");
            entry.hidden = file.value(group, QStringLiteral("Hidden")) == QLatin1String("true");
            entry.mimeTypes = file.list(group, QStringLiteral("MimeType"));
        } else {
            qCDebug(lcOs) << "skipping the desktop entry" << info.filePath() << error;
            entry.hidden = true;
        }
        m_entries.insert(id, entry);
        m_entryOrder.append(id);
    }
    if (depth >= MaxFolderDepth)
        return;
    // Linked folders are not followed: they could lead back up.
    const QFileInfoList folders =
        dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
    for (const QFileInfo &info : folders)
        scanFolder(root, info.filePath(), depth + 1);
}

bool Associations::isInstalled(const QString &desktopId)
{
    scanApplications();
    const auto it = m_entries.constFind(desktopId);
    return it != m_entries.constEnd() && !it->hidden;
}

QStringList Associations::clients(const QString &mimeType)
{
    scanApplications();
    QStringList ids;
    for (const QString &id : std::as_const(m_entryOrder)) {
        const DesktopEntry &entry = m_entries[id];
        if (!entry.hidden && entry.mimeTypes.contains(mimeType, Qt::CaseInsensitive))
            ids.append(id);
    }
    return ids;
}

const KeyFile *Associations::listFile(ListFile &file)
{
    if (file.user)
        return m_userLoaded ? &m_user : nullptr;
    if (!file.read) {
        file.read = true;
        QByteArray data;
        QString error;
        if (!QFileInfo(file.path).isFile())
            return nullptr;
        auto content = std::make_unique<KeyFile>();
        if (readSmallFile(file.path, data, &error) && content->parse(data, &error))
            file.content = std::move(content);
        else
            qCDebug(lcOs) << "skipping" << file.path << error;
    }
    return file.content.get();
}

/*
    The default application of a MIME type, after the MIME Applications
    Associations lookup order (first match wins):

    | Order | File                                               | Groups read           |
    |-------|----------------------------------------------------|-----------------------|
    | 1     | $XDG_CONFIG_HOME/$desktop-mimeapps.list            | Default               |
    | 2     | $XDG_CONFIG_HOME/mimeapps.list (as held in memory) | Default, Added, Removed |
    | 3     | $XDG_CONFIG_DIRS/$desktop-mimeapps.list            | Default               |
    | 4     | $XDG_CONFIG_DIRS/mimeapps.list                     | Default, Added, Removed |
    | 5     | $XDG_DATA_HOME/applications/$desktop-mimeapps.list | Default               |
    | 6     | $XDG_DATA_HOME/applications/mimeapps.list          | Default, Added, Removed |
    | 7     | $XDG_DATA_DIRS/applications/$desktop-mimeapps.list | Default               |
    | 8     | $XDG_DATA_DIRS/applications/mimeapps.list          | Default, Added, Removed |
    | 9     | MimeType= of the desktop entries, $XDG_DATA_HOME first | —                 |

    $desktop is each name of $XDG_CURRENT_DESKTOP in lower case, in turn. First
    pass: the first installed entry of a [Default Applications] list whose
    association no earlier file removed. When no file names one, the most
    preferred associated application: [Added Associations] in file order, then
    the desktop entries, less every removed association. Files that cannot be
    read or understood are passed over.
*/
QString Associations::effectiveDefault(const QString &mimeType)
{
    const QString defaults = QLatin1String(DefaultGroup);
    const QString added = QStringLiteral("Added Associations");
    const QString removed = QStringLiteral("Removed Associations");
    QStringList blocked;
    for (ListFile &file : m_listFiles) {
        const KeyFile *content = listFile(file);
        if (!content)
            continue;
        for (const QString &id : content->list(defaults, mimeType)) {
            if (isInstalled(id) && !blocked.contains(id))
                return id;
        }
        if (!file.desktopSpecific)
            blocked += content->list(removed, mimeType);
    }
    blocked.clear();
    QStringList candidates;
    for (ListFile &file : m_listFiles) {
        const KeyFile *content = listFile(file);
        if (!content || file.desktopSpecific)
            continue;
        for (const QString &id : content->list(added, mimeType)) {
            if (!blocked.contains(id))
                candidates.append(id);
        }
        blocked += content->list(removed, mimeType);
    }
    candidates += clients(mimeType);
    for (const QString &id : std::as_const(candidates)) {
        if (isInstalled(id) && !blocked.contains(id))
            return id;
    }
    return QString();
}

} // namespace Quorvex::MimeApps
