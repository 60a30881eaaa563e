// SPDX-License-Identifier: LGPL-2.1-or-later
#include "testenvironment.h"

#include <QDir>
#include <QStandardPaths>
#include <QTest>

class tst_TestEnvironment : public QObject
{
    Q_OBJECT

private slots:
    void variablesPointIntoTheFolder_data();
    void variablesPointIntoTheFolder();
    void restoresPreviousValues();
    void qtFollowsTheVariables();
};

void tst_TestEnvironment::variablesPointIntoTheFolder_data()
{
    QTest::addColumn<QByteArray>("name");
    for (const char *name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                             "XDG_STATE_HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_DIRS",
                             "XDG_DATA_DIRS", "ZENTRIX_USER_HIVE", "ZENTRIX_MACHINE_HIVE"})
        QTest::newRow(name) << QByteArray(name);
}

void tst_TestEnvironment::variablesPointIntoTheFolder()
{
    QFETCH(QByteArray, name);
    MavTest::TestEnvironment env;
    QVERIFY(env.isValid());
    QVERIFY2(qEnvironmentVariable(name).startsWith(env.root()),
             qPrintable(qEnvironmentVariable(name)));
}

void tst_TestEnvironment::restoresPreviousValues()
{
    const QByteArray before = qgetenv("HOME");
    qunsetenv("MAVTEST_PROBE");
    QString root;
    {
        MavTest::TestEnvironment env;
        env.setVariable("MAVTEST_PROBE", "1");
        root = env.root();
        QVERIFY(QDir(root).exists());
        QVERIFY(qgetenv("HOME") != before);
    }
    QCOMPARE(qgetenv("HOME"), before);
    QVERIFY(!qEnvironmentVariableIsSet("MAVTEST_PROBE"));
    QVERIFY(!QDir(root).exists());
}

void tst_TestEnvironment::qtFollowsTheVariables()
{
    MavTest::TestEnvironment env;
    QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
             env.path(QStringLiteral(".local/share")));
    QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
             env.path(QStringLiteral(".config")));
}

QTEST_GUILESS_MAIN(tst_TestEnvironment)
#include "tst_testenvironment.moc"
