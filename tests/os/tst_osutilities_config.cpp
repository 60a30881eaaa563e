// SPDX-License-Identifier: LGPL-2.1-or-later
#include "childprocess.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <memory>

// Each row runs a copy of the probe in a folder of its own, where "Config.cfg"
// beside the program is the row's file.
class tst_OSUtilitiesConfig : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<MavTest::TestEnvironment>(); }
    void cleanup() { m_env.reset(); }

    void lookups_data();
    void lookups();

private:
    std::unique_ptr<MavTest::TestEnvironment> m_env;
};

void tst_OSUtilitiesConfig::lookups_data()
{
    QTest::addColumn<QString>("file"); // empty: no file
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected");

    const QString reference = QStringLiteral("[Global]\nReferencePlayerMode=true\n");
    const QString custom =
        QStringLiteral("[Global]\nReferencePlayerMode=true\nComponentId=Kiosk\n");
    QTest::newRow("no file") << QString() << QStringList {"id"} << QStringList {"Player"};
    QTest::newRow("reference player mode")
        << reference << QStringList {"id"} << QStringList {"Player_PRef"};
    QTest::newRow("component id in the file")
        << custom << QStringList {"id"} << QStringList {"Kiosk"};
    QTest::newRow("override before the first id")
        << custom << QStringList {"set:Global/ComponentId=Tablet", "id"} << QStringList {"Tablet"};
    QTest::newRow("override after the first id")
        << custom
        << QStringList {"id", "set:Global/ComponentId=Tablet", "id", "read:Global/ComponentId"}
        << QStringList {"Kiosk", "Kiosk", "Tablet"};
    QTest::newRow("override of reference mode")
        << reference << QStringList {"set:Global/ReferencePlayerMode=false", "id"}
        << QStringList {"Player"};
    QTest::newRow("missing key gives the default")
        << custom << QStringList {"read:Global/Nothing"} << QStringList {"default"};
    QTest::newRow("file created after the first lookup")
        << QString()
        << QStringList {"read:Global/ComponentId", "file:[Global]|ComponentId=Late", "id"}
        << QStringList {"default", "Player"};
}

void tst_OSUtilitiesConfig::lookups()
{
    QFETCH(QString, file);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);
    const QString probe = m_env->path(QStringLiteral("app/configprobe"));
    QVERIFY(QDir().mkpath(m_env->path(QStringLiteral("app"))));
    QVERIFY(QFile::copy(QStringLiteral(CONFIGPROBE_PATH), probe));
    if (!file.isEmpty())
        QVERIFY(MavTest::writeFile(m_env->path(QStringLiteral("app/Config.cfg")), file.toUtf8()));
    const MavTest::ChildResult child = MavTest::runChild(probe, steps);
    QCOMPARE(child.exitCode, 0);
    const QString out = QString::fromUtf8(child.out);
    QCOMPARE(out.split(QLatin1Char('\n'), Qt::SkipEmptyParts), expected);
}

QTEST_GUILESS_MAIN(tst_OSUtilitiesConfig)
#include "tst_osutilities_config.moc"
