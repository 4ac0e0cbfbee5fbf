#include "shortcuts/tool_menus.h"

namespace corvane::shortcuts {

const ToolItem* FindToolItem(unsigned id, unsigned first_id) {
  if (id < first_id) return nullptr;
  std::size_t index = id - first_id;
  for (const ToolMenu& menu : kToolMenus) {
    if (index < menu.items.size()) return &menu.items[index];
    index -= menu.items.size();
  }
  return nullptr;
}

}  // namespace corvane::shortcuts
