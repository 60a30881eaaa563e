// SPDX-License-Identifier: LGPL-2.1-or-later
// Every public header of the library.
#pragma once

#include <MavLibrary/libraryinfo.h>
#include <MavLibrary/mavlibrary_export.h>
#include <MavLibrary/mavlibraryconfig.h>

// settings
#include <MavLibrary/settings/izentrixsettings.h>
#include <MavLibrary/settings/memorybuffer.h>
#include <MavLibrary/settings/playersettings.h>
#include <MavLibrary/settings/refcounted.h>
#include <MavLibrary/settings/settingsfunctions.h>
#include <MavLibrary/settings/zentrixsettings.h>

// services
#include <MavLibrary/services/imageutilities.h>
#include <MavLibrary/services/pubsubhub.h>
#include <MavLibrary/services/qtutilities.h>
#include <MavLibrary/services/remotecontrolevent.h>
#include <MavLibrary/services/startuptimer.h>
#include <MavLibrary/services/uithread.h>
#include <MavLibrary/services/windowordermanager.h>

// os
#include <MavLibrary/os/osutilities.h>
#include <MavLibrary/os/transferwizard.h>
#include <MavLibrary/os/zentrixmediaserver.h>

// text
#include <MavLibrary/text/librarytranslations.h>
#include <MavLibrary/text/mavstringtools.h>
#include <MavLibrary/text/utfconversion.h>

// net/platform
#include <MavLibrary/net/platform/critsection.h>
#include <MavLibrary/net/platform/file.h>
#include <MavLibrary/net/platform/mutex.h>
#include <MavLibrary/net/platform/thread.h>
#include <MavLibrary/net/platform/timing.h>

// plugins
#include <MavLibrary/plugins/context.h>
#include <MavLibrary/plugins/mediamanagerinterface.h>
#include <MavLibrary/plugins/menuplugin.h>
#include <MavLibrary/plugins/plugininfo.h>
#include <MavLibrary/plugins/pluginmanager.h>

// menus
#include <MavLibrary/menus/commonmenubar.h>
#include <MavLibrary/menus/menu.h>
#include <MavLibrary/menus/menupluginproxy.h>

// profiles
#include <MavLibrary/profiles/profilemanager.h>
#include <MavLibrary/profiles/profilewrapper.h>
#include <MavLibrary/menus/shortcutmanager.h>
#include <MavLibrary/menus/shortcutparser.h>

// net/http
#include <MavLibrary/net/http/httperrorids.h>
#include <MavLibrary/net/http/httpfunctions.h>
#include <MavLibrary/net/http/httpsslutility.h>
#include <MavLibrary/net/http/httputilityvirtual.h>

// net
#include <MavLibrary/net/ping.h>
#include <MavLibrary/net/pingmanager.h>
#include <MavLibrary/net/pingsender.h>
#include <MavLibrary/net/qtpingsender.h>
