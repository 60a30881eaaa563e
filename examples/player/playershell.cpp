// SPDX-License-Identifier: LGPL-2.1-or-later
#include "playershell.h"

#include "playercommon.h"

#include <MavLibrary/menus/commonmenubar.h>
#include <MavLibrary/menus/shortcutmanager.h>
#include <MavLibrary/menus/shortcutparser.h>
#include <MavLibrary/os/osutilities.h>
#include <MavLibrary/plugins/plugininfo.h>
#include <MavLibrary/plugins/pluginmanager.h>
#include <MavLibrary/profiles/profilemanager.h>
#include <MavLibrary/profiles/profilewrapper.h>
#include <MavLibrary/services/uithread.h>
#include <MavLibrary/services/windowordermanager.h>
#include <MavLibrary/settings/settingsfunctions.h>
#include <MavLibrary/text/mavstringtools.h>

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include <algorithm>

using Quorvex::CommonMenuBar;
using Quorvex::MavStringTools;
using Quorvex::OSUtilities;
using Quorvex::PlayerSettings;

namespace {

// Ids in the plug-ins' menu descriptions.
constexpr unsigned FileMenu = 1, RecentSubmenu = 102;
constexpr unsigned ViewMenu = 4, LanguageSubmenu = 402, AlwaysOnTopItem = 401;
constexpr unsigned DevicesMenu = 5;
constexpr unsigned LoopItem = 310;

const QString PlaybackSubContext = QStringLiteral("Playback");
const QString LibrarySubContext = QStringLiteral("Library");

// The title the language menu describes: its audio and subtitle tracks.
struct SampleTrack
{
    const char *country;
    const char *language;
    uint type;
    uint format; // audio only
};
constexpr SampleTrack SampleAudio[] = {
    {"us", "en", 1, 0x2000}, {"ca", "fr", 3, 0x0055}, {"", "de", 2, 0x0001}};
constexpr SampleTrack SampleSubtitles[] = {{"gb", "en", 1, 0}, {"mx", "es", 4, 0}};

// Child of a window that carries one plug-in's shortcut actions there: a widget
// holds the actions of one shortcut set only, since switching a set empties it.
QWidget *carrier(QWidget *window, std::size_t index)
{
    return window->findChild<QWidget *>(QStringLiteral("ShortcutCarrier%1").arg(index),
                                        Qt::FindDirectChildrenOnly);
}

} // namespace

PlayerShell::PlayerShell(Kapio::PluginManager *plugins, QObject *parent)
    : QObject(parent)
    , m_plugins(plugins)
{
    // "player." itself is the status bar's: every message the plug-ins publish.
    const struct
    {
        const char *message;
        const char *member;
    } listeners[] = {
        {"player.", SLOT(showMessage(QString, QVariant))},
        {"player.file.opened", SLOT(onFileOpened(QString, QVariant))},
        {"player.view.alwaysOnTop", SLOT(onAlwaysOnTop(QString, QVariant))},
        {"player.view.library", SLOT(onShowWindow(QString, QVariant))},
        {"player.view.player", SLOT(onShowWindow(QString, QVariant))},
        {"player.help.about", SLOT(onAbout(QString, QVariant))},
        {"player.library.refresh", SLOT(onLibraryRefresh(QString, QVariant))},
    };
    for (const auto &listener : listeners)
        Quorvex::PubSubHub::listenForMessage(QLatin1String(listener.message), this,
                                             listener.member);
}

PlayerShell::~PlayerShell()
{
    shutdown();
}

QMainWindow *PlayerShell::makeWindow(const QString &objectName, const QString &title,
                                     QWidget *central)
{
    auto *window = new QMainWindow;
    window->setObjectName(objectName);
    window->setWindowTitle(title);
    window->setCentralWidget(central);
    window->setMenuBar(CommonMenuBar::getInstance(window)->getMenuBar());
    window->statusBar()->showMessage(tr("Ready"));
    window->installEventFilter(this);
    return window;
}

