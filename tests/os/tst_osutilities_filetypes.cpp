// SPDX-License-Identifier: LGPL-2.1-or-later
// File type associations: the two registry places, the MIME applications files
// as xdg-mime reads them, and writes that fail.
#include "childprocess.h"
#include "testenvironment.h"

#include "settings/registry_p.h"

#include <MavLibrary/os/osutilities.h>

#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <unistd.h>

#include <cstring>
#include <memory>

using MavTest::readFile;
using MavTest::writeFile;
using Quorvex::OSUtilities;
namespace reg = ztds::registry;

namespace {

const QString Classes = QStringLiteral("Software\\Classes\\");
const QString Choices =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\");

// "C:name=value" the user hive's class root, "M:" the machine hive's, "U:" the
// user choices; "Default" is the key's unnamed value.
void writeValues(const QStringList &values, const QString &extension)
{
    for (const QString &item : values) {
        const QString where = item.left(2);
        const QString name = item.mid(2).section(QLatin1Char('='), 0, 0);
        const QString path = (where == QLatin1String("U:") ? Choices : Classes) + extension;
        const auto hive =
            where == QLatin1String("M:") ? reg::Hive::LocalMachine : reg::Hive::CurrentUser;
        auto key = reg::createKey(hive, path.toStdWString());
        QVERIFY(key);
        QVERIFY(key->setValue(
            name == QLatin1String("Default") ? std::wstring() : name.toStdWString(), reg::RegSz,
            reg::wideToRegSz(item.section(QLatin1Char('='), 1).toStdWString())));
    }
}

// Every value of the user hive's two keys, in the notation above, sorted.
QStringList userValues(const QString &extension)
{
    QStringList result;
    for (const auto &[prefix, path] : {std::pair {"C:", Classes}, std::pair {"U:", Choices}}) {
        auto key = reg::openKey(reg::Hive::CurrentUser, (path + extension).toStdWString(),
                                reg::Access::Read);
        std::vector<reg::Value> values;
        if (!key || !key->values(values))
            continue;
        for (const reg::Value &v : values) {
            const QString name =
                v.name.empty() ? QStringLiteral("Default") : QString::fromStdWString(v.name);
            result.append(QLatin1String(prefix) + name + QLatin1Char('=')
                          + QString::fromStdWString(reg::regSzToWide(v.data)));
        }
    }
    result.sort();
    return result;
}

bool set(const QString &steps)
{
    bool ok = true;
    for (const QString &step : steps.split(QLatin1Char(','), Qt::SkipEmptyParts))
        ok = OSUtilities::setFileTypeAssociations(
                 {{QStringLiteral(".avi"), step == QLatin1String("take")}})
            && ok;
    return ok;
}

const QByteArray Commented = "# mine\n"
                             "[Added Associations]\n"
                             "video/x-msvideo=thirdvideo.desktop;\n"
                             "\n"
                             "[Default Applications]\n"
                             "text/plain=editor.desktop\n"
                             "video/x-msvideo=othervideo.desktop\n"
                             "# the end of the defaults\n"
                             "\n"
                             "[Other Group]\n"
                             "key=value\n";

} // namespace

class tst_OSUtilitiesFileTypes : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_env.reset(); }

    void registry_data();
    void registry();
    void mimeDefaults_data();
    void mimeDefaults();
    void failedWrites_data();
    void failedWrites();

private:
    void installApplications();
    QString xdgDefault(const QString &mimeType);

    std::unique_ptr<MavTest::TestEnvironment> m_env;
};

void tst_OSUtilitiesFileTypes::init()
{
    m_env = std::make_unique<MavTest::TestEnvironment>();
    m_env->setVariable("XDG_CURRENT_DESKTOP", QByteArray());
    m_env->setVariable("XDG_DATA_DIRS",
                       QFile::encodeName(m_env->path(QStringLiteral("usr/share")) + QLatin1Char(':')
                                         + MavTest::systemMimeDataDir()));
}

void tst_OSUtilitiesFileTypes::installApplications()
{
    // Exec= must name a program xdg-mime finds for it to count an entry as installed.
    const QString applications = m_env->path(QStringLiteral(".local/share/applications/"));
    QDir().mkpath(applications);
    for (const char *id : {"zentrix-player.desktop", "othervideo.desktop", "thirdvideo.desktop"})
        QVERIFY(writeFile(applications + QLatin1String(id),
                          "[Desktop Entry]\nType=Application\nName=X\nExec=true %f\n"
                          "MimeType=video/x-msvideo;video/mp4;\n"));
}

