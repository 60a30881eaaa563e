// SPDX-License-Identifier: LGPL-2.1-or-later
#include "plugininfo.h"
#include "propertydocument_p.h"

#include <libxml/tree.h>

#include <algorithm>
#include <cstdlib>

namespace Kapio {

PluginInfo::~PluginInfo()
{
    if (document)
        xmlFreeDoc(document);
}

bool PluginInfo::implements(std::string_view identifier) const
{
    return std::find(interfaces.begin(), interfaces.end(), identifier) != interfaces.end();
}

std::string PluginInfo::property(const char *path) const
{
    std::vector<std::string> texts = PropertyDocument::lookup(document, path, true);
    return texts.empty() ? std::string() : std::move(texts.front());
}

int PluginInfo::intProperty(const char *path) const
{
    return std::atoi(property(path).c_str());
}

} // namespace Kapio
