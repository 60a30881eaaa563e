// SPDX-License-Identifier: LGPL-2.1-or-later
// The ping worker and plug-ins read the temporary paths while the host sets them.
#include "testenvironment.h"

#include <MavLibrary/os/osutilities.h>

#include <QDir>
#include <QTest>

#include <atomic>
#include <thread>

using Quorvex::OSUtilities;

class tst_OSUtilitiesTempPaths : public QObject
{
    Q_OBJECT

private slots:
    void readWhole();
};

void tst_OSUtilitiesTempPaths::readWhole()
{
    const QString a(200, QLatin1Char('a')), b(300, QLatin1Char('b'));
    OSUtilities::setTempPath(a);
    const MavTest::TestEnvironment env;
    const QString made = env.root() + QStringLiteral("/.downloads");
    std::atomic<bool> done = false, torn = false;
    // One reader a path, so that neither is ordered by the other's lock.
    std::thread tempReader([&] {
        while (!done) {
            const QString seen = OSUtilities::getTempPath();
            torn = torn || (seen != a && seen != b);
        }
    });
    std::thread downloadReader([&] {
        while (!done) {
            const QString seen = OSUtilities::getTempDownloadDirectoryPath();
            torn = torn || (seen != made && seen != QDir::tempPath());
        }
    });
    for (int i = 0; i < 2000; ++i) {
        OSUtilities::setTempPath(i % 2 ? a : b);
        // A file cannot be a parent: every other call fails.
        OSUtilities::setTempDownloadDirectoryParent(i % 2 ? env.root()
                                                          : QStringLiteral("/proc/version"));
    }
    done = true;
    tempReader.join();
    downloadReader.join();
    QVERIFY(!torn);
}

QTEST_GUILESS_MAIN(tst_OSUtilitiesTempPaths)
#include "tst_osutilities_temppaths.moc"
