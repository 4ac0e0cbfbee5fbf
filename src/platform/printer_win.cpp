#include "platform/printer_win.h"

#include <winspool.h>

#include <cstring>

#include "platform/failure_text_win.h"

namespace corvane::platform {
namespace {

std::wstring TextOrEmpty(const wchar_t* text) { return text ? text : L""; }

// The error of the call that just failed; some printing calls fail without
// setting one.
DWORD LastErrorOr(DWORD fallback) {
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? error : fallback;
}

class PrinterHandle {
 public:
  explicit PrinterHandle(const std::wstring& name) {
    if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &handle_, nullptr)) handle_ = nullptr;
  }
  PrinterHandle(const PrinterHandle&) = delete;
  PrinterHandle& operator=(const PrinterHandle&) = delete;
  ~PrinterHandle() {
    if (handle_) ClosePrinter(handle_);
  }
  HANDLE get() const noexcept { return handle_; }

 private:
  HANDLE handle_ = nullptr;
};

std::wstring DefaultPrinterName() {
  DWORD size = 0;
  GetDefaultPrinterW(nullptr, &size);
  if (size == 0) return {};
  std::vector<wchar_t> name(size);
  if (!GetDefaultPrinterW(name.data(), &size)) return {};
  return name.data();
}

DEVMODEW* Mode(std::vector<std::byte>& settings) { return reinterpret_cast<DEVMODEW*>(settings.data()); }

}  // namespace

Printer::~Printer() {
  if (printing_) AbortDoc(dc_.get());
}

void Printer::EnsureList() {
  if (listed_) return;
  installed_.clear();
  entries_.clear();
  // Local printers and the network printers this user is connected to.
  constexpr DWORD kWhich = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  DWORD needed = 0, count = 0;
  EnumPrintersW(kWhich, nullptr, 2, nullptr, 0, &needed, &count);
  std::vector<std::byte> buffer(needed);
  if (needed > 0 && EnumPrintersW(kWhich, nullptr, 2, reinterpret_cast<BYTE*>(buffer.data()), needed, &needed, &count)) {
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
      installed_.push_back({TextOrEmpty(info[i].pPrinterName), TextOrEmpty(info[i].pDriverName),
                            TextOrEmpty(info[i].pPortName)});
      entries_.push_back(installed_.back().device + L" on " + installed_.back().port);
    }
  }
  listed_ = true;
}

const std::vector<std::wstring>& Printer::Printers() {
  EnsureList();
  return entries_;
}

void Printer::Refresh() {
  if (printing_) throw PrinterError(kPrintingText);
  listed_ = false;
  index_ = -1;
  settings_.clear();
  dc_.reset();
}

void Printer::EnsureChosen() {
  EnsureList();
  if (index_ < 0) {
    const std::wstring name = DefaultPrinterName();
    if (!name.empty()) SelectByName(name);
  }
}

int Printer::index() {
  EnsureChosen();
  return index_;
}

void Printer::SetIndex(int index) {
  if (printing_) throw PrinterError(kPrintingText);
  EnsureList();
  if (index == -1) {
    index_ = -1;
    settings_.clear();
    dc_.reset();
    EnsureChosen();
    if (index_ < 0) throw PrinterError(kNoDefaultPrinterText);
    return;
  }
  if (index < 0 || index >= static_cast<int>(installed_.size())) throw PrinterError(kPrinterIndexText);
  if (index != index_) {
    index_ = index;
    settings_.clear();
    dc_.reset();
  }
}

bool Printer::SelectByName(const std::wstring& device) {
  EnsureList();
  for (std::size_t i = 0; i < installed_.size(); ++i) {
    if (CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, installed_[i].device.c_str(), -1, device.c_str(), -1) ==
        CSTR_EQUAL) {
      SetIndex(static_cast<int>(i));
      return true;
    }
  }
  return false;
}

Printer::Names Printer::GetNames() {
  EnsureChosen();
  if (index_ < 0) throw PrinterError(kNoDefaultPrinterText);
  const Installed& chosen = installed_[static_cast<std::size_t>(index_)];
  return {chosen.device, chosen.driver, chosen.port};
}

