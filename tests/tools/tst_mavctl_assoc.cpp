// SPDX-License-Identifier: LGPL-2.1-or-later
// mavctl assoc: reading, taking over and giving back file type associations.
#include "mavctlprocess.h"
#include "testenvironment.h"

#include "settings/registry_p.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <memory>

namespace reg = ztds::registry;

class tst_MavctlAssoc : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_env.reset(); }
    void takeAndGiveBack();
    void failures_data();
    void failures();

private:
    QJsonObject get();
    std::unique_ptr<MavTest::TestEnvironment> m_env;
};

void tst_MavctlAssoc::init()
{
    m_env = std::make_unique<MavTest::TestEnvironment>();
    m_env->setVariable("XDG_CURRENT_DESKTOP", QByteArray());
    m_env->setVariable("XDG_DATA_DIRS", QFile::encodeName(MavTest::systemMimeDataDir()));
    const QString applications = m_env->path(QStringLiteral(".local/share/applications/"));
    QDir().mkpath(applications);
    for (const char *id : {"zentrix-player.desktop", "othervideo.desktop"})
        QVERIFY(MavTest::writeFile(
            applications + QLatin1String(id),
            "[Desktop Entry]\nType=Application\nExec=true\nMimeType=video/x-msvideo;\n"));
}

QJsonObject tst_MavctlAssoc::get()
{
    const auto result = MavTest::runMavctl({"assoc", "get", "avi", "--json"});
    return result.exitCode == 0
        ? QJsonDocument::fromJson(result.out.toUtf8()).array().at(0).toObject()
        : QJsonObject {{"error", result.err}};
}

void tst_MavctlAssoc::takeAndGiveBack()
{
    auto key = reg::createKey(reg::Hive::CurrentUser, L"Software\\Classes\\.avi");
    QVERIFY(key && key->setValue(std::wstring(), reg::RegSz, reg::wideToRegSz(L"other_avi")));
    const QJsonObject before = get();
    QCOMPARE(before.value("progId").toString(), QStringLiteral("other_avi"));
    QCOMPARE(before.value("mimeType").toString(), QStringLiteral("video/x-msvideo"));
    QCOMPARE(before.value("defaultApplication").toString(), QStringLiteral("othervideo.desktop"));

    auto result = MavTest::runMavctl({"assoc", "take", "avi"});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.err, QString());
    const QJsonObject taken = get();
    QCOMPARE(taken.value("progId").toString(), QStringLiteral("zentrix_avi_file"));
    QCOMPARE(taken.value("classBackup").toString(), QStringLiteral("other_avi"));
    QCOMPARE(taken.value("defaultApplication").toString(),
             QStringLiteral("zentrix-player.desktop"));
    QCOMPARE(taken.value("defaultApplicationBackup").toString(),
             QStringLiteral("othervideo.desktop"));

    result = MavTest::runMavctl({"assoc", "give-back", ".avi"});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(get(), before);
    result = MavTest::runMavctl({"assoc", "get", "avi"});
    QVERIFY2(result.out.startsWith(QStringLiteral(".avi\n  progId: other_avi\n")),
             qPrintable(result.out));
}

void tst_MavctlAssoc::failures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("mimeapps"); // null: none
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("no sub-command") << QStringList {"assoc"} << QByteArray() << 2 << "";
    QTest::newRow("unknown sub-command")
        << QStringList {"assoc", "frob"} << QByteArray() << 2 << "unknown";
    QTest::newRow("no extension") << QStringList {"assoc", "take"} << QByteArray() << 2
                                  << "extension";
    QTest::newRow("not an extension")
        << QStringList {"assoc", "take", "mkv\\..\\avi"} << QByteArray() << 1
        << "not a file name extension: mkv\\..\\avi";
    for (const char *name : {"..", "*", "avi;mkv", "avi mkv", "../x", "."})
        QTest::addRow("\"%s\" is no plain extension", name)
            << QStringList {"assoc", "take", name} << QByteArray() << 1
            << QStringLiteral("not a file name extension: %1").arg(QLatin1String(name));
    QTest::newRow("malformed mimeapps.list")
        << QStringList {"assoc", "take", "avi"} << QByteArray("avi\n") << 1
        << "mimeapps.list is no MIME applications file, line 1";
}

void tst_MavctlAssoc::failures()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, mimeapps);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    if (!mimeapps.isNull())
        QVERIFY(MavTest::writeFile(m_env->path(QStringLiteral(".config/mimeapps.list")), mimeapps));
    const auto result = MavTest::runMavctl(arguments);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
}

QTEST_GUILESS_MAIN(tst_MavctlAssoc)
#include "tst_mavctl_assoc.moc"
