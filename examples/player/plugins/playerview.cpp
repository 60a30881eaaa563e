// SPDX-License-Identifier: LGPL-2.1-or-later
// The player's View menu (4) and the library window's keys.
#include "../playercommon.h"

#include <MavLibrary/plugins/menuplugin.h>

class PlayerView : public Kapio::MenuPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KAPIO_PLUGIN_FACTORY_IID)

public Q_SLOTS:
    void setAlwaysOnTop(bool on)
    {
        Quorvex::PlayerSettings::setBool(Quorvex::AlwaysOnTop, on);
        Player::publish(QStringLiteral("view.alwaysOnTop"), on);
    }
    void toggleFullScreen() { Player::publish(QStringLiteral("view.fullscreen")); }
    void showLibrary() { Player::publish(QStringLiteral("view.library")); }
    void showPlayer() { Player::publish(QStringLiteral("view.player")); }
    void refreshLibrary() { Player::publish(QStringLiteral("library.refresh")); }
};

#include "playerview.moc"
