// SPDX-License-Identifier: LGPL-2.1-or-later
// Window-system effects on a private Xvfb server. The test itself plays the
// compositor: it owns _NET_WM_CM_S0 and writes the root's _NET_SUPPORTED.
#include <MavLibrary/os/osutilities.h>

#include "xcbconnection.h"
#include "xvfb.h"

#include <QGuiApplication>
#include <QProcess>
#include <QRect>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

using Quorvex::OSUtilities;

namespace {

constexpr long Composition = 1;
constexpr long Blur = 2;

// The compositor's part, and the checks.
class Server : public MavTest::XcbConnection
{
public:
    xcb_window_t createWindow()
    {
        const xcb_window_t window = xcb_generate_id(connection());
        xcb_create_window(connection(), XCB_COPY_FROM_PARENT, window, root(), 0, 0, 64, 64, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        sync();
        return window;
    }
    void destroyWindow(xcb_window_t window)
    {
        xcb_destroy_window(connection(), window);
        sync();
    }

    void ownCompositorSelection(bool own)
    {
        if (own && !m_owner) {
            m_owner = createWindow();
            xcb_set_selection_owner(connection(), m_owner, atom("_NET_WM_CM_S0"), XCB_CURRENT_TIME);
        } else if (!own && m_owner) {
            xcb_destroy_window(connection(), m_owner); // gives up the selection
            m_owner = 0;
        }
        sync();
    }

    void setSupported(const std::vector<const char *> &names)
    {
        std::vector<xcb_atom_t> atoms;
        for (const char *name : names)
            atoms.push_back(atom(name));
        xcb_change_property(connection(), XCB_PROP_MODE_REPLACE, root(), atom("_NET_SUPPORTED"),
                            XCB_ATOM_ATOM, 32, uint32_t(atoms.size()), atoms.data());
        sync();
    }
    void clearSupported()
    {
        xcb_delete_property(connection(), root(), atom("_NET_SUPPORTED"));
        sync();
    }

    //! The property's CARDINAL values; empty when it is not there.
    std::vector<uint32_t> cardinals(xcb_window_t window, const char *name)
    {
        xcb_get_property_reply_t *reply = xcb_get_property_reply(
            connection(),
            xcb_get_property(connection(), 0, window, atom(name), XCB_ATOM_CARDINAL, 0, 64),
            nullptr);
        std::vector<uint32_t> values;
        if (reply && reply->format == 32) {
            const auto *data = static_cast<const uint32_t *>(xcb_get_property_value(reply));
            values.assign(data, data + xcb_get_property_value_length(reply) / 4);
        }
        std::free(reply);
        return values;
    }

private:
    xcb_window_t m_owner = 0;
};

const char blurAtom[] = "_KDE_NET_WM_BLUR_BEHIND_REGION";

} // namespace

class tst_OSUtilitiesX11 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_server.connect()); }
    void cleanup();

    void capabilities_data();
    void capabilities();
    void blurRefusedWithoutCompositor();
    void blurProperty_data();
    void blurProperty();
    void blurOnMissingWindow();
    void requestsAreCounted();
    void offscreenPlatform();

private:
    Server m_server;
};

void tst_OSUtilitiesX11::cleanup()
{
    m_server.ownCompositorSelection(false);
    m_server.clearSupported();
}

void tst_OSUtilitiesX11::capabilities_data()
{
    QTest::addColumn<bool>("compositor");
    QTest::addColumn<QList<QByteArray>>("supported");
    QTest::addColumn<long>("expected");
    const QByteArray other("_NET_WM_STATE");
    QTest::newRow("plain server") << false << QList<QByteArray> {} << 0L;
    QTest::newRow("compositor") << true << QList<QByteArray> {other} << Composition;
    QTest::newRow("blur listed, no compositor") << false << QList<QByteArray> {blurAtom} << 0L;
    QTest::newRow("compositor with blur")
        << true << QList<QByteArray> {other, blurAtom} << (Composition | Blur);
}

void tst_OSUtilitiesX11::capabilities()
{
    QFETCH(bool, compositor);
    QFETCH(QList<QByteArray>, supported);
    QFETCH(long, expected);
    m_server.ownCompositorSelection(compositor);
    std::vector<const char *> names;
    for (const QByteArray &name : supported)
        names.push_back(name.constData());
    m_server.setSupported(names);

    long capabilities = -1;
    QVERIFY(OSUtilities::requestWindowSystemCapabilities(&capabilities));
    OSUtilities::cancelWindowSystemCapabilitiesRequest();
    QCOMPARE(capabilities, expected);
}

void tst_OSUtilitiesX11::blurRefusedWithoutCompositor()
{
    m_server.setSupported({blurAtom});
    const xcb_window_t window = m_server.createWindow();
    long capabilities = -1;
    QVERIFY(OSUtilities::requestWindowSystemCapabilities(&capabilities));
    QCOMPARE(capabilities, 0L);
    QVERIFY(!OSUtilities::setWindowBlurEnabled(reinterpret_cast<void *>(quintptr(window)),
                                               QRect(0, 0, 10, 10), true));
    OSUtilities::cancelWindowSystemCapabilitiesRequest();
    QVERIFY(m_server.cardinals(window, blurAtom).empty());
    m_server.destroyWindow(window);
}

