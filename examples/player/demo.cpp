// SPDX-License-Identifier: LGPL-2.1-or-later
#include "demo.h"

#include "medialibrary.h"
#include "mpvplayer.h"
#include "playercommon.h"
#include "playershell.h"
#include "videooutput.h"

#include <MavLibrary/libraryinfo.h>
#include <MavLibrary/menus/commonmenubar.h>
#include <MavLibrary/os/osutilities.h>
#include <MavLibrary/plugins/pluginmanager.h>
#include <MavLibrary/profiles/profilemanager.h>
#include <MavLibrary/profiles/profilewrapper.h>
#include <MavLibrary/settings/settingsfunctions.h>
#include <MavLibrary/text/mavstringtools.h>

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QMutex>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSlider>
#include <QStatusBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>
#include <ctime>
#include <unistd.h>

using Quorvex::CommonMenuBar;
using Quorvex::MavStringTools;
using Quorvex::OSUtilities;
using Quorvex::PlayerSettings;

namespace {

// A text of the player as the user sees it, in the language of the run: the
// checks hold in every locale.
QString ui(const char *context, const char *text, const char *disambiguation = nullptr)
{
    return QCoreApplication::translate(context, text, disambiguation);
}

struct Recorded
{
    QMutex mutex;
    QStringList warnings;
    // What the headless platform cannot do (raise a window, grab the keyboard,
    // pass size hints on): its notices are counted here, not printed.
    QMap<QString, int> platformNotices;
    qint64 startupMs = -1;
    QtMessageHandler previous = nullptr;
};
Recorded &recorded()
{
    static Recorded instance;
    return instance;
}

void recordMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    Recorded &r = recorded();
    {
        QMutexLocker lock(&r.mutex);
        static const QRegularExpression startup(
            QStringLiteral("^Startup took (\\d+) milliseconds$"));
        if (const QRegularExpressionMatch match = startup.match(text); match.hasMatch())
            r.startupMs = match.captured(1).toLongLong();
        if (type == QtWarningMsg && text.startsWith(QLatin1String("This plugin does not support "))
            && QGuiApplication::platformName() == QLatin1String("offscreen")) {
            ++r.platformNotices[text];
            return;
        }
        if (type != QtDebugMsg && type != QtInfoMsg)
            r.warnings.append(text);
    }
    if (r.previous)
        r.previous(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

// Milliseconds since this process started, from the kernel's start time.
qint64 millisecondsSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // Fields after the command name, which may hold spaces: state is field 3,
    // the start time (clock ticks after boot) field 22.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20)
        return -1;
    const double started = fields.at(19).toDouble() * 1000.0 / double(sysconf(_SC_CLK_TCK));
    timespec now {};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return qint64(double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6 - started);
}

QString residentSet()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return QString();
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return QString::fromLatin1(line.mid(6).simplified());
    return QString();
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// The share of pixels that differ from the first one: 0 for a flat image.
double variety(const QImage &image)
{
    if (image.isNull())
        return 0;
    const QRgb first = image.pixel(0, 0);
    int differing = 0, counted = 0;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4, ++counted)
            differing += image.pixel(x, y) != first;
    return counted ? double(differing) / counted : 0;
}

QStringList texts(const QList<QAction *> &actions)
{
    QStringList result;
    for (const QAction *action : actions)
        if (!action->isSeparator())
            result.append(action->text());
    return result;
}

} // namespace

Demo::Demo(PlayerShell *shell, Kapio::PluginManager *plugins, const QString &directory,
           const QString &clips, const QStringList &commandLine)
    : m_shell(shell)
    , m_plugins(plugins)
    , m_directory(directory)
    , m_clips(clips)
    , m_commandLine(commandLine)
{
    m_answerTimer = new QTimer(this);
    m_answerTimer->setInterval(20);
    connect(m_answerTimer, &QTimer::timeout, this, [this] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) {
            m_unanswered.invalidate();
            return;
        }
        if (!m_answers.isEmpty()) {
            // The answer may open the next dialog: it is taken off the queue first.
            std::function<bool(QWidget *)> answer = m_answers.takeFirst();
            if (answer(modal)) {
                m_unanswered.invalidate();
                return;
            }
            m_answers.prepend(std::move(answer));
        }
        // A dialog nobody expected would hold the tour for good: it fails and goes.
        if (!m_unanswered.isValid()) {
            m_unanswered.start();
        } else if (m_unanswered.hasExpired(5000)) {
            const auto *box = qobject_cast<QMessageBox *>(modal);
            check(false,
                  QStringLiteral("an unexpected dialog \"%1\" %2, closed")
                      .arg(modal->windowTitle(), box ? box->text() : QString()));
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->reject();
            else
                modal->close();
            m_unanswered.invalidate();
        }
    });
    // What the library hands the desktop to open comes here instead.
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl");

    // A tiny HTTP responder for the pings: it notes each request line, answers
    // 200 and closes.
    m_pingReceiver = new QTcpServer(this);
    if (m_pingReceiver->listen(QHostAddress::LocalHost)) {
        connect(m_pingReceiver, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_pingReceiver->nextPendingConnection()) {
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                    if (!socket->property("request").toByteArray().isEmpty())
                        return;
                    QByteArray request =
                        socket->property("partial").toByteArray() + socket->readAll();
                    if (!request.contains("\r\n\r\n")) {
                        socket->setProperty("partial", request);
                        return;
                    }
                    socket->setProperty("request", request);
                    m_pingRequests.append(
                        QString::fromLatin1(request.left(request.indexOf("\r\n"))));
                    socket->write("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n"
                                  "Content-Length: 3\r\n\r\nok\n");
                    socket->disconnectFromHost();
                });
            }
        });
        OSUtilities::setConfigValue(
            QStringLiteral("PingURL"),
            QStringLiteral("http://127.0.0.1:%1/ping").arg(m_pingReceiver->serverPort()));
    }
}

Demo::~Demo()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

void Demo::recordMessages()
{
    recorded().previous = qInstallMessageHandler(recordMessage);
}

void Demo::openUrl(const QUrl &url)
{
    m_openedUrls.append(url);
}

void Demo::step(const QString &title)
{
    m_report << QString() << QStringLiteral("== ") + title;
}

void Demo::did(const QString &what)
{
    m_report << QStringLiteral("did   ") + what;
}

bool Demo::check(bool held, const QString &what)
{
    ++m_checks;
    if (!held)
        ++m_failed;
    m_report << (held ? QStringLiteral("ok    ") : QStringLiteral("FAIL  ")) + what;
    return held;
}

bool Demo::waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

