// SPDX-License-Identifier: LGPL-2.1-or-later
#include "context.h"

namespace Kapio {

Context::AbstractPluginInfoFilter::~AbstractPluginInfoFilter() = default;

Context::~Context() = default;

int Context::findPlugins(const AbstractPluginInfoFilter &filter,
                         std::vector<PluginInfo *> &out) const
{
    bool found = false;
    for (PluginInfo *info : plugins()) {
        if (filter(info)) {
            out.push_back(info);
            found = true;
        }
    }
    return found ? Success : NotFound;
}

PluginInterfaceFilter::PluginInterfaceFilter(std::string identifier)
    : m_identifier(std::move(identifier))
{ }

bool PluginInterfaceFilter::operator()(const PluginInfo *info) const
{
    return info && info->implements(m_identifier);
}

PluginNameFilter::PluginNameFilter(std::string name)
    : m_name(std::move(name))
{ }

bool PluginNameFilter::operator()(const PluginInfo *info) const
{
    return info && info->name == m_name;
}

PluginFactory::~PluginFactory() = default;

} // namespace Kapio
