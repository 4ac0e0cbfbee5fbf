#pragma once
#include <windows.h>

#include <span>

#include "platform/unique_handle.h"
#include "ui/menu_table.h"

namespace corvane::ui {

// A pop-up menu of the items (owned by the caller, or by the menu it is added to).
HMENU BuildPopupMenu(std::span<const MenuItem> items);
// The menu bar of the tables (owned by the window once attached with SetMenu).
HMENU BuildMenuBar(std::span<const Menu> menus);
// One accelerator per item that has a shortcut.
platform::UniqueAccel BuildAccelerators(std::span<const Menu> menus);

}  // namespace corvane::ui
