// The main window's menus and toolbar as tables.
#pragma once
#include <span>

#include "ui/menu_table.h"
#include "ui/toolbar_table.h"

namespace corvane::app {

std::span<const ui::Menu> MainMenus();
std::span<const ui::ToolButton> MainToolbar();

}  // namespace corvane::app
