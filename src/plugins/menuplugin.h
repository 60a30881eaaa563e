// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>
#include <MavLibrary/plugins/context.h>

#include <QObject>

namespace Kapio {

/*!
    The root object of a menu plug-in: it is its own plug-in factory and its own
    Menu interface object, so a plug-in derives from it, adds its menu slots and
    declares the module:

    \code
    class PlaybackPlugin : public Kapio::MenuPlugin
    {
        Q_OBJECT
        Q_PLUGIN_METADATA(IID KAPIO_PLUGIN_FACTORY_IID)
    public Q_SLOTS:
        void play();
    };
    \endcode

    The plug-in manager destroys it when it unloads the module. GUI thread only.
*/
class MAVLIBRARY_EXPORT MenuPlugin : public QObject, public PluginFactory, public MenuInterface
{
    Q_OBJECT
    Q_INTERFACES(Kapio::PluginFactory)

public:
    explicit MenuPlugin(QObject *parent = nullptr);
    ~MenuPlugin() override;

    //! This object for Quorvex::MenuInterfaceId; null for any other interface.
    void *findInterface(const std::string &identifier) override;
    QObject *qObject() override;
};

} // namespace Kapio
