// SPDX-License-Identifier: LGPL-2.1-or-later
// The reference player sends no pings. Its own program: the platform is settled
// once per process.
#include "net/pingmanager_p.h"

#include <MavLibrary/net/ping.h>
#include <MavLibrary/net/pingmanager.h>
#include <MavLibrary/net/pingsender.h>
#include <MavLibrary/os/osutilities.h>

#include "testenvironment.h"

#include <rawhttpserver.h>

#include <QTest>

#include <atomic>

using Quorvex::OSUtilities;

class tst_PingReference : public QObject
{
    Q_OBJECT

private slots:
    void nothingSentNorReported();

private:
    MavTest::TestEnvironment m_env;
};

void tst_PingReference::nothingSentNorReported()
{
    OSUtilities::setConfigValue(QStringLiteral("Global/ReferencePlayerMode"), true);
    QCOMPARE(OSUtilities::getPlatform(), OSUtilities::PRef);
    MavTest::RawHttpServer server(MavTest::RawHttpServer::answer("HTTP/1.0 200 OK\r\n\r\n"));
    QVERIFY(server.start());
    class Counter : public PingSender
    {
    public:
        void pingCompleted(Ping *) override { ++reports; }
        std::atomic<int> reports = 0;
    } counter;
    const std::string url = server.url().toStdString();
    PingManager::sendPing(url, &counter, 1);
    counter.sendPing(url.c_str(), &counter, 2);
    QCOMPARE(PingManagerPrivate::managerCount(), 0);
    PingManager::shutdown();
    QTest::qWait(100);
    QCOMPARE(counter.reports.load(), 0);
    QCOMPARE(server.connectionCount(), 0);
}

QTEST_GUILESS_MAIN(tst_PingReference)
#include "tst_pingreference.moc"
