// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QStringList>

#include <memory>

class QCommandLineParser;
class QJsonArray;
class QJsonObject;

namespace Kapio {
class PluginManager;
}

namespace Mavctl {

/*!
    The preamble of the commands that read a plug-in folder: adds --json, parses
    \a arguments and scans the folders named on the command line. Returns -1 with
    the manager in \a manager, or the exit code to return at once. Without a
    folder on the command line, \a defaultFolders are read (those that exist).
*/
int openPluginFolders(QCommandLineParser &parser, const QStringList &arguments,
                      std::unique_ptr<Kapio::PluginManager> &manager,
                      const QStringList &defaultFolders = {});

//! The installed player's plug-in folder, beside this mavctl (or the build tree's).
QString installedPlayerPlugins();

//! mavctl plugins check DIR... (pluginscheck.cpp); \a arguments[0] is "mavctl plugins check".
int runPluginsCheck(const QStringList &arguments);

//! Writes \a array as indented JSON to stdout.
void printJson(const QJsonArray &array);
void printJson(const QJsonObject &object);

} // namespace Mavctl
