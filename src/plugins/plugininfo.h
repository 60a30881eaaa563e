// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

#include <string>
#include <string_view>
#include <vector>

// libxml2's document type, kept opaque so that users need no libxml2 headers.
struct _xmlDoc;

namespace Quorvex {

//! The interface of a plug-in that carries menu and shortcut descriptions.
inline constexpr char MenuInterfaceId[] = "com.zentrix.quorvex.pluginInterface.Menu";
//! The interface of the media-manager plug-in (MediaManagerInterface).
inline constexpr char MediaManagerInterfaceId[] =
    "com.zentrix.quorvex.pluginInterface.MediaManager";

} // namespace Quorvex

namespace Kapio {

// Paths into a property document.
inline constexpr char PropertyShortName[] = "/properties/name/short";
inline constexpr char PropertyLongName[] = "/properties/name/long";
inline constexpr char PropertyMajorVersion[] = "/properties/plugin/version/major";
inline constexpr char PropertyMinorVersion[] = "/properties/plugin/version/minor";
inline constexpr char PropertyMicroVersion[] = "/properties/plugin/version/micro";
//! Every node on this path names one interface the plug-in implements.
inline constexpr char PropertyInterfaces[] = "/properties/plugin/interfaces/interface";

/*!
    One plug-in as its plug-in manager knows it before (and whether or not) its
    module is loaded: its name, the interfaces it implements and its property
    document, as raw UTF-8 text and parsed.

    The manager that made an info owns it and keeps it as long as the manager
    lives; an info owns its parsed document.
*/
struct MAVLIBRARY_EXPORT PluginInfo
{
    PluginInfo() = default;
    ~PluginInfo();
    PluginInfo(const PluginInfo &) = delete;
    PluginInfo &operator=(const PluginInfo &) = delete;

    std::string name;
    std::vector<std::string> interfaces;
    //! The property document as read from its file.
    std::string properties;
    //! The parsed property document, or null when it did not parse.
    _xmlDoc *document = nullptr;

    // Fields of the library's own PluginManager.
    std::string modulePath;
    std::string propertiesPath;
    //! Why the plug-in cannot be used (its document is missing or broken, ...);
    //! empty when it can.
    std::string error;

    bool implements(std::string_view identifier) const;
    //! The text of the first node on \a path (an XPath expression) in the parsed
    //! document, or empty.
    std::string property(const char *path) const;
    //! property() read as a number with atoi: 0 when missing.
    int intProperty(const char *path) const;

    std::string shortName() const { return property(PropertyShortName); }
    std::string longName() const { return property(PropertyLongName); }
    int majorVersion() const { return intProperty(PropertyMajorVersion); }
    int minorVersion() const { return intProperty(PropertyMinorVersion); }
    int microVersion() const { return intProperty(PropertyMicroVersion); }
};

} // namespace Kapio
