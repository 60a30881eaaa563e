// SPDX-License-Identifier: LGPL-2.1-or-later
// mavctl menus DIR...: the merged menu model the player would build.
#include "command.h"
#include "plugins.h"

#include "menus/menudump_p.h"

#include <MavLibrary/menus/menu.h>
#include <MavLibrary/plugins/pluginmanager.h>

#include <QCommandLineParser>

namespace {

int runMenus(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reads the menu descriptions of every menu plug-in in the folders, as the player does, "
        "and prints the merged menus: each entry with its id, kind, text, shortcut and context, "
        "slot, group, data and type, and the plug-in that declared it. No module is loaded."));
    std::unique_ptr<Kapio::PluginManager> manager;
    if (const int code = Mavctl::openPluginFolders(parser, arguments, manager); code >= 0)
        return code;

    QObject actionParent;
    Quorvex::MenuMap *menus = Quorvex::readMenuDescriptions(manager.get(), &actionParent);
    const QJsonArray model = Quorvex::MenuDump::toJson(*menus);
    Quorvex::releaseMenuDescriptions(menus);
    if (parser.isSet(QStringLiteral("json"))) {
        Mavctl::printJson(model);
        return Mavctl::Success;
    }
    for (const QString &line : Quorvex::MenuDump::toText(model))
        Mavctl::printLine(line);
    return Mavctl::Success;
}

} // namespace

MAVCTL_GUI_COMMAND("menus", "the merged menus that the menu plug-ins in a folder describe",
                   runMenus);
