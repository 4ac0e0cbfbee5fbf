#include "ui/file_dialog_win.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace corvane::ui {

std::optional<SaveChoice> AskSaveFile(HWND owner, const std::wstring& filters, const wchar_t* default_ext) {
  std::wstring filter = filters;
  std::ranges::replace(filter, L'|', L'\0');
  filter.append(2, L'\0');
  std::vector<wchar_t> file(MAX_PATH * 4, L'\0');

  OPENFILENAMEW ofn{};
  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400W;  // the size every supported system accepts
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrDefExt = default_ext;
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&ofn)) return std::nullopt;
  return SaveChoice{file.data(), static_cast<int>(ofn.nFilterIndex)};
}

}  // namespace corvane::ui
