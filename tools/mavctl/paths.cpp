// SPDX-License-Identifier: LGPL-2.1-or-later
// mavctl paths: the player's folders and the space on their volumes.
#include "command.h"
#include "os/paths_p.h"

#include <MavLibrary/os/osutilities.h>

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

using Quorvex::OSUtilities;

struct Folder
{
    QString name;
    QString path;
    bool exists = false;
    bool spaceKnown = false;
    quint64 free = 0;
    quint64 total = 0;
};

// A folder not made yet is measured on the volume it would be made on.
Folder measure(const QString &name, const QString &path)
{
    Folder folder {name, path};
    if (path.isEmpty())
        return folder;
    folder.exists = QFileInfo(path).isDir();
    QString existing = QDir::cleanPath(QDir(path).absolutePath());
    while (!QFileInfo::exists(existing) && existing != QLatin1String("/"))
        existing = QFileInfo(existing).path();
    folder.spaceKnown = OSUtilities::getFreeSpace(existing, &folder.free, &folder.total);
    return folder;
}

int runPaths(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Prints the player's folders with the bytes free to you and the size of each one's "
        "volume. Creates nothing: a folder not made yet is marked \"(missing)\". The temporary "
        "and download folders are those a player has before it sets its own."));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Prints JSON."));
    parser.addOption(json);
    if (const int code = Mavctl::parse(parser, arguments); code >= 0)
        return code;
    if (!parser.positionalArguments().isEmpty())
        return Mavctl::usageError(arguments.value(0), QStringLiteral("paths takes no arguments"));

    const QList<Folder> folders = {
        measure(QStringLiteral("Application data"), OSUtilities::getApplicationDataPath(true)),
        measure(QStringLiteral("Player data"), Quorvex::Paths::playerDataPath()),
        measure(QStringLiteral("Movies"), Quorvex::Paths::moviesPath(false)),
        measure(QStringLiteral("Desktop"), OSUtilities::getDesktopPath()),
        measure(QStringLiteral("Temporary"), OSUtilities::getTempPath()),
        measure(QStringLiteral("Downloads"), OSUtilities::getTempDownloadDirectoryPath()),
    };
    if (parser.isSet(json)) {
        QJsonArray array;
        for (const Folder &f : folders) {
            QJsonObject object {{"name", f.name}, {"path", f.path}, {"exists", f.exists}};
            if (f.spaceKnown) {
                object.insert(QStringLiteral("freeBytes"), double(f.free));
                object.insert(QStringLiteral("totalBytes"), double(f.total));
            }
            array.append(object);
        }
        Mavctl::printLine(QString::fromUtf8(QJsonDocument(array).toJson().trimmed()));
        return Mavctl::Success;
    }
    for (const Folder &f : folders) {
        QString line =
            f.name + QStringLiteral(": ") + (f.path.isEmpty() ? QStringLiteral("(none)") : f.path);
        if (!f.path.isEmpty() && !f.exists)
            line += QStringLiteral(" (missing)");
        if (f.spaceKnown)
            line += QStringLiteral("; free %1 of %2 bytes").arg(f.free).arg(f.total);
        Mavctl::printLine(line);
    }
    return Mavctl::Success;
}

} // namespace

MAVCTL_COMMAND("paths", "the player's folders with free and total space", runPaths);