void Demo::answerDialog(std::function<bool(QWidget *)> answer)
{
    m_answers.append(std::move(answer));
}

bool Demo::heard(const QString &name, const QVariant &value, int from) const
{
    const QList<PlayerShell::Message> &messages = m_shell->heard();
    for (int i = from; i < messages.size(); ++i)
        if (messages.at(i).name == name && (!value.isValid() || messages.at(i).value == value))
            return true;
    return false;
}

bool Demo::trigger(unsigned itemId)
{
    QAction *action = CommonMenuBar::getAction(itemId);
    if (!action)
        return false;
    did(QStringLiteral("chose \"%1\"").arg(action->text().remove(QLatin1Char('&'))));
    action->trigger();
    return true;
}

void Demo::activate(QMainWindow *window)
{
    window->show();
    window->raise();
    window->activateWindow();
    waitFor([window] { return window->isActiveWindow(); }, 2000);
}

QStringList Demo::carriedActions(QWidget *window) const
{
    QStringList names;
    const QList<QWidget *> carriers = window->findChildren<QWidget *>(
        QRegularExpression(QStringLiteral("^ShortcutCarrier")), Qt::FindDirectChildrenOnly);
    for (const QWidget *carrier : carriers)
        names += texts(carrier->actions());
    return names;
}

void Demo::run()
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    m_answerTimer->start();
    m_report << QStringLiteral("Zentrix player demo, %1")
                    .arg(QDateTime::currentDateTimeUtc().toString(Qt::ISODate))
             << QStringLiteral("MavLibrary %1 on Qt %2, %3")
                    .arg(Quorvex::LibraryInfo::version(), Quorvex::LibraryInfo::qtVersion(),
                         QGuiApplication::platformName());
    stepStartup();
    stepCommandLine();
    stepOpen();
    stepRefused();
    stepRecent();
    stepLibrary();
    stepPlayback();
    stepView();
    stepLanguage();
    stepShortcuts();
    stepDevices();
    stepTools();
    stepAbout();
    stepPings();
    stepScreenshots();
    stepMessages();

    step(QStringLiteral("Quit"));
    did(QStringLiteral("File > Quit ends the player"));
    m_report << QString()
             << QStringLiteral("== Result: %1 checks, %2 failed").arg(m_checks).arg(m_failed);
    const bool saved = writeReport();
    m_exitCode = saved && m_failed == 0 ? 0 : 1;
    std::printf("Report: %s (%d checks, %d failed)\n",
                qPrintable(m_directory.filePath(QStringLiteral("report.txt"))), m_checks, m_failed);
    std::fflush(stdout);
    if (!trigger(109))
        QCoreApplication::exit(m_exitCode);
}

void Demo::stepStartup()
{
    step(QStringLiteral("Start-up"));
    waitFor([] {
        QMutexLocker lock(&recorded().mutex);
        return recorded().startupMs >= 0;
    });
    const qint64 sinceProcessStart = millisecondsSinceProcessStart();
    qint64 startupMs = 0;
    {
        QMutexLocker lock(&recorded().mutex);
        startupMs = recorded().startupMs;
    }
    check(startupMs >= 0,
          QStringLiteral("StartupTimer: first painted window after %1 ms").arg(startupMs));
    did(QStringLiteral("%1 ms from process start to here; resident set %2")
            .arg(sinceProcessStart)
            .arg(residentSet()));

    QStringList names;
    for (const Kapio::PluginInfo *info : m_plugins->plugins())
        names.append(QString::fromStdString(info->shortName()));
    names.sort();
    const QStringList expected {QStringLiteral("PlayerDevices"), QStringLiteral("PlayerFile"),
                                QStringLiteral("PlayerHelp"),    QStringLiteral("PlayerPlayback"),
                                QStringLiteral("PlayerTools"),   QStringLiteral("PlayerView")};
    for (const QString &name : expected)
        check(names.contains(name),
              QStringLiteral("plug-in %1 found by the plug-in manager").arg(name));

    const QStringList menus {
        ui("PlayerFile", "&File", "Menus"),   ui("PlayerPlayback", "&Playback", "Menus"),
        ui("PlayerView", "&View", "Menus"),   ui("PlayerDevices", "&Devices", "Menus"),
        ui("PlayerTools", "&Tools", "Menus"), ui("PlayerHelp", "&Help", "Menus")};
    for (QMainWindow *window : {m_shell->playerWindow(), m_shell->libraryWindow()})
        check(texts(window->menuBar()->actions()) == menus,
              QStringLiteral("%1 has the common menu bar: %2")
                  .arg(window->windowTitle(), texts(window->menuBar()->actions()).join(u' ')));
    check(m_shell->shortcutSetCount() == 2,
          QStringLiteral("%1 plug-ins have shortcut sets (Playback, View)")
              .arg(m_shell->shortcutSetCount()));

    std::vector<std::string> guids;
    Quorvex::ProfileManager::instance(nullptr)->getProfileGUIDs(&guids);
    check(guids.size() == 6, QStringLiteral("%1 device profiles loaded").arg(guids.size()));
    check(!OSUtilities::getLanguageCode().isEmpty(),
          QStringLiteral("locale: language %1, country %2, code page %3")
              .arg(OSUtilities::getLanguageCode(), OSUtilities::getCountryCode(),
                   OSUtilities::getSystemCodePage()));
    const QString downloads = OSUtilities::getTempDownloadDirectoryPath();
    check(QFileInfo(downloads).isDir() && downloads.startsWith(QDir::homePath()),
          QStringLiteral("download folder %1, in the demo's home").arg(downloads));
    std::wstring wizard;
    ztds::installSettings::getString(std::wstring(L"TransferWizard"), std::wstring(L"InstallPath"),
                                     wizard);
    check(QFileInfo(QString::fromStdWString(wizard)).isExecutable(),
          QStringLiteral("transfer wizard registered: %1").arg(QString::fromStdWString(wizard)));
}

bool Demo::openThroughDialog(const QString &path, bool allFiles, QString *boxText)
{
    bool answered = false;
    answerDialog([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog)
            return false;
        const QStringList filters = dialog->nameFilters();
        check(filters.value(0).contains(QLatin1String("*.mkv"))
                  && filters.value(0).contains(QLatin1String("*.avi")),
              QStringLiteral("the dialog offers the movie extensions: %1")
                  .arg(filters.value(0).left(60) + QStringLiteral("...")));
        if (allFiles)
            dialog->selectNameFilter(filters.value(1));
        // Typed into the file name box, as a user would: selectFile() leaves a
        // box that has the focus alone.
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            name->setText(path);
        else
            dialog->selectFile(path);
        did(QStringLiteral("picked %1 in the file dialog").arg(QFileInfo(path).fileName()));
        answered = true;
        static_cast<QDialog *>(dialog)->accept();
        return true;
    });
    if (boxText)
        answerDialog([boxText](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            if (!box)
                return false;
            *boxText = box->text();
            box->accept();
            return true;
        });
    return trigger(101) && answered;
}

