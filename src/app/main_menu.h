// The main window's menus and toolbar as tables.
#pragma once
#include <span>

#include "ui/menu_spec.h"
#include "ui/toolbar_spec.h"

namespace corvane::app {

std::span<const ui::MenuSpec> MainMenus();
std::span<const ui::ToolButtonSpec> MainToolbar();

}  // namespace corvane::app
