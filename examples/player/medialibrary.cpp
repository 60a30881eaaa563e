// SPDX-License-Identifier: LGPL-2.1-or-later
#include "medialibrary.h"

#include "playerlogging.h"

#include <MavLibrary/services/uithread.h>
#include <MavLibrary/settings/playersettings.h>
#include <MavLibrary/settings/settingsfunctions.h>
#include <MavLibrary/text/mavstringtools.h>

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QPointer>
#include <QTimer>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
}

#include <memory>
#include <utility>

using Quorvex::PlayerSettings;

namespace {

// The folders the user added, one a line, beside "MediaFolder" in its section.
constexpr char AddedFoldersValue[] = "LibraryFolders";

QStringList addedFolders()
{
    std::string text;
    ztds::userSettings::getString(PlayerSettings::sectionPath(Quorvex::MediaFolder),
                                  AddedFoldersValue, text);
    return QString::fromStdString(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Part of a scan's results on their way to the GUI thread; the library may be
// gone by the time they arrive.
struct Delivery
{
    QPointer<MediaLibrary> library;
    QList<MediaInfo> items;
    QStringList folders;
    bool last = false;
};

// A batch goes when it is this large or this old: rows appear as the scan goes,
// and the GUI thread is never handed thousands of them at once.
constexpr qsizetype BatchSize = 100;
constexpr qint64 BatchMs = 100;

} // namespace

bool MediaInfo::probe(const QString &file)
{
    path = file;
    const QFileInfo info(file);
    size = quint64(info.size());
    if (!info.isFile() || size == 0)
        return false;
    // The library's scan must not fill stderr with the complaints of files
    // that are not media: their absence from the list says it.
    av_log_set_level(AV_LOG_QUIET);
    AVFormatContext *context = nullptr;
    if (avformat_open_input(&context, QFile::encodeName(file).constData(), nullptr, nullptr) < 0)
        return false;
    const std::unique_ptr<AVFormatContext *, void (*)(AVFormatContext **)> closer(
        &context, avformat_close_input);
    // A short look at the packets: enough for the durations and frame rates
    // the headers leave out, never a decode of the whole file.
    context->max_analyze_duration = 500000;
    if (avformat_find_stream_info(context, nullptr) < 0)
        return false;
    if (context->duration > 0)
        duration = double(context->duration) / AV_TIME_BASE;
    bool playable = false;
    for (unsigned i = 0; i < context->nb_streams; ++i) {
        const AVStream *stream = context->streams[i];
        const AVCodecParameters *codec = stream->codecpar;
        if (codec->codec_type == AVMEDIA_TYPE_VIDEO && width == 0
            && !(stream->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
            width = codec->width;
            height = codec->height;
            const AVRational rate =
                stream->avg_frame_rate.num ? stream->avg_frame_rate : stream->r_frame_rate;
            frameRate = rate.den ? av_q2d(rate) : 0;
            playable = true;
        } else if (codec->codec_type == AVMEDIA_TYPE_AUDIO) {
            const AVDictionaryEntry *language =
                av_dict_get(stream->metadata, "language", nullptr, 0);
            // "und" is what muxers write for no language.
            if (language && *language->value && qstrcmp(language->value, "und") != 0)
                audioLanguages.append(QString::fromUtf8(language->value));
            playable = true;
        }
    }
    return playable;
}

MediaLibrary::MediaLibrary(QObject *parent)
    : QObject(parent)
    , m_watcher(new QFileSystemWatcher(this))
    , m_settle(new QTimer(this))
{
    // A copy into a folder changes it many times: one scan once it settles.
    m_settle->setSingleShot(true);
    m_settle->setInterval(300);
    connect(m_settle, &QTimer::timeout, this, &MediaLibrary::rescan);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_settle,
            qOverload<>(&QTimer::start));
}

MediaLibrary::~MediaLibrary()
{
    m_stopping = true;
    if (m_worker.joinable())
        m_worker.join();
}

QStringList MediaLibrary::folders() const
{
    QStringList result {PlayerSettings::getString(Quorvex::MediaFolder)};
    for (const QString &folder : addedFolders())
        if (!result.contains(folder))
            result.append(folder);
    result.removeAll(QString());
    return result;
}

bool MediaLibrary::addFolder(const QString &folder)
{
    const QString clean = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (!QFileInfo(clean).isDir())
        return false;
    QStringList added = addedFolders();
    if (!added.contains(clean)) {
        added.append(clean);
        ztds::userSettings::setString(PlayerSettings::sectionPath(Quorvex::MediaFolder),
                                      AddedFoldersValue,
                                      added.join(QLatin1Char('\n')).toStdString());
    }
    rescan();
    return true;
}

void MediaLibrary::rescan()
{
    if (m_scanning) {
        m_rescan = true;
        return;
    }
    startScan();
}

void MediaLibrary::startScan()
{
    if (m_worker.joinable())
        m_worker.join();
    // For the benchmarks: how long the GUI thread went without its event loop
    // while the worker scanned.
    if (lcPlayer().isInfoEnabled()) {
        m_scanTime.start();
        m_lastBeat.start();
        m_longestGap = 0;
        if (!m_heartbeat) {
            m_heartbeat = new QTimer(this);
            m_heartbeat->setInterval(5);
            connect(m_heartbeat, &QTimer::timeout, this,
                    [this] { m_longestGap = qMax(m_longestGap, m_lastBeat.restart()); });
        }
        m_heartbeat->start();
    }
    m_scanning = true;
    m_rescan = false;
    m_worker = std::thread(&MediaLibrary::scan, this, folders());
}

// On the worker thread: no member but the stop flag is touched here.
void MediaLibrary::scan(MediaLibrary *library, QStringList folders)
{
    const QPointer<MediaLibrary> target(library);
    QList<MediaInfo> batch;
    QElapsedTimer age;
    age.start();
    for (const QString &folder : std::as_const(folders)) {
        QDirIterator files(folder, QDir::Files | QDir::Readable, QDirIterator::Subdirectories);
        while (files.hasNext() && !library->m_stopping) {
            const QString path = files.next();
            MediaInfo info;
            if (Quorvex::MavStringTools::checkMovieExtension(path) && info.probe(path))
                batch.append(info);
            if (batch.size() >= BatchSize || (!batch.isEmpty() && age.hasExpired(BatchMs))) {
                Quorvex::UIThread::executeFunction(
                    &MediaLibrary::deliver, false,
                    new Delivery {target, std::exchange(batch, {}), {}, false});
                age.restart();
            }
        }
    }
    Quorvex::UIThread::executeFunction(&MediaLibrary::deliver, false,
                                       new Delivery {target, batch, folders, true});
}

void MediaLibrary::deliver(void *data)
{
    const std::unique_ptr<Delivery> delivery(static_cast<Delivery *>(data));
    MediaLibrary *library = delivery->library;
    if (!library)
        return;
    library->m_scanned += delivery->items;
    if (!delivery->items.isEmpty())
        emit library->found(delivery->items);
    if (!delivery->last)
        return;
    library->m_items = std::exchange(library->m_scanned, {});
    library->m_scanning = false;
    const QStringList watched = library->m_watcher->directories();
    if (!watched.isEmpty())
        library->m_watcher->removePaths(watched);
    for (const QString &folder : std::as_const(delivery->folders))
        if (QFileInfo(folder).isDir())
            library->m_watcher->addPath(folder);
    emit library->changed();
    // Up to here: the list the user sees is complete and sorted.
    if (library->m_heartbeat && library->m_heartbeat->isActive()) {
        library->m_heartbeat->stop();
        library->m_longestGap = qMax(library->m_longestGap, library->m_lastBeat.elapsed());
        qCInfo(lcPlayer, "scanned %lld movies in %lld ms; the GUI thread waited at most %lld ms",
               static_cast<long long>(library->m_items.size()),
               static_cast<long long>(library->m_scanTime.elapsed()),
               static_cast<long long>(library->m_longestGap));
    }
    if (library->m_rescan)
        library->startScan();
}
