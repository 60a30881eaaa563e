// SPDX-License-Identifier: LGPL-2.1-or-later
// The caches of the locale, platform and version information are filled by
// whichever thread asks first: many threads asking first at once must all get
// the one answer (and, under ThreadSanitizer, touch nothing unguarded).
#include "testenvironment.h"

#include <MavLibrary/os/osutilities.h>

#include <QGuiApplication>
#include <QTest>

#include <latch>
#include <memory>
#include <thread>
#include <vector>

using Quorvex::OSUtilities;

class tst_OSUtilitiesFirstUse : public QObject
{
    Q_OBJECT

private slots:
    void concurrentFirstUse();
};

void tst_OSUtilitiesFirstUse::concurrentFirstUse()
{
    MavTest::TestEnvironment environment;
    QCoreApplication::setApplicationVersion(QStringLiteral("9, 0, 2, 318"));
    QCoreApplication::setApplicationName(QStringLiteral("Player"));

    constexpr int threadCount = 8;
    struct Answer
    {
        QString version, internal, codePage, platform, url;
        bool capabilities = true;
    };
    std::vector<Answer> answers(threadCount);
    std::latch start(threadCount);
    std::vector<std::thread> threads;
    for (int i = 0; i < threadCount; ++i) {
        threads.emplace_back([&, i] {
            start.arrive_and_wait();
            Answer &a = answers[i];
            // Each thread starts somewhere else, so every cache has racing first users.
            for (int step = 0; step < 5; ++step) {
                switch ((i + step) % 5) {
                case 0:
                    a.version = OSUtilities::getVersion(31);
                    break;
                case 1:
                    a.internal = OSUtilities::getInternalVersion(31);
                    break;
                case 2:
                    a.codePage = OSUtilities::getSystemCodePage();
                    break;
                case 3:
                    a.platform = OSUtilities::getPlatformString();
                    break;
                case 4:
                    a.url = OSUtilities::appendLanguageCodeToURL(QStringLiteral("https://a.test"));
                    a.capabilities = OSUtilities::requestWindowSystemCapabilities(nullptr);
                    OSUtilities::cancelWindowSystemCapabilitiesRequest();
                    break;
                }
            }
        });
    }
    for (auto &thread : threads)
        thread.join();

    for (const Answer &a : answers) {
        QCOMPARE(a.version, QStringLiteral("9.0.2"));
        QCOMPARE(a.internal, QStringLiteral("9.0.2-318 Player"));
        QCOMPARE(a.codePage, QStringLiteral("437"));
        QCOMPARE(a.platform, QStringLiteral("X11"));
        QCOMPARE(a.url, QStringLiteral("https://a.test/en"));
        QVERIFY(!a.capabilities); // offscreen: no X11
    }
}

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    OSUtilities::setLocale(QStringLiteral("en_US"));
    tst_OSUtilitiesFirstUse test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_osutilities_firstuse.moc"
