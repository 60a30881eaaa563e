// SPDX-License-Identifier: LGPL-2.1-or-later
// The configuration values and the caches of the locale, platform and version
// information are filled by whichever thread asks first: many threads asking
// first at once must all get the one answer (and, under ThreadSanitizer, touch
// nothing unguarded).
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
    // First: the configuration is settled by the first lookup of the process.
    void configFromManyThreads();
    void concurrentFirstUse();
};

void tst_OSUtilitiesFirstUse::configFromManyThreads()
{
    constexpr int threadCount = 8;
    std::vector<std::string> ids(threadCount);
    std::vector<std::wstring> wideIds(threadCount);
    std::vector<int> ownValues(threadCount, -1);
    std::latch start(threadCount);
    std::vector<std::thread> threads;
    for (int i = 0; i < threadCount; ++i) {
        threads.emplace_back([&, i] {
            const QString own = QStringLiteral("Test/Key%1").arg(i);
            const QString other = QStringLiteral("Test/Key%1").arg((i + 1) % threadCount);
            start.arrive_and_wait();
            // Overrides written while others look them up, the file looked for
            // and the component id computed, all for the first time at once.
            for (int round = 0; round < 50; ++round) {
                OSUtilities::setConfigValue(own, round);
                OSUtilities::readConfigValue(other, -1);
            }
            ownValues[i] = OSUtilities::readConfigValue(own, -1).toInt();
            if (i % 2) {
                ids[i] = OSUtilities::getComponentIdUTF8();
                wideIds[i] = OSUtilities::getComponentIdWide();
            } else {
                wideIds[i] = OSUtilities::getComponentIdWide();
                ids[i] = OSUtilities::getComponentIdUTF8();
            }
        });
    }
    for (auto &thread : threads)
        thread.join();
    for (int i = 0; i < threadCount; ++i) {
        QCOMPARE(ownValues[i], 49);
        QCOMPARE(ids[i], std::string("Player"));
        QCOMPARE(wideIds[i], std::wstring(L"Player"));
    }
}

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
                    OSUtilities::setLocale(QStringLiteral("en_US")); // a writer among the readers
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
