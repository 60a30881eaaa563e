// SPDX-License-Identifier: LGPL-2.1-or-later
#include "playershell.h"

#include "medialibrary.h"
#include "mpvplayer.h"
#include "playercommon.h"
#include "playerlogging.h"
#include "videooutput.h"

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
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

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
constexpr unsigned PlayPauseItem = 301, LoopItem = 310, StopItem = 311;

const QString PlaybackSubContext = QStringLiteral("Playback");
const QString LibrarySubContext = QStringLiteral("Library");

// libavcodec's names of the audio codecs that have a WAVE format tag the
// library names; others are shown by their codec name.
struct CodecFormat
{
    const char *codec;
    uint format;
};
constexpr CodecFormat CodecFormats[] = {
    {"pcm_s16le", 0x0001}, {"pcm_s24le", 0x0001}, {"pcm_u8", 0x0001},    {"adpcm_ms", 0x0002},
    {"pcm_f32le", 0x0003}, {"pcm_alaw", 0x0006},  {"pcm_mulaw", 0x0007}, {"adpcm_ima_wav", 0x0011},
    {"mp2", 0x0050},       {"mp3", 0x0055},       {"aac", 0x00FF},       {"wmav1", 0x0161},
    {"wmav2", 0x0161},     {"ac3", 0x2000},       {"dts", 0x2001},       {"vorbis", 0x6771},
};

QString audioFormatName(const QString &codec)
{
    for (const CodecFormat &entry : CodecFormats)
        if (codec == QLatin1String(entry.codec))
            return MavStringTools::audioFormatToString(entry.format);
    return codec.toUpper();
}

// A track as the library labels one: its language tag split into language
// and region ("pt-BR"), its title, or else what its flags say it is.
QString trackLabel(const MpvPlayer::Track &track, uint counter)
{
    const bool audio = track.type == QLatin1String("audio");
    const QStringList tag = track.language.split(QLatin1Char('-'));
    QString type = track.title;
    if (type.isEmpty() && audio && track.isDefault)
        type = MavStringTools::audioTypeToString(2);
    else if (type.isEmpty() && !audio && track.forced)
        type = MavStringTools::subtitleTypeToString(7);
    return MavStringTools::trackToString(tag.value(1).toLower(), tag.value(0).toLower(), type,
                                         audio ? audioFormatName(track.codec) : QString(), counter);
}

// Sorts by the value kept in Qt::UserRole, so sizes and durations sort as numbers.
class LibraryItem : public QTreeWidgetItem
{
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem &other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        const QVariant mine = data(column, Qt::UserRole), theirs = other.data(column, Qt::UserRole);
        if (mine.isValid() && theirs.isValid())
            return QVariant::compare(mine, theirs) == QPartialOrdering::Less;
        return QTreeWidgetItem::operator<(other);
    }
};

QString clock(double seconds)
{
    const int total = qMax(0, int(seconds));
    return total >= 3600
        ? QStringLiteral("%1:%2:%3")
              .arg(total / 3600)
              .arg(total / 60 % 60, 2, 10, QLatin1Char('0'))
              .arg(total % 60, 2, 10, QLatin1Char('0'))
        : QStringLiteral("%1:%2").arg(total / 60).arg(total % 60, 2, 10, QLatin1Char('0'));
}

// Child of a window that carries one plug-in's shortcut actions there: a widget
// holds the actions of one shortcut set only, since switching a set empties it.
QWidget *carrier(QWidget *window, std::size_t index)
{
    return window->findChild<QWidget *>(QStringLiteral("ShortcutCarrier%1").arg(index),
                                        Qt::FindDirectChildrenOnly);
}

} // namespace

