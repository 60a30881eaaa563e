// SPDX-License-Identifier: LGPL-2.1-or-later
// mavctl paths and mavctl settings catalogue.
#include "mavctlprocess.h"
#include "testenvironment.h"

#include <MavLibrary/settings/settingsfunctions.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <memory>

class tst_MavctlPaths : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_env.reset(); }
    void paths();
    void catalogue_data();
    void catalogue();

private:
    std::unique_ptr<MavTest::TestEnvironment> m_env;
};

void tst_MavctlPaths::init()
{
    m_env = std::make_unique<MavTest::TestEnvironment>();
    QFile dirs(m_env->path(QStringLiteral(".config/user-dirs.dirs")));
    QVERIFY(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_VIDEOS_DIR=\"$HOME/Filme\"\n");
    QVERIFY(QDir().mkpath(m_env->path(QStringLiteral("Filme"))));
}

void tst_MavctlPaths::paths()
{
    const QString movies = m_env->path(QStringLiteral("Filme/Zentrix Movies"));
    const auto text = MavTest::runMavctl({QStringLiteral("paths")});
    QCOMPARE(text.exitCode, 0);
    QVERIFY2(text.out.contains(QStringLiteral("Movies: ") + movies
                               + QStringLiteral(" (missing); free ")),
             qPrintable(text.out));

    const auto json = MavTest::runMavctl({QStringLiteral("paths"), QStringLiteral("--json")});
    QCOMPARE(json.exitCode, 0);
    const QJsonArray folders = QJsonDocument::fromJson(json.out.toUtf8()).array();
    QCOMPARE(folders.size(), 6);
    const QJsonObject data = folders.at(1).toObject();
    QCOMPARE(data.value("path").toString(),
             m_env->path(QStringLiteral(".local/share/Zentrix/Player")));
    QCOMPARE(data.value("exists").toBool(true), false);
    QVERIFY(data.value("freeBytes").toDouble() > 0);
    QVERIFY(data.value("freeBytes").toDouble() <= data.value("totalBytes").toDouble());
    // Looking creates nothing.
    QVERIFY(!QFileInfo::exists(movies));
    QVERIFY(!QFileInfo::exists(m_env->path(QStringLiteral(".local/share/Zentrix"))));
}

void tst_MavctlPaths::catalogue_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("defaultJson"); // compact JSON
    QTest::addColumn<QString>("valueJson");
    QTest::newRow("text") << 31 << R"({"type":"text","value":"PlayerWindowV8"})"
                          << R"({"type":"text","value":"Dark"})";
    QTest::newRow("number, no default") << 16 << "null"
                                        << R"({"type":"number","value":"10"})";
    QTest::newRow("not stored") << 59 << R"({"type":"text","value":""})"
                                << "null";
    QTest::newRow("font") << 113
                          << R"({"type":"font","value":"Arial,14,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"})"
                          << "null";
    QTest::newRow("movies folder, not made")
        << 34 << R"({"type":"text","value":"HOME/Filme/Zentrix Movies"})"
        << "null";
}

void tst_MavctlPaths::catalogue()
{
    QFETCH(int, id);
    QFETCH(QString, defaultJson);
    QFETCH(QString, valueJson);
    QVERIFY(ztds::userSettings::setString("Player/General", "Skin", std::string("Dark")));
    QVERIFY(ztds::userSettings::setDword("Player/PlayerState", "Volume", 10));

    const auto text = MavTest::runMavctl({"settings", "catalogue"});
    QCOMPARE(text.exitCode, 0);
    QCOMPARE(text.out.count(QLatin1Char('\n')), 114);
    const auto result = MavTest::runMavctl({"settings", "catalogue", "--values", "--json"});
    QCOMPARE(result.exitCode, 0);
    const QJsonArray rows = QJsonDocument::fromJson(result.out.toUtf8()).array();
    QCOMPARE(rows.size(), 114);
    const QJsonObject row = rows.at(id).toObject();
    QCOMPARE(row.value("id").toInt(), id);
    auto compact = [](const QJsonValue &v) {
        return v.isNull()
            ? QStringLiteral("null")
            : QString::fromUtf8(QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact));
    };
    QCOMPARE(compact(row.value("default")), defaultJson.replace("HOME", m_env->root()));
    QCOMPARE(compact(row.value("value")), valueJson);
    QVERIFY(!QFileInfo::exists(m_env->path(QStringLiteral("Filme/Zentrix Movies"))));
}

QTEST_GUILESS_MAIN(tst_MavctlPaths)
#include "tst_mavctl_paths.moc"