bool Demo::waitForOpened(const QString &path, int from)
{
    bool opened = false;
    waitFor([&] {
        const QList<PlayerShell::Message> &messages = m_shell->heard();
        for (int i = from; i < messages.size(); ++i) {
            const PlayerShell::Message &message = messages.at(i);
            if (message.name == QLatin1String("player.file.opened") && message.value == path)
                return opened = true;
            if (message.name == QLatin1String("player.file.failed")
                && message.value.toStringList().value(0) == path)
                return true;
        }
        return false;
    });
    return opened;
}

double Demo::advanceOver(int ms)
{
    const double before = m_shell->mediaPlayer()->position();
    waitFor([] { return false; }, ms);
    return m_shell->mediaPlayer()->position() - before;
}

void Demo::stepCommandLine()
{
    step(QStringLiteral("Command line"));
    if (m_commandLine.isEmpty()) {
        did(QStringLiteral("no file on the command line"));
        return;
    }
    const QString first = QFileInfo(m_commandLine.constFirst()).absoluteFilePath();
    MpvPlayer *player = m_shell->mediaPlayer();
    {
        const bool held =
            waitFor([&] { return player->path() == first && player->position() > 0.2; });
        check(held,
              QStringLiteral("the command-line file %1 plays at start (at %2 s)")
                  .arg(QFileInfo(first).fileName())
                  .arg(player->position(), 0, 'f', 2));
    }
    check(m_shell->videoOutput()->framesShown() > 2,
          QStringLiteral("%1 frames drawn by the %2 renderer")
              .arg(m_shell->videoOutput()->framesShown())
              .arg(m_shell->videoOutput()->kind()));
}

void Demo::stepOpen()
{
    step(QStringLiteral("File > Open"));
    m_videos = QDir::home().filePath(QStringLiteral("Videos"));
    QDir().mkpath(m_videos);
    bool copied = true;
    for (const char *name : {"tour.mkv", "short.mp4", "tone.m4a", "broken.mkv", "notes.avi"})
        copied = QFile::copy(QDir(m_clips).filePath(QLatin1String(name)),
                             QDir(m_videos).filePath(QLatin1String(name)))
            && copied;
    const QString tour = m_videos + QStringLiteral("/tour.mkv");
    const QString shortClip = m_videos + QStringLiteral("/short.mp4");
    const QString notes = m_videos + QStringLiteral("/notes.txt");
    check(copied && writeFile(notes, "not a movie\n")
              && writeFile(m_videos + QStringLiteral("/empty.mkv"), QByteArray()),
          QStringLiteral("copied the clips from %1 and made a text file in %2")
              .arg(m_clips, m_videos));

    {
        // Dropped on the player window as a file manager drops it.
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(tour)});
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        const int from = m_shell->heard().size();
        did(QStringLiteral("dropped tour.mkv on the player window"));
        QCoreApplication::sendEvent(m_shell->playerWindow(), &enter);
        if (enter.isAccepted())
            QCoreApplication::sendEvent(m_shell->playerWindow(), &drop);
        check(enter.isAccepted() && drop.isAccepted() && waitForOpened(tour, from),
              QStringLiteral("the drop was taken and libmpv opened tour.mkv"));
    }
    for (const QString &path : {tour, shortClip}) {
        const int from = m_shell->heard().size();
        check(openThroughDialog(path, false), QStringLiteral("the file dialog was answered"));
        check(waitForOpened(path, from),
              QStringLiteral("libmpv opened %1; the hub carried player.file.opened")
                  .arg(QFileInfo(path).fileName()));
        check(Player::recentFiles().value(0) == path,
              QStringLiteral("first in RecentWatchedMovies: %1").arg(QFileInfo(path).fileName()));
    }
    check(PlayerSettings::getString(Quorvex::LastOpenFileLocation) == m_videos,
          QStringLiteral("LastOpenFileLocation is the Videos folder"));
    const QString status = m_shell->playerWindow()->statusBar()->currentMessage();
    check(status == ui("PlayerShell", "Opened %1").arg(QStringLiteral("short.mp4")),
          QStringLiteral("status bar: %1").arg(status));

    const int from = m_shell->heard().size();
    QString warning;
    const bool warned = openThroughDialog(notes, true, &warning) && !warning.isEmpty();
    check(warned, QStringLiteral("warned: %1").arg(warning));
    check(heard(QStringLiteral("player.file.rejected"), notes, from),
          QStringLiteral("notes.txt refused by checkMovieExtension"));
}

void Demo::stepRefused()
{
    step(QStringLiteral("Files libmpv cannot play"));
    const QStringList recentBefore = Player::recentFiles();
    const QString broken = m_videos + QStringLiteral("/broken.mkv");
    int from = m_shell->heard().size();
    check(openThroughDialog(broken, false) && !waitForOpened(broken, from),
          QStringLiteral("broken.mkv (7 bytes) picked in the file dialog and refused"));
    const QString cannotPlay = ui("PlayerShell", "Cannot play %1: %2.");
    check(
        m_shell->videoMessage().startsWith(cannotPlay.left(cannotPlay.indexOf(QLatin1String("%2")))
                                               .arg(QStringLiteral("broken.mkv"))),
        QStringLiteral("the player window says: %1").arg(m_shell->videoMessage()));
    const QString status = m_shell->playerWindow()->statusBar()->currentMessage();
    const QString cannotPlayStatus = ui("PlayerShell", "Cannot play %1: %2");
    check(status.startsWith(cannotPlayStatus.left(cannotPlayStatus.indexOf(QLatin1String("%2")))
                                .arg(QStringLiteral("broken.mkv"))),
          QStringLiteral("status bar: %1").arg(status));
    for (const QString &name : {QStringLiteral("notes.avi"), QStringLiteral("empty.mkv"),
                                QStringLiteral("missing.mkv")}) {
        const QString path = QDir(m_videos).filePath(name);
        from = m_shell->heard().size();
        m_shell->openFiles({path});
        const bool refused = !waitForOpened(path, from);
        check(refused
                  && m_shell->videoMessage().startsWith(
                      cannotPlay.left(cannotPlay.indexOf(QLatin1String("%2"))).arg(name)),
              QStringLiteral("refused: %1").arg(m_shell->videoMessage()));
    }
    check(Player::recentFiles() == recentBefore,
          QStringLiteral("none of them joined the recent files"));
    check(
        !CommonMenuBar::getAction(301)->isEnabled() && !CommonMenuBar::getAction(311)->isEnabled()
            && !m_shell->languageMenu()->isEnabled() && m_shell->languageMenu()->isEmpty(),
        QStringLiteral("with no movie, Play/Pause, Stop and an empty Language menu are disabled"));
}

