#pragma once
#include <windows.h>

#include <span>

#include "platform/unique_handle.h"
#include "ui/menu_table.h"

namespace corvane::ui {

// The menu bar of the tables (owned by the window once attached with SetMenu).
HMENU BuildMenuBar(std::span<const Menu> menus);
// One accelerator per item that has a shortcut.
platform::UniqueAccel BuildAccelerators(std::span<const Menu> menus);

}  // namespace corvane::ui