PlayerShell::PlayerShell(Kapio::PluginManager *plugins, const QString &audioOutput, QObject *parent)
    : QObject(parent)
    , m_plugins(plugins)
    , m_mpv(new MpvPlayer(audioOutput, this))
{
    // "player." itself is the status bar's: every message the plug-ins publish.
    const struct
    {
        const char *message;
        const char *member;
    } listeners[] = {
        {"player.", SLOT(showMessage(QString, QVariant))},
        {"player.file.play", SLOT(onPlayRequest(QString, QVariant))},
        {"player.playback.toggle", SLOT(onPlaybackCommand(QString, QVariant))},
        {"player.playback.stop", SLOT(onPlaybackCommand(QString, QVariant))},
        {"player.playback.seek", SLOT(onPlaybackCommand(QString, QVariant))},
        {"player.playback.speed", SLOT(onPlaybackCommand(QString, QVariant))},
        {"player.playback.loop", SLOT(onPlaybackCommand(QString, QVariant))},
        {"player.playback.volume", SLOT(onPlaybackCommand(QString, QVariant))},
        {"player.view.fullscreen", SLOT(onPlaybackCommand(QString, QVariant))},
        {"player.view.alwaysOnTop", SLOT(onAlwaysOnTop(QString, QVariant))},
        {"player.view.library", SLOT(onShowWindow(QString, QVariant))},
        {"player.view.player", SLOT(onShowWindow(QString, QVariant))},
        {"player.help.about", SLOT(onAbout(QString, QVariant))},
        {"player.library.refresh", SLOT(onLibraryRefresh(QString, QVariant))},
        {"player.library.addFolder", SLOT(onLibraryAddFolder(QString, QVariant))},
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

QWidget *PlayerShell::makePlayerArea()
{
    auto *area = new QWidget;
    // The message takes the video's place in the same cell while there is no
    // picture: an OpenGL video is a native window, above any widget.
    m_videoArea = new QWidget;
    m_videoArea->setObjectName(QStringLiteral("VideoArea"));
    m_videoArea->setMinimumSize(640, 360);
    m_videoArea->setAutoFillBackground(true);
    QPalette palette = m_videoArea->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::white);
    m_videoArea->setPalette(palette);
    m_videoArea->installEventFilter(this);
    auto *grid = new QGridLayout(m_videoArea);
    grid->setContentsMargins(0, 0, 0, 0);
    m_videoOutput = VideoOutput::create(m_mpv, m_videoArea);
    m_videoOutput->widget()->installEventFilter(this);
    grid->addWidget(m_videoOutput->widget(), 0, 0);
    m_videoMessage = new QLabel(tr("No movie"));
    m_videoMessage->setObjectName(QStringLiteral("VideoMessage"));
    m_videoMessage->setAlignment(Qt::AlignCenter);
    m_videoMessage->setWordWrap(true);
    m_videoMessage->setAutoFillBackground(true);
    m_videoMessage->setPalette(palette);
    m_videoMessage->installEventFilter(this);
    grid->addWidget(m_videoMessage, 0, 0);
    m_videoOutput->widget()->hide();

    m_playButton = new QToolButton;
    m_playButton->setObjectName(QStringLiteral("PlayButton"));
    m_playButton->setIcon(m_playButton->style()->standardIcon(QStyle::SP_MediaPlay));
    m_playButton->setToolTip(tr("Play/Pause"));
    connect(m_playButton, &QToolButton::clicked, this,
            [this] { m_mpv->setPaused(!m_mpv->isPaused()); });
    auto *stop = new QToolButton;
    stop->setObjectName(QStringLiteral("StopButton"));
    stop->setIcon(stop->style()->standardIcon(QStyle::SP_MediaStop));
    stop->setToolTip(tr("Stop"));
    connect(stop, &QToolButton::clicked, m_mpv, &MpvPlayer::stop);
    connect(this, &PlayerShell::fileOpened, stop, [stop] { stop->setEnabled(true); });
    connect(m_mpv, &MpvPlayer::idle, stop, [stop] { stop->setEnabled(false); });
    stop->setEnabled(false);
    m_elapsed = new QLabel(clock(0));
    m_elapsed->setObjectName(QStringLiteral("ElapsedTime"));
    m_total = new QLabel(clock(0));
    m_total->setObjectName(QStringLiteral("TotalTime"));
    m_position = new QSlider(Qt::Horizontal);
    m_position->setObjectName(QStringLiteral("PositionSlider"));
    m_position->setToolTip(tr("Position"));
    // Milliseconds; the position follows playback except while it is dragged.
    connect(m_position, &QSlider::sliderMoved, this,
            [this](int value) { m_elapsed->setText(clock(value / 1000.0)); });
    connect(m_position, &QSlider::sliderReleased, this,
            [this] { m_mpv->seek(m_position->value() / 1000.0, false); });
    connect(m_position, &QSlider::actionTriggered, this, [this](int action) {
        if (action != QAbstractSlider::SliderMove && action != QAbstractSlider::SliderNoAction)
            QMetaObject::invokeMethod(
                this, [this] { m_mpv->seek(m_position->value() / 1000.0, false); },
                Qt::QueuedConnection);
    });
    m_volume = new QSlider(Qt::Horizontal);
    m_volume->setObjectName(QStringLiteral("VolumeSlider"));
    m_volume->setToolTip(tr("Volume"));
    m_volume->setRange(0, 100);
    m_volume->setMaximumWidth(100);
    m_volume->setValue(PlayerSettings::getInt(Quorvex::Volume, 50));
    connect(m_volume, &QSlider::valueChanged, this, [this](int volume) {
        PlayerSettings::setInt(Quorvex::Volume, volume);
        m_mpv->setVolume(volume);
    });
    m_mpv->setVolume(m_volume->value());
    m_mpv->setLoop(PlayerSettings::getBool(Quorvex::LoopPlayback, false));

    // The keys belong to the player's shortcuts, never to a control.
    for (QWidget *control :
         std::initializer_list<QWidget *> {m_playButton, stop, m_position, m_volume})
        control->setFocusPolicy(Qt::NoFocus);
    auto *controls = new QHBoxLayout;
    controls->setContentsMargins(6, 2, 6, 2);
    controls->addWidget(m_playButton);
    controls->addWidget(stop);
    controls->addWidget(m_elapsed);
    controls->addWidget(m_position, 1);
    controls->addWidget(m_total);
    auto *volumeIcon = new QLabel;
    volumeIcon->setPixmap(area->style()->standardIcon(QStyle::SP_MediaVolume).pixmap(16, 16));
    controls->addWidget(volumeIcon);
    controls->addWidget(m_volume);
    auto *column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_videoArea, 1);
    column->addLayout(controls);
    connectPlayer();
    return area;
}