void Demo::stepRecent()
{
    step(QStringLiteral("File > Open Recent"));
    QMenu *recent = m_shell->recentMenu();
    const QStringList names = recent ? texts(recent->actions()) : QStringList();
    check(names.mid(0, 2) == QStringList({QStringLiteral("short.mp4"), QStringLiteral("tour.mkv")}),
          QStringLiteral("the submenu was rebuilt from the setting: %1")
              .arg(names.join(QStringLiteral(", "))));
    if (names.size() < 2)
        return;
    const int from = m_shell->heard().size();
    did(QStringLiteral("chose \"%1\" in Open Recent").arg(names.at(1)));
    const QString path = recent->actions().at(1)->data().toString();
    recent->actions().at(1)->trigger();
    check(waitForOpened(path, from) && Player::recentFiles().value(0) == path,
          QStringLiteral("reopened, and first in the list again"));
}

void Demo::stepLibrary()
{
    step(QStringLiteral("Media library"));
    QTreeWidget *list = m_shell->libraryList();
    const auto rows = [list] {
        QStringList result;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *item = list->topLevelItem(i);
            QStringList cells;
            for (int column = 0; column < list->columnCount(); ++column)
                cells.append(item->text(column));
            result.append(cells.join(QStringLiteral(" | ")));
        }
        return result;
    };
    answerDialog([this](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog || dialog->objectName() != QLatin1String("AddFolderDialog"))
            return false;
        dialog->setDirectory(m_videos);
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            name->setText(m_videos);
        did(QStringLiteral("picked %1 in the folder dialog").arg(m_videos));
        static_cast<QDialog *>(dialog)->accept();
        return true;
    });
    int from = m_shell->heard().size();
    trigger(103);
    const auto scanned = [&](int count) {
        return waitFor([&] {
            return heard(QStringLiteral("player.library.scanned"), count, from)
                && list->topLevelItemCount() == count;
        });
    };
    bool held = scanned(3);
    check(held,
          QStringLiteral("the Videos folder scanned on a worker thread: %1 movies")
              .arg(list->topLevelItemCount()));
    check(m_shell->mediaLibrary()->folders().contains(m_videos),
          QStringLiteral("the library's folders: %1")
              .arg(m_shell->mediaLibrary()->folders().join(QStringLiteral(", "))));
    list->sortByColumn(3, Qt::AscendingOrder);
    const QStringList bySize = rows();
    for (const QString &row : bySize)
        did(QStringLiteral("  %1").arg(row));
    const auto size = [this](const char *name) {
        return MavStringTools::fileSizeToQString(
            quint64(QFileInfo(QDir(m_videos).filePath(QLatin1String(name))).size()), true);
    };
    const QStringList expected {
        QStringLiteral("tone.m4a | 0:03 | %1 | %2 | ")
            .arg(ui("PlayerShell", "sound only"), size("tone.m4a")),
        QStringLiteral("short.mp4 | 0:03 | 320x240 | %1 | ").arg(size("short.mp4")),
        QStringLiteral("tour.mkv | 0:08 | 320x180 | %1 | en-US, pt-BR").arg(size("tour.mkv"))};
    check(bySize == expected,
          QStringLiteral("by size: the clips' real durations, resolutions, sizes and languages; "
                         "the files libmpv refuses are left out"));
    from = m_shell->heard().size();
    const QString copy = QDir(m_videos).filePath(QStringLiteral("copy of short.mp4"));
    QFile::copy(QDir(m_videos).filePath(QStringLiteral("short.mp4")), copy);
    did(QStringLiteral("copied short.mp4 into the folder"));
    held = scanned(4);
    check(held,
          QStringLiteral("the folder's change was seen: %1 movies").arg(list->topLevelItemCount()));
    from = m_shell->heard().size();
    QFile::remove(copy);
    held = scanned(3);
    check(held, QStringLiteral("and its removal: %1 movies").arg(list->topLevelItemCount()));
}

