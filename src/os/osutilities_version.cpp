// SPDX-License-Identifier: LGPL-2.1-or-later
// The platform kind, the player's public version and the executable's version.
#include "osutilities.h"

#include <MavLibrary/settings/izentrixsettings.h>
#include <MavLibrary/settings/refcounted.h>

#include <QCoreApplication>
#include <QMutex>
#include <QMutexLocker>
#include <QRegularExpression>

namespace Quorvex {

QMap<VersionElementFlags, QString> OSUtilities::s_versionInfo;
QMap<VersionElementFlags, QString> OSUtilities::s_internalVersionInfo;

namespace {

// Sections are used by one thread at a time; this lock covers the player's
// section, which any thread may reach first through getPlatform or getVersion.
QMutex &playerSettingsMutex()
{
    static QMutex mutex;
    return mutex;
}

// The player's own section, "Settings/<component id>", kept for the life of the
// library once it opens. Only read here, so it is opened for reading: looking up
// a version must not create the user's key (or hive), as creating it would.
// Until either hive has the key, each call tries again. Call with the mutex held.
ztds::IZentrixSettings *playerSettingsLocked()
{
    static zttl::RefCountedPtr<ztds::IZentrixSettings> settings;
    if (!settings) {
        ztds::IZentrixSettings *section = nullptr;
        if (ztds::openSettings("Settings/" + OSUtilities::getComponentIdUTF8(),
                               ztds::ReadUserAndMachine, &section))
            settings.attach(section);
    }
    return settings.get();
}

void ensurePlayerSettings()
{
    QMutexLocker locker(&playerSettingsMutex());
    playerSettingsLocked();
}

QString readPlayerVersionSetting()
{
    QMutexLocker locker(&playerSettingsMutex());
    ztds::IZentrixSettings *settings = playerSettingsLocked();
    std::wstring value;
    if (settings) {
        zttl::RefCountedPtr<ztds::IZentrixSettings> general;
        ztds::IZentrixSettings *section = nullptr;
        if (settings->openSection(std::wstring(L"General"), &section)) {
            general.attach(section);
            general->getString(std::wstring(L"PlayerVersion"), value);
        }
    }
    return QString::fromStdWString(value);
}

constexpr VersionElementFlags numberElements[] = {VersionMajor, VersionMinor, VersionMicro,
                                                  VersionBuild};

void storeNumbers(QMap<VersionElementFlags, QString> &info, const QStringList &parts)
{
    for (int i = 0; i < 4 && i < parts.size(); ++i)
        info.insert(numberElements[i], parts.at(i));
}

/*
    Composition shared by both versions:

    | Element             | Put in when                                | Before it |
    |---------------------|--------------------------------------------|-----------|
    | VersionMajor        | requested and present, else nothing at all | -         |
    | VersionMinor        | requested and present                      | "."       |
    | VersionMicro        | requested, present, and the minor is in    | "."       |
    | VersionBuild        | requested and present                      | "-"       |
    | VersionInternalName | requested and present                      | " "       |
*/
QString compose(const QMap<VersionElementFlags, QString> &info, uint flags)
{
    QString result;
    if (!(flags & VersionMajor) || !info.contains(VersionMajor))
        return result;
    result += info.value(VersionMajor);
    if ((flags & VersionMinor) && info.contains(VersionMinor)) {
        result += QLatin1Char('.') + info.value(VersionMinor);
        if ((flags & VersionMicro) && info.contains(VersionMicro))
            result += QLatin1Char('.') + info.value(VersionMicro);
    }
    if ((flags & VersionBuild) && info.contains(VersionBuild))
        result += QLatin1Char('-') + info.value(VersionBuild);
    if ((flags & VersionInternalName) && info.contains(VersionInternalName))
        result += QLatin1Char(' ') + info.value(VersionInternalName);
    return result;
}

} // namespace

OSUtilities::Platform OSUtilities::getPlatform()
{
    // Decided once; the initialisation of a local static is itself guarded.
    static const bool referencePlayer =
        readConfigValue(QStringLiteral("Global/ReferencePlayerMode"), false).toBool();
    ensurePlayerSettings();
    return referencePlayer ? PRef : X11;
}

QString OSUtilities::getPlatformString()
{
    switch (getPlatform()) {
    case MacOSX:
        return QStringLiteral("MacOSX");
    case Windows:
        return QStringLiteral("Windows");
    case PRef:
        return QStringLiteral("PRef");
    case X11:
        return QStringLiteral("X11");
    case Gnome:
        return QStringLiteral("Gnome");
    case KDE:
        return QStringLiteral("KDE");
    }
    return QStringLiteral("Unknown");
}

QString OSUtilities::getVersion(uint flags)
{
    static QMutex mutex;
    QMutexLocker locker(&mutex);
    if (s_versionInfo.isEmpty()) {
        const QString text = readPlayerVersionSetting();
        if (!text.isEmpty()) {
            static const QRegularExpression separators(QStringLiteral("[.-]"));
            storeNumbers(s_versionInfo, text.split(separators));
        } else {
            QStringList fixed;
            switch (getPlatform()) {
            case Windows:
            case MacOSX:
            case X11: // the same player release on every desktop
                fixed = {QStringLiteral("9"), QStringLiteral("0"), QStringLiteral("2")};
                break;
            case PRef:
                fixed = {QStringLiteral("7"), QStringLiteral("0"), QStringLiteral("0")};
                break;
            default:
                fixed = {QStringLiteral("?"), QStringLiteral("?"), QStringLiteral("?")};
                break;
            }
            storeNumbers(s_versionInfo, fixed);
        }
    }
    return compose(s_versionInfo, flags);
}

/*
    Windows reads FileVersion and InternalName from the executable's version
    resource. An ELF file has none: the host declares both through Qt, the file
    version as QCoreApplication::applicationVersion() (written "9, 0, 2, 318" as in
    a resource) and the internal name as applicationName().
*/
QString OSUtilities::getInternalVersion(uint flags)
{
    static QMutex mutex;
    QMutexLocker locker(&mutex);
    if (s_internalVersionInfo.isEmpty()) {
        const QString fileVersion = QCoreApplication::applicationVersion();
        if (!fileVersion.isEmpty()) {
            static const QRegularExpression commas(QStringLiteral(" *, *"));
            storeNumbers(s_internalVersionInfo, fileVersion.split(commas));
        }
        const QString internalName = QCoreApplication::applicationName();
        if (!internalName.isEmpty())
            s_internalVersionInfo.insert(VersionInternalName, internalName);
    }
    return compose(s_internalVersionInfo, flags);
}

} // namespace Quorvex