void Printer::LoadSettings() {
  if (!settings_.empty()) return;
  const std::wstring device = GetNames().device;
  PrinterHandle handle(device);
  if (!handle.get()) throw SystemError(LastErrorOr(ERROR_INVALID_PRINTER_NAME));
  auto* name = const_cast<wchar_t*>(device.c_str());
  const LONG size = DocumentPropertiesW(nullptr, handle.get(), name, nullptr, nullptr, 0);
  if (size <= 0) throw SystemError(LastErrorOr(ERROR_INVALID_PRINTER_NAME));
  std::vector<std::byte> settings(static_cast<std::size_t>(size));
  if (DocumentPropertiesW(nullptr, handle.get(), name, Mode(settings), nullptr, DM_OUT_BUFFER) != IDOK) {
    throw SystemError(LastErrorOr(ERROR_INVALID_PRINTER_NAME));
  }
  settings_ = std::move(settings);
}

std::vector<std::byte> Printer::Settings() {
  LoadSettings();
  std::vector<std::byte> settings = settings_;
  DEVMODEW* mode = Mode(settings);
  mode->dmFields |= DM_COPIES | DM_ORIENTATION;
  mode->dmCopies = static_cast<short>(copies_);
  mode->dmOrientation = orientation_ == PrintOrientation::kLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  return settings;
}

void Printer::AdoptSettings(const std::wstring& device, const DEVMODEW* mode) {
  if (printing_) throw PrinterError(kPrintingText);
  if (!SelectByName(device)) {
    // A printer added since the list was read.
    listed_ = false;
    if (!SelectByName(device)) throw PrinterError(kPrinterIndexText);
  }
  if (!mode) return;
  settings_.assign(reinterpret_cast<const std::byte*>(mode),
                   reinterpret_cast<const std::byte*>(mode) + mode->dmSize + mode->dmDriverExtra);
  if (mode->dmFields & DM_COPIES) copies_ = mode->dmCopies > 0 ? mode->dmCopies : 1;
  if (mode->dmFields & DM_ORIENTATION) {
    orientation_ = mode->dmOrientation == DMORIENT_LANDSCAPE ? PrintOrientation::kLandscape
                                                             : PrintOrientation::kPortrait;
  }
  dc_.reset();
}

void Printer::ResetDc() {
  if (dc_) return;
  const std::wstring device = GetNames().device;
  std::vector<std::byte> settings = Settings();
  dc_.reset(CreateDCW(L"WINSPOOL", device.c_str(), nullptr, Mode(settings)));
  if (!dc_) throw SystemError(LastErrorOr(ERROR_INVALID_PRINTER_NAME));
}

HDC Printer::Handle() {
  ResetDc();
  return dc_.get();
}

void Printer::SetCopies(int copies) {
  if (printing_) throw PrinterError(kPrintingText);
  copies_ = copies > 0 ? copies : 1;
  dc_.reset();
}

void Printer::SetOrientation(PrintOrientation orientation) {
  if (printing_) throw PrinterError(kPrintingText);
  orientation_ = orientation;
  dc_.reset();
}

void Printer::BeginDoc(const std::wstring& output) {
  if (printing_) throw PrinterError(kPrintingText);
  // A fresh context for every job, made with the settings as they are now.
  dc_.reset();
  HDC dc = Handle();
  DOCINFOW doc{sizeof doc, title.c_str(), output.empty() ? nullptr : output.c_str(), nullptr, 0};
  if (StartDocW(dc, &doc) <= 0) throw SystemError(LastErrorOr(ERROR_PRINT_CANCELLED));
  printing_ = true;
  page_number_ = 1;
  if (StartPage(dc) <= 0) {
    const DWORD error = LastErrorOr(ERROR_PRINT_CANCELLED);
    Abort();
    throw SystemError(error);
  }
}

void Printer::NewPage() {
  if (!printing_) throw PrinterError(kNotPrintingText);
  if (EndPage(dc_.get()) <= 0 || StartPage(dc_.get()) <= 0) {
    const DWORD error = LastErrorOr(ERROR_PRINT_CANCELLED);
    Abort();
    throw SystemError(error);
  }
  ++page_number_;
}

void Printer::EndDoc() {
  if (!printing_) throw PrinterError(kNotPrintingText);
  const bool ended = EndPage(dc_.get()) > 0 && ::EndDoc(dc_.get()) > 0;
  if (!ended) {
    const DWORD error = LastErrorOr(ERROR_PRINT_CANCELLED);
    Abort();
    throw SystemError(error);
  }
  printing_ = false;
  page_number_ = 0;
  dc_.reset();
}

void Printer::Abort() {
  if (!printing_) return;
  AbortDoc(dc_.get());
  printing_ = false;
  page_number_ = 0;
  dc_.reset();
}

Printer& ThePrinter() {
  static Printer printer;
  return printer;
}

}  // namespace corvane::platform
