// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QSet>
#include <QString>
#include <QVariant>

#include <memory>
#include <thread>
#include <vector>

class MediaLibrary;
struct MediaInfo;
class MpvPlayer;
class QActionGroup;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
class QMainWindow;
class QMenu;
class QSlider;
class QToolButton;
class VideoOutput;

namespace Kapio {
class Plugin;
class PluginManager;
} // namespace Kapio

namespace Quorvex {
class ShortcutManager;
class WindowOrderManager;
} // namespace Quorvex

/*!
    The player's two top-level windows (the player, with the video and its
    controls, and the media library), each with the common menu bar, the
    shortcut sets of the menu plug-ins switched between the sub-contexts
    "Playback" and "Library" as the user moves between them, a status bar that
    says in words what the hub's "player." messages did, and the menus whose
    entries only the shell knows (recent files, tracks, devices). The menu
    plug-ins ask for playback through the hub; the shell carries it out on its
    MpvPlayer.
*/
class PlayerShell : public QObject
{
    Q_OBJECT

public:
    struct Message
    {
        QString name;
        QVariant value;
    };

    //! \a audioOutput: libmpv's "ao", empty for its own choice.
    PlayerShell(Kapio::PluginManager *plugins, const QString &audioOutput,
                QObject *parent = nullptr);
    ~PlayerShell() override;

    //! Both windows with their menu bars, and each menu plug-in's shortcut set.
    void createWindows();
    //! The recent files, the tracks of the sample title and the device profiles,
    //! once the profiles and the locale are there.
    void fillMenus();
    void show();
    //! The first file plays, the others are queued after it.
    void openFiles(const QStringList &paths);
    //! Before the plug-in manager goes: gives back the plug-ins the shortcut
    //! sets hold and releases both menu bars.
    void shutdown();

    QMainWindow *playerWindow() const { return m_player; }
    QMainWindow *libraryWindow() const { return m_library; }
    //! The library's files: name, duration, resolution, size, audio languages.
    QTreeWidget *libraryList() const { return m_libraryList; }
    MediaLibrary *mediaLibrary() const { return m_media; }
    QMenu *recentMenu() const { return m_recentMenu; }
    QMenu *languageMenu() const { return m_languageMenu; }
    QActionGroup *deviceGroup() const { return m_deviceGroup; }
    MpvPlayer *mediaPlayer() const { return m_mpv; }
    VideoOutput *videoOutput() const { return m_videoOutput; }
    QWidget *videoArea() const { return m_videoArea; }
    QSlider *positionSlider() const { return m_position; }
    QLabel *elapsedLabel() const { return m_elapsed; }
    QLabel *totalLabel() const { return m_total; }
    //! What the video area says instead of a picture; empty while it shows one.
    QString videoMessage() const;
    //! What the hub delivered to the status bar, oldest first.
    const QList<Message> &heard() const { return m_heard; }
    QString subContext() const { return m_subContext; }
    int shortcutSetCount() const { return int(m_shortcutSets.size()); }
    //! What the About worker measured, once it came back.
    QString aboutResult() const { return m_aboutResult; }

Q_SIGNALS:
    void firstPaint();
    //! libmpv opened a movie (from any of the ways in).
    void fileOpened(const QString &path);
    //! libmpv could not open \a path.
    void fileFailed(const QString &path, const QString &reason);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private Q_SLOTS:
    void showMessage(const QString &name, const QVariant &value);
    void onPlayRequest(const QString &name, const QVariant &value);
    void onPlaybackCommand(const QString &name, const QVariant &value);
    void onAlwaysOnTop(const QString &name, const QVariant &value);
    void onShowWindow(const QString &name, const QVariant &value);
    void onAbout(const QString &name, const QVariant &value);
    void onLibraryRefresh(const QString &name, const QVariant &value);
    void onLibraryAddFolder(const QString &name, const QVariant &value);

private:
    struct ShortcutSet
    {
        Kapio::Plugin *plugin = nullptr;
        std::unique_ptr<Quorvex::ShortcutManager> manager;
    };

    QMainWindow *makeWindow(const QString &objectName, const QString &title, QWidget *central);
    QWidget *makePlayerArea();
    void connectPlayer();
    void onLoaded(const QString &path);
    void onFailed(const QString &path, const QString &reason);
    void onIdle();
    void showVideoMessage(const QString &text);
    void updateMovieActions();
    void updateTimes();
    void toggleFullScreen();
    void restoreGeometry();
    void saveGeometry();
    QString statusSentence(const QString &name, const QVariant &value) const;
    void setSubContext(const QString &subContext, QWidget *window);
    void rebuildRecentFiles();
    void openRecent(const QString &path);
    void fillLanguageMenu();
    void scanOnceVideoIsUp();
    void addLibraryRows(const QList<MediaInfo> &batch);
    void finishLibrary();
    void publishSelection();
    void fillDevicesMenu();
    static void aboutWorker(PlayerShell *shell, QString text, QString folder);
    static void measuredOnGuiThread(void *shell, void *bytes);

    Kapio::PluginManager *m_plugins;
    QMainWindow *m_player = nullptr;
    QMainWindow *m_library = nullptr;
    MpvPlayer *m_mpv = nullptr;
    VideoOutput *m_videoOutput = nullptr;
    QWidget *m_videoArea = nullptr;
    QLabel *m_videoMessage = nullptr;
    QToolButton *m_playButton = nullptr;
    QSlider *m_position = nullptr;
    QLabel *m_elapsed = nullptr;
    QLabel *m_total = nullptr;
    QSlider *m_volume = nullptr;
    QTreeWidget *m_libraryList = nullptr;
    MediaLibrary *m_media = nullptr;
    QMenu *m_recentMenu = nullptr;
    QMenu *m_languageMenu = nullptr;
    QActionGroup *m_deviceGroup = nullptr;
    Quorvex::WindowOrderManager *m_windowOrder = nullptr;
    std::vector<ShortcutSet> m_shortcutSets;
    QString m_subContext;
    QList<Message> m_heard;
    std::thread m_aboutThread;
    QString m_aboutResult;
    bool m_painted = false;
    // The library's rows by path; those a running scan has seen.
    QHash<QString, QTreeWidgetItem *> m_rows;
    QSet<QString> m_seen;
    bool m_filling = false;
    bool m_firstScanStarted = false;
    bool m_awaitingFirstFrame = false;
};
