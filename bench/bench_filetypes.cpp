// SPDX-License-Identifier: LGPL-2.1-or-later
// Taking over and giving back the player's 28 movie extensions, against what a
// script would otherwise run: xdg-mime default once per MIME type (take-over
// only, and without the registry side). Informative: both write to disk.
#include "os/filetypes_p.h"

#include <MavLibrary/os/osutilities.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

const QStringList Extensions = QStringLiteral("zentrix ztx xvid avi mkv mkx mka mov qt mp4 m4v m1v "
                                              "m2v m4a m2ts mts ts tix mpeg mpg mpe vob dat dv asf "
                                              "wmv rm rmvb")
                                   .split(QLatin1Char(' '));

QMap<QString, bool> wanted(bool take)
{
    QMap<QString, bool> map;
    for (const QString &extension : Extensions)
        map.insert(QLatin1Char('.') + extension, take);
    return map;
}

void takeAndGiveBack_ours(benchmark::State &state)
{
    const QMap<QString, bool> take = wanted(true);
    const QMap<QString, bool> giveBack = wanted(false);
    for (auto _ : state) {
        if (!Quorvex::OSUtilities::setFileTypeAssociations(take)
            || !Quorvex::OSUtilities::setFileTypeAssociations(giveBack))
            state.SkipWithError("a change was not written");
    }
}

void xdgMimeDefault_baseline(benchmark::State &state)
{
    QStringList types;
    for (const QString &extension : Extensions) {
        const QString type = Quorvex::FileTypes::mimeTypeForExtension(QLatin1Char('.') + extension);
        if (!type.isEmpty())
            types.append(type);
    }
    for (auto _ : state) {
        for (const QString &type : std::as_const(types)) {
            if (QProcess::execute(
                    QStringLiteral("xdg-mime"),
                    {QStringLiteral("default"), QStringLiteral("zentrix-player.desktop"), type})
                != 0)
                state.SkipWithError("xdg-mime failed");
        }
    }
    state.counters["types"] = double(types.size());
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

} // namespace

BENCHMARK(takeAndGiveBack_ours)->Unit(benchmark::kMillisecond);
BENCHMARK(xdgMimeDefault_baseline)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    // Never the real user's files: every XDG folder and both hives in the temporary
    // folder; only the system's MIME database is seen through a link.
    const struct
    {
        const char *name;
        const char *relative;
    } folders[] = {{"HOME", ""},
                   {"XDG_CONFIG_HOME", ".config"},
                   {"XDG_DATA_HOME", ".local/share"},
                   {"XDG_CONFIG_DIRS", "etc/xdg"},
                   {"ZENTRIX_USER_HIVE", "user-hive.db"},
                   {"ZENTRIX_MACHINE_HIVE", "machine-hive.db"}};
    for (const auto &f : folders)
        qputenv(f.name, QFile::encodeName(dir.filePath(QString::fromLatin1(f.relative))));
    QDir().mkpath(dir.filePath(QStringLiteral("system")));
    QFile::link(QStringLiteral("/usr/share/mime"), dir.filePath(QStringLiteral("system/mime")));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(dir.filePath(QStringLiteral("system"))));
    qunsetenv("XDG_CURRENT_DESKTOP");
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");

    // The player and one other program for every type; the other one is the default.
    QByteArray types;
    QByteArray defaults("[Default Applications]\n");
    for (const QString &extension : Extensions) {
        const QString type = Quorvex::FileTypes::mimeTypeForExtension(QLatin1Char('.') + extension);
        if (!type.isEmpty() && !types.contains(type.toUtf8() + ';')) {
            types += type.toUtf8() + ';';
            defaults += type.toUtf8() + "=other.desktop;\n";
        }
    }
    for (const char *id : {"zentrix-player.desktop", "other.desktop"}) {
        if (!writeFile(
                dir.filePath(QStringLiteral(".local/share/applications/") + QLatin1String(id)),
                "[Desktop Entry]\nType=Application\nExec=true\nMimeType=" + types + '\n'))
            return 1;
    }
    if (!writeFile(dir.filePath(QStringLiteral(".config/mimeapps.list")), defaults))
        return 1;

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
