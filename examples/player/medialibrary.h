// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QStringList>

#include <atomic>
#include <thread>

class QFileSystemWatcher;
class QTimer;

//! What libavformat tells of one file, without decoding it.
struct MediaInfo
{
    QString path;
    quint64 size = 0;
    double duration = 0; // seconds
    int width = 0; // 0 for sound only
    int height = 0;
    double frameRate = 0;
    QStringList audioLanguages; // as tagged: "en-US", "pt-BR"

    //! Opens \a path with libavformat and reads its streams' parameters;
    //! false for a file it cannot open as media. Any thread.
    bool probe(const QString &path);
};

/*!
    The movies of the media folder ("MediaFolder") and of the folders the user
    added, found by checkMovieExtension and probed with libavformat on a worker
    thread; the results come back to the GUI thread through UIThread, in
    batches as the scan goes (found()), then whole (changed()). A change in a
    folder scans again. GUI thread only.
*/
class MediaLibrary : public QObject
{
    Q_OBJECT

public:
    explicit MediaLibrary(QObject *parent = nullptr);
    ~MediaLibrary() override;

    //! The media folder, then the added folders.
    QStringList folders() const;
    //! Adds \a folder to those kept in the settings and scans; false when it
    //! is not a folder.
    bool addFolder(const QString &folder);
    void rescan();
    //! What the last finished scan found.
    const QList<MediaInfo> &items() const { return m_items; }
    bool isScanning() const { return m_scanning; }

Q_SIGNALS:
    //! Part of what the running scan found, in the order found.
    void found(const QList<MediaInfo> &batch);
    //! The scan finished: items() holds all it found.
    void changed();

private:
    static void scan(MediaLibrary *library, QStringList folders);
    static void deliver(void *delivery);
    void startScan();

    QList<MediaInfo> m_items;
    QList<MediaInfo> m_scanned; // found so far by the running scan
    QFileSystemWatcher *m_watcher = nullptr;
    QTimer *m_settle = nullptr;
    QTimer *m_heartbeat = nullptr;
    QElapsedTimer m_scanTime;
    QElapsedTimer m_lastBeat;
    qint64 m_longestGap = 0;
    std::thread m_worker;
    std::atomic<bool> m_stopping {false};
    bool m_scanning = false;
    bool m_rescan = false;
};
