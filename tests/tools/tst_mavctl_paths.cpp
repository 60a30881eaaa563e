// SPDX-License-Identifier: LGPL-2.1-or-later
// mavctl paths and mavctl settings catalogue: both only look, creating nothing.
#include "mavctlprocess.h"
#include "testenvironment.h"

#include <MavLibrary/settings/settingsfunctions.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

class tst_MavctlPaths : public QObject
{
    Q_OBJECT

private slots:
    void pathsAndCatalogue();
};

void tst_MavctlPaths::pathsAndCatalogue()
{
    MavTest::TestEnvironment env;
    QVERIFY(MavTest::writeFile(env.path(QStringLiteral(".config/user-dirs.dirs")),
                               "XDG_VIDEOS_DIR=\"$HOME/Filme\"\n"));
    QVERIFY(QDir().mkpath(env.path(QStringLiteral("Filme"))));
    const QString movies = env.path(QStringLiteral("Filme/Zentrix Movies"));

    const auto text = MavTest::runMavctl({"paths"});
    QCOMPARE(text.exitCode, 0);
    QVERIFY2(text.out.contains("Movies: " + movies + " (missing); free "), qPrintable(text.out));
    const auto json = MavTest::runMavctl({"paths", "--json"});
    const QJsonObject data = QJsonDocument::fromJson(json.out.toUtf8()).array().at(1).toObject();
    QCOMPARE(data.value("path").toString(),
             env.path(QStringLiteral(".local/share/Zentrix/Player")));
    QCOMPARE(data.value("exists").toBool(true), false);
    QVERIFY(data.value("freeBytes").toDouble() > 0);

    QVERIFY(ztds::userSettings::setString("Player/General", "Skin", std::string("Dark")));
    QVERIFY(ztds::userSettings::setDword("Player/PlayerState", "Volume", 10));
    QCOMPARE(MavTest::runMavctl({"settings", "catalogue"}).out.count(QLatin1Char('\n')), 114);
    const auto catalogue = MavTest::runMavctl({"settings", "catalogue", "--values", "--json"});
    QCOMPARE(catalogue.exitCode, 0);
    const QJsonArray rows = QJsonDocument::fromJson(catalogue.out.toUtf8()).array();
    QCOMPARE(rows.size(), 114);
    const QJsonObject expected[] = {
        QJsonDocument::fromJson(R"({"id":31,"group":"General","key":"Skin",
            "default":{"type":"text","value":"PlayerWindowV8"},"value":{"type":"text","value":"Dark"}})")
            .object(),
        QJsonDocument::fromJson(R"({"id":16,"group":"PlayerState","key":"Volume",
            "default":null,"value":{"type":"number","value":"10"}})")
            .object(),
        QJsonDocument::fromJson(R"({"id":113,"group":"OSD","key":"OSDFont","value":null,
            "default":{"type":"font","value":"Arial,14,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"}})")
            .object(),
        QJsonObject {{"id", 34},
                     {"group", "General"},
                     {"key", "MediaFolder"},
                     {"value", QJsonValue()},
                     {"default", QJsonObject {{"type", "text"}, {"value", movies}}}},
    };
    for (const QJsonObject &row : expected)
        QCOMPARE(rows.at(row.value("id").toInt()).toObject(), row);
    QVERIFY(!QFileInfo::exists(movies));
    QVERIFY(!QFileInfo::exists(env.path(QStringLiteral(".local/share/Zentrix"))));
}

QTEST_GUILESS_MAIN(tst_MavctlPaths)
#include "tst_mavctl_paths.moc"
