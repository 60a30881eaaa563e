// SPDX-License-Identifier: LGPL-2.1-or-later
// zentrix-player on a private X server with a clip on its command line, seen
// from outside as a person sees it: the window's pixels, read back from the
// server, show a picture that changes.
#include "xvfb.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

class Screen
{
public:
    bool connect()
    {
        m_connection = xcb_connect(nullptr, nullptr);
        return !xcb_connection_has_error(m_connection);
    }
    ~Screen() { xcb_disconnect(m_connection); }

    //! The top-level window whose WM_NAME contains \a title, or none.
    xcb_window_t findWindow(const QByteArray &title)
    {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        xcb_query_tree_reply_t *tree =
            xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, root), nullptr);
        xcb_window_t found = XCB_WINDOW_NONE;
        const xcb_window_t *children = tree ? xcb_query_tree_children(tree) : nullptr;
        for (int i = 0; tree && i < xcb_query_tree_children_length(tree) && !found; ++i) {
            xcb_get_property_reply_t *name =
                xcb_get_property_reply(m_connection,
                                       xcb_get_property(m_connection, 0, children[i],
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
            xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr);
        if (!geometry)
            return {};
        const int width = geometry->width / 2, height = geometry->height / 3;
        const int x = geometry->width / 4, y = geometry->height / 4;
        std::free(geometry);
        xcb_get_image_reply_t *image = xcb_get_image_reply(
            m_connection,
            xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, int16_t(x), int16_t(y),
                          uint16_t(width), uint16_t(height), ~0u),
            nullptr);
        QByteArray pixels;
        if (image)
            pixels = QByteArray(reinterpret_cast<const char *>(xcb_get_image_data(image)),
                                xcb_get_image_data_length(image));
        std::free(image);
        return pixels;
    }

private:
    xcb_connection_t *m_connection = nullptr;
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

private:
    Screen m_screen;
};

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
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ZENTRIX_PLAYER_AUDIO"), QStringLiteral("null"));
    environment.insert(QStringLiteral("QT_LOGGING_RULES"),
                       QStringLiteral("zentrix.player.info=true"));
    if (renderer.isEmpty())
        environment.remove(QStringLiteral("ZENTRIX_PLAYER_VIDEO"));
    else
        environment.insert(QStringLiteral("ZENTRIX_PLAYER_VIDEO"), renderer);
    player.setProcessEnvironment(environment);
    player.start(QStringLiteral(PLAYER_EXECUTABLE), {QStringLiteral(PLAYER_CLIPS_DIR "/tour.mkv")});
    QVERIFY(player.waitForStarted());

    xcb_window_t window = XCB_WINDOW_NONE;
    QTRY_VERIFY_WITH_TIMEOUT((window = m_screen.findWindow("tour.mkv - Zentrix Player")), 15000);
    // The first frames arrive after the title; a picture is what is waited for.
    QByteArray first;
    QTRY_VERIFY_WITH_TIMEOUT(variety(first = m_screen.videoPixels(window)) > 0.3, 10000);
    QTest::qWait(1000);
    const QByteArray second = m_screen.videoPixels(window);
    QVERIFY(variety(second) > 0.3);
    QVERIFY2(first != second, "the picture did not change in a second");

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

int main(int argc, char *argv[])
{
    MavTest::Xvfb server;
    if (!server.start()) {
        std::fprintf(stderr, "cannot start Xvfb\n");
        return 1;
    }
    QCoreApplication app(argc, argv);
    tst_PlayerX11 test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_playerx11.moc"
