#include "inventory/installed_apps_win.h"

#include <optional>
#include <string>

#include "platform/registry_win.h"

namespace corvane::inventory {
namespace {

class SystemUninstallRegistry final : public UninstallRegistry {
 public:
  std::vector<std::wstring> EntryNames(const UninstallSource& source) override {
    platform::Registry uninstall(Rights(source));
    uninstall.SetRoot(platform::RootKey(source.root));
    if (!uninstall.OpenKeyReadOnly(source.key)) return {};
    return uninstall.SubkeyNames();
  }
  bool OpenEntry(const UninstallSource& source, std::wstring_view subkey) override {
    entry_.emplace(Rights(source));
    entry_->SetRoot(platform::RootKey(source.root));
    return entry_->OpenKeyReadOnly(source.key + L"\\" + std::wstring(subkey));
  }
  std::wstring ReadValue(std::wstring_view name) override { return entry_ ? entry_->ReadString(name) : std::wstring(); }

 private:
  // The view's flag goes with every open: the system does not carry it
  // from the Uninstall key to the entries below it.
  static REGSAM Rights(const UninstallSource& source) { return KEY_READ | source.view; }

  std::optional<platform::Registry> entry_;
};

}  // namespace

const std::vector<UninstallSource>& SystemUninstallSources() {
  static const std::vector<UninstallSource> sources = UninstallSources(platform::SystemSoftwareViews());
  return sources;
}

void ReadInstalledApps(std::vector<AppRow>& rows, std::span<const UninstallSource> sources) {
  SystemUninstallRegistry registry;
  ReadAppRows(rows, sources, registry);
}

}  // namespace corvane::inventory