void PlayerShell::connectPlayer()
{
    connect(m_mpv, &MpvPlayer::fileLoaded, this, &PlayerShell::onLoaded);
    connect(m_mpv, &MpvPlayer::openFailed, this, &PlayerShell::onFailed);
    connect(m_mpv, &MpvPlayer::idle, this, &PlayerShell::onIdle);
    connect(m_mpv, &MpvPlayer::pausedChanged, this, [this](bool paused) {
        m_playButton->setIcon(m_playButton->style()->standardIcon(paused ? QStyle::SP_MediaPlay
                                                                         : QStyle::SP_MediaPause));
        if (QAction *action = CommonMenuBar::getAction(PlayPauseItem))
            action->setChecked(!paused && m_mpv->hasMovie());
        if (m_mpv->hasMovie())
            Player::publish(QStringLiteral("state.paused"), paused);
    });
    connect(m_mpv, &MpvPlayer::positionChanged, this, &PlayerShell::updateTimes);
    connect(m_mpv, &MpvPlayer::durationChanged, this, &PlayerShell::updateTimes);
    connect(m_mpv, &MpvPlayer::tracksChanged, this, &PlayerShell::fillLanguageMenu);
    if (!m_mpv->isValid())
        showVideoMessage(tr("Nothing can be played: %1").arg(m_mpv->errorString()));
}

