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
    void info();

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

void tst_Mavctl::info()
{
    const auto result = runMavctl({QStringLiteral("info")});
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.err.isEmpty());
    const QStringList lines = result.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(lines.contains(QStringLiteral("MavLibrary: ") + Quorvex::LibraryInfo::version()));
    for (const char *prefix : {"Qt: 6.", "OpenSSL: OpenSSL 3", "SQLite: 3."}) {
        QVERIFY2(std::any_of(lines.cbegin(), lines.cend(),
                             [prefix](const QString &l) { return l.startsWith(QLatin1String(prefix)); }),
                 prefix);
    }
}

QTEST_GUILESS_MAIN(tst_Mavctl)
#include "tst_mavctl.moc"