void tst_OSUtilitiesX11::blurProperty_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QList<uint>>("expected"); // x, y, width, height
    QTest::newRow("area") << QRect(10, 20, 100, 50) << QList<uint> {10, 20, 100, 50};
    // Inclusive corners (3,4) and (3,4) are one pixel.
    QTest::newRow("one pixel") << QRect(QPoint(3, 4), QPoint(3, 4)) << QList<uint> {3, 4, 1, 1};
    QTest::newRow("whole window") << QRect(0, 0, 64, 64) << QList<uint> {0, 0, 64, 64};
}

void tst_OSUtilitiesX11::blurProperty()
{
    QFETCH(QRect, area);
    QFETCH(QList<uint>, expected);
    m_server.ownCompositorSelection(true);
    m_server.setSupported({blurAtom});
    const xcb_window_t window = m_server.createWindow();
    void *handle = reinterpret_cast<void *>(quintptr(window));

    long capabilities = 0;
    QVERIFY(OSUtilities::requestWindowSystemCapabilities(&capabilities));
    QCOMPARE(capabilities, Composition | Blur);
    QVERIFY(OSUtilities::setWindowBlurEnabled(handle, area, true));
    const std::vector<uint32_t> values = m_server.cardinals(window, blurAtom);
    QCOMPARE(QList<uint>(values.begin(), values.end()), expected);

    QVERIFY(OSUtilities::setWindowBlurEnabled(handle, area, false));
    QVERIFY(m_server.cardinals(window, blurAtom).empty());

    OSUtilities::cancelWindowSystemCapabilitiesRequest();
    QVERIFY(!OSUtilities::setWindowBlurEnabled(handle, area, true));
    QVERIFY(m_server.cardinals(window, blurAtom).empty());
    m_server.destroyWindow(window);
}

void tst_OSUtilitiesX11::blurOnMissingWindow()
{
    m_server.ownCompositorSelection(true);
    m_server.setSupported({blurAtom});
    const xcb_window_t window = m_server.createWindow();
    m_server.destroyWindow(window);
    QVERIFY(OSUtilities::requestWindowSystemCapabilities(nullptr));
    void *handle = reinterpret_cast<void *>(quintptr(window));
    QVERIFY(!OSUtilities::setWindowBlurEnabled(handle, QRect(0, 0, 5, 5), true));
    QVERIFY(!OSUtilities::setWindowBlurEnabled(handle, QRect(0, 0, 5, 5), false));
    OSUtilities::cancelWindowSystemCapabilitiesRequest();
}

void tst_OSUtilitiesX11::requestsAreCounted()
{
    long capabilities = -1;
    QVERIFY(OSUtilities::requestWindowSystemCapabilities(&capabilities));
    QCOMPARE(capabilities, 0L);

    // A second request shares the first one's answer: nothing is asked again.
    m_server.ownCompositorSelection(true);
    capabilities = -1;
    QVERIFY(OSUtilities::requestWindowSystemCapabilities(&capabilities));
    QCOMPARE(capabilities, 0L);

    OSUtilities::cancelWindowSystemCapabilitiesRequest();
    OSUtilities::cancelWindowSystemCapabilitiesRequest();
    // Unmatched: the count stays at 0.
    OSUtilities::cancelWindowSystemCapabilitiesRequest();

    // So this is a first request again, and it sees the compositor.
    QVERIFY(OSUtilities::requestWindowSystemCapabilities(&capabilities));
    QCOMPARE(capabilities, Composition);
    OSUtilities::cancelWindowSystemCapabilitiesRequest();
}

void tst_OSUtilitiesX11::offscreenPlatform()
{
    m_server.ownCompositorSelection(true);
    m_server.setSupported({blurAtom});
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--offscreen")});
    QVERIFY(child.waitForFinished(30000));
    // Two requests: the second must not report the failed load as success.
    QCOMPARE(QString::fromLatin1(child.readAllStandardOutput()), QStringLiteral("0 0\n0 0\n0\n"));
}

namespace {

// Under the offscreen platform: X11 is there, but the application does not use it.
int offscreenChild(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    for (int i = 0; i < 2; ++i) {
        long capabilities = -1;
        const bool result = OSUtilities::requestWindowSystemCapabilities(&capabilities);
        std::printf("%d %ld\n", int(result), capabilities);
    }
    std::printf("%d\n", int(OSUtilities::setWindowBlurEnabled(nullptr, QRect(0, 0, 1, 1), true)));
    OSUtilities::cancelWindowSystemCapabilitiesRequest();
    OSUtilities::cancelWindowSystemCapabilitiesRequest();
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 2 && std::strcmp(argv[1], "--offscreen") == 0)
        return offscreenChild(argc, argv);

    return MavTest::runUnderXvfb<QGuiApplication, tst_OSUtilitiesX11>(argc, argv);
}

#include "tst_osutilities_x11.moc"