void PlayerShell::createWindows()
{
    m_player = makeWindow(QStringLiteral("PlayerWindow"), tr("Zentrix Player"), makePlayerArea());
    m_player->setAcceptDrops(true);
    restoreGeometry();

    m_libraryList = new QTreeWidget;
    m_libraryList->setObjectName(QStringLiteral("LibraryList"));
    m_libraryList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_libraryList->setRootIsDecorated(false);
    m_libraryList->setHeaderLabels(
        {tr("Name"), tr("Duration"), tr("Resolution"), tr("Size"), tr("Audio languages")});
    m_libraryList->setSortingEnabled(true);
    m_libraryList->sortByColumn(0, Qt::AscendingOrder);
    m_library =
        makeWindow(QLatin1String(Player::LibraryWindowName), tr("Media Library"), m_libraryList);
    m_library->resize(640, 360);
    connect(m_libraryList, &QTreeWidget::itemSelectionChanged, this,
            &PlayerShell::publishSelection);
    connect(m_libraryList, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        openFiles({item->data(0, Qt::UserRole + 1).toString()});
    });
    m_media = new MediaLibrary(this);
    connect(m_media, &MediaLibrary::found, this, &PlayerShell::addLibraryRows);
    connect(m_media, &MediaLibrary::changed, this, &PlayerShell::finishLibrary);

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
    updateMovieActions();
    const bool onTop = PlayerSettings::getBool(Quorvex::AlwaysOnTop, false);
    if (QAction *action = CommonMenuBar::getAction(AlwaysOnTopItem))
        action->setChecked(onTop);
    m_windowOrder->setAlwaysOnTop(onTop);
}

void PlayerShell::openFiles(const QStringList &paths)
{
    if (!m_mpv)
        return;
    if (!m_firstScanStarted && !paths.isEmpty())
        m_awaitingFirstFrame = true;
    // Its window is on the screen by the time the first frame is decoded.
    if (!paths.isEmpty() && !m_mpv->hasMovie()) {
        m_videoMessage->hide();
        m_videoOutput->widget()->show();
    }
    for (qsizetype i = 0; i < paths.size(); ++i)
        m_mpv->open(QFileInfo(paths.at(i)).absoluteFilePath(), i > 0);
}

void PlayerShell::show()
{
    m_library->show();
    m_player->show();
    m_player->activateWindow();
    // The windows' first paint, and the shaders of the first frame, hold the
    // GUI thread for hundreds of milliseconds on a software OpenGL: the first
    // scan waits for them (once painted, the window is put on the screen
    // before a queued call runs), or for a few seconds.
    connect(
        this, &PlayerShell::firstPaint, this,
        [this] { QTimer::singleShot(0, this, &PlayerShell::scanOnceVideoIsUp); },
        Qt::SingleShotConnection);
    connect(m_mpv, &MpvPlayer::openFailed, this, [this] {
        m_awaitingFirstFrame = false;
        scanOnceVideoIsUp();
    });
    QTimer::singleShot(5000, this, [this] {
        m_awaitingFirstFrame = false;
        scanOnceVideoIsUp();
    });
}

void PlayerShell::scanOnceVideoIsUp()
{
    if (m_firstScanStarted || !m_media)
        return;
    if (m_awaitingFirstFrame && m_videoOutput && m_videoOutput->framesShown() == 0) {
        m_videoOutput->whenPresented([this] { scanOnceVideoIsUp(); });
        return;
    }
    m_firstScanStarted = true;
    m_media->rescan();
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
    if (m_player)
        saveGeometry();
    // Its worker stopped first: no batch of rows may arrive for a deleted list.
    delete m_media;
    m_media = nullptr;
    m_rows.clear();
    // The windows take the video output with them, which must go before its
    // player; nothing the player still reports may reach them after.
    if (m_mpv)
        m_mpv->disconnect(this);
    m_videoOutput = nullptr;
    for (QMainWindow *&window : {std::ref(m_player), std::ref(m_library)}) {
        if (!window)
            continue;
        CommonMenuBar::releaseInstance(window);
        delete window;
        window = nullptr;
    }
    delete m_mpv;
    m_mpv = nullptr;
}

