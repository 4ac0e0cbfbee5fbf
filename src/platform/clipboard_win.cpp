#include "platform/clipboard_win.h"

#include <cstring>

namespace corvane::platform {
namespace {

class ClipboardSession {
 public:
  explicit ClipboardSession(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  ~ClipboardSession() {
    if (open_) CloseClipboard();
  }
  bool open() const { return open_; }

 private:
  bool open_;
};

}  // namespace

bool SetClipboardText(HWND owner, std::wstring_view text) {
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  if (auto* data = static_cast<wchar_t*>(GlobalLock(memory))) {
    std::memcpy(data, text.data(), text.size() * sizeof(wchar_t));
    data[text.size()] = L'\0';
    GlobalUnlock(memory);
  }
  ClipboardSession clipboard(owner);
  // Once placed, the memory belongs to the clipboard.
  if (clipboard.open() && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory)) return true;
  GlobalFree(memory);
  return false;
}

}  // namespace corvane::platform
