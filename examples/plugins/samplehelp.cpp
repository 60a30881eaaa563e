// SPDX-License-Identifier: LGPL-2.1-or-later
// Sample plug-in: the Help menu (9), with the entries that a menu bar moves by
// role. Quit only asks: the player decides on its message.
#include "samplereport.h"

#include <MavLibrary/plugins/menuplugin.h>

#include <QAction>

class SampleHelp : public Kapio::MenuPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KAPIO_PLUGIN_FACTORY_IID)

public Q_SLOTS:
    void showContents() { Samples::report("Help/Contents"); }
    void checkForUpdates() { Samples::report("Help/CheckForUpdates"); }
    void showPreferences() { Samples::report("Help/Preferences"); }
    void writeReferenceReport() { Samples::report("Help/ReferenceReport"); }
    void showAbout() { Samples::report("Help/About"); }
    void showAboutQt() { Samples::report("Help/AboutQt"); }
    void quit() { Samples::report("Help/Quit"); }
    void helpMenuTriggered(QAction *action)
    {
        Samples::report("Help/MenuTriggered", action->data());
    }
};

#include "samplehelp.moc"
