// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QUrl>

#include <functional>

class PlayerShell;
class QTcpServer;
class QMainWindow;
class QWidget;

namespace Kapio {
class PluginManager;
}

/*!
    The scripted tour of --demo DIR: it walks every menu of the player as a user
    would, plays the clips installed with the player (copied into the demo's
    home), answers the dialogs itself, and writes what it did and what it checked
    to DIR/report.txt, with screenshots of both windows as PNG files in DIR. Quits the
    player at the end; exitCode() is 0 only when every check held.
*/
class Demo : public QObject
{
    Q_OBJECT

public:
    //! \a clips: the folder of the installed clips; \a commandLine: the files
    //! given on the command line, which the player plays at start.
    Demo(PlayerShell *shell, Kapio::PluginManager *plugins, const QString &directory,
         const QString &clips, const QStringList &commandLine);
    ~Demo() override;

    //! Records Qt's messages from now on (they still reach stderr), so the demo
    //! can read the start-up time and fail on any warning. Call first in main.
    static void recordMessages();
    int exitCode() const { return m_exitCode; }

public Q_SLOTS:
    void run();

private Q_SLOTS:
    void openUrl(const QUrl &url);

private:
    void stepStartup();
    void stepCommandLine();
    void stepOpen();
    void stepRefused();
    void stepRecent();
    void stepLibrary();
    void stepPlayback();
    void stepView();
    void stepLanguage();
    void stepShortcuts();
    void stepDevices();
    void stepTools();
    void stepAbout();
    void stepPings();
    void stepScreenshots();
    void stepMessages();

    void step(const QString &title);
    void did(const QString &what);
    bool check(bool held, const QString &what);
    bool waitFor(const std::function<bool()> &condition, int timeoutMs = 5000);
    //! Queues \a answer: the modal widgets that show up are offered to the first
    //! answer in the queue until it returns true.
    void answerDialog(std::function<bool(QWidget *)> answer);
    bool heard(const QString &name, const QVariant &value = {}, int from = 0) const;
    bool trigger(unsigned itemId);
    //! File > Open, picking \a path; a message box that follows is answered
    //! too when \a boxText is given, which receives its text.
    bool openThroughDialog(const QString &path, bool allFiles, QString *boxText = nullptr);
    void activate(QMainWindow *window);
    QStringList carriedActions(QWidget *window) const;
    bool saveScreenshot(QMainWindow *window, int menuIndex, const QString &fileName);
    //! Waits for libmpv to have loaded \a path (true) or refused it (false).
    bool waitForOpened(const QString &path, int from);
    //! Lets playback run for \a ms and says how far the position moved.
    double advanceOver(int ms);
    bool writeReport();

    PlayerShell *m_shell;
    Kapio::PluginManager *m_plugins;
    QDir m_directory;
    QStringList m_report;
    int m_checks = 0;
    int m_failed = 0;
    int m_exitCode = 1;
    QList<QUrl> m_openedUrls;
    QList<std::function<bool(QWidget *)>> m_answers;
    class QTimer *m_answerTimer = nullptr;
    QElapsedTimer m_unanswered; // since a modal widget is up that no answer took
    QString m_videos;
    QString m_clips;
    QStringList m_commandLine;
    //! Answers the player's pings on 127.0.0.1; the request lines it received.
    QTcpServer *m_pingReceiver = nullptr;
    QStringList m_pingRequests;
};
