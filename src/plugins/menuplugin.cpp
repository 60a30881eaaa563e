// SPDX-License-Identifier: LGPL-2.1-or-later
#include "menuplugin.h"

namespace Kapio {

MenuPlugin::MenuPlugin(QObject *parent)
    : QObject(parent)
{ }

MenuPlugin::~MenuPlugin() = default;

void *MenuPlugin::findInterface(const std::string &identifier)
{
    if (identifier == Quorvex::MenuInterfaceId)
        return static_cast<MenuInterface *>(this);
    return nullptr;
}

QObject *MenuPlugin::qObject()
{
    return this;
}

} // namespace Kapio
