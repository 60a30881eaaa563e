// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/os/osutilities.h>
#include <MavLibrary/profiles/profilemanager.h>
#include <MavLibrary/services/pubsubhub.h>
#include <MavLibrary/settings/playersettings.h>

#include <QStringList>
#include <QVariant>

// What the player's shell and its plug-ins share: the hub's message names and the
// recent files, which live in the settings because a plug-in keeps no state
// between two menu commands (it is unloaded after each).
namespace Player {

//! The top-level window that lists the media library; its selection is the
//! QStringList property SelectionProperty, and the same files with what the
//! library read of them (QVariantMaps: path, width, height, frameRate) are
//! SelectedMediaProperty.
inline constexpr char LibraryWindowName[] = "MediaLibraryWindow";
inline constexpr char SelectionProperty[] = "selectedFiles";
inline constexpr char SelectedMediaProperty[] = "selectedMedia";

//! Publishes "player.<name>" through the hub.
inline void publish(const QString &name, const QVariant &value = {})
{
    Quorvex::PubSubHub::sendMessage(QStringLiteral("player.") + name, value);
}

//! A device profile's name in the user's language; a profile without one shows
//! its English name, then any, then its GUID, never an empty menu entry.
inline QString profileName(const std::string &guid)
{
    const Quorvex::ProfileManager *profiles = Quorvex::ProfileManager::instance(nullptr);
    const Quorvex::ProfileWrapper *profile = profiles ? profiles->getProfile(guid) : nullptr;
    if (!profile)
        return {};
    std::wstring name =
        profiles->getDisplayName(profile, Quorvex::OSUtilities::getLanguageCode().toStdString());
    if (name.empty())
        name = profiles->getDisplayName(profile, "en");
    for (auto it = profile->displayNames.begin(); name.empty() && it != profile->displayNames.end();
         ++it)
        name = it->second;
    return name.empty() ? QString::fromStdString(guid) : QString::fromStdWString(name);
}

//! Most recent first; one path a line.
inline QStringList recentFiles()
{
    return Quorvex::PlayerSettings::getString(Quorvex::RecentWatchedMovies)
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

//! Puts \a path first, keeping at most "RecentFileMaximum" paths (10 when
//! unset). A path with a line break cannot be kept in the list: false.
inline bool addRecentFile(const QString &path)
{
    if (path.isEmpty() || path.contains(QLatin1Char('\n')))
        return false;
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    const int maximum = qMax(1, Quorvex::PlayerSettings::getInt(Quorvex::RecentFileMaximum, 10));
    while (files.size() > maximum)
        files.removeLast();
    return Quorvex::PlayerSettings::setString(Quorvex::RecentWatchedMovies,
                                              files.join(QLatin1Char('\n')));
}

} // namespace Player
