// SPDX-License-Identifier: LGPL-2.1-or-later
#include "mpvplayer.h"

#include "playerlogging.h"

#include <QFileInfo>
#include <QTimer>

#include <mpv/client.h>

#include <vector>

namespace {

// Observed properties; the reply id is the index here.
enum Observed : quint64 {
    Pause = 1,
    TimePos,
    Duration,
    Speed,
    TrackList,
    VoConfigured,
    SubText,
    IdleActive,
    EofReached,
    FrameDrops,
    DecoderDrops
};

QString nodeString(const mpv_node &node)
{
    return node.format == MPV_FORMAT_STRING ? QString::fromUtf8(node.u.string) : QString();
}

QList<MpvPlayer::Track> tracksFrom(const mpv_node &list)
{
    QList<MpvPlayer::Track> tracks;
    if (list.format != MPV_FORMAT_NODE_ARRAY)
        return tracks;
    for (int i = 0; i < list.u.list->num; ++i) {
        const mpv_node &entry = list.u.list->values[i];
        if (entry.format != MPV_FORMAT_NODE_MAP)
            continue;
        MpvPlayer::Track track;
        for (int k = 0; k < entry.u.list->num; ++k) {
            const QByteArray key(entry.u.list->keys[k]);
            const mpv_node &value = entry.u.list->values[k];
            const bool flag = value.format == MPV_FORMAT_FLAG && value.u.flag;
            if (key == "id" && value.format == MPV_FORMAT_INT64)
                track.id = int(value.u.int64);
            else if (key == "type")
                track.type = nodeString(value);
            else if (key == "lang")
                track.language = nodeString(value);
            else if (key == "title")
                track.title = nodeString(value);
            else if (key == "codec")
                track.codec = nodeString(value);
            else if (key == "selected")
                track.selected = flag;
            else if (key == "default")
                track.isDefault = flag;
            else if (key == "forced")
                track.forced = flag;
        }
        tracks.append(track);
    }
    return tracks;
}

} // namespace

MpvPlayer::MpvPlayer(const QString &audioOutput, QObject *parent)
    : QObject(parent)
{
    m_mpv = mpv_create();
    if (!m_mpv) {
        m_error = tr("libmpv could not be started");
        return;
    }
    // No user configuration, no terminal, no keys of its own: the shell is the
    // only way in. The video goes through the render API only.
    const std::pair<const char *, QByteArray> options[] = {
        {"config", "no"},
        {"terminal", "no"},
        {"input-default-bindings", "no"},
        {"input-vo-keyboard", "no"},
        {"osc", "no"},

        {"osd-level", "0"},
        {"vo", "libmpv"},
        {"hwdec", "no"},
        // Loading the hardware decoders' interops probes CUDA and says so on stderr.
        {"gpu-hwdec-interop", "no"},
        {"idle", "yes"},
        {"keep-open", "yes"},
        {"audio-client-name", "zentrix-player"},
        {"ao", audioOutput.toUtf8()},
    };
    // Nor its built-in scripts (stream URLs, statistics, console, profiles):
    // the first frame waits until every one has started. Names vary between
    // libmpv versions; one this version lacks is not loaded anyway.
    for (const char *script :
         {"load-scripts", "ytdl", "load-stats-overlay", "load-osd-console", "load-auto-profiles"})
        mpv_set_option_string(m_mpv, script, "no");
    for (const auto &[name, value] : options) {
        if (value.isEmpty())
            continue;
        if (const int error = mpv_set_option_string(m_mpv, name, value.constData()); error < 0) {
            m_error = tr("libmpv refused the option %1=%2: %3")
                          .arg(QLatin1String(name), QString::fromUtf8(value),
                               QString::fromUtf8(mpv_error_string(error)));
            mpv_terminate_destroy(m_mpv);
            m_mpv = nullptr;
            return;
        }
    }
    if (const int error = mpv_initialize(m_mpv); error < 0) {
        m_error = tr("libmpv could not be initialised: %1")
                      .arg(QString::fromUtf8(mpv_error_string(error)));
        mpv_terminate_destroy(m_mpv);
        m_mpv = nullptr;
        return;
    }
    mpv_request_log_messages(m_mpv, "warn");
    mpv_observe_property(m_mpv, Pause, "pause", MPV_FORMAT_FLAG);
    mpv_observe_property(m_mpv, TimePos, "time-pos", MPV_FORMAT_DOUBLE);
    mpv_observe_property(m_mpv, Duration, "duration", MPV_FORMAT_DOUBLE);
    mpv_observe_property(m_mpv, Speed, "speed", MPV_FORMAT_DOUBLE);
    mpv_observe_property(m_mpv, TrackList, "track-list", MPV_FORMAT_NODE);
    mpv_observe_property(m_mpv, VoConfigured, "vo-configured", MPV_FORMAT_FLAG);
    mpv_observe_property(m_mpv, SubText, "sub-text", MPV_FORMAT_STRING);
    mpv_observe_property(m_mpv, IdleActive, "idle-active", MPV_FORMAT_FLAG);
    mpv_observe_property(m_mpv, EofReached, "eof-reached", MPV_FORMAT_FLAG);
    mpv_observe_property(m_mpv, FrameDrops, "frame-drop-count", MPV_FORMAT_INT64);
    mpv_observe_property(m_mpv, DecoderDrops, "decoder-frame-drop-count", MPV_FORMAT_INT64);
    // Called on libmpv's threads: only a queued call, at most one pending.
    mpv_set_wakeup_callback(
        m_mpv,
        [](void *self) {
            auto *player = static_cast<MpvPlayer *>(self);
            if (!player->m_wakeupPending.exchange(true))
                QMetaObject::invokeMethod(player, "drainEvents", Qt::QueuedConnection);
        },
        this);
}