void Demo::stepPlayback()
{
    step(QStringLiteral("Playback"));
    MpvPlayer *player = m_shell->mediaPlayer();
    QAction *playPause = CommonMenuBar::getAction(301);
    check(player->hasMovie() && !player->isPaused() && playPause->isEnabled()
              && playPause->isChecked(),
          QStringLiteral("tour.mkv plays; Play/Pause is enabled and checked"));
    double moved = advanceOver(600);
    check(
        moved > 0.3,
        QStringLiteral("the position advanced %1 s in 0.6 s while playing").arg(moved, 0, 'f', 2));
    check(m_shell->elapsedLabel()->text() != QLatin1String("0:00")
              || m_shell->positionSlider()->value() > 0,
          QStringLiteral("the controls show %1 of %2")
              .arg(m_shell->elapsedLabel()->text(), m_shell->totalLabel()->text()));
    check(m_shell->totalLabel()->text() == QLatin1String("0:08"),
          QStringLiteral("the total time is the clip's: %1").arg(m_shell->totalLabel()->text()));

    trigger(301);
    {
        const bool held = waitFor([&] { return player->isPaused(); }) && !playPause->isChecked();
        check(held, QStringLiteral("paused; Play/Pause follows libmpv's pause property"));
    }
    waitFor([] { return false; }, 100);
    moved = advanceOver(400);
    check(qAbs(moved) < 0.01,
          QStringLiteral("the position held for 0.4 s while paused (%1 s)").arg(moved, 0, 'f', 3));

    // Dragged as a user drags it: down, moved, released.
    QSlider *slider = m_shell->positionSlider();
    did(QStringLiteral("dragged the position slider to 2.5 s"));
    slider->setSliderDown(true);
    slider->setSliderPosition(2500);
    slider->setSliderDown(false);
    {
        const bool held = waitFor([&] { return qAbs(player->position() - 2.5) < 0.5; })
            && qAbs(player->position() - 2.5) < 0.5;
        check(held, QStringLiteral("the seek landed at %1 s").arg(player->position(), 0, 'f', 2));
    }
    const auto pressKey = [this](Qt::Key key, const QString &name) {
        did(QStringLiteral("pressed %1").arg(name));
        QWidget *window = m_shell->playerWindow();
        QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, key);
    };
    activate(m_shell->playerWindow());
    pressKey(Qt::Key_Right, QStringLiteral("Right"));
    {
        const bool held = waitFor([&] { return qAbs(player->position() - 7.5) < 0.5; });
        check(held, QStringLiteral("5 s forward: at %1 s").arg(player->position(), 0, 'f', 2));
    }
    pressKey(Qt::Key_Left, QStringLiteral("Left"));
    {
        const bool held = waitFor([&] { return qAbs(player->position() - 2.5) < 0.5; });
        check(held, QStringLiteral("5 s back: at %1 s").arg(player->position(), 0, 'f', 2));
    }

    trigger(301);
    waitFor([&] { return !player->isPaused(); });
    int from = m_shell->heard().size();
    trigger(305);
    const QList<PlayerShell::Message> &messages = m_shell->heard();
    const QVariant faster = messages.size() > from ? messages.value(from).value : QVariant();
    // A "float" value of a menu document is read into a double.
    check(messages.size() > from
              && messages.value(from).name == QLatin1String("player.playback.speed")
              && faster.typeId() == QMetaType::Double && faster.toDouble() == 1.5,
          QStringLiteral("the plug-in received the entry's typed value %1 (%2)")
              .arg(faster.toString(), QString::fromLatin1(faster.typeName())));
    const QString status = m_shell->playerWindow()->statusBar()->currentMessage();
    check(status == ui("PlayerShell", "Speed %1x").arg(1.5),
          QStringLiteral("status bar: %1").arg(status));
    trigger(306);
    {
        const bool held = waitFor([&] { return player->speed() == 2.0; });
        check(held, QStringLiteral("libmpv's speed is %1").arg(player->speed()));
    }
    moved = advanceOver(1000);
    check(moved > 1.6 && moved < 2.4,
          QStringLiteral("at speed 2, the position advanced %1 s in 1 s").arg(moved, 0, 'f', 2));
    trigger(304);
    check(CommonMenuBar::getAction(304)->isChecked() && !CommonMenuBar::getAction(306)->isChecked()
              && waitFor([&] { return player->speed() == 1.0; }),
          QStringLiteral("the speed entries form a radio group; back to normal speed"));

    trigger(310);
    check(PlayerSettings::getBool(Quorvex::LoopPlayback, false)
              && heard(QStringLiteral("player.playback.loop"), true),
          QStringLiteral("Loop is on and kept in LoopPlayback"));
    from = m_shell->heard().size();
    did(QStringLiteral("pressed Ctrl+Up"));
    QTest::keyClick(m_shell->playerWindow(), Qt::Key_Up, Qt::ControlModifier);
    check(PlayerSettings::getInt(Quorvex::Volume, 0) == 55
              && m_shell->playerWindow()
                      ->findChild<QSlider *>(QStringLiteral("VolumeSlider"))
                      ->value()
                  == 55,
          QStringLiteral("the volume went up to %1, kept in Volume")
              .arg(PlayerSettings::getInt(Quorvex::Volume, 0)));

    from = m_shell->heard().size();
    trigger(311);
    {
        const bool held = waitFor([&] { return !player->hasMovie(); })
            && m_shell->videoMessage() == ui("PlayerShell", "No movie") && !playPause->isEnabled();
        check(held,
              QStringLiteral("stopped: the window says \"%1\", Play/Pause is disabled")
                  .arg(m_shell->videoMessage()));
    }
    const QString tour = m_videos + QStringLiteral("/tour.mkv");
    from = m_shell->heard().size();
    m_shell->openFiles({tour});
    check(waitForOpened(tour, from) && m_shell->videoMessage().isEmpty(),
          QStringLiteral("tour.mkv plays again"));
}

void Demo::stepView()
{
    step(QStringLiteral("View"));
    const auto onTop = [this](bool on) {
        for (const QMainWindow *window : {m_shell->playerWindow(), m_shell->libraryWindow()})
            if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != on)
                return false;
        return true;
    };
    trigger(401);
    check(PlayerSettings::getBool(Quorvex::AlwaysOnTop, false)
              && waitFor([&] { return onTop(true); }),
          QStringLiteral("AlwaysOnTop is on, and both windows stay on top"));
    trigger(401);
    check(!PlayerSettings::getBool(Quorvex::AlwaysOnTop, true)
              && waitFor([&] { return onTop(false); }),
          QStringLiteral("and off again for both"));

    QMainWindow *player = m_shell->playerWindow();
    trigger(403);
    bool held = waitFor([player] { return player->isFullScreen(); });
    check(held, QStringLiteral("Full Screen fills the screen"));
    did(QStringLiteral("pressed Esc"));
    QTest::keyClick(player, Qt::Key_Escape);
    held = waitFor([player] { return !player->isFullScreen(); });
    check(held, QStringLiteral("and Esc leaves it"));
    activate(player);
}

void Demo::stepLanguage()
{
    step(QStringLiteral("View > Language"));
    MpvPlayer *player = m_shell->mediaPlayer();
    QMenu *language = m_shell->languageMenu();
    const auto entries = [language] {
        QList<QAction *> actions;
        for (QAction *action : language->actions())
            if (!action->isSeparator())
                actions.append(action);
        return actions;
    };
    waitFor([&] { return entries().size() == 4; });
    const QStringList tracks = texts(entries());
    // The clip's tags: audio en-US "Main" (AAC) and pt-BR "Commentary" (AC-3),
    // subtitles fr-CA "Captions".
    const QStringList expected {
        MavStringTools::trackToString(QStringLiteral("us"), QStringLiteral("en"),
                                      QStringLiteral("Main"),
                                      MavStringTools::audioFormatToString(0x00FF), 1),
        MavStringTools::trackToString(QStringLiteral("br"), QStringLiteral("pt"),
                                      QStringLiteral("Commentary"),
                                      MavStringTools::audioFormatToString(0x2000), 2),
        tr("Off"),
        MavStringTools::trackToString(QStringLiteral("ca"), QStringLiteral("fr"),
                                      QStringLiteral("Captions"), QString(), 1)};
    for (const QString &track : tracks)
        did(QStringLiteral("  track: %1").arg(track));
    check(tracks == expected && language->isEnabled(),
          QStringLiteral("Language lists the clip's 2 audio and 1 subtitle tracks, and Off"));
    const auto selected = [player](const QString &type) {
        for (const MpvPlayer::Track &track : player->tracks())
            if (track.type == type && track.selected)
                return track.id;
        return 0;
    };
    if (tracks != expected)
        return;
    entries().at(1)->trigger();
    {
        const bool held = waitFor([&] { return selected(QStringLiteral("audio")) == 2; })
            && heard(QStringLiteral("player.track.audio"), expected.at(1));
        check(held,
              QStringLiteral("the second audio track chosen: libmpv plays audio track %1")
                  .arg(selected(QStringLiteral("audio"))));
    }
    {
        const bool held =
            waitFor([&] { return entries().size() == 4 && entries().at(1)->isChecked(); });
        check(held, QStringLiteral("and the menu shows it checked"));
    }
    entries().at(3)->trigger();
    {
        const bool held = waitFor([&] { return !player->subtitleText().isEmpty(); });
        check(held, QStringLiteral("subtitles on: \"%1\" is shown").arg(player->subtitleText()));
    }
    entries().at(2)->trigger();
    {
        const bool held = waitFor([&] {
            return selected(QStringLiteral("sub")) == 0 && player->subtitleText().isEmpty();
        });
        check(held, QStringLiteral("and Off again"));
    }
}

