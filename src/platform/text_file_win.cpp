#include "platform/text_file_win.h"

#include <vector>

#include "platform/unique_handle.h"

namespace corvane::platform {

std::string ToAnsi(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                       nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

std::wstring FromAnsi(std::string_view text) {
  if (text.empty()) return {};
  const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (size <= 0) return {};
  std::wstring out(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
  return out;
}

DWORD ReplaceFileWithAnsiText(const std::wstring& path, std::wstring_view text) {
  return ReplaceFileWithBytes(path, ToAnsi(text));
}

DWORD ReplaceFileWithBytes(const std::wstring& path, std::string_view bytes) {
  std::vector<wchar_t> full(MAX_PATH);
  wchar_t* name_part = nullptr;
  DWORD len = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), &name_part);
  if (len >= full.size()) {
    full.resize(len + 1);
    len = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), &name_part);
  }
  if (len == 0 || !name_part) return len == 0 ? GetLastError() : ERROR_INVALID_NAME;
  const std::wstring target(full.data());
  const std::wstring folder(full.data(), name_part);

  wchar_t temp[MAX_PATH + 16];
  if (!GetTempFileNameW(folder.c_str(), L"cvn", 0, temp)) return GetLastError();

  DWORD error = ERROR_SUCCESS;
  {
    UniqueFile file(CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file) {
      error = GetLastError();
    } else if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
               written != bytes.size() || !FlushFileBuffers(file.get())) {
      error = GetLastError();
      if (error == ERROR_SUCCESS) error = ERROR_WRITE_FAULT;
    }
  }
  if (error == ERROR_SUCCESS &&
      !MoveFileExW(temp, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = GetLastError();
  }
  if (error != ERROR_SUCCESS) DeleteFileW(temp);
  return error;
}

std::wstring SystemMessage(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD len = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = len ? std::wstring(buffer, len) : L"System error " + std::to_wstring(code);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  return text;
}

}  // namespace corvane::platform
