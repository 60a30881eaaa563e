// SPDX-License-Identifier: LGPL-2.1-or-later
// The platform kind and the two versions. Both versions are cached for the life
// of a process, so every case asks a fresh child of this executable.
#include "childprocess.h"
#include "testenvironment.h"

#include <MavLibrary/os/osutilities.h>
#include <MavLibrary/settings/izentrixsettings.h>
#include <MavLibrary/settings/refcounted.h>

#include <QTest>

#include <cstdio>
#include <cstring>
#include <memory>

using Quorvex::OSUtilities;

namespace {

constexpr uint All = 31;

struct Answers
{
    QString platform;
    QMap<uint, QString> version;
    QMap<uint, QString> internal;
};

// Child: prints the platform and both versions for every flag combination.
int printVersions(int argc, char *argv[])
{
    // --print-versions <application version> <application name> <reference 0|1>
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QString::fromUtf8(argv[2]));
    QCoreApplication::setApplicationName(QString::fromUtf8(argv[3]));
    if (std::strcmp(argv[4], "1") == 0)
        OSUtilities::setConfigValue(QStringLiteral("Global/ReferencePlayerMode"), true);
    std::printf("platform=%d %s\n", int(OSUtilities::getPlatform()),
                qPrintable(OSUtilities::getPlatformString()));
    for (uint flags = 0; flags <= All; ++flags) {
        std::printf("version%u=%s\n", flags, qPrintable(OSUtilities::getVersion(flags)));
        std::printf("internal%u=%s\n", flags, qPrintable(OSUtilities::getInternalVersion(flags)));
    }
    return 0;
}

// Child without an application object: nothing is declared at first, so nothing
// is cached, and a version declared later is found.
int printRetry()
{
    const QString before = OSUtilities::getInternalVersion(All);
    QCoreApplication::setApplicationVersion(QStringLiteral("1, 2"));
    std::printf("before=%s\nafter=%s\n", qPrintable(before),
                qPrintable(OSUtilities::getInternalVersion(All)));
    return 0;
}

Answers runChild(const QStringList &arguments)
{
    const MavTest::ChildResult child = MavTest::runSelf(arguments);
    Answers answers;
    if (!child.succeeded()) {
        answers.platform =
            QStringLiteral("<child failed: %1>").arg(QString::fromLocal8Bit(child.err));
        return answers;
    }
    const QStringList lines = QString::fromUtf8(child.out).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        const QString key = line.left(equals);
        const QString value = line.mid(equals + 1);
        if (key == QLatin1String("platform"))
            answers.platform = value;
        else if (key.startsWith(QLatin1String("version")))
            answers.version.insert(key.mid(7).toUInt(), value);
        else if (key.startsWith(QLatin1String("internal")))
            answers.internal.insert(key.mid(8).toUInt(), value);
    }
    return answers;
}

bool writePlayerVersion(const std::string &componentId, const QString &text)
{
    ztds::IZentrixSettings *section = nullptr;
    if (!ztds::openSettings("Settings/" + componentId + "/General", ztds::CreateUser, &section))
        return false;
    zttl::RefCountedPtr<ztds::IZentrixSettings> general;
    general.attach(section);
    return general->setString(std::wstring(L"PlayerVersion"), text.toStdWString());
}

} // namespace

class tst_OSUtilitiesVersion : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<MavTest::TestEnvironment>(); }
    void cleanup() { m_environment.reset(); }

    void platformString_data();
    void platformString();
    void version_data();
    void version();
    void internalVersion_data();
    void internalVersion();
    void internalVersionTriedAgain();

private:
    std::unique_ptr<MavTest::TestEnvironment> m_environment;
};

void tst_OSUtilitiesVersion::platformString_data()
{
    QTest::addColumn<bool>("reference");
    QTest::addColumn<QString>("expected");
    QTest::newRow("desktop") << false << "4 X11";
    QTest::newRow("reference player") << true << "3 PRef";
}

void tst_OSUtilitiesVersion::platformString()
{
    QFETCH(bool, reference);
    QFETCH(QString, expected);
    const Answers answers = runChild({QStringLiteral("--print-versions"), QString(), QString(),
                                      reference ? QStringLiteral("1") : QStringLiteral("0")});
    QCOMPARE(answers.platform, expected);
}

