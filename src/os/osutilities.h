// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

#include <QMap>
#include <QString>
#include <QVariant>

#include <string>

namespace Quorvex {

/*!
    The library's integration with the operating system, as static operations:
    configuration values, locale, platform and version information, and (in later
    additions) paths and file type associations.
*/
class MAVLIBRARY_EXPORT OSUtilities
{
public:
    OSUtilities() = delete;

    // Configuration values ------------------------------------------------------

    static QVariant readConfigValue(const QString &key, const QVariant &defaultValue);
    static void setConfigValue(const QString &key, const QVariant &value);
    static std::string getComponentIdUTF8();
    static std::wstring getComponentIdWide();

    // Locale, platform and version information ------------------------------------

protected:
    // Configuration values
    static QMap<QString, QVariant> s_overriddenConfigValues;
    static QString s_configFileName;
    static bool s_configFileExists;
    static std::string s_componentId;

    // Locale, platform and version information
};

} // namespace Quorvex
