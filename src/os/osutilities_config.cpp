// SPDX-License-Identifier: LGPL-2.1-or-later
// Configuration values of OSUtilities.
#include "osutilities.h"

#include <MavLibrary/text/utfconversion.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

#include <mutex>
#include <shared_mutex>

namespace Quorvex {

QMap<QString, QVariant> OSUtilities::s_overriddenConfigValues;
QString OSUtilities::s_configFileName;
bool OSUtilities::s_configFileExists = false;
std::string OSUtilities::s_componentId;

namespace {

// The overrides and the component id, which any thread may reach first (the
// locale, platform and version code fill their caches from whichever thread
// asks). A pthread lock, which ThreadSanitizer sees into; built on first use,
// since load-time objects may already read configuration values.
std::shared_mutex &configLock()
{
    static std::shared_mutex lock;
    return lock;
}

} // namespace

/*
    Sources of a configuration value, first match wins:

    | Order | Source                                   | Lifetime                            |
    |-------|------------------------------------------|-------------------------------------|
    | 1     | setConfigValue() overrides (in memory)   | the process                         |
    | 2     | "Config.cfg" beside the executable (INI) | looked for once, at the first miss  |
    | 3     | the caller's default                     |                                     |

    An override is returned whatever it holds, an invalid QVariant included.
*/
QVariant OSUtilities::readConfigValue(const QString &key, const QVariant &defaultValue)
{
    {
        std::shared_lock locker(configLock());
        const auto it = s_overriddenConfigValues.constFind(key);
        if (it != s_overriddenConfigValues.constEnd())
            return it.value();
    }
    // Settled by the first miss, whichever thread it comes from; never written again.
    static const bool fileLookedFor = [] {
        s_configFileName = QCoreApplication::applicationDirPath() + QStringLiteral("/Config.cfg");
        s_configFileExists = QFileInfo::exists(s_configFileName);
        return true;
    }();
    Q_UNUSED(fileLookedFor);
    if (!s_configFileExists)
        return defaultValue;
    const QSettings file(s_configFileName, QSettings::IniFormat);
    return file.value(key, defaultValue);
}

void OSUtilities::setConfigValue(const QString &key, const QVariant &value)
{
    std::unique_lock locker(configLock());
    s_overriddenConfigValues.insert(key, value);
}

std::string OSUtilities::getComponentIdUTF8()
{
    {
        std::shared_lock locker(configLock());
        if (!s_componentId.empty())
            return s_componentId;
    }
    const bool reference =
        readConfigValue(QStringLiteral("Global/ReferencePlayerMode"), false).toBool();
    const QString id = readConfigValue(QStringLiteral("Global/ComponentId"),
                                       QString::fromLatin1(reference ? "Player_PRef" : "Player"))
                           .toString();
    // Threads that raced here may have read different overrides; the first to
    // store its id fixes it for everyone.
    std::unique_lock locker(configLock());
    if (s_componentId.empty())
        s_componentId = id.toStdString();
    return s_componentId;
}

std::wstring OSUtilities::getComponentIdWide()
{
    return ztds::utf8ToWide(getComponentIdUTF8());
}

} // namespace Quorvex
