// SPDX-License-Identifier: LGPL-2.1-or-later
// zentrix-player on a private X server with a clip on its command line, seen
// from outside as a person sees it: the window's pixels, read back from the
// server, show a picture that changes; where the window opens; what it says
// of a settings store it cannot read.
#include "xcbconnection.h"
#include "xvfb.h"

#include <MavLibrary/settings/playersettings.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {

class Screen : public MavTest::XcbConnection
{
public:
    QSize size() const
    {
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection())).data;
        return {screen->width_in_pixels, screen->height_in_pixels};
    }

    //! Where the window is on the screen: there is no window manager to frame it.
    QRect geometry(xcb_window_t window)
    {
        const xcb_window_t root = this->root();
        xcb_get_geometry_reply_t *size =
            xcb_get_geometry_reply(connection(), xcb_get_geometry(connection(), window), nullptr);
        xcb_translate_coordinates_reply_t *place = xcb_translate_coordinates_reply(
            connection(), xcb_translate_coordinates(connection(), window, root, 0, 0), nullptr);
        QRect result;
        if (size && place)
            result = QRect(place->dst_x, place->dst_y, size->width, size->height);
        std::free(size);
        std::free(place);
        return result;
    }

    //! What a window manager sends when the user closes the window.
    void close(xcb_window_t window)
    {
        xcb_client_message_event_t event {};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = atom("WM_PROTOCOLS");
        event.data.data32[0] = atom("WM_DELETE_WINDOW");
        event.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(connection(), 0, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char *>(&event));
        xcb_flush(connection());
    }

    //! The top-level window whose WM_NAME contains \a title, or none.
    xcb_window_t findWindow(const QByteArray &title)
    {
        const xcb_window_t root = this->root();
        xcb_query_tree_reply_t *tree =
            xcb_query_tree_reply(connection(), xcb_query_tree(connection(), root), nullptr);
        xcb_window_t found = XCB_WINDOW_NONE;
        const xcb_window_t *children = tree ? xcb_query_tree_children(tree) : nullptr;
        for (int i = 0; tree && i < xcb_query_tree_children_length(tree) && !found; ++i) {
            xcb_get_property_reply_t *name =
                xcb_get_property_reply(connection(),
                                       xcb_get_property(connection(), 0, children[i],
                                                        XCB_ATOM_WM_NAME, XCB_ATOM_ANY, 0, 256),
                                       nullptr);
            if (name
                && QByteArray(static_cast<const char *>(xcb_get_property_value(name)),
                              xcb_get_property_value_length(name))
                       .contains(title))
                found = children[i];
            std::free(name);
        }
        std::free(tree);
        return found;
    }

    //! The middle of the window's upper part, where the video is, as the server has it.
    QByteArray videoPixels(xcb_window_t window)
    {
        xcb_get_geometry_reply_t *geometry =
            xcb_get_geometry_reply(connection(), xcb_get_geometry(connection(), window), nullptr);
        if (!geometry)
            return {};
        const int width = geometry->width / 2, height = geometry->height / 3;
        const int x = geometry->width / 4, y = geometry->height / 4;
        std::free(geometry);
        xcb_get_image_reply_t *image = xcb_get_image_reply(
            connection(),
            xcb_get_image(connection(), XCB_IMAGE_FORMAT_Z_PIXMAP, window, int16_t(x), int16_t(y),
                          uint16_t(width), uint16_t(height), ~0u),
            nullptr);
        QByteArray pixels;
        if (image)
            pixels = QByteArray(reinterpret_cast<const char *>(xcb_get_image_data(image)),
                                xcb_get_image_data_length(image));
        std::free(image);
        return pixels;
    }
};

// The share of 4-byte pixels that differ from the first.
double variety(const QByteArray &pixels)
{
    const qsizetype count = pixels.size() / 4;
    if (count == 0)
        return 0;
    qsizetype differing = 0;
    for (qsizetype i = 1; i < count; ++i)
        differing += std::memcmp(pixels.constData() + 4 * i, pixels.constData(), 4) != 0;
    return double(differing) / double(count);
}

} // namespace

class tst_PlayerX11 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_screen.connect()); }
    void showsMovingPicture_data();
    void showsMovingPicture();
    void restoresPlace_data();
    void restoresPlace();
    void unreadableUserHive();

private:
    //! Starts the player on the clip and waits for its window.
    xcb_window_t startPlayer(QProcess &player,
                             const QProcessEnvironment &environment = playerEnvironment());
    static QProcessEnvironment playerEnvironment();

    Screen m_screen;
};

QProcessEnvironment tst_PlayerX11::playerEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ZENTRIX_PLAYER_AUDIO"), QStringLiteral("null"));
    environment.insert(QStringLiteral("QT_LOGGING_RULES"),
                       QStringLiteral("zentrix.player.info=true"));
    return environment;
}

xcb_window_t tst_PlayerX11::startPlayer(QProcess &player, const QProcessEnvironment &environment)
{
    player.setProcessEnvironment(environment);
    player.start(QStringLiteral(PLAYER_EXECUTABLE), {QStringLiteral(PLAYER_CLIPS_DIR "/tour.mkv")});
    if (!player.waitForStarted())
        return XCB_WINDOW_NONE;
    xcb_window_t window = XCB_WINDOW_NONE;
    QTRY_LOOP_IMPL((window = m_screen.findWindow("tour.mkv - Zentrix Player")), 15000, 50);
    return window;
}