bool PlayerShell::eventFilter(QObject *watched, QEvent *event)
{
    // The video covers the area as soon as a file plays: any of the three is
    // the window's first paint.
    if (event->type() == QEvent::Paint && !m_painted
        && (watched == m_videoArea || watched == m_videoMessage
            || (m_videoOutput && watched == m_videoOutput->widget()))) {
        m_painted = true;
        emit firstPaint();
    } else if (event->type() == QEvent::MouseButtonDblClick && m_videoOutput
               && (watched == m_videoOutput->widget() || watched == m_videoMessage)) {
        toggleFullScreen();
        return true;
    } else if (event->type() == QEvent::KeyPress && watched == m_player
               && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape
               && m_player->isFullScreen()) {
        toggleFullScreen();
        return true;
    } else if (event->type() == QEvent::DragEnter && watched == m_player) {
        auto *drag = static_cast<QDragEnterEvent *>(event);
        const QList<QUrl> urls = drag->mimeData()->urls();
        if (!urls.isEmpty() && urls.constFirst().isLocalFile())
            drag->acceptProposedAction();
        return true;
    } else if (event->type() == QEvent::Drop && watched == m_player) {
        auto *drop = static_cast<QDropEvent *>(event);
        QStringList paths;
        for (const QUrl &url : drop->mimeData()->urls())
            if (url.isLocalFile())
                paths.append(url.toLocalFile());
        openFiles(paths);
        drop->acceptProposedAction();
        return true;
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
    const QString shown = statusSentence(name.mid(7), value);
    if (shown.isEmpty())
        return;
    for (QMainWindow *window : {m_player, m_library})
        if (window)
            window->statusBar()->showMessage(shown);
}

// What a message did, for the status bar; empty for those the user has no use
// for (pings, requests that another message answers).
QString PlayerShell::statusSentence(const QString &name, const QVariant &value) const
{
    const QString file = QFileInfo(value.toString()).fileName();
    const bool on = value.toBool();
    if (name == QLatin1String("file.opened"))
        return tr("Opened %1").arg(file);
    if (name == QLatin1String("file.failed"))
        return tr("Cannot play %1: %2")
            .arg(QFileInfo(value.toStringList().value(0)).fileName(),
                 value.toStringList().value(1));
    if (name == QLatin1String("file.rejected"))
        return tr("%1 is not a movie").arg(file);
    if (name == QLatin1String("state.paused"))
        return on ? tr("Paused") : tr("Playing");
    if (name == QLatin1String("state.stopped"))
        return tr("Stopped");
    if (name == QLatin1String("playback.speed"))
        return tr("Speed %1x").arg(value.toDouble());
    if (name == QLatin1String("playback.loop"))
        return on ? tr("Loop on") : tr("Loop off");
    if (name == QLatin1String("playback.volume"))
        return tr("Volume %1%").arg(value.toInt());
    if (name == QLatin1String("playback.seek"))
        return value.toInt() < 0 ? tr("Back %1 s").arg(-value.toInt())
                                 : tr("Forward %1 s").arg(value.toInt());
    if (name == QLatin1String("track.audio"))
        return tr("Audio: %1").arg(value.toString());
    if (name == QLatin1String("track.subtitle"))
        return tr("Subtitles: %1").arg(value.toString());
    if (name == QLatin1String("view.alwaysOnTop"))
        return on ? tr("Always on top") : tr("No longer on top");
    if (name == QLatin1String("library.scanned"))
        return tr("%n movie(s) in the library", nullptr, value.toInt());
    if (name == QLatin1String("library.addFolder"))
        return tr("Adding %1 to the library").arg(value.toString());
    if (name == QLatin1String("device.active")) {
        const QString device = Player::profileName(value.toString().toStdString());
        return tr("Device: %1").arg(device.isEmpty() ? tr("unknown") : device);
    }
    if (name == QLatin1String("device.transfer")) {
        switch (value.toInt()) {
        case -1:
            return tr("Nothing selected to transfer");
        case 0:
            return tr("The transfer wizard is not installed");
        case 1:
            return tr("The transfer wizard could not be started");
        case 2:
            return tr("The transfer wizard has started");
        case 3:
            return tr("None of the selected files exists");
        default:
            return tr("Transfer cancelled");
        }
    }
    if (name == QLatin1String("tools.fileTypes"))
        return value.toInt() < 0 ? tr("The file types could not be changed")
                                 : tr("%n file type(s) changed", nullptr, value.toInt());
    if (name == QLatin1String("tools.settingsFolder"))
        return tr("Settings are in %1").arg(value.toString());
    if (name == QLatin1String("tools.reveal"))
        return value.toString().isEmpty() ? tr("No recent file to show")
                                          : tr("Showed %1").arg(file);
    if (name == QLatin1String("about.measured"))
        return value.toString();
    return QString();
}

void PlayerShell::onPlayRequest(const QString &, const QVariant &value)
{
    openFiles({value.toString()});
}

void PlayerShell::onPlaybackCommand(const QString &name, const QVariant &value)
{
    if (!m_mpv)
        return;
    const bool movie = m_mpv->hasMovie();
    if (name == QLatin1String("player.playback.toggle") && movie)
        m_mpv->setPaused(!m_mpv->isPaused());
    else if (name == QLatin1String("player.playback.stop") && movie)
        m_mpv->stop();
    else if (name == QLatin1String("player.playback.seek") && movie)
        m_mpv->seek(value.toDouble(), true);
    else if (name == QLatin1String("player.playback.speed"))
        m_mpv->setSpeed(value.toDouble());
    else if (name == QLatin1String("player.playback.loop"))
        m_mpv->setLoop(value.toBool());
    else if (name == QLatin1String("player.playback.volume"))
        m_volume->setValue(value.toInt());
    else if (name == QLatin1String("player.view.fullscreen"))
        toggleFullScreen();
}

void PlayerShell::onLoaded(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    m_videoMessage->hide();
    m_videoOutput->widget()->show();
    m_player->setWindowTitle(tr("%1 - Zentrix Player").arg(name));
    Player::addRecentFile(path);
    rebuildRecentFiles();
    updateMovieActions();
    Player::publish(QStringLiteral("file.opened"), path);
    emit fileOpened(path);
}

void PlayerShell::onFailed(const QString &path, const QString &reason)
{
    showVideoMessage(tr("Cannot play %1: %2.").arg(QFileInfo(path).fileName(), reason));
    updateMovieActions();
    Player::publish(QStringLiteral("file.failed"), QStringList {path, reason});
    emit fileFailed(path, reason);
}

void PlayerShell::onIdle()
{
    m_player->setWindowTitle(tr("Zentrix Player"));
    updateMovieActions();
    updateTimes();
    // A failure's message stays until something else is shown.
    if (m_videoMessage->isVisible())
        return;
    showVideoMessage(tr("No movie"));
    Player::publish(QStringLiteral("state.stopped"));
}

void PlayerShell::showVideoMessage(const QString &text)
{
    m_videoMessage->setText(text);
    m_videoMessage->show();
    if (m_videoOutput)
        m_videoOutput->widget()->hide();
}

QString PlayerShell::videoMessage() const
{
    return m_videoMessage && m_videoMessage->isVisible() ? m_videoMessage->text() : QString();
}

void PlayerShell::updateMovieActions()
{
    const bool movie = m_mpv->hasMovie();
    for (const unsigned id : {PlayPauseItem, StopItem})
        if (QAction *action = CommonMenuBar::getAction(id))
            action->setEnabled(movie);
    if (QAction *action = CommonMenuBar::getAction(PlayPauseItem))
        action->setChecked(movie && !m_mpv->isPaused());
    m_playButton->setEnabled(movie);
    m_position->setEnabled(movie);
    if (!movie)
        fillLanguageMenu();
}

void PlayerShell::updateTimes()
{
    const bool movie = m_mpv->hasMovie();
    const double duration = movie ? m_mpv->duration() : 0;
    const double position = movie ? m_mpv->position() : 0;
    m_total->setText(clock(duration));
    if (m_position->isSliderDown())
        return;
    m_elapsed->setText(clock(position));
    const QSignalBlocker blocker(m_position);
    m_position->setRange(0, int(duration * 1000));
    m_position->setValue(int(position * 1000));
}

void PlayerShell::toggleFullScreen()
{
    if (m_player->isFullScreen())
        m_player->showNormal();
    else
        m_player->showFullScreen();
}

void PlayerShell::restoreGeometry()
{
    const QRect saved(PlayerSettings::getInt(Quorvex::PlayerXPos, 0),
                      PlayerSettings::getInt(Quorvex::PlayerYPos, 0),
                      PlayerSettings::getInt(Quorvex::PlayerWidth, 0),
                      PlayerSettings::getInt(Quorvex::PlayerHeight, 0));
    if (saved.width() < 200 || saved.height() < 150)
        return;
    // Kept only where most of the title bar is on one of the screens now.
    const QRect titleBar(saved.topLeft(), QSize(saved.width(), 30));
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (const QScreen *screen : screens) {
        const QRect seen = screen->availableGeometry().intersected(titleBar);
        if (seen.width() * 2 >= titleBar.width() && seen.height() > 0) {
            m_player->setGeometry(saved);
            return;
        }
    }
    m_player->resize(saved.size().boundedTo(QGuiApplication::primaryScreen()
                                                ? QGuiApplication::primaryScreen()->availableSize()
                                                : saved.size()));
}

void PlayerShell::saveGeometry()
{
    const QRect geometry =
        m_player->isFullScreen() ? m_player->normalGeometry() : m_player->geometry();
    PlayerSettings::setInt(Quorvex::PlayerXPos, geometry.x());
    PlayerSettings::setInt(Quorvex::PlayerYPos, geometry.y());
    PlayerSettings::setInt(Quorvex::PlayerWidth, geometry.width());
    PlayerSettings::setInt(Quorvex::PlayerHeight, geometry.height());
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
    if (m_media)
        m_media->rescan();
}

void PlayerShell::onLibraryAddFolder(const QString &, const QVariant &value)
{
    if (m_media)
        m_media->addFolder(value.toString());
}

void PlayerShell::addLibraryRows(const QList<MediaInfo> &batch)
{
    // Sorted once, when the scan is over: a sorted tree re-sorts at every insertion.
    if (!m_filling) {
        m_filling = true;
        m_seen.clear();
        m_libraryList->setSortingEnabled(false);
    }
    QList<QTreeWidgetItem *> added;
    for (const MediaInfo &info : batch) {
        m_seen.insert(info.path);
        QTreeWidgetItem *&item = m_rows[info.path];
        if (!item) {
            item = new LibraryItem;
            added.append(item);
        }
        const QString resolution = info.width > 0
            ? QStringLiteral("%1x%2").arg(info.width).arg(info.height)
            : tr("sound only");
        item->setText(0, QFileInfo(info.path).fileName());
        item->setText(1, clock(info.duration));
        item->setData(1, Qt::UserRole, info.duration);
        item->setText(2, resolution);
        item->setData(2, Qt::UserRole, info.width * info.height);
        item->setText(3, MavStringTools::fileSizeToQString(info.size, true));
        item->setData(3, Qt::UserRole, info.size);
        item->setText(4, info.audioLanguages.join(QStringLiteral(", ")));
        item->setToolTip(0, info.path);
        item->setData(0, Qt::UserRole + 1, info.path);
        // What the transfer needs to judge the file against a device's limits.
        item->setData(0, Qt::UserRole + 2,
                      QVariantMap {{QStringLiteral("path"), info.path},
                                   {QStringLiteral("width"), info.width},
                                   {QStringLiteral("height"), info.height},
                                   {QStringLiteral("frameRate"), info.frameRate}});
    }
    m_libraryList->addTopLevelItems(added);
}

void PlayerShell::finishLibrary()
{
    if (!m_filling)
        m_seen.clear();
    m_filling = false;
    for (auto it = m_rows.begin(); it != m_rows.end();) {
        if (m_seen.contains(it.key())) {
            ++it;
            continue;
        }
        delete it.value();
        it = m_rows.erase(it);
    }
    m_seen.clear();
    m_libraryList->setSortingEnabled(true);
    if (m_libraryList->topLevelItemCount() > 0 && m_libraryList->columnWidth(1) < 60)
        for (int column = 0; column < m_libraryList->columnCount(); ++column)
            m_libraryList->resizeColumnToContents(column);
    // The rows of the selection may have gone or changed.
    publishSelection();
    Player::publish(QStringLiteral("library.scanned"), m_media->items().size());
}

void PlayerShell::publishSelection()
{
    QStringList files;
    QVariantList media;
    const QList<QTreeWidgetItem *> selected = m_libraryList->selectedItems();
    for (const QTreeWidgetItem *item : selected) {
        files.append(item->data(0, Qt::UserRole + 1).toString());
        media.append(item->data(0, Qt::UserRole + 2));
    }
    m_library->setProperty(Player::SelectionProperty, files);
    m_library->setProperty(Player::SelectedMediaProperty, media);
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
}

void PlayerShell::openRecent(const QString &path)
{
    openFiles({path});
}

void PlayerShell::fillLanguageMenu()
{
    if (!m_languageMenu)
        return;
    // Rebuilt at every change of the track list: the old groups go too.
    qDeleteAll(m_languageMenu->findChildren<QActionGroup *>(Qt::FindDirectChildrenOnly));
    m_languageMenu->clear();
    const QList<MpvPlayer::Track> tracks =
        m_mpv->hasMovie() ? m_mpv->tracks() : QList<MpvPlayer::Track>();
    const auto addTracks = [&](const QString &section, const QString &type, bool audio) {
        QList<MpvPlayer::Track> own;
        for (const MpvPlayer::Track &track : tracks)
            if (track.type == type)
                own.append(track);
        if (own.isEmpty())
            return;
        m_languageMenu->addSection(section);
        auto *group = new QActionGroup(m_languageMenu);
        const QString message =
            audio ? QStringLiteral("track.audio") : QStringLiteral("track.subtitle");
        const QString property = audio ? QStringLiteral("aid") : QStringLiteral("sid");
        const auto add = [&](const QString &label, int id, bool selected) {
            QAction *action = m_languageMenu->addAction(label);
            action->setCheckable(true);
            action->setChecked(selected);
            action->setData(id);
            group->addAction(action);
            connect(action, &QAction::triggered, this, [this, message, property, id, label] {
                m_mpv->selectTrack(property, id);
                Player::publish(message, label);
            });
        };
        if (!audio) {
            const bool anySelected =
                std::any_of(own.begin(), own.end(), [](const auto &t) { return t.selected; });
            add(tr("Off"), 0, !anySelected);
        }
        uint counter = 0;
        for (const MpvPlayer::Track &track : own)
            add(trackLabel(track, ++counter), track.id, track.selected);
    };
    addTracks(tr("Audio"), QStringLiteral("audio"), true);
    addTracks(tr("Subtitles"), QStringLiteral("sub"), false);
    m_languageMenu->setEnabled(!m_languageMenu->isEmpty());
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
    for (const std::string &guid : guids) {
        auto *action = new QAction(Player::profileName(guid), m_deviceGroup);
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
