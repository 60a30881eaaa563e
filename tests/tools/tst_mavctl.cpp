// SPDX-License-Identifier: LGPL-2.1-or-later
#include "mavctlprocess.h"
#include "testenvironment.h"

#include <MavLibrary/libraryinfo.h>

#include <QTest>

#include <memory>

using MavTest::runMavctl;

class tst_Mavctl : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<MavTest::TestEnvironment>(); }
    void cleanup() { m_env.reset(); }

    void exitCodes_data();
    void exitCodes();

private:
    std::unique_ptr<MavTest::TestEnvironment> m_env;
};

void tst_Mavctl::exitCodes_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("stdoutContains");
    QTest::addColumn<QString>("stderrContains");

    QTest::newRow("no command") << QStringList() << 2 << QString() << QStringLiteral("Usage:");
    QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0
                          << QStringLiteral("info") << QString();
    QTest::newRow("version") << QStringList{QStringLiteral("--version")} << 0
                             << Quorvex::LibraryInfo::version() << QString();
    QTest::newRow("unknown command") << QStringList{QStringLiteral("frobnicate")} << 2 << QString()
                                     << QStringLiteral("unknown command 'frobnicate'");
    QTest::newRow("command help") << QStringList{QStringLiteral("info"), QStringLiteral("--help")}
                                  << 0 << QStringLiteral("Usage: mavctl info") << QString();
    QTest::newRow("unknown option") << QStringList{QStringLiteral("info"), QStringLiteral("--bogus")}
                                    << 2 << QString() << QStringLiteral("bogus");
    QTest::newRow("stray argument") << QStringList{QStringLiteral("info"), QStringLiteral("x")} << 2
                                    << QString() << QStringLiteral("no arguments");
}

void tst_Mavctl::exitCodes()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, stdoutContains);
    QFETCH(QString, stderrContains);

    const auto result = runMavctl(arguments);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(result.out.contains(stdoutContains), qPrintable(result.out));
    QVERIFY2(result.err.contains(stderrContains), qPrintable(result.err));
}

QTEST_GUILESS_MAIN(tst_Mavctl)
#include "tst_mavctl.moc"