void tst_PlayerX11::showsMovingPicture_data()
{
    QTest::addColumn<QString>("renderer");
    QTest::addColumn<QString>("logged");
    QTest::newRow("the run-time choice on X11 is OpenGL") << QString() << "OpenGL on the xcb";
    QTest::newRow("libmpv's software renderer draws into the window too")
        << "software"
        << "software renderer on the xcb";
}

void tst_PlayerX11::showsMovingPicture()
{
    QFETCH(QString, renderer);
    QFETCH(QString, logged);
    QProcess player;
    QProcessEnvironment environment = playerEnvironment();
    if (renderer.isEmpty())
        environment.remove(QStringLiteral("ZENTRIX_PLAYER_VIDEO"));
    else
        environment.insert(QStringLiteral("ZENTRIX_PLAYER_VIDEO"), renderer);
    const xcb_window_t window = startPlayer(player, environment);
    QVERIFY(window);
    // The first frames arrive after the title; a picture is what is waited for.
    QByteArray first;
    QTRY_VERIFY_WITH_TIMEOUT(variety(first = m_screen.videoPixels(window)) > 0.3, 10000);
    // A busy machine may skip frames, but the picture moves on within seconds.
    QByteArray second;
    QTRY_VERIFY2_WITH_TIMEOUT((second = m_screen.videoPixels(window)) != first,
                              "the picture did not change", 5000);
    QVERIFY(variety(second) > 0.3);

    player.terminate();
    QVERIFY(player.waitForFinished(10000));
    const QByteArray errors = player.readAllStandardError();
    QVERIFY2(errors.contains(logged.toUtf8()), errors.constData());
    // Nothing from Qt or libmpv: the library's fixed traces and the choice only.
    const QRegularExpression expected(QStringLiteral(
        "^(Startup took \\d+ milliseconds|s_locale(Language|Country) = \\w*|"
        "zentrix.player: (video output: |first frame shown|scanned \\d+ movies ).*)$"));
    for (const QByteArray &line : errors.split('\n'))
        QVERIFY2(line.isEmpty() || expected.match(QString::fromUtf8(line)).hasMatch(),
                 line.constData());
}

void tst_PlayerX11::restoresPlace_data()
{
    QTest::addColumn<QRect>("saved");
    QTest::addColumn<bool>("onScreen");
    QTest::newRow("where it was") << QRect(10, 15, 660, 450) << true;
    QTest::newRow("far off the screen: back on it") << QRect(5000, -4000, 660, 450) << false;
}

// "PlayerXPos", "PlayerYPos", "PlayerWidth" and "PlayerHeight" of the last run.
void tst_PlayerX11::restoresPlace()
{
    QFETCH(QRect, saved);
    QFETCH(bool, onScreen);
    using Quorvex::PlayerSettings;
    QVERIFY(PlayerSettings::setInt(Quorvex::PlayerXPos, saved.x())
            && PlayerSettings::setInt(Quorvex::PlayerYPos, saved.y())
            && PlayerSettings::setInt(Quorvex::PlayerWidth, saved.width())
            && PlayerSettings::setInt(Quorvex::PlayerHeight, saved.height()));
    QProcess player;
    const xcb_window_t window = startPlayer(player);
    QVERIFY(window);
    const QRect shown = m_screen.geometry(window);
    player.kill();
    player.waitForFinished();
    // The other cases open where the player chooses.
    PlayerSettings::setInt(Quorvex::PlayerWidth, 0);
    PlayerSettings::setInt(Quorvex::PlayerHeight, 0);
    if (onScreen) {
        QCOMPARE(shown, saved);
    } else {
        QVERIFY2(QRect(QPoint(0, 0), m_screen.size()).contains(shown.topLeft()),
                 qPrintable(QStringLiteral("at %1,%2").arg(shown.x()).arg(shown.y())));
        QCOMPARE(shown.size(), saved.size().boundedTo(m_screen.size()));
    }
}

// A user hive that is not a settings store: a message box names it with the
// store's reason, and once closed the player plays with its defaults.
void tst_PlayerX11::unreadableUserHive()
{
    QTemporaryDir folder;
    const QString hive = folder.filePath(QStringLiteral("user-hive.db"));
    QFile file(hive);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    QProcessEnvironment environment = playerEnvironment();
    environment.insert(QStringLiteral("ZENTRIX_USER_HIVE"), hive);
    QProcess player;
    player.setProcessEnvironment(environment);
    player.start(QStringLiteral(PLAYER_EXECUTABLE), {QStringLiteral(PLAYER_CLIPS_DIR "/tour.mkv")});
    QVERIFY(player.waitForStarted());
    xcb_window_t box = XCB_WINDOW_NONE;
    QTRY_VERIFY_WITH_TIMEOUT((box = m_screen.findWindow("Settings")), 15000);
    QVERIFY(!m_screen.findWindow("tour.mkv - Zentrix Player"));
    m_screen.close(box);
    xcb_window_t window = XCB_WINDOW_NONE;
    QTRY_VERIFY_WITH_TIMEOUT((window = m_screen.findWindow("tour.mkv - Zentrix Player")), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(variety(m_screen.videoPixels(window)) > 0.3, 10000);
    player.terminate();
    QVERIFY(player.waitForFinished(10000));
    const QByteArray errors = player.readAllStandardError();
    QVERIFY2(errors.contains("cannot use its settings: cannot open the user hive "
                             + QFile::encodeName(hive) + ": file is not a database"),
             errors.constData());
}

int main(int argc, char *argv[])
{
    return MavTest::runUnderXvfb<QCoreApplication, tst_PlayerX11>(argc, argv);
}

#include "tst_playerx11.moc"
