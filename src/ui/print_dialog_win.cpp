#include "ui/print_dialog_win.h"

#include <commdlg.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/unique_handle.h"

namespace corvane::ui {
namespace {

// A movable block holding `bytes`, as the dialog takes its seeds.
HGLOBAL CopyToGlobal(const void* bytes, std::size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) return nullptr;
  if (void* to = GlobalLock(block)) {
    std::memcpy(to, bytes, size);
    GlobalUnlock(block);
    return block;
  }
  GlobalFree(block);
  return nullptr;
}

// DEVNAMES: the block's header gives each name's offset in characters.
HGLOBAL DevNames(const platform::Printer::Names& names) {
  std::vector<wchar_t> block(sizeof(DEVNAMES) / sizeof(wchar_t));
  const auto add = [&](const std::wstring& text) {
    const auto at = static_cast<WORD>(block.size());
    block.insert(block.end(), text.begin(), text.end());
    block.push_back(L'\0');
    return at;
  };
  const WORD driver = add(names.driver), device = add(names.device), port = add(names.port);
  auto* header = reinterpret_cast<DEVNAMES*>(block.data());
  *header = {driver, device, port, 0};
  return CopyToGlobal(block.data(), block.size() * sizeof(wchar_t));
}

}  // namespace

bool RunPrintDialog(HWND owner, platform::Printer& printer) {
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.Flags = PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION | PD_NOPAGENUMS;
  dialog.nCopies = static_cast<WORD>(printer.copies());
  // Seeded with the current choice when there is one; otherwise the dialog
  // offers the system's default.
  try {
    if (printer.index() >= 0) {
      const std::vector<std::byte> settings = printer.Settings();
      dialog.hDevMode = CopyToGlobal(settings.data(), settings.size());
      dialog.hDevNames = DevNames(printer.GetNames());
    }
  } catch (const std::exception&) {
    // A printer that cannot give its settings: let the dialog start afresh.
  }
  const BOOL confirmed = PrintDlgW(&dialog);
  const platform::UniqueGlobal mode(dialog.hDevMode), names(dialog.hDevNames);
  if (!confirmed || !names) return false;
  const auto* devnames = static_cast<const DEVNAMES*>(GlobalLock(names.get()));
  if (!devnames) return false;
  const std::wstring device = reinterpret_cast<const wchar_t*>(devnames) + devnames->wDeviceOffset;
  GlobalUnlock(names.get());
  const auto* devmode = mode ? static_cast<const DEVMODEW*>(GlobalLock(mode.get())) : nullptr;
  try {
    printer.AdoptSettings(device, devmode);
  } catch (...) {
    if (devmode) GlobalUnlock(mode.get());
    throw;
  }
  if (devmode) GlobalUnlock(mode.get());
  return true;
}

}  // namespace corvane::ui
