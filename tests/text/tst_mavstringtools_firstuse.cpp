// SPDX-License-Identifier: LGPL-2.1-or-later
// Its own process, so that the threads below are the tables' very first users.
#include <MavLibrary/text/mavstringtools.h>

#include <QTest>

#include <latch>
#include <thread>
#include <vector>

using Quorvex::MavStringTools;

class tst_MavStringToolsFirstUse : public QObject
{
    Q_OBJECT

private slots:
    void concurrentFirstUse();
};

void tst_MavStringToolsFirstUse::concurrentFirstUse()
{
    constexpr int threadCount = 8;
    std::latch start(threadCount);
    std::vector<int> results(threadCount, 0);
    std::vector<std::thread> threads;
    for (int i = 0; i < threadCount; ++i) {
        threads.emplace_back([i, &start, &results] {
            start.arrive_and_wait();
            // Each thread reaches a different table first.
            bool good = false;
            switch (i % 4) {
            case 0:
                good = MavStringTools::languageCodeToString("heb") == QLatin1String("Hebrew");
                break;
            case 1:
                good = MavStringTools::countryCodeToString("gb") == QLatin1String("Great Britain");
                break;
            case 2:
                good = MavStringTools::codePages().size() == 100;
                break;
            case 3:
                good = MavStringTools::codePagesForRegion("East European").size() == 18;
                break;
            }
            good = good && MavStringTools::threeLetterLanguageCodeMap().size() == 185;
            results[i] = good ? 1 : -1;
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    for (int i = 0; i < threadCount; ++i)
        QVERIFY2(results[i] == 1, qPrintable(QString::number(i)));
}

QTEST_GUILESS_MAIN(tst_MavStringToolsFirstUse)
#include "tst_mavstringtools_firstuse.moc"
