// SPDX-License-Identifier: LGPL-2.1-or-later
// Device profiles and the media helpers, each against the least a caller would
// otherwise do:
//   loadProfiles          listing a folder of 200 profiles, reading each file and one
//                         xmlReadMemory of it, freed again
//   fileSizeToQString     QLocale::formattedDataSize of the same sizes (informative:
//                         it rounds and names units differently)
//   checkMovieExtension   QFileInfo(path).suffix().toLower() and a QSet look-up
#include "profiles/profilemanager_p.h"

#include <MavLibrary/plugins/pluginmanager.h>
#include <MavLibrary/text/mavstringtools.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSet>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <libxml/parser.h>

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

#include <memory>

using Quorvex::MavStringTools;

namespace {

std::unique_ptr<QTemporaryDir> s_root;
const int ProfileCount = 200;

QString profileFolder()
{
    return s_root->filePath(QStringLiteral("profiles"));
}

// The sample profiles, each copied under many GUIDs.
bool makeProfiles()
{
    const QDir samples(QStringLiteral(MAVBENCH_SAMPLE_PROFILES));
    const QStringList names = samples.entryList({QStringLiteral("*.xml")}, QDir::Files);
    if (names.isEmpty() || !QDir().mkpath(profileFolder()))
        return false;
    for (int i = 0; i < ProfileCount; ++i) {
        QFile sample(samples.filePath(names.at(i % names.size())));
        if (!sample.open(QIODevice::ReadOnly))
            return false;
        QByteArray xml = sample.readAll();
        const qsizetype start = xml.indexOf("<guid>") + 6;
        xml.replace(start, xml.indexOf("</guid>") - start,
                    QByteArray("{00000000-0000-0000-0000-")
                        + QByteArray::number(i).rightJustified(12, '0') + '}');
        QFile copy(profileFolder() + QStringLiteral("/profile%1.xml").arg(i));
        if (!copy.open(QIODevice::WriteOnly) || copy.write(xml) != xml.size())
            return false;
    }
    return true;
}

void loadProfiles_ours(benchmark::State &state)
{
    static Kapio::PluginManager context(QStringList {});
    Quorvex::ProfileManager *manager = Quorvex::ProfileManager::instance(&context);
    const std::wstring folder = profileFolder().toStdWString();
    for (auto _ : state) {
        if (!manager->loadProfiles(folder))
            state.SkipWithError("no profiles");
    }
    std::vector<std::string> guids;
    manager->getProfileGUIDs(&guids);
    if (guids.size() != std::size_t(ProfileCount))
        state.SkipWithError("not every profile loaded");
    state.SetItemsProcessed(int64_t(state.iterations()) * ProfileCount);
}

void loadProfiles_xmlReadMemory(benchmark::State &state)
{
    const QByteArray folder = QFile::encodeName(profileFolder());
    std::string text;
    for (auto _ : state) {
        DIR *dir = opendir(folder.constData());
        while (const dirent *entry = readdir(dir)) {
            const char *dot = strrchr(entry->d_name, '.');
            if (!dot || strcasecmp(dot, ".xml") != 0)
                continue;
            const std::string path = folder.toStdString() + '/' + entry->d_name;
            const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
            text.resize(std::size_t(lseek(fd, 0, SEEK_END)));
            pread(fd, text.data(), text.size(), 0);
            close(fd);
            xmlDocPtr document = xmlReadMemory(text.data(), int(text.size()), path.c_str(), nullptr,
                                               XML_PARSE_NONET | XML_PARSE_NOERROR);
            benchmark::DoNotOptimize(document);
            xmlFreeDoc(document);
        }
        closedir(dir);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * ProfileCount);
}

const quint64 sizes[] = {0,
                         1023,
                         1536,
                         1048575,
                         1610612736,
                         2146435072,
                         quint64(1) << 40,
                         123456789012345,
                         quint64(3) << 50,
                         quint64(1) << 62};

void fileSizeToQString_ours(benchmark::State &state)
{
    MavStringTools::fileSizeToQString(0, true); // builds the tables
    for (auto _ : state) {
        for (quint64 size : sizes)
            benchmark::DoNotOptimize(MavStringTools::fileSizeToQString(size, true));
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(std::size(sizes)));
}

void fileSizeToQString_formattedDataSize(benchmark::State &state)
{
    const QLocale locale = QLocale::c();
    for (auto _ : state) {
        for (quint64 size : sizes)
            benchmark::DoNotOptimize(
                locale.formattedDataSize(qint64(size), 2, QLocale::DataSizeTraditionalFormat));
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(std::size(sizes)));
}

// 1,000 paths: movies, subtitles, pictures and names without a suffix, in mixed case.
QStringList paths()
{
    const char *const suffixes[] = {"avi", "MKV",  "mp4", "Srt",  "jpg",
                                    "",    "m2ts", "TXT", "rmvb", "iso"};
    QStringList list;
    for (int i = 0; i < 1000; ++i) {
        const QString suffix = QString::fromLatin1(suffixes[i % std::size(suffixes)]);
        list.append(QStringLiteral("/home/user/Videos/Season %1/episode.%2%3")
                        .arg(i / 25)
                        .arg(i)
                        .arg(suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix));
    }
    return list;
}

void checkMovieExtension_ours(benchmark::State &state)
{
    const QStringList list = paths();
    for (auto _ : state) {
        for (const QString &path : list)
            benchmark::DoNotOptimize(MavStringTools::checkMovieExtension(path));
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * list.size());
}

void checkMovieExtension_qfileinfo(benchmark::State &state)
{
    const QStringList list = paths();
    const QStringList extensions = MavStringTools::getSupportedMovieExtensions(false);
    const QSet<QString> set(extensions.begin(), extensions.end());
    for (auto _ : state) {
        for (const QString &path : list)
            benchmark::DoNotOptimize(set.contains(QFileInfo(path).suffix().toLower()));
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * list.size());
}

} // namespace

BENCHMARK(loadProfiles_ours)->Unit(benchmark::kMillisecond);
BENCHMARK(loadProfiles_xmlReadMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(fileSizeToQString_ours);
BENCHMARK(fileSizeToQString_formattedDataSize);
BENCHMARK(checkMovieExtension_ours)->Unit(benchmark::kMicrosecond);
BENCHMARK(checkMovieExtension_qfileinfo)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    s_root = std::make_unique<QTemporaryDir>();
    // Never the real user's hives.
    setenv("ZENTRIX_USER_HIVE", QFile::encodeName(s_root->filePath("user-hive.db")).constData(), 1);
    setenv("ZENTRIX_MACHINE_HIVE",
           QFile::encodeName(s_root->filePath("machine-hive.db")).constData(), 1);
    if (!makeProfiles())
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    s_root.reset();
    return 0;
}