MpvPlayer::~MpvPlayer()
{
    if (m_mpv) {
        mpv_set_wakeup_callback(m_mpv, nullptr, nullptr);
        mpv_terminate_destroy(m_mpv);
    }
}

void MpvPlayer::setVideoOutputReady()
{
    m_outputReady = true;
    const QList<QPair<QString, bool>> waiting = std::exchange(m_waiting, {});
    for (const auto &[path, queue] : waiting)
        open(path, queue);
}

void MpvPlayer::open(const QString &path, bool queue)
{
    if (!m_mpv) {
        emit openFailed(path, m_error);
        return;
    }
    if (!m_outputReady) {
        m_waiting.append({path, queue});
        return;
    }
    // libmpv says "loading failed" for both; the user is told which.
    const QFileInfo file(path);
    if (!file.exists()) {
        emit openFailed(path, tr("the file does not exist"));
        return;
    }
    if (!file.isFile() || !file.isReadable()) {
        emit openFailed(path, tr("the file cannot be read"));
        return;
    }
    const quint64 request = m_nextRequest++;
    m_requests.insert(request, path);
    command({QStringLiteral("loadfile"), path,
             queue && hasMovie() ? QStringLiteral("append") : QStringLiteral("replace")},
            request);
}

void MpvPlayer::stop()
{
    command({QStringLiteral("stop")});
}

void MpvPlayer::setPaused(bool paused)
{
    if (m_holding) {
        // libmpv is paused already; the release follows the user's choice.
        if (paused != m_paused) {
            m_paused = paused;
            emit pausedChanged(paused);
        }
        return;
    }
    setProperty("pause", paused ? QStringLiteral("yes") : QStringLiteral("no"));
}

void MpvPlayer::releaseHold()
{
    if (!m_holding)
        return;
    m_holding = false;
    if (!m_paused)
        setProperty("pause", QStringLiteral("no"));
}

void MpvPlayer::seek(double seconds, bool relative)
{
    command({QStringLiteral("seek"), QString::number(seconds, 'f', 3),
             relative ? QStringLiteral("relative+exact") : QStringLiteral("absolute+exact")});
}

void MpvPlayer::setSpeed(double speed)
{
    setProperty("speed", QString::number(speed));
}

void MpvPlayer::setVolume(int volume)
{
    setProperty("volume", QString::number(qBound(0, volume, 100)));
}

void MpvPlayer::setLoop(bool on)
{
    setProperty("loop-file", on ? QStringLiteral("inf") : QStringLiteral("no"));
}

void MpvPlayer::selectTrack(const QString &type, int id)
{
    setProperty(type.toLatin1().constData(), id > 0 ? QString::number(id) : QStringLiteral("no"));
}

void MpvPlayer::command(const QStringList &arguments, quint64 replyTo)
{
    if (!m_mpv)
        return;
    std::vector<QByteArray> bytes;
    for (const QString &argument : arguments)
        bytes.push_back(argument.toUtf8());
    std::vector<const char *> argv;
    for (const QByteArray &argument : bytes)
        argv.push_back(argument.constData());
    argv.push_back(nullptr);
    mpv_command_async(m_mpv, replyTo, argv.data());
}

void MpvPlayer::setProperty(const char *name, const QString &value)
{
    if (!m_mpv)
        return;
    QByteArray bytes = value.toUtf8();
    char *data = bytes.data();
    mpv_set_property_async(m_mpv, 0, name, MPV_FORMAT_STRING, &data);
}