void tst_OSUtilitiesVersion::version_data()
{
    QTest::addColumn<QString>("stored"); // null: no setting at all
    QTest::addColumn<bool>("reference");
    QTest::addColumn<uint>("flags");
    QTest::addColumn<QString>("expected");

    const uint majorMinorMicro =
        Quorvex::VersionMajor | Quorvex::VersionMinor | Quorvex::VersionMicro;
    QTest::newRow("no setting, major") << QString() << false << 1u << "9";
    QTest::newRow("no setting, all") << QString() << false << All << "9.0.2";
    QTest::newRow("no setting, build only") << QString() << false << 8u << "";
    QTest::newRow("no setting, reference player") << QString() << true << All << "7.0.0";
    QTest::newRow("empty setting is no setting") << "" << false << All << "9.0.2";
    QTest::newRow("9.0.2-318 all") << "9.0.2-318" << false << All << "9.0.2-318";
    QTest::newRow("9.0.2-318 major minor micro")
        << "9.0.2-318" << false << majorMinorMicro << "9.0.2";
    QTest::newRow("9.0.2-318 major and build") << "9.0.2-318" << false << 9u << "9-318";
    QTest::newRow("micro only after minor") << "9.0.2" << false << 5u << "9";
    QTest::newRow("missing elements are skipped") << "9.1" << false << All << "9.1";
    QTest::newRow("9.0.2.318 splits at dots") << "9.0.2.318" << false << All << "9.0.2-318";
    QTest::newRow("empty parts kept") << "9..2" << false << All << "9..2";
    QTest::newRow("fifth part dropped") << "1.2.3.4.5" << false << All << "1.2.3-4";
    QTest::newRow("commas are not split") << "9, 0, 2, 318" << false << All << "9, 0, 2, 318";
    QTest::newRow("stored wins in reference mode") << "8.1.0" << true << All << "8.1.0";
    QTest::newRow("no internal name in the public version")
        << "9.0.2" << false << (16u | 1u) << "9";
}

void tst_OSUtilitiesVersion::version()
{
    QFETCH(QString, stored);
    QFETCH(bool, reference);
    QFETCH(uint, flags);
    QFETCH(QString, expected);
    if (!stored.isNull())
        QVERIFY(writePlayerVersion(reference ? "Player_PRef" : "Player", stored));
    const Answers answers = runChild({QStringLiteral("--print-versions"), QString(), QString(),
                                      reference ? QStringLiteral("1") : QStringLiteral("0")});
    QCOMPARE(answers.version.value(flags, QStringLiteral("<missing>")), expected);
}

void tst_OSUtilitiesVersion::internalVersion_data()
{
    QTest::addColumn<QString>("fileVersion");
    QTest::addColumn<QString>("name");
    QTest::addColumn<uint>("flags");
    QTest::addColumn<QString>("expected");

    QTest::newRow("comma list, all") << "9, 0, 2, 318"
                                     << "Player" << All << "9.0.2-318 Player";
    QTest::newRow("comma list, numbers") << "9, 0, 2, 318"
                                         << "Player" << 15u << "9.0.2-318";
    QTest::newRow("comma list, major and name") << "9, 0, 2, 318"
                                                << "Player" << 17u << "9 Player";
    QTest::newRow("tight commas") << "9,0,2,318"
                                  << "Player" << 7u << "9.0.2";
    QTest::newRow("dots stay whole") << "9.0.2.318"
                                     << "Player" << 1u << "9.0.2.318";
    QTest::newRow("dots stay whole, all") << "9.0.2.318"
                                          << "Player" << All << "9.0.2.318 Player";
    QTest::newRow("name without major is nothing") << "9, 0"
                                                   << "Player" << 16u << "";
    QTest::newRow("no file version") << ""
                                     << "Player" << All << "";
}

void tst_OSUtilitiesVersion::internalVersion()
{
    QFETCH(QString, fileVersion);
    QFETCH(QString, name);
    QFETCH(uint, flags);
    QFETCH(QString, expected);
    // The public version must not leak into the executable's.
    QVERIFY(writePlayerVersion("Player", QStringLiteral("5.5.5-5")));
    const Answers answers =
        runChild({QStringLiteral("--print-versions"), fileVersion, name, QStringLiteral("0")});
    QCOMPARE(answers.internal.value(flags, QStringLiteral("<missing>")), expected);
}

void tst_OSUtilitiesVersion::internalVersionTriedAgain()
{
    const MavTest::ChildResult child = MavTest::runSelf({QStringLiteral("--print-retry")});
    QCOMPARE(QString::fromUtf8(child.out), QStringLiteral("before=\nafter=1.2\n"));
}

int main(int argc, char *argv[])
{
    if (argc == 5 && std::strcmp(argv[1], "--print-versions") == 0)
        return printVersions(argc, argv);
    if (argc == 2 && std::strcmp(argv[1], "--print-retry") == 0)
        return printRetry();
    QCoreApplication app(argc, argv);
    tst_OSUtilitiesVersion test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_osutilities_version.moc"