void Demo::stepShortcuts()
{
    step(QStringLiteral("Shortcut sets"));
    QMainWindow *player = m_shell->playerWindow();
    QMainWindow *library = m_shell->libraryWindow();
    trigger(410);
    bool switched = waitFor([&] {
        return library->isActiveWindow() && m_shell->subContext() == QLatin1String("Library");
    });
    check(switched,
          QStringLiteral("the media library is active; sub-context %1").arg(m_shell->subContext()));
    QStringList carried = carriedActions(library);
    const QString refreshLibrary = ui("PlayerView", "Refresh Library", "Shortcuts");
    const QString seekForward = ui("PlayerPlayback", "Seek Forward", "Shortcuts");
    check(carried.contains(refreshLibrary) && !carried.contains(seekForward)
              && carriedActions(player).isEmpty(),
          QStringLiteral("the library window carries: %1").arg(carried.join(QStringLiteral(", "))));
    // Real key presses, through Qt's shortcut map: a key reaches a plug-in only
    // in the window whose sub-context holds it.
    const auto press = [this](QWidget *window, Qt::Key key, const QString &name) {
        did(QStringLiteral("pressed %1 in %2").arg(name, window->windowTitle()));
        QWidget *target = window->focusWidget() ? window->focusWidget() : window;
        QTest::keyClick(target, key);
        QCoreApplication::processEvents();
    };
    int from = m_shell->heard().size();
    press(library, Qt::Key_F5, QStringLiteral("F5 (Refresh Library)"));
    check(heard(QStringLiteral("player.library.refresh"), {}, from),
          QStringLiteral("the key reached the View plug-in"));
    from = m_shell->heard().size();
    press(library, Qt::Key_Right, QStringLiteral("Right (Seek Forward, a Playback key)"));
    check(!heard(QStringLiteral("player.playback.seek"), {}, from),
          QStringLiteral("the library window ignored the player's key"));
    press(library, Qt::Key_Escape, QStringLiteral("Esc (Back to the Player)"));
    switched = waitFor([&] {
        return player->isActiveWindow() && m_shell->subContext() == QLatin1String("Playback");
    });
    check(switched,
          QStringLiteral("the player is active; sub-context %1").arg(m_shell->subContext()));
    carried = carriedActions(player);
    check(carried.contains(seekForward) && !carried.contains(refreshLibrary)
              && carriedActions(library).isEmpty(),
          QStringLiteral("the player window carries: %1").arg(carried.join(QStringLiteral(", "))));
    from = m_shell->heard().size();
    press(player, Qt::Key_Right, QStringLiteral("Right (Seek Forward)"));
    check(heard(QStringLiteral("player.playback.seek"), 5, from),
          QStringLiteral("the key reached the Playback plug-in"));
    from = m_shell->heard().size();
    press(player, Qt::Key_F5, QStringLiteral("F5 (a Library key)"));
    check(!heard(QStringLiteral("player.library.refresh"), {}, from),
          QStringLiteral("the player window ignored the library's key"));
}

void Demo::stepDevices()
{
    step(QStringLiteral("Devices"));
    Quorvex::ProfileManager *profiles = Quorvex::ProfileManager::instance(nullptr);
    std::vector<std::string> ordered;
    profiles->getProfileGUIDsInOrderBySystemSettings(&ordered);
    const QList<QAction *> devices =
        m_shell->deviceGroup() ? m_shell->deviceGroup()->actions() : QList<QAction *>();
    bool inOrder = devices.size() == int(ordered.size());
    // A profile without a name in the user's language still shows one.
    for (int i = 0; inOrder && i < devices.size(); ++i)
        inOrder = devices.at(i)->data().toString().toStdString() == ordered.at(std::size_t(i))
            && !devices.at(i)->text().isEmpty();
    check(inOrder,
          QStringLiteral("%1 named device profiles, in the order the settings keep")
              .arg(devices.size()));
    for (const QAction *device : devices)
        did(QStringLiteral("  device: %1%2")
                .arg(device->text(),
                     device->isChecked() ? QStringLiteral(" (active)") : QString()));
    QMenu *libraryDevices = m_shell->libraryWindow()->menuBar()->actions().value(3)
        ? m_shell->libraryWindow()->menuBar()->actions().value(3)->menu()
        : nullptr;
    check(libraryDevices && !devices.isEmpty()
              && libraryDevices->actions().contains(devices.last()),
          QStringLiteral("the library window's Devices menu shows them too"));
    if (devices.size() >= 3) {
        QAction *third = devices.at(2);
        third->trigger();
        const Quorvex::ProfileWrapper *active = profiles->getActiveProfile();
        check(
            third->isChecked() && active
                && QString::fromStdString(active->guid) == third->data().toString()
                && PlayerSettings::getString(Quorvex::ProfileGUID) == third->data().toString(),
            QStringLiteral("\"%1\" is the active profile, kept in ProfileGUID").arg(third->text()));
        const QString status = m_shell->playerWindow()->statusBar()->currentMessage();
        check(status == ui("PlayerShell", "Device: %1").arg(third->text()),
              QStringLiteral("status bar: %1").arg(status));
    }

    // Nothing selected in the library: the plug-in says so.
    m_shell->libraryList()->clearSelection();
    QString told;
    answerDialog([&told](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (box) {
            told = box->text();
            box->accept();
        }
        return box != nullptr;
    });
    trigger(501);
    check(heard(QStringLiteral("player.device.transfer"), -1) && !told.isEmpty(),
          QStringLiteral("with nothing selected: \"%1\"").arg(told));

    const QString recordFile =
        QDir(QString::fromLocal8Bit(qgetenv("XDG_CACHE_HOME")))
            .filePath(QStringLiteral("zentrix-transfer-wizard/arguments.txt"));
    QFile::remove(recordFile);
    m_shell->libraryList()->selectAll();
    did(QStringLiteral("selected the library's three files"));
    QStringList fitting, unfit;
    const QString fits = ui("PlayerDevices", "fits: %1").section(QLatin1String("%1"), 0, 0);
    const QString doesNotFit =
        ui("PlayerDevices", "does not fit: %1 (%2)").section(QLatin1String("%1"), 0, 0);
    answerDialog([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box || box->objectName() != QLatin1String("TransferCheckBox"))
            return false;
        for (const QString &line : box->text().split(QLatin1Char('\n'))) {
            did(QStringLiteral("  %1").arg(line));
            if (line.startsWith(fits))
                fitting.append(line.mid(fits.size()));
            else if (line.startsWith(doesNotFit))
                unfit.append(line.mid(doesNotFit.size()));
        }
        QStringList buttons;
        for (const QAbstractButton *button : box->buttons())
            buttons.append(button->text());
        did(QStringLiteral("  buttons: %1").arg(buttons.join(QStringLiteral(", "))));
        for (QAbstractButton *button : box->buttons())
            if (box->buttonRole(button) == QMessageBox::AcceptRole)
                button->click();
        return true;
    });
    const int from = m_shell->heard().size();
    trigger(501);
    check(fitting.size() + unfit.size() == 3 && !fitting.isEmpty() && !unfit.isEmpty(),
          QStringLiteral("the active device takes %1; not %2")
              .arg(fitting.join(QStringLiteral(", ")), unfit.join(QStringLiteral(", "))));
    check(heard(QStringLiteral("player.device.transfer"), 2, from),
          QStringLiteral("TransferWizard::transferFiles started the wizard (2)"));
    {
        const bool held = waitFor([&] { return QFile::exists(recordFile); });
        check(held, QStringLiteral("the wizard recorded its arguments"));
    }
    QFile record(recordFile);
    const QStringList arguments = record.open(QIODevice::ReadOnly)
        ? QString::fromUtf8(record.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)
        : QStringList();
    QStringList expected {QStringLiteral("-xfer"), QStringLiteral("-id"), QStringLiteral("0")};
    for (const QString &path :
         m_shell->libraryWindow()->property(Player::SelectionProperty).toStringList())
        if (fitting.contains(QFileInfo(path).fileName()))
            expected << QStringLiteral("-file")
                     << QString::fromLatin1(QUrl::fromLocalFile(path).toEncoded());
    check(arguments == expected, QStringLiteral("its command line: %1").arg(arguments.join(u' ')));
}

