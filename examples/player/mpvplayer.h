// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>

struct mpv_handle;
struct mpv_event;

/*!
    The playback engine: one libmpv core with the render API as its video output
    (a VideoOutput draws it), its state mirrored from observed properties and its
    commands sent asynchronously, so the GUI thread, which also renders, never
    waits for the core.

    Opening is asynchronous: fileLoaded() or openFailed() follows each open().

    GUI thread only.
*/
class MpvPlayer : public QObject
{
    Q_OBJECT

public:
    struct Track
    {
        int id = 0;
        QString type; // "audio", "sub" or "video"
        QString language; // as tagged: "eng", "pt-BR"
        QString title;
        QString codec; // libavcodec's name: "aac", "ac3", "subrip"
        bool selected = false;
        bool isDefault = false;
        bool forced = false;
    };

    //! \a audioOutput: libmpv's "ao" ("null" for none); empty for its own choice.
    explicit MpvPlayer(const QString &audioOutput, QObject *parent = nullptr);
    ~MpvPlayer() override;

    //! False when libmpv could not be set up; errorString() says why.
    bool isValid() const { return m_mpv != nullptr; }
    QString errorString() const { return m_error; }
    mpv_handle *handle() const { return m_mpv; }
    //! Opens wait until the video output is ready: libmpv's video set-up fails
    //! without a render context.
    void setVideoOutputReady();

    //! With an output whose first picture is slow (OpenGL compiles its shaders
    //! for it), each file waits paused until that picture is on the screen:
    //! otherwise the clock runs on meanwhile and the next frames are dropped.
    void setHoldFirstFrame(bool hold) { m_holdFirstFrame = hold; }
    //! The video output has put a new frame on the screen.
    void framePresented() { releaseHold(); }

    //! Plays \a path now, or after the files already queued when \a queue.
    void open(const QString &path, bool queue = false);
    void stop();
    void setPaused(bool paused);
    void seek(double seconds, bool relative);
    void setSpeed(double speed);
    void setVolume(int volume);
    void setLoop(bool on);
    //! \a type "aid" or "sid"; \a id 0 turns the track off.
    void selectTrack(const QString &type, int id);

    bool hasMovie() const { return !m_path.isEmpty(); }
    QString path() const { return m_path; }
    bool isPaused() const { return m_paused; }
    double position() const { return m_position; }
    double duration() const { return m_duration; }
    double speed() const { return m_speed; }
    bool hasVideo() const { return m_videoShown; }
    QString subtitleText() const { return m_subtitleText; }
    const QList<Track> &tracks() const { return m_tracks; }

Q_SIGNALS:
    void fileLoaded(const QString &path);
    void openFailed(const QString &path, const QString &reason);
    //! Nothing is playing any more (stopped, or the last file ended).
    void idle();
    void pausedChanged(bool paused);
    void positionChanged(double seconds);
    void durationChanged(double seconds);
    void speedChanged(double speed);
    void tracksChanged();
    void videoShownChanged(bool shown);
    void subtitleTextChanged(const QString &text);

private:
    Q_INVOKABLE void drainEvents();
    void dispatch(const mpv_event &event);
    void command(const QStringList &arguments, quint64 replyTo = 0);
    void setProperty(const char *name, const QString &value);
    void releaseHold();

    mpv_handle *m_mpv = nullptr;
    QString m_error;
    std::atomic<bool> m_wakeupPending {false};
    bool m_outputReady = false;
    QList<QPair<QString, bool>> m_waiting;
    quint64 m_nextRequest = 1;
    QHash<quint64, QString> m_requests; // loadfile's reply id -> path
    QHash<qint64, QString> m_entries; // playlist entry id -> path
    qint64 m_currentEntry = -1;

    bool m_holdFirstFrame = false;
    bool m_holding = false; // paused by the hold, not by the user

    QString m_path;
    bool m_paused = false;
    double m_position = 0;
    double m_duration = 0;
    double m_speed = 1;
    bool m_videoShown = false;
    QString m_subtitleText;
    QList<Track> m_tracks;
    qint64 m_dropped[2] = {0, 0}; // by the video output, by the decoder
};
