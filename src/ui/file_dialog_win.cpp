#include "ui/file_dialog_win.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace corvane::ui {
namespace {

// "Name|pattern|..." as the dialog takes it: zero-separated, two zeros at the end.
std::wstring DialogFilter(const std::wstring& filters) {
  std::wstring filter = filters;
  std::ranges::replace(filter, L'|', L'\0');
  filter.append(2, L'\0');
  return filter;
}

OPENFILENAMEW DialogRecord(HWND owner, const std::wstring& filter, std::vector<wchar_t>& file) {
  OPENFILENAMEW ofn{};
  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400W;  // the size every supported system accepts
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  return ofn;
}

}  // namespace

std::optional<SaveChoice> AskSaveFile(HWND owner, const std::wstring& filters, const wchar_t* default_ext) {
  const std::wstring filter = DialogFilter(filters);
  std::vector<wchar_t> file(MAX_PATH * 4, L'\0');
  OPENFILENAMEW ofn = DialogRecord(owner, filter, file);
  ofn.lpstrDefExt = default_ext;
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&ofn)) return std::nullopt;
  return SaveChoice{file.data(), static_cast<int>(ofn.nFilterIndex)};
}

std::optional<std::wstring> AskOpenFile(HWND owner, const std::wstring& filters) {
  const std::wstring filter = DialogFilter(filters);
  std::vector<wchar_t> file(MAX_PATH * 4, L'\0');
  OPENFILENAMEW ofn = DialogRecord(owner, filter, file);
  ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&ofn)) return std::nullopt;
  return std::wstring(file.data());
}

}  // namespace corvane::ui
