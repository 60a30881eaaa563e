// SPDX-License-Identifier: LGPL-2.1-or-later
// Configuration values of OSUtilities.
#include "osutilities.h"

#include <MavLibrary/text/utfconversion.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

namespace Quorvex {

QMap<QString, QVariant> OSUtilities::s_overriddenConfigValues;
QString OSUtilities::s_configFileName;
bool OSUtilities::s_configFileExists = false;
std::string OSUtilities::s_componentId;

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
    const auto it = s_overriddenConfigValues.constFind(key);
    if (it != s_overriddenConfigValues.constEnd())
        return it.value();
    if (s_configFileName.isEmpty()) {
        s_configFileName = QCoreApplication::applicationDirPath() + QStringLiteral("/Config.cfg");
        s_configFileExists = QFileInfo::exists(s_configFileName);
    }
    if (!s_configFileExists)
        return defaultValue;
    const QSettings file(s_configFileName, QSettings::IniFormat);
    return file.value(key, defaultValue);
}

void OSUtilities::setConfigValue(const QString &key, const QVariant &value)
{
    s_overriddenConfigValues.insert(key, value);
}

std::string OSUtilities::getComponentIdUTF8()
{
    if (s_componentId.empty()) {
        const bool reference =
            readConfigValue(QStringLiteral("Global/ReferencePlayerMode"), false).toBool();
        s_componentId = reference ? "Player_PRef" : "Player";
        const QString id = readConfigValue(QStringLiteral("Global/ComponentId"),
                                           QString::fromUtf8(s_componentId.c_str()))
                               .toString();
        s_componentId = id.toStdString();
    }
    return s_componentId;
}

std::wstring OSUtilities::getComponentIdWide()
{
    return ztds::utf8ToWide(getComponentIdUTF8());
}

} // namespace Quorvex