void PlayerShell::createWindows()
{
    m_video = new QLabel(tr("No movie"));
    m_video->setObjectName(QStringLiteral("VideoArea"));
    m_video->setAlignment(Qt::AlignCenter);
    m_video->setMinimumSize(640, 360);
    m_video->setAutoFillBackground(true);
    QPalette palette = m_video->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::white);
    m_video->setPalette(palette);
    m_video->installEventFilter(this);
    m_player = makeWindow(QStringLiteral("PlayerWindow"), tr("Zentrix Player"), m_video);

    m_libraryList = new QListWidget;
    m_libraryList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_library =
        makeWindow(QLatin1String(Player::LibraryWindowName), tr("Media Library"), m_libraryList);
    m_library->resize(480, 360);
    connect(m_libraryList, &QListWidget::itemSelectionChanged, this, [this] {
        QStringList files;
        const QList<QListWidgetItem *> selected = m_libraryList->selectedItems();
        for (const QListWidgetItem *item : selected)
            files.append(item->data(Qt::UserRole).toString());
        m_library->setProperty(Player::SelectionProperty, files);
    });

    // Every top-level window of the player, pop-ups aside, follows "AlwaysOnTop".
    m_windowOrder = new Quorvex::WindowOrderManager(this);
    m_player->installEventFilter(m_windowOrder);
    m_library->installEventFilter(m_windowOrder);

    // A shortcut set reaches its plug-in's object, so that plug-in stays loaded
    // for as long as the set is used; plug-ins without keys are given back.
    std::vector<Kapio::PluginInfo *> menuPlugins;
    m_plugins->findPlugins(Kapio::PluginInterfaceFilter(Quorvex::MenuInterfaceId), menuPlugins);
    for (Kapio::PluginInfo *info : menuPlugins) {
        Kapio::Plugin *plugin = nullptr;
        if (m_plugins->loadPlugin(info, &plugin, Kapio::LoadIfNeeded) != Kapio::Success)
            continue;
        std::unique_ptr<Quorvex::ShortcutManager> manager(
            Quorvex::ShortcutParser::parseShortcuts(plugin, m_player));
        if (!manager
            || (manager->getSubContextActionSet(PlaybackSubContext, false).isEmpty()
                && manager->getSubContextActionSet(LibrarySubContext, false).isEmpty())) {
            manager.reset();
            plugin->release();
            continue;
        }
        for (QWidget *window :
             {static_cast<QWidget *>(m_player), static_cast<QWidget *>(m_library)}) {
            auto *widget = new QWidget(window);
            widget->setObjectName(QStringLiteral("ShortcutCarrier%1").arg(m_shortcutSets.size()));
            widget->setFixedSize(0, 0);
        }
        m_shortcutSets.push_back({plugin, std::move(manager)});
    }
    setSubContext(PlaybackSubContext, m_player);
}

void PlayerShell::setSubContext(const QString &subContext, QWidget *window)
{
    QWidget *other = window == m_player ? static_cast<QWidget *>(m_library) : m_player;
    for (std::size_t i = 0; i < m_shortcutSets.size(); ++i) {
        QWidget *away = carrier(other, i);
        const QList<QAction *> actions = away->actions();
        for (QAction *action : actions)
            away->removeAction(action);
        m_shortcutSets[i].manager->setSubContext(subContext, carrier(window, i));
    }
    m_subContext = subContext;
}

void PlayerShell::fillMenus()
{
    m_recentMenu = CommonMenuBar::getInstance(m_player)->getSubmenu(FileMenu, RecentSubmenu);
    m_languageMenu = CommonMenuBar::getInstance(m_player)->getSubmenu(ViewMenu, LanguageSubmenu);
    rebuildRecentFiles();
    fillLanguageMenu();
    fillDevicesMenu();
    if (QAction *loop = CommonMenuBar::getAction(LoopItem))
        loop->setChecked(PlayerSettings::getBool(Quorvex::LoopPlayback, false));
    const bool onTop = PlayerSettings::getBool(Quorvex::AlwaysOnTop, false);
    if (QAction *action = CommonMenuBar::getAction(AlwaysOnTopItem))
        action->setChecked(onTop);
    m_windowOrder->setAlwaysOnTop(onTop);
}

