// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>
#include <MavLibrary/plugins/plugininfo.h>

#include <QtPlugin>

#include <string>
#include <vector>

class QObject;

/*!
    The host's plug-in manager as the library sees it. The library is handed a
    Context (or a Plugin) and uses only what is declared here; PluginManager is
    the library's own implementation.

    Results are small codes: Success (0), Failure, NotFound (3).
*/
namespace Kapio {

enum Result { Success = 0, Failure = 1, NotFound = 3 };

//! Flags of Context::loadPlugin.
enum LoadFlag {
    ReferenceIfLoaded = 0, //!< only reference a plug-in that is already loaded
    LoadIfNeeded = 1, //!< load the module when the plug-in is not loaded
};

class Plugin;

class MAVLIBRARY_EXPORT Context
{
public:
    //! A predicate on plug-ins, for findPlugins.
    class MAVLIBRARY_EXPORT AbstractPluginInfoFilter
    {
    public:
        virtual ~AbstractPluginInfoFilter();
        virtual bool operator()(const PluginInfo *info) const = 0;
    };

    virtual ~Context();
    //! Loads (or references) the plug-in of \a info and stores it, with one
    //! reference for the caller, in *\a out; \a flags are LoadFlag values.
    //! Success, or an error code with *\a out untouched.
    virtual int loadPlugin(PluginInfo *info, Plugin **out, int flags) = 0;
    //! Every usable plug-in, in the context's order.
    virtual std::vector<PluginInfo *> plugins() const = 0;
    //! The references held on the loaded plug-in of \a info; 0 when not loaded.
    virtual int referenceCount(const PluginInfo *info) const = 0;
    //! Why the plug-in of \a info cannot be used or last failed to load, or empty.
    virtual std::string errorString(const PluginInfo *info) const = 0;

    //! Appends the plug-ins that \a filter accepts to \a out in the context's
    //! order: Success when there is any, NotFound when there is none.
    int findPlugins(const AbstractPluginInfoFilter &filter, std::vector<PluginInfo *> &out) const;
};

//! Accepts the plug-ins that implement one interface.
class MAVLIBRARY_EXPORT PluginInterfaceFilter : public Context::AbstractPluginInfoFilter
{
public:
    explicit PluginInterfaceFilter(std::string identifier);
    bool operator()(const PluginInfo *info) const override;

private:
    std::string m_identifier;
};

//! Accepts the plug-in of one name.
class MAVLIBRARY_EXPORT PluginNameFilter : public Context::AbstractPluginInfoFilter
{
public:
    explicit PluginNameFilter(std::string name);
    bool operator()(const PluginInfo *info) const override;

private:
    std::string m_name;
};

/*!
    A loaded plug-in, reference counted. Each Context::loadPlugin that succeeds
    hands out one reference; release() gives it back, and the last release may
    unload the module and destroy the plug-in's objects.
*/
class MAVLIBRARY_EXPORT Plugin
{
public:
    virtual void release() = 0;
    virtual PluginInfo *info() const = 0;
    //! Stores the plug-in's implementation of \a identifier in *\a out: for
    //! Quorvex::MenuInterfaceId a MenuInterface*, for
    //! Quorvex::MediaManagerInterfaceId a Quorvex::MediaManagerInterface*. It
    //! lives as long as the plug-in stays loaded. Success, or NotFound.
    virtual int queryInterface(const std::string &identifier, void **out) = 0;
    //! One more reference, to be given back with release().
    virtual void addRef() = 0;

protected:
    ~Plugin() = default;
};

//! What a menu plug-in offers: the object that holds its menu slots, which is
//! destroyed (emitting destroyed(QObject*)) when the plug-in is unloaded.
class MAVLIBRARY_EXPORT MenuInterface
{
public:
    virtual QObject *qObject() = 0;

protected:
    ~MenuInterface() = default;
};

/*!
    What the root object of a plug-in module implements (declare it with
    Q_INTERFACES(Kapio::PluginFactory) and Q_PLUGIN_METADATA(IID
    KAPIO_PLUGIN_FACTORY_IID)); MenuPlugin does both for a menu plug-in.
*/
class MAVLIBRARY_EXPORT PluginFactory
{
public:
    virtual ~PluginFactory();
    //! The module's implementation of \a identifier (see Plugin::queryInterface),
    //! or null.
    virtual void *findInterface(const std::string &identifier) = 0;
};

} // namespace Kapio

#define KAPIO_PLUGIN_FACTORY_IID "com.zentrix.kapio.PluginFactory/1.0"
Q_DECLARE_INTERFACE(Kapio::PluginFactory, KAPIO_PLUGIN_FACTORY_IID)