void MpvPlayer::drainEvents()
{
    m_wakeupPending.store(false);
    while (m_mpv) {
        const mpv_event *event = mpv_wait_event(m_mpv, 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        dispatch(*event);
    }
}

void MpvPlayer::dispatch(const mpv_event &event)
{
    switch (event.event_id) {
    case MPV_EVENT_LOG_MESSAGE: {
        // Expected for every file that cannot be played: the reason reaches the
        // user through openFailed(), the details are the category's.
        const auto *message = static_cast<const mpv_event_log_message *>(event.data);
        qCDebug(lcPlayer, "libmpv %s: %s", message->prefix,
                QByteArray(message->text).trimmed().constData());
        break;
    }
    case MPV_EVENT_COMMAND_REPLY: {
        if (event.reply_userdata == 0)
            break;
        const QString path = m_requests.take(event.reply_userdata);
        const auto *reply = static_cast<const mpv_event_command *>(event.data);
        if (event.error < 0) {
            emit openFailed(path, QString::fromUtf8(mpv_error_string(event.error)));
            break;
        }
        const mpv_node &result = reply->result;
        if (result.format == MPV_FORMAT_NODE_MAP)
            for (int i = 0; i < result.u.list->num; ++i)
                if (qstrcmp(result.u.list->keys[i], "playlist_entry_id") == 0)
                    m_entries.insert(result.u.list->values[i].u.int64, path);
        break;
    }
    case MPV_EVENT_START_FILE:
        m_currentEntry = static_cast<const mpv_event_start_file *>(event.data)->playlist_entry_id;
        break;
    case MPV_EVENT_FILE_LOADED:
        m_path = m_entries.value(m_currentEntry);
        if (m_holdFirstFrame && !m_paused && !m_holding) {
            m_holding = true;
            setProperty("pause", QStringLiteral("yes"));
            // A file without video, or a hidden output, shows no frame.
            QTimer::singleShot(1000, this, [this, entry = m_currentEntry] {
                if (m_currentEntry == entry)
                    releaseHold();
            });
        }
        emit fileLoaded(m_path);
        break;
    case MPV_EVENT_END_FILE: {
        const auto *end = static_cast<const mpv_event_end_file *>(event.data);
        const QString path = m_entries.take(end->playlist_entry_id);
        releaseHold();
        if (end->reason == MPV_END_FILE_REASON_ERROR)
            emit openFailed(path, QString::fromUtf8(mpv_error_string(end->error)));
        break;
    }
    case MPV_EVENT_PROPERTY_CHANGE: {
        const auto *property = static_cast<const mpv_event_property *>(event.data);
        const bool none = property->format == MPV_FORMAT_NONE;
        const auto flag = [&] { return !none && *static_cast<int *>(property->data) != 0; };
        const auto number = [&] { return none ? 0.0 : *static_cast<double *>(property->data); };
        switch (event.reply_userdata) {
        case Pause:
            if (m_holding)
                break;
            m_paused = flag();
            emit pausedChanged(m_paused);
            break;
        case TimePos:
            m_position = number();
            emit positionChanged(m_position);
            break;
        case Duration:
            m_duration = number();
            emit durationChanged(m_duration);
            break;
        case Speed:
            if (!none) {
                m_speed = number();
                emit speedChanged(m_speed);
            }
            break;
        case TrackList:
            m_tracks = none ? QList<Track>() : tracksFrom(*static_cast<mpv_node *>(property->data));
            emit tracksChanged();
            break;
        case VoConfigured:
            m_videoShown = flag();
            emit videoShownChanged(m_videoShown);
            break;
        case SubText:
            m_subtitleText =
                none ? QString() : QString::fromUtf8(*static_cast<char **>(property->data));
            emit subtitleTextChanged(m_subtitleText);
            break;
        case FrameDrops:
            m_dropped[0] = none ? 0 : *static_cast<qint64 *>(property->data);
            break;
        case DecoderDrops:
            m_dropped[1] = none ? 0 : *static_cast<qint64 *>(property->data);
            break;
        case EofReached:
            // For the benchmarks: what had to be dropped on the way.
            if (flag())
                qCInfo(lcPlayer,
                       "end of file: %lld frames dropped by the output, %lld by the decoder",
                       static_cast<long long>(m_dropped[0]), static_cast<long long>(m_dropped[1]));
            break;
        case IdleActive:
            if (flag()) {
                m_path.clear();
                emit idle();
            }
            break;
        }
        break;
    }
    default:
        break;
    }
}
