#include "app/main_menu.h"

#include <gtest/gtest.h>

#include <set>

#include "app/main_window_ids.h"

namespace corvane::app {
namespace {

TEST(MainMenu, ShortcutsAreUniqueAndShownInTheItems) {
  std::set<std::pair<unsigned short, bool>> keys;
  std::set<unsigned> ids;
  for (const auto& menu : MainMenus()) {
    for (const auto& item : menu.items) {
      if (item.text.empty()) continue;
      EXPECT_TRUE(ids.insert(item.id).second) << "command " << item.id << " twice";
      if (!item.key.vk) continue;
      EXPECT_TRUE(keys.insert({item.key.vk, item.key.ctrl}).second) << "shortcut twice";
    }
  }
  const ui::MenuItem save = MainMenus()[0].items[0];
  EXPECT_EQ(ui::MenuItemText(save), L"Save to CSV\tF2");
  EXPECT_EQ(ui::ShortcutText(ui::Ctrl('T')), L"Ctrl+T");
  EXPECT_EQ(ui::ShortcutText(ui::Fn(12)), L"F12");
}

}  // namespace
}  // namespace corvane::app
