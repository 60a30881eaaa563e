// SPDX-License-Identifier: LGPL-2.1-or-later
// The plug-in that the first-trigger benchmark loads: a slot that only counts, in
// a counter of the benchmark program.
#include <MavLibrary/plugins/menuplugin.h>

extern "C" long benchPluginCalls;

class BenchPlugin : public Kapio::MenuPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KAPIO_PLUGIN_FACTORY_IID)

public Q_SLOTS:
    void play() { ++benchPluginCalls; }
};

#include "benchplugin.moc"
