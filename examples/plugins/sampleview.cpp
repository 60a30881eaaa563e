// SPDX-License-Identifier: LGPL-2.1-or-later
// Sample plug-in: the View menu (4), and one entry of the Playback menu (3).
#include "samplereport.h"

#include <MavLibrary/plugins/menuplugin.h>

#include <QAction>

class SampleView : public Kapio::MenuPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KAPIO_PLUGIN_FACTORY_IID)

public Q_SLOTS:
    void showPlaybackInformation() { Samples::report("View/PlaybackInformation"); }
    void toggleFullScreen(bool on)
    {
        ztds::userSettings::setBool(Samples::settingsSection(), std::string("FullScreen"), on);
        Samples::report("View/FullScreen", on);
    }
    void leaveFullScreen() { toggleFullScreen(false); }
    //! The data of each panel's action is its bit in the "Panels" setting.
    void togglePanel(QAction *action)
    {
        const std::string section = Samples::settingsSection();
        unsigned int panels = 0;
        ztds::userSettings::getDword(section, std::string("Panels"), panels);
        const unsigned int bit = action->data().toUInt();
        panels = action->isChecked() ? panels | bit : panels & ~bit;
        ztds::userSettings::setDword(section, std::string("Panels"), panels);
        Samples::report("View/Panels", panels);
    }
    void zoomIn() { Samples::report("View/Zoom", 1); }
    void zoomOut() { Samples::report("View/Zoom", -1); }
    void zoomReset() { Samples::report("View/Zoom", 0); }
    void setAspectRatio(QAction *action)
    {
        const QString ratio = action->data().toString();
        ztds::userSettings::setString(Samples::settingsSection(), std::string("AspectRatio"),
                                      ratio.toStdWString());
        Samples::report("View/AspectRatio", ratio);
    }
    void playbackMenuSeen(QAction *action) { Samples::report("View/PlaybackMenu", action->data()); }
};

#include "sampleview.moc"
