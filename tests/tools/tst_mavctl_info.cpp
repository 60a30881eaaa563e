// SPDX-License-Identifier: LGPL-2.1-or-later
// mavctl info: the player's platform, versions, locale and code page.
#include "mavctlprocess.h"
#include "testenvironment.h"

#include "settings/registry_p.h"

#include <MavLibrary/libraryinfo.h>
#include <MavLibrary/settings/izentrixsettings.h>
#include <MavLibrary/settings/refcounted.h>
#include <MavLibrary/settings/settingsfunctions.h>

#include <memory>

class tst_MavctlInfo : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<MavTest::TestEnvironment>(); }
    void cleanup() { m_environment.reset(); }
    void systemLines_data();
    void systemLines();
    void readsWithoutWriting_data();
    void readsWithoutWriting();

private:
    std::unique_ptr<MavTest::TestEnvironment> m_environment;
};

void tst_MavctlInfo::systemLines_data()
{
    QTest::addColumn<QByteArray>("lang");
    QTest::addColumn<QString>("playerVersion"); // null: none stored
    QTest::addColumn<bool>("icuMissing");
    QTest::addColumn<QStringList>("expected");
    const QString internal = QStringLiteral("Internal version: ") + Quorvex::LibraryInfo::version()
        + QStringLiteral(" mavctl");
    QTest::newRow("Russian, no setting")
        << QByteArray("ru_RU.UTF-8") << QString() << false
        << QStringList {"Platform: X11", "Component id: Player", "Version: 9.0.2",       internal,
                        "Language: ru",  "Country: ru",          "System code page: 866"};
    QTest::newRow("Brazilian, stored version")
        << QByteArray("pt_BR.UTF-8") << QStringLiteral("9.1.4-77") << false
        << QStringList {"Version: 9.1.4-77", "Language: pt", "Country: br",
                        "System code page: 850"};
    QTest::newRow("no converter library")
        << QByteArray("en_US.UTF-8") << QString() << true
        << QStringList {"Language: en", "Country: us", "System code page: (none)",
                        "MavLibrary: " + Quorvex::LibraryInfo::version()};
}

void tst_MavctlInfo::systemLines()
{
    QFETCH(QByteArray, lang);
    QFETCH(QString, playerVersion);
    QFETCH(bool, icuMissing);
    QFETCH(QStringList, expected);
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LC_CTYPE", "LANGUAGE"})
        m_environment->setVariable(name, QByteArray());
    m_environment->setVariable("LANG", lang);
    if (icuMissing)
        m_environment->setVariable("ZENTRIX_ICU_LIBRARY",
                                   QFile::encodeName(m_environment->path("no-libicuuc.so")));
    if (!playerVersion.isNull()) {
        ztds::IZentrixSettings *section = nullptr;
        QVERIFY(ztds::openSettings("Settings/Player/General", ztds::CreateUser, &section));
        zttl::RefCountedPtr<ztds::IZentrixSettings> general;
        general.attach(section);
        QVERIFY(general->setString(std::wstring(L"PlayerVersion"), playerVersion.toStdWString()));
    }

    const auto result = MavTest::runMavctl({QStringLiteral("info")});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.err, QString());
    const QStringList lines = result.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : expected)
        QVERIFY2(lines.contains(line),
                 qPrintable(line + QStringLiteral(" not in:\n") + result.out));
}

void tst_MavctlInfo::readsWithoutWriting_data()
{
    QTest::addColumn<bool>("userHiveExists");
    QTest::newRow("no hives") << false;
    QTest::newRow("a user hive with other keys") << true;
}

void tst_MavctlInfo::readsWithoutWriting()
{
    QFETCH(bool, userHiveExists);
    if (userHiveExists)
        QVERIFY(ztds::userSettings::setInt("Other", "v", 1));
    QCOMPARE(MavTest::runMavctl({QStringLiteral("info")}).exitCode, 0);
    QCOMPARE(QFile::exists(m_environment->userHive()), userHiveExists);
    QVERIFY(!QFile::exists(m_environment->machineHive()));
    QVERIFY(!ztds::registry::openKey(ztds::registry::Hive::CurrentUser,
                                     L"SOFTWARE\\Zentrix\\Settings\\Player",
                                     ztds::registry::Access::Read));
}

QTEST_GUILESS_MAIN(tst_MavctlInfo)
#include "tst_mavctl_info.moc"
