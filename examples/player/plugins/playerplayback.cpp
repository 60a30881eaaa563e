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
    //! The shell plays: it knows whether libmpv is paused, the plug-in does not.
    void togglePlay() { Player::publish(QStringLiteral("playback.toggle")); }
    void stop() { Player::publish(QStringLiteral("playback.stop")); }
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
    void seekForward() { Player::publish(QStringLiteral("playback.seek"), 5); }
    void seekBackward() { Player::publish(QStringLiteral("playback.seek"), -5); }
    void volumeUp() { changeVolume(5); }
    void volumeDown() { changeVolume(-5); }

private:
    static void changeVolume(int step)
    {
        const int volume = qBound(0, PlayerSettings::getInt(Quorvex::Volume, 50) + step, 100);
        PlayerSettings::setInt(Quorvex::Volume, volume);
        Player::publish(QStringLiteral("playback.volume"), volume);
    }
};

#include "playerplayback.moc"
