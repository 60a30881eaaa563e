// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/os/osutilities.h>
#include <MavLibrary/services/pubsubhub.h>
#include <MavLibrary/settings/settingsfunctions.h>

#include <QString>
#include <QVariant>

// What every sample command does that a player can see: a hub message, and the
// last command in the player's settings.
namespace Samples {

inline std::string settingsSection()
{
    return Quorvex::OSUtilities::getComponentIdUTF8() + "/Samples";
}

inline void report(const char *command, const QVariant &value = {})
{
    Quorvex::PubSubHub::sendMessage(QStringLiteral("Samples/") + QLatin1String(command), value);
    ztds::userSettings::setString(settingsSection(), std::string("LastCommand"),
                                  std::string(command));
}

} // namespace Samples