void PlayerShell::show()
{
    m_library->show();
    m_player->show();
    m_player->activateWindow();
}

void PlayerShell::shutdown()
{
    if (m_aboutThread.joinable())
        m_aboutThread.join();
    for (ShortcutSet &set : m_shortcutSets) {
        set.manager.reset();
        set.plugin->release();
    }
    m_shortcutSets.clear();
    for (QMainWindow *&window : {std::ref(m_player), std::ref(m_library)}) {
        if (!window)
            continue;
        CommonMenuBar::releaseInstance(window);
        delete window;
        window = nullptr;
    }
}

bool PlayerShell::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && watched == m_video && !m_painted) {
        m_painted = true;
        emit firstPaint();
    } else if (event->type() == QEvent::WindowActivate && !m_shortcutSets.empty()) {
        if (watched == m_player)
            setSubContext(PlaybackSubContext, m_player);
        else if (watched == m_library)
            setSubContext(LibrarySubContext, m_library);
    }
    return QObject::eventFilter(watched, event);
}

void PlayerShell::showMessage(const QString &name, const QVariant &value)
{
    m_heard.append({name, value});
    const QString shown = value.isValid() ? name + QStringLiteral(": ") + value.toString() : name;
    for (QMainWindow *window : {m_player, m_library})
        if (window)
            window->statusBar()->showMessage(shown);
}

void PlayerShell::onFileOpened(const QString &, const QVariant &value)
{
    const QString path = value.toString();
    m_video->setText(tr("Playing %1").arg(QFileInfo(path).fileName()));
    m_player->setWindowTitle(tr("%1 - Zentrix Player").arg(QFileInfo(path).fileName()));
    rebuildRecentFiles();
    emit fileOpened(path);
}

void PlayerShell::onAlwaysOnTop(const QString &, const QVariant &value)
{
    m_windowOrder->setAlwaysOnTop(value.toBool());
}

void PlayerShell::onShowWindow(const QString &name, const QVariant &)
{
    QMainWindow *window = name.endsWith(QLatin1String("library")) ? m_library : m_player;
    window->show();
    window->raise();
    window->activateWindow();
}

void PlayerShell::onLibraryRefresh(const QString &, const QVariant &)
{
    rebuildRecentFiles();
}

void PlayerShell::rebuildRecentFiles()
{
    const QStringList files = Player::recentFiles();
    if (m_recentMenu) {
        m_recentMenu->clear();
        for (const QString &path : files) {
            QAction *action = m_recentMenu->addAction(QFileInfo(path).fileName());
            action->setData(path);
            action->setToolTip(path);
            connect(action, &QAction::triggered, this, [this, path] { openRecent(path); });
        }
        m_recentMenu->setEnabled(!files.isEmpty());
    }
    m_libraryList->clear();
    for (const QString &path : files) {
        auto *item = new QListWidgetItem(QFileInfo(path).fileName(), m_libraryList);
        item->setData(Qt::UserRole, path);
        item->setToolTip(path);
    }
}

void PlayerShell::openRecent(const QString &path)
{
    if (!QFile::exists(path) || !MavStringTools::checkMovieExtension(path)) {
        Player::publish(QStringLiteral("file.missing"), path);
        return;
    }
    Player::addRecentFile(path);
    Player::publish(QStringLiteral("file.opened"), path);
}