void Demo::stepTools()
{
    step(QStringLiteral("Tools"));
    const QStringList chosen {QStringLiteral(".avi"), QStringLiteral(".mkv")};
    answerDialog([&](QWidget *modal) {
        if (modal->objectName() != QLatin1String("FileTypesDialog"))
            return false;
        const QList<QCheckBox *> boxes = modal->findChildren<QCheckBox *>();
        check(boxes.size() == MavStringTools::getSupportedMovieExtensions(false).size(),
              QStringLiteral("File Types lists %1 movie extensions").arg(boxes.size()));
        for (QCheckBox *box : boxes)
            if (chosen.contains(box->text()))
                box->setChecked(true);
        did(QStringLiteral("ticked .avi and .mkv, then OK"));
        static_cast<QDialog *>(modal)->accept();
        return true;
    });
    int from = m_shell->heard().size();
    trigger(601);
    check(heard(QStringLiteral("player.tools.fileTypes"), 2, from),
          QStringLiteral("setFileTypeAssociations applied both"));
    QMap<QString, QString> associations;
    OSUtilities::getFileTypeAssociations(chosen, associations);
    check(associations.value(QStringLiteral(".avi")) == QLatin1String("zentrix_avi_file")
              && associations.value(QStringLiteral(".mkv")) == QLatin1String("zentrix_mkv_file"),
          QStringLiteral("getFileTypeAssociations: .avi %1, .mkv %2")
              .arg(associations.value(QStringLiteral(".avi")),
                   associations.value(QStringLiteral(".mkv"))));
    QStringList ticked;
    answerDialog([&](QWidget *modal) {
        if (modal->objectName() != QLatin1String("FileTypesDialog"))
            return false;
        for (const QCheckBox *box : modal->findChildren<QCheckBox *>())
            if (box->isChecked())
                ticked.append(box->text());
        static_cast<QDialog *>(modal)->reject();
        return true;
    });
    trigger(601);
    check(ticked == chosen, QStringLiteral("reopened, it shows ticked: %1").arg(ticked.join(u' ')));

    m_openedUrls.clear();
    trigger(602);
    const QString settings =
        QFileInfo(QString::fromLocal8Bit(qgetenv("ZENTRIX_USER_HIVE"))).absolutePath();
    const QString status = m_shell->playerWindow()->statusBar()->currentMessage();
    check(m_openedUrls.value(0) == QUrl::fromLocalFile(settings)
              && status == ui("PlayerShell", "Settings are in %1").arg(settings),
          QStringLiteral("the user hive's folder %1 was opened; status bar: %2")
              .arg(m_openedUrls.value(0).toString(), status));
    m_openedUrls.clear();
    trigger(603);
    const bool revealed = waitFor([this] { return !m_openedUrls.isEmpty(); });
    check(revealed && m_openedUrls.value(0) == QUrl::fromLocalFile(m_videos),
          QStringLiteral("with no file manager on the bus, revealFileInParentDirectory opened %1")
              .arg(m_openedUrls.value(0).toString()));
}

void Demo::stepAbout()
{
    step(QStringLiteral("Help > About"));
    QString title;
    QString text;
    answerDialog([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box)
            return false;
        title = box->windowTitle();
        text = box->text();
        box->accept();
        return true;
    });
    const int from = m_shell->heard().size();
    trigger(901);
    const bool shown = waitFor([&] { return !text.isEmpty(); });
    check(
        shown,
        QStringLiteral("the worker thread's message box came up on the GUI thread: %1").arg(title));
    for (const QString &line : text.split(QLatin1Char('\n')))
        did(QStringLiteral("  %1").arg(line));
    check(
        text.contains(QStringLiteral("MavLibrary ") + Quorvex::LibraryInfo::version())
            && text.contains(ui("PlayerHelp", "Platform: %1").arg(OSUtilities::getPlatformString()))
            && text.contains(OSUtilities::getLanguageCode()),
        QStringLiteral("it names the versions, the platform and the language"));
    const QString version = QCoreApplication::applicationVersion();
    const QStringList lines = text.split(QLatin1Char('\n'));
    const QString executable = ui("PlayerHelp", "Executable: %1");
    check(lines.value(0) == ui("PlayerHelp", "Zentrix Player %1").arg(version)
              && lines.value(1).startsWith(executable.left(executable.indexOf(QLatin1String("%1"))))
              && lines.value(1).contains(version)
              && lines.filter(QStringLiteral("Zentrix Player ")).size() == 1,
          QStringLiteral("one player version, the executable's %1").arg(version));
    check(heard(QStringLiteral("player.about.measured"), {}, from)
              && text.contains(m_shell->aboutResult()),
          QStringLiteral("the worker's measurement came back through executeFunction: %1")
              .arg(m_shell->aboutResult()));
}

