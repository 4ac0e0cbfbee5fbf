// A printer for the tests: Wine's PostScript driver with a description of
// our own (Letter paper at 300 dpi, four paper bins), writing to a host file
// the tests read back. A clean prefix has no printer at all.
#pragma once
#include <windows.h>
#include <winspool.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace corvane::test_support {

inline constexpr wchar_t kTestPrinter[] = L"Corvane Test PostScript";

inline constexpr char kTestPrinterPpd[] =
    "*PPD-Adobe: \"4.3\"\n"
    "*FormatVersion: \"4.3\"\n"
    "*FileVersion: \"1.0\"\n"
    "*LanguageVersion: English\n"
    "*LanguageEncoding: ISOLatin1\n"
    "*PCFileName: \"CORVTEST.PPD\"\n"
    "*Manufacturer: \"Corvane\"\n"
    "*Product: \"(Corvane Test)\"\n"
    "*ModelName: \"Corvane Test PostScript\"\n"
    "*ShortNickName: \"Corvane Test PostScript\"\n"
    "*NickName: \"Corvane Test PostScript\"\n"
    "*PSVersion: \"(3010.000) 0\"\n"
    "*LanguageLevel: \"3\"\n"
    "*ColorDevice: False\n"
    "*DefaultColorSpace: Gray\n"
    "*LandscapeOrientation: Plus90\n"
    "*DefaultResolution: 300dpi\n"
    "*OpenUI *PageSize: PickOne\n"
    "*DefaultPageSize: Letter\n"
    "*PageSize Letter/US Letter: \"<</PageSize[612 792]>>setpagedevice\"\n"
    "*CloseUI: *PageSize\n"
    "*DefaultImageableArea: Letter\n"
    "*ImageableArea Letter/US Letter: \"18 36 594 756\"\n"
    "*DefaultPaperDimension: Letter\n"
    "*PaperDimension Letter/US Letter: \"612 792\"\n"
    "*OpenUI *InputSlot: PickOne\n"
    "*DefaultInputSlot: Upper\n"
    "*InputSlot Upper/Upper Tray: \"\"\n"
    "*InputSlot Lower/Lower Tray: \"\"\n"
    "*CloseUI: *InputSlot\n"
    "*DefaultFont: Times-Roman\n"
    "*Font Times-Roman: Standard \"(001.007S)\" Standard ROM\n"
    "*Font Times-Bold: Standard \"(001.007S)\" Standard ROM\n";

inline std::wstring TestPrintDir() {
  wchar_t path[MAX_PATH];
  GetTempPathW(MAX_PATH, path);
  std::wstring dir = std::wstring(path) + L"corvane_print\\";
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

// Where the test printer's port writes.
inline std::wstring TestPrinterPortFile() { return TestPrintDir() + L"port.ps"; }

inline std::string UnixFileName(const std::wstring& path) {
  using UnixNameFn = char*(CDECL*)(LPCWSTR);
  const auto unix_name = reinterpret_cast<UnixNameFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!unix_name) return {};
  char* name = unix_name(path.c_str());
  if (!name) return {};
  std::string result = name;
  HeapFree(GetProcessHeap(), 0, name);
  return result;
}

// Installs the printer under `name` (the driver once) and, with
// `make_default`, makes it the system's default. The Win32 error, or 0.
inline DWORD InstallTestPrinter(const wchar_t* name = kTestPrinter, bool make_default = true) {
  const std::wstring dir = TestPrintDir();
  std::wstring data_file = dir + L"corvtest.ppd";
  {
    std::ofstream ppd(std::filesystem::path(data_file), std::ios::binary);
    ppd << kTestPrinterPpd;
  }
  DRIVER_INFO_3W driver{};
  driver.cVersion = 3;
  driver.pName = const_cast<wchar_t*>(kTestPrinter);
  driver.pDriverPath = const_cast<wchar_t*>(L"wineps.drv");
  driver.pDataFile = data_file.data();
  driver.pConfigFile = const_cast<wchar_t*>(L"wineps.drv");
  if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver),
                           APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY)) {
    return GetLastError();
  }
  const std::string unix_port = UnixFileName(TestPrinterPortFile());
  if (unix_port.empty()) return ERROR_NOT_SUPPORTED;  // not under Wine
  std::wstring port(unix_port.begin(), unix_port.end());
  PRINTER_INFO_2W printer{};
  printer.pPrinterName = const_cast<wchar_t*>(name);
  printer.pPortName = port.data();
  printer.pDriverName = const_cast<wchar_t*>(kTestPrinter);
  printer.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
  printer.pDatatype = const_cast<wchar_t*>(L"RAW");
  printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  HANDLE added = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
  if (!added && GetLastError() != ERROR_PRINTER_ALREADY_EXISTS) return GetLastError();
  if (added) ClosePrinter(added);
  if (make_default && !SetDefaultPrinterW(name)) return GetLastError();
  return ERROR_SUCCESS;
}

inline void RemoveTestPrinter(const wchar_t* name = kTestPrinter) {
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSW rights{nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (OpenPrinterW(const_cast<wchar_t*>(name), &printer, &rights)) {
    DeletePrinter(printer);
    ClosePrinter(printer);
  }
}

inline void RemoveTestPrinterDriver() { DeletePrinterDriverW(nullptr, nullptr, const_cast<wchar_t*>(kTestPrinter)); }

inline std::string ReadWholeFile(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The text of each page the PostScript driver wrote, read back from the
// glyphs it shows ("/N glyphshow"); texts drawn one after another run
// together.
inline std::vector<std::string> PrintedPageTexts(const std::string& ps) {
  static const std::map<std::string, char> kNamed = {
      {"zero", '0'},  {"one", '1'},   {"two", '2'},    {"three", '3'},  {"four", '4'},
      {"five", '5'},  {"six", '6'},   {"seven", '7'},  {"eight", '8'},  {"nine", '9'},
      {"colon", ':'}, {"slash", '/'}, {"period", '.'}, {"hyphen", '-'}, {"space", ' '},
      {"uni00A0", ' '}};
  std::vector<std::string> pages;
  std::istringstream lines(ps);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("%%Page: ", 0) == 0) pages.emplace_back();
    const auto show = line.find(" glyphshow");
    if (pages.empty() || line.empty() || line[0] != '/' || show == std::string::npos) continue;
    const std::string name = line.substr(1, show - 1);
    if (name.size() == 1) {
      pages.back() += name[0];
    } else {
      const auto named = kNamed.find(name);
      pages.back() += named != kNamed.end() ? named->second : '?';
    }
  }
  return pages;
}

}  // namespace corvane::test_support