void PlayerShell::fillLanguageMenu()
{
    if (!m_languageMenu)
        return;
    m_languageMenu->clear();
    const auto addTracks = [this](const QString &section, auto &tracks, bool audio) {
        m_languageMenu->addSection(section);
        auto *group = new QActionGroup(m_languageMenu);
        uint counter = 0;
        for (const SampleTrack &track : tracks) {
            const QString type = audio ? MavStringTools::audioTypeToString(track.type)
                                       : MavStringTools::subtitleTypeToString(track.type);
            const QString format =
                audio ? MavStringTools::audioFormatToString(track.format) : QString();
            QAction *action = m_languageMenu->addAction(MavStringTools::trackToString(
                QLatin1String(track.country), QLatin1String(track.language), type, format,
                ++counter));
            action->setCheckable(true);
            action->setChecked(counter == 1);
            action->setData(counter);
            group->addAction(action);
            const QString message =
                audio ? QStringLiteral("track.audio") : QStringLiteral("track.subtitle");
            connect(action, &QAction::triggered, this,
                    [message, action] { Player::publish(message, action->text()); });
        }
    };
    addTracks(tr("Audio"), SampleAudio, true);
    addTracks(tr("Subtitles"), SampleSubtitles, false);
}

void PlayerShell::fillDevicesMenu()
{
    Quorvex::ProfileManager *profiles = Quorvex::ProfileManager::instance(nullptr);
    CommonMenuBar::MenuProxy *menu = CommonMenuBar::getMenu(DevicesMenu);
    if (!profiles || !menu)
        return;
    delete m_deviceGroup;
    m_deviceGroup = new QActionGroup(this);
    // The user's order, kept in the settings; profiles new to it go last.
    std::vector<std::string> guids;
    std::vector<std::string> all;
    profiles->getProfileGUIDsInOrderBySystemSettings(&guids);
    profiles->getProfileGUIDs(&all);
    const std::string positions = PlayerSettings::sectionPath(Quorvex::ProfileGUID);
    for (const std::string &guid : all) {
        if (std::find(guids.begin(), guids.end(), guid) != guids.end())
            continue;
        ztds::userSettings::setInt(positions, guid, int(guids.size()));
        guids.push_back(guid);
    }
    const Quorvex::ProfileWrapper *active = profiles->getActiveProfile();
    const std::string language = OSUtilities::getLanguageCode().toStdString();
    for (const std::string &guid : guids) {
        auto *action = new QAction(
            QString::fromStdWString(profiles->getDisplayName(guid, language)), m_deviceGroup);
        action->setCheckable(true);
        action->setChecked(active && active->guid == guid);
        action->setData(QString::fromStdString(guid));
        connect(action, &QAction::triggered, this, [guid] {
            Quorvex::ProfileManager::instance(nullptr)->setActiveProfile(guid);
            Player::publish(QStringLiteral("device.active"), QString::fromStdString(guid));
        });
        menu->addAction(action);
    }
}

void PlayerShell::onAbout(const QString &, const QVariant &value)
{
    if (m_aboutThread.joinable())
        m_aboutThread.join();
    m_aboutThread = std::thread(aboutWorker, this, value.toString(),
                                OSUtilities::getTempDownloadDirectoryPath());
}

// On a worker thread: measures, has the GUI thread format and show the result,
// then shows the About box from here.
void PlayerShell::aboutWorker(PlayerShell *shell, QString text, QString folder)
{
    quint64 freeBytes = 0;
    OSUtilities::getFreeSpace(folder, &freeBytes, nullptr);
    Quorvex::UIThread::executeFunction(&PlayerShell::measuredOnGuiThread, true, shell, &freeBytes);
    // The waiting call above has run: the result is there to read.
    Quorvex::UIThread::displayMessage(QMessageBox::Information, tr("About Zentrix Player"),
                                      text + QLatin1Char('\n') + shell->m_aboutResult, false);
}

void PlayerShell::measuredOnGuiThread(void *shell, void *bytes)
{
    auto *self = static_cast<PlayerShell *>(shell);
    self->m_aboutResult =
        tr("Free for downloads: %1")
            .arg(MavStringTools::fileSizeToQString(*static_cast<quint64 *>(bytes), true));
    Player::publish(QStringLiteral("about.measured"), self->m_aboutResult);
}
