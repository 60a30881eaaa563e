// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>
#include <MavLibrary/plugins/context.h>

#include <QString>
#include <QStringList>

#include <memory>

namespace Kapio {

class PluginManagerPrivate;

/*!
    The library's plug-in manager: a Context over the plug-ins in one or more
    folders.

    A plug-in is a Qt plug-in module NAME.so whose root object implements
    PluginFactory, with its property document NAME.xml beside it (the CMake
    function mavlibrary_add_plugin() builds both). The folders are scanned once,
    when the manager is made, in the order given and each by file name; only the
    property documents are read then. A module is loaded by the first loadPlugin
    of its plug-in and unloaded, destroying its root object, by the last release.

    A plug-in whose document is missing, not UTF-8 or broken, or whose name an
    earlier folder already had, is listed by candidates() with the reason but not
    by plugins(); one whose module fails to load fails loadPlugin. Each is
    reported once as a warning in the category "zentrix.plugins".

    Destroy the manager after every Plugin it handed out has been released and
    after everything that holds its PluginInfo pointers. GUI thread only.
*/
class MAVLIBRARY_EXPORT PluginManager : public Context
{
public:
    explicit PluginManager(const QString &folder);
    explicit PluginManager(const QStringList &folders);
    ~PluginManager() override;
    PluginManager(const PluginManager &) = delete;
    PluginManager &operator=(const PluginManager &) = delete;

    int loadPlugin(PluginInfo *info, Plugin **out, int flags = LoadIfNeeded) override;
    std::vector<PluginInfo *> plugins() const override;
    int referenceCount(const PluginInfo *info) const override;
    std::string errorString(const PluginInfo *info) const override;

    //! Every module found, usable or not (PluginInfo::error says why not).
    std::vector<PluginInfo *> candidates() const;

    /*!
        The folders the player reads its plug-ins from, in this order (a name
        found in an earlier folder wins):

        1. \a installed, the player's own plug-ins;
        2. the user's folder, `$XDG_DATA_HOME/zentrix-player/plugins`
           (`~/.local/share/...`), when it exists;
        3. each folder of `$ZENTRIX_PLUGIN_PATH`, colon-separated, empty parts
           skipped;
        4. \a extra, the folders given on the player's command line.
    */
    static QStringList playerFolders(const QString &installed, const QStringList &extra = {});

private:
    friend class PluginManagerPrivate;
    std::unique_ptr<PluginManagerPrivate> d;
};

} // namespace Kapio
