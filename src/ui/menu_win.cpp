#include "ui/menu_win.h"

#include <vector>

namespace corvane::ui {

HMENU BuildPopupMenu(std::span<const MenuItem> items) {
  HMENU popup = CreatePopupMenu();
  for (const auto& item : items) {
    if (item.text.empty()) {
      AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuW(popup, MF_STRING | (item.checked ? MF_CHECKED : 0u), item.id, MenuItemText(item).c_str());
    }
  }
  return popup;
}

HMENU BuildMenuBar(std::span<const Menu> menus) {
  HMENU bar = CreateMenu();
  for (const auto& menu : menus) {
    HMENU popup = BuildPopupMenu(menu.items);
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), std::wstring(menu.caption).c_str());
  }
  return bar;
}

platform::UniqueAccel BuildAccelerators(std::span<const Menu> menus) {
  std::vector<ACCEL> accels;
  for (const auto& menu : menus) {
    for (const auto& item : menu.items) {
      if (!item.key.vk) continue;
      BYTE flags = FVIRTKEY;
      if (item.key.ctrl) flags |= FCONTROL;
      accels.push_back({flags, item.key.vk, static_cast<WORD>(item.id)});
    }
  }
  return platform::UniqueAccel(CreateAcceleratorTableW(accels.data(), static_cast<int>(accels.size())));
}

}  // namespace corvane::ui