void Demo::stepPings()
{
    step(QStringLiteral("Pings"));
    check(m_pingReceiver->isListening(),
          QStringLiteral("PingURL is %1")
              .arg(OSUtilities::readConfigValue(QStringLiteral("PingURL"), QString()).toString()));
    const auto count = [this](const QString &name) {
        int n = 0;
        for (const PlayerShell::Message &message : m_shell->heard())
            n += message.name == name && message.value == 0;
        return n;
    };
    // One at the first run, one for each movie libmpv opened.
    int opened = 0;
    for (const PlayerShell::Message &message : m_shell->heard())
        opened += message.name == QLatin1String("player.file.opened");
    const bool all = waitFor([&] {
        return count(QStringLiteral("player.ping.firstrun")) == 1
            && count(QStringLiteral("player.ping.open")) == opened;
    });
    check(all,
          QStringLiteral("PingManager reported %1 first-run and %2 file ping(s) sent")
              .arg(count(QStringLiteral("player.ping.firstrun")))
              .arg(count(QStringLiteral("player.ping.open"))));
    for (const QString &request : std::as_const(m_pingRequests))
        did(QStringLiteral("  received: %1").arg(request));
    const QStringList expected {QStringLiteral("GET /ping?event=firstrun HTTP/1.0"),
                                QStringLiteral("GET /ping?event=open&type=mkv HTTP/1.0"),
                                QStringLiteral("GET /ping?event=open&type=mp4 HTTP/1.0")};
    bool received = m_pingRequests.size() == opened + 1;
    for (const QString &request : expected)
        received = received && m_pingRequests.contains(request);
    check(received,
          QStringLiteral("the responder on 127.0.0.1 received those %1 GETs").arg(opened + 1));
    check(PlayerSettings::getBool(Quorvex::FirstRunPingSent, false),
          QStringLiteral("FirstRunPingSent remembers the first run"));
}

bool Demo::saveScreenshot(QMainWindow *window, int menuIndex, const QString &fileName)
{
    activate(window);
    QMenuBar *bar = window->menuBar();
    QAction *title = bar->actions().value(menuIndex);
    QMenu *menu = title ? title->menu() : nullptr;
    if (!menu)
        return false;
    bar->setActiveAction(title);
    waitFor([menu] { return menu->isVisible(); }, 2000);
    waitFor([] { return false; }, 100); // let both paint
    const QPixmap base = window->grab();
    const QPixmap popup = menu->isVisible() ? menu->grab() : QPixmap();
    const QPoint offset = menu->pos() - window->mapToGlobal(QPoint(0, 0));
    const QRect area = QRect(QPoint(0, 0), base.size()).united(QRect(offset, popup.size()));
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.drawPixmap(-area.topLeft(), base);
        if (!popup.isNull())
            painter.drawPixmap(offset - area.topLeft(), popup);
    }
    menu->hide();
    const QString path = m_directory.filePath(fileName);
    did(QStringLiteral("screenshot %1 with the %2 menu open")
            .arg(path, title->text().remove(u'&')));
    return !popup.isNull() && image.save(path);
}

void Demo::stepScreenshots()
{
    step(QStringLiteral("Screenshots"));
    check(saveScreenshot(m_shell->playerWindow(), 0, QStringLiteral("player-file-menu.png")),
          QStringLiteral("the player window, File menu open"));
    check(saveScreenshot(m_shell->libraryWindow(), 3, QStringLiteral("library-devices-menu.png")),
          QStringLiteral("the media library window, Devices menu open"));
    activate(m_shell->libraryWindow());
    const QString libraryShot = m_directory.filePath(QStringLiteral("library.png"));
    check(m_shell->libraryWindow()->grab().save(libraryShot),
          QStringLiteral("the media library's columns: %1").arg(libraryShot));
    activate(m_shell->playerWindow());

    // A real, moving picture: the video area is not flat, and a second later
    // it shows another frame.
    QMainWindow *window = m_shell->playerWindow();
    const QRect video(m_shell->videoArea()->mapTo(window, QPoint(0, 0)),
                      m_shell->videoArea()->size());
    QImage frames[2];
    bool saved = true;
    for (int i = 0; i < 2; ++i) {
        if (i > 0)
            waitFor([] { return false; }, 1000);
        const QImage image = window->grab().toImage();
        frames[i] = image.copy(video);
        const QString path =
            m_directory.filePath(QStringLiteral("player-playing-%1.png").arg(i + 1));
        saved = image.save(path) && saved;
        did(QStringLiteral("screenshot %1 at %2 s")
                .arg(path)
                .arg(m_shell->mediaPlayer()->position(), 0, 'f', 2));
    }
    check(saved, QStringLiteral("the playing player window, twice, a second apart"));
    check(variety(frames[0]) > 0.3,
          QStringLiteral("the video area shows a picture: %1% of it differs from its corner")
              .arg(int(variety(frames[0]) * 100)));
    check(frames[0] != frames[1], QStringLiteral("and the two frames differ"));
}

void Demo::stepMessages()
{
    step(QStringLiteral("Qt messages"));
    QStringList warnings;
    QMap<QString, int> notices;
    {
        QMutexLocker lock(&recorded().mutex);
        warnings = recorded().warnings;
        notices = recorded().platformNotices;
    }
    for (auto it = notices.cbegin(); it != notices.cend(); ++it)
        did(QStringLiteral("  %1 platform: \"%2\" %3 times (kept off stderr)")
                .arg(QGuiApplication::platformName(), it.key())
                .arg(it.value()));
    for (const QString &warning : std::as_const(warnings))
        did(QStringLiteral("  warning: %1").arg(warning));
    check(warnings.isEmpty(),
          QStringLiteral("%1 warnings from Qt or the library").arg(warnings.size()));
}

bool Demo::writeReport()
{
    QSaveFile file(m_directory.filePath(QStringLiteral("report.txt")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    const QByteArray text = m_report.join(QLatin1Char('\n')).toUtf8() + '\n';
    return file.write(text) == text.size() && file.commit();
}
