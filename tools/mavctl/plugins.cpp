// SPDX-License-Identifier: LGPL-2.1-or-later
// mavctl plugins DIR...: what the plug-in manager finds in a folder.
#include "plugins.h"
#include "command.h"

#include <MavLibrary/plugins/pluginmanager.h>

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>

namespace Mavctl {

int openPluginFolders(QCommandLineParser &parser, const QStringList &arguments,
                      std::unique_ptr<Kapio::PluginManager> &manager,
                      const QStringList &defaultFolders)
{
    parser.addOption({QStringLiteral("json"), QStringLiteral("Writes JSON instead of text.")});
    parser.addPositionalArgument(QStringLiteral("DIR"),
                                 QStringLiteral("A plug-in folder; several are read in order."),
                                 QStringLiteral("DIR..."));
    if (const int code = parse(parser, arguments); code >= 0)
        return code;
    QStringList folders = parser.positionalArguments();
    if (folders.isEmpty()) {
        for (const QString &folder : defaultFolders) {
            if (QFileInfo(folder).isDir())
                folders.append(folder);
        }
    }
    if (folders.isEmpty())
        return usageError(arguments.value(0), QStringLiteral("no plug-in folder given"));
    for (const QString &folder : folders) {
        if (!QFileInfo(folder).isDir())
            return fail(QStringLiteral("%1 is not a folder").arg(folder));
    }
    // Each skipped plug-in is listed with its reason; the manager's warnings would
    // only repeat them.
    QLoggingCategory::setFilterRules(QStringLiteral("zentrix.plugins.warning=false"));
    manager = std::make_unique<Kapio::PluginManager>(folders);
    return -1;
}

namespace {

void printJson(const QJsonDocument &document)
{
    printLine(QString::fromUtf8(document.toJson(QJsonDocument::Indented)).trimmed());
}

} // namespace

void printJson(const QJsonArray &array)
{
    printJson(QJsonDocument(array));
}

void printJson(const QJsonObject &object)
{
    printJson(QJsonDocument(object));
}

} // namespace Mavctl

namespace {

QString text(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

QJsonObject describe(const Kapio::PluginInfo &info)
{
    QJsonObject object;
    object[QLatin1String("name")] = text(info.name);
    object[QLatin1String("module")] = text(info.modulePath);
    object[QLatin1String("properties")] = text(info.propertiesPath);
    object[QLatin1String("parsed")] = info.document != nullptr;
    if (!info.error.empty())
        object[QLatin1String("error")] = text(info.error);
    if (info.document) {
        object[QLatin1String("shortName")] = text(info.shortName());
        object[QLatin1String("longName")] = text(info.longName());
        object[QLatin1String("version")] =
            QJsonArray {info.majorVersion(), info.minorVersion(), info.microVersion()};
        QJsonArray interfaces;
        for (const std::string &interface : info.interfaces)
            interfaces.append(text(interface));
        object[QLatin1String("interfaces")] = interfaces;
    }
    return object;
}

int runPlugins(const QStringList &arguments)
{
    if (arguments.value(1) == QLatin1String("check")
        || qEnvironmentVariableIsSet("MAVCTL_PLUGIN_PROBE"))
        return Mavctl::runPluginsCheck(QStringList {arguments.value(0) + QStringLiteral(" check")}
                                       + arguments.mid(2));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lists the plug-ins in the folders: name, version, interfaces, and whether the "
        "property document parsed (with the reason when not). No module is loaded.\n"
        "Without a folder, the player's: the installed one, the user's "
        "($XDG_DATA_HOME/zentrix-player/plugins) and those of $ZENTRIX_PLUGIN_PATH.\n"
        "mavctl plugins check DIR... checks them as their author should (see its --help)."));
    std::unique_ptr<Kapio::PluginManager> manager;
    const QStringList playerFolders =
        Kapio::PluginManager::playerFolders(Mavctl::installedPlayerPlugins());
    if (const int code = Mavctl::openPluginFolders(parser, arguments, manager, playerFolders);
        code >= 0)
        return code;
    // Without a folder: what the player would load, and from where.
    if (parser.positionalArguments().isEmpty() && !parser.isSet(QStringLiteral("json"))) {
        for (const QString &folder : playerFolders)
            Mavctl::printLine(
                QStringLiteral("folder: ") + folder
                + (QFileInfo(folder).isDir() ? QString() : QStringLiteral(" (missing)")));
    }

    QJsonArray plugins;
    for (const Kapio::PluginInfo *info : manager->candidates())
        plugins.append(describe(*info));
    if (parser.isSet(QStringLiteral("json"))) {
        Mavctl::printJson(plugins);
        return Mavctl::Success;
    }
    for (const QJsonValue &value : std::as_const(plugins)) {
        const QJsonObject plugin = value.toObject();
        Mavctl::printLine(plugin[QLatin1String("name")].toString());
        if (plugin[QLatin1String("parsed")].toBool()) {
            const QJsonArray version = plugin[QLatin1String("version")].toArray();
            QStringList interfaces;
            for (const QJsonValue &interface : plugin[QLatin1String("interfaces")].toArray())
                interfaces << interface.toString();
            Mavctl::printLine(QStringLiteral("  name: ")
                              + plugin[QLatin1String("shortName")].toString());
            Mavctl::printLine(QStringLiteral("  description: ")
                              + plugin[QLatin1String("longName")].toString());
            Mavctl::printLine(QStringLiteral("  version: %1.%2.%3")
                                  .arg(version[0].toInt())
                                  .arg(version[1].toInt())
                                  .arg(version[2].toInt()));
            Mavctl::printLine(QStringLiteral("  interfaces: ")
                              + (interfaces.isEmpty() ? QStringLiteral("(none)")
                                                      : interfaces.join(QStringLiteral(", "))));
        }
        Mavctl::printLine(QStringLiteral("  module: ")
                          + plugin[QLatin1String("module")].toString());
        QString properties =
            QStringLiteral("  properties: ") + plugin[QLatin1String("properties")].toString();
        if (plugin.contains(QLatin1String("error")))
            properties +=
                QStringLiteral(" (not used: %1)").arg(plugin[QLatin1String("error")].toString());
        else
            properties += QStringLiteral(" (parsed)");
        Mavctl::printLine(properties);
    }
    return Mavctl::Success;
}

} // namespace

MAVCTL_COMMAND("plugins", "the plug-ins in a folder and whether their property documents parse",
               runPlugins);
