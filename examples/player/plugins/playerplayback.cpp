// SPDX-License-Identifier: LGPL-2.1-or-later
// The player's Playback menu (3) and its seeking keys.
#include "../playercommon.h"

#include <MavLibrary/plugins/menuplugin.h>

#include <QAction>

using Quorvex::PlayerSettings;

class PlayerPlayback : public Kapio::MenuPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KAPIO_PLUGIN_FACTORY_IID)

public Q_SLOTS:
    void togglePlay()
    {
        const bool playing = !PlayerSettings::getBool(Quorvex::WasPlaying, false);
        PlayerSettings::setBool(Quorvex::WasPlaying, playing);
        Player::publish(QStringLiteral("playback.playing"), playing);
    }
    //! The entry's value arrives as its document typed it (double or float).
    void setSpeed(QAction *action)
    {
        Player::publish(QStringLiteral("playback.speed"), action->data());
    }
    void setLoop(bool on)
    {
        PlayerSettings::setBool(Quorvex::LoopPlayback, on);
        Player::publish(QStringLiteral("playback.loop"), on);
    }
    void seekForward() { Player::publish(QStringLiteral("playback.seek"), 10); }
    void seekBackward() { Player::publish(QStringLiteral("playback.seek"), -10); }
    void volumeUp()
    {
        const int volume = qMin(100, PlayerSettings::getInt(Quorvex::Volume, 50) + 5);
        PlayerSettings::setInt(Quorvex::Volume, volume);
        Player::publish(QStringLiteral("playback.volume"), volume);
    }
};

#include "playerplayback.moc"
