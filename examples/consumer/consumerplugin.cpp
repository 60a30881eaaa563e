// SPDX-License-Identifier: LGPL-2.1-or-later
// A menu plug-in built outside the library's tree with mavlibrary_add_plugin().
#include <MavLibrary/plugins/menuplugin.h>
#include <MavLibrary/services/pubsubhub.h>

class ConsumerPlugin : public Kapio::MenuPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KAPIO_PLUGIN_FACTORY_IID)

public Q_SLOTS:
    void greet()
    {
        // The player shows every "player." message in its status bar.
        Quorvex::PubSubHub::sendMessage(QStringLiteral("player.consumer.greet"),
                                        QStringLiteral("Hello from the consumer plug-in"));
        Quorvex::PubSubHub::sendMessage(QStringLiteral("Consumer/Greet"), 42);
    }
};

#include "consumerplugin.moc"
