// SPDX-License-Identifier: LGPL-2.1-or-later
#include "mavctlprocess.h"
#include "testenvironment.h"

#include <QTest>

#include <memory>

using MavTest::runMavctl;

class tst_MavctlNames : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<MavTest::TestEnvironment>(); }
    void cleanup() { m_env.reset(); }

    void lookups_data();
    void lookups();
    void listings_data();
    void listings();

private:
    std::unique_ptr<MavTest::TestEnvironment> m_env;
};

void tst_MavctlNames::lookups_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("errContains");

    QTest::newRow("language, upper case") << QStringList {"languages", "EN"} << 0 << "en\tEnglish\n"
                                          << QString();
    QTest::newRow("language, unknown")
        << QStringList {"languages", "he"} << 1 << QString() << "unknown language code 'he'";
    QTest::newRow("language, two codes")
        << QStringList {"languages", "en", "fr"} << 2 << QString() << "at most one code";
    QTest::newRow("country, trailing space kept")
        << QStringList {"countries", "Ci"} << 0 << "ci\tIvory Coast (Cote D'Ivoire) \n"
        << QString();
    QTest::newRow("region, unknown") << QStringList {"codepages", "--region", "Nowhere"} << 1
                                     << QString() << "unknown region 'Nowhere'";
}

void tst_MavctlNames::lookups()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, errContains);

    const auto result = runMavctl(arguments);
    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(result.out, out);
    QVERIFY2(result.err.contains(errContains), qPrintable(result.err));
}

void tst_MavctlNames::listings_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");

    // The full code page and country lists are the library's own, tested there.
    QTest::newRow("one region, CP866 twice")
        << QStringList {"codepages", "--region", "East European"} << 18
        << "iso-8859-2\tCentral European (ISO-8859-2)"
        << "CP866\tCyrillic (MS-DOS 866)";
    QTest::newRow("languages, two-letter first") << QStringList {"languages"} << 321 << "aa\tAfar"
                                                 << "zul\tZulu";
}

void tst_MavctlNames::listings()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, lines);
    QFETCH(QString, first);
    QFETCH(QString, last);

    const auto result = runMavctl(arguments);
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.out.endsWith(QLatin1Char('\n')));
    const QStringList rows = result.out.chopped(1).split(QLatin1Char('\n'));
    QCOMPARE(rows.size(), lines);
    QCOMPARE(rows.first(), first);
    QCOMPARE(rows.last(), last);
    for (const QString &row : rows)
        QCOMPARE(row.count(QLatin1Char('\t')), 1);
}

QTEST_GUILESS_MAIN(tst_MavctlNames)
#include "tst_mavctl_names.moc"