QString tst_OSUtilitiesFileTypes::xdgDefault(const QString &mimeType)
{
    QProcess xdg;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    xdg.setProcessEnvironment(environment);
    xdg.start(QStringLiteral("xdg-mime"),
              {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!xdg.waitForFinished(30000))
        return QStringLiteral("<xdg-mime did not finish>");
    return QString::fromUtf8(xdg.readAllStandardOutput()).trimmed();
}

void tst_OSUtilitiesFileTypes::registry_data()
{
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("association"); // what getFileTypeAssociations answers then

    const QStringList other {"C:Default=other_avi", "U:Progid=other_user"};
    const QStringList taken {"C:Default=zentrix_avi_file", "C:PerceivedType=video",
                             "C:Zentrix.backup=other_avi", "U:Progid=zentrix_avi_file",
                             "U:Zentrix.backup=other_user"};
    const QStringList restored {"C:Default=other_avi", "C:PerceivedType=video",
                                "U:Progid=other_user"};
    const QString player = QStringLiteral("zentrix_avi_file");
    QTest::newRow("take another program's: both backed up") << other << "take" << taken << player;
    QTest::newRow("take twice: the backups stay") << other << "take,take" << taken << player;
    QTest::newRow("take and give back: both restored")
        << other << "take,give" << restored << "other_user";
    const QStringList own {"C:Default=zentrix_avi_file", "U:Progid=zentrix_avi_file"};
    QTest::newRow("already the player's: no backup")
        << own << "take" << (QStringList {"C:PerceivedType=video"} + own) << player;
    QTest::newRow("already the player's, given back: removed")
        << own << "take,give" << QStringList {"C:PerceivedType=video"} << "";
    QTest::newRow("give back another program's: left alone")
        << other << "give" << restored << "other_user";
    QTest::newRow("machine class root: backed up in the user hive")
        << QStringList {"M:Default=machine_avi", "M:PerceivedType=audio"} << "take"
        << QStringList {"C:Default=zentrix_avi_file", "C:Zentrix.backup=machine_avi",
                        "U:Progid=zentrix_avi_file"}
        << player;
    QTest::newRow("old default-programs backup in the class root: removed")
        << QStringList {"C:Zentrix.AAR.backup=somebody"} << "give"
        << QStringList {"C:PerceivedType=video"} << "";
    QTest::newRow("read: empty user choice, the user's class root")
        << QStringList {"U:Progid=", "C:Default=class_avi", "M:Default=machine_avi"} << ""
        << QStringList {"C:Default=class_avi", "U:Progid="} << "class_avi";
    QTest::newRow("read: the machine's class root")
        << QStringList {"M:Default=machine_avi"} << "" << QStringList() << "machine_avi";
    QTest::newRow("read: nothing") << QStringList() << "" << QStringList() << "";
}

void tst_OSUtilitiesFileTypes::registry()
{
    QFETCH(QStringList, setup);
    QFETCH(QString, steps);
    QFETCH(QStringList, expected);
    QFETCH(QString, association);
    writeValues(setup, QStringLiteral(".avi"));
    QVERIFY(set(steps));
    expected.sort();
    QCOMPARE(userValues(QStringLiteral(".avi")), expected);
    // Other keys stay; a name that is not one key reads as nothing.
    QMap<QString, QString> result {{QStringLiteral(".other"), QStringLiteral("kept")}};
    QVERIFY(OSUtilities::getFileTypeAssociations({".avi", ".mkv\\..\\.avi"}, result));
    const QMap<QString, QString> wanted {
        {".avi", association}, {".mkv\\..\\.avi", ""}, {".other", "kept"}};
    QCOMPARE(result, wanted);
}

void tst_OSUtilitiesFileTypes::mimeDefaults_data()
{
    QTest::addColumn<QByteArray>("userFile"); // null: none
    QTest::addColumn<QByteArray>("systemFile"); // $XDG_CONFIG_DIRS/mimeapps.list
    QTest::addColumn<QByteArray>("afterTake"); // null: no take-over
    QTest::addColumn<QByteArray>("afterGiveBack");

    QTest::newRow("comments, groups and other types kept")
        << Commented << QByteArray()
        << QByteArray(Commented).replace("x-msvideo=othervideo",
                                         "x-msvideo=zentrix-player.desktop;othervideo")
        << Commented;
    QTest::newRow("no final newline")
        << QByteArray("[Default Applications]\nvideo/x-msvideo=othervideo.desktop") << QByteArray()
        << QByteArray(
               "[Default Applications]\nvideo/x-msvideo=zentrix-player.desktop;othervideo.desktop")
        << QByteArray("[Default Applications]\nvideo/x-msvideo=othervideo.desktop");
    QTest::newRow("default from the system: user file created")
        << QByteArray()
        << QByteArray("[Default Applications]\nvideo/x-msvideo=othervideo.desktop;\n")
        << QByteArray("[Default Applications]\nvideo/x-msvideo=zentrix-player.desktop;\n")
        << QByteArray("[Default Applications]\n");
    QTest::newRow("a repeated entry goes with the first")
        << QByteArray("[Default "
                      "Applications]\nvideo/x-msvideo=othervideo.desktop\nvideo/"
                      "x-msvideo=thirdvideo.desktop\n")
        << QByteArray()
        << QByteArray("[Default "
                      "Applications]\nvideo/x-msvideo=zentrix-player.desktop;othervideo.desktop\n")
        << QByteArray("[Default Applications]\nvideo/x-msvideo=othervideo.desktop\n");
    QTest::newRow("give back another program's default: left alone")
        << QByteArray("[Default "
                      "Applications]\nvideo/x-msvideo=othervideo.desktop;zentrix-player.desktop;\n")
        << QByteArray() << QByteArray()
        << QByteArray(
               "[Default "
               "Applications]\nvideo/x-msvideo=othervideo.desktop;zentrix-player.desktop;\n");
}

void tst_OSUtilitiesFileTypes::mimeDefaults()
{
    QFETCH(QByteArray, userFile);
    QFETCH(QByteArray, systemFile);
    QFETCH(QByteArray, afterTake);
    QFETCH(QByteArray, afterGiveBack);
    installApplications();
    const QString user = m_env->path(QStringLiteral(".config/mimeapps.list"));
    if (!userFile.isNull())
        QVERIFY(writeFile(user, userFile));
    if (!systemFile.isNull())
        QVERIFY(writeFile(m_env->path(QStringLiteral("etc/xdg/mimeapps.list")), systemFile));
    QCOMPARE(xdgDefault(QStringLiteral("video/x-msvideo")), QStringLiteral("othervideo.desktop"));

    if (!afterTake.isNull()) {
        QVERIFY(set(QStringLiteral("take")));
        QCOMPARE(readFile(user), afterTake);
        QCOMPARE(xdgDefault(QStringLiteral("video/x-msvideo")),
                 QStringLiteral("zentrix-player.desktop"));
        QVERIFY(userValues(QStringLiteral(".avi"))
                    .contains(QStringLiteral("U:Zentrix.AAR.backup=othervideo.desktop")));
    }
    QVERIFY(set(QStringLiteral("give")));
    QCOMPARE(readFile(user), afterGiveBack);
    QCOMPARE(xdgDefault(QStringLiteral("video/x-msvideo")), QStringLiteral("othervideo.desktop"));
    QVERIFY(
        !userValues(QStringLiteral(".avi")).join(QLatin1Char(' ')).contains(QLatin1String("AAR")));
}

void tst_OSUtilitiesFileTypes::failedWrites_data()
{
    QTest::addColumn<QString>("readOnly"); // below the test root
    QTest::addColumn<QByteArray>("userFile");

    const QByteArray valid("[Default Applications]\nvideo/x-msvideo=othervideo.desktop\n");
    QTest::newRow("read-only user hive") << "hives/user-hive.db" << valid;
    QTest::newRow("mimeapps.list not writable") << ".config" << valid;
    QTest::newRow("malformed: entry before any group")
        << "" << QByteArray("video/x-msvideo=othervideo.desktop\n");
    QTest::newRow("malformed: not text")
        << "" << QByteArray("[Default Applications]\n\0\x01\x02", 26);
    QTest::newRow("malformed: UTF-8 cut short")
        << "" << QByteArray("[Default Applications]\n#\xc9");
}

void tst_OSUtilitiesFileTypes::failedWrites()
{
    QFETCH(QString, readOnly);
    QFETCH(QByteArray, userFile);
    installApplications();
    writeValues({"C:Default=other_avi", "U:Progid=other_user"}, QStringLiteral(".avi"));
    const QString user = m_env->path(QStringLiteral(".config/mimeapps.list"));
    QVERIFY(writeFile(user, userFile));
    const QStringList values = userValues(QStringLiteral(".avi"));

    if (!readOnly.isEmpty()) {
        // Everything open to the child but the one place that must refuse it.
        QDirIterator it(m_env->root(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        QFile::setPermissions(m_env->root(), QFile::Permissions(0x7777));
        while (it.hasNext()) {
            const QFileInfo info = it.nextFileInfo();
            QFile::setPermissions(info.filePath(),
                                  QFile::Permissions(info.isDir() ? 0x7777 : 0x6666));
        }
        QFile::setPermissions(m_env->path(readOnly), QFile::Permissions(0x5555));
        if (readOnly == QLatin1String(".config"))
            QFile::setPermissions(user, QFile::Permissions(0x4444));
    }
    // Root may write anything: the child that must fail to write runs as nobody.
    const QStringList take {QStringLiteral("--take-avi")};
    const MavTest::ChildResult child =
        readOnly.isEmpty() ? MavTest::runSelf(take) : MavTest::runSelfUnprivileged(take);
    if (!readOnly.isEmpty())
        QFile::setPermissions(m_env->path(readOnly), QFile::Permissions(0x7755));
    QVERIFY2(child.exitCode == 1, child.err.constData()); // setFileTypeAssociations reported false
    QCOMPARE(userValues(QStringLiteral(".avi")), values);
    QCOMPARE(readFile(user), userFile);
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 2 && std::strcmp(argv[1], "--take-avi") == 0)
        return set(QStringLiteral("take")) ? 0 : 1;
    tst_OSUtilitiesFileTypes test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_osutilities_filetypes.moc"
