// SPDX-License-Identifier: LGPL-2.1-or-later
#include "menu.h"

namespace Quorvex {

MenuItem::MenuItem(unsigned int id, Kapio::PluginInfo *pluginInfo)
    : id(id)
    , pluginInfo(pluginInfo)
{ }

MenuItem::~MenuItem() = default;

SubMenu::SubMenu(unsigned int id, Kapio::PluginInfo *pluginInfo)
    : MenuItem(id, pluginInfo)
{ }

SubMenu::~SubMenu()
{
    items.clear();
}

MenuGroup::MenuGroup(unsigned int id, Kapio::PluginInfo *pluginInfo, QActionGroup *actionGroup)
    : id(id)
    , pluginInfo(pluginInfo)
    , actionGroup(actionGroup)
{ }

Menu::Menu(unsigned int id, Kapio::PluginInfo *pluginInfo)
    : id(id)
    , pluginInfo(pluginInfo)
{ }

} // namespace Quorvex
