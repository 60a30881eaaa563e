// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QTest>

#include <cstdio>

namespace MavTest {

/*!
    A private X server on a free display, for tests where X11 matters; it ends with
    its test, even one that crashes. Start it in main() before the application
    object: start() points DISPLAY at it and makes Qt use its xcb platform.
*/
class Xvfb
{
public:
    Xvfb() = default;
    ~Xvfb();
    Xvfb(const Xvfb &) = delete;
    Xvfb &operator=(const Xvfb &) = delete;

    bool start();
    QByteArray display() const { return ':' + m_display; }

private:
    QProcess m_process;
    QByteArray m_display;
};

//! The body of a test's main(): \a Test under \a Application on a private server.
template<typename Application, typename Test> int runUnderXvfb(int argc, char *argv[])
{
    Xvfb server;
    if (!server.start()) {
        std::fprintf(stderr, "cannot start Xvfb\n");
        return 1;
    }
    Application app(argc, argv);
    Test test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace MavTest
