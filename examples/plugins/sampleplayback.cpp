// SPDX-License-Identifier: LGPL-2.1-or-later
// Sample plug-in: the playback commands (menu 3 "Playback").
#include "samplereport.h"

#include <MavLibrary/plugins/menuplugin.h>

#include <QAction>

class SamplePlayback : public Kapio::MenuPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KAPIO_PLUGIN_FACTORY_IID)

Q_SIGNALS:
    void playbackToggleRequested();

public Q_SLOTS:
    void play() { Samples::report("Playback/Play"); }
    void pause() { Samples::report("Playback/Pause"); }
    void stop() { Samples::report("Playback/Stop"); }
    void seekForward() { Samples::report("Playback/SeekForward"); }
    void seekBackward() { Samples::report("Playback/SeekBackward"); }
    void setSpeed(QAction *action)
    {
        const double speed = action->data().toDouble();
        ztds::userSettings::setDouble(Samples::settingsSection(), std::string("PlaybackSpeed"),
                                      speed);
        Samples::report("Playback/Speed", speed);
    }
    void selectAudioTrack(QAction *action)
    {
        Samples::report("Playback/AudioTrack", action->data());
    }
    //! Hears every action of the Playback menu, whichever plug-in declared it.
    void playbackMenuTriggered(QAction *action)
    {
        Samples::report("Playback/MenuTriggered", action->data());
    }
};

#include "sampleplayback.moc"
