// A yardstick for the peak memory of `corvane.exe /AUTO`: the least a program
// can do that loads the same system facilities once each. Whatever Wine maps
// for them (user32 with a window, comctl32, COM with the WMI provider, winmm,
// winsock, the IP helper) is in its resident size too, so corvane's excess over
// this program is corvane's own. Nothing of corvane is used.
// Exit code 0 when every facility answered.
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
#include <iphlpapi.h>
#include <mmsystem.h>
#include <objbase.h>
#include <oleauto.h>
#include <wbemidl.h>

#include <cstdio>
#include <vector>

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd, msg, wp, lp); }

// A hidden top-level window with one child, as the unattended run never shows its window.
bool MakeWindow() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"BenchReference";
  if (!RegisterClassExW(&wc)) return false;
  HWND frame = CreateWindowExW(0, wc.lpszClassName, L"reference", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                               nullptr, wc.hInstance, nullptr);
  if (!frame) return false;
  HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_READONLY, 4, 4, 200, 19, frame,
                              nullptr, wc.hInstance, nullptr);
  const bool ok = edit != nullptr;
  DestroyWindow(frame);
  return ok;
}

// One in-process WMI query, one value read.
bool QueryWmi() {
  IWbemLocator* locator = nullptr;
  if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                              reinterpret_cast<void**>(&locator)))) {
    return false;
  }
  bool ok = false;
  IWbemServices* services = nullptr;
  BSTR root = SysAllocString(L"ROOT\\CIMV2");
  if (SUCCEEDED(locator->ConnectServer(root, nullptr, nullptr, nullptr, 0, nullptr, nullptr, &services))) {
    IEnumWbemClassObject* rows = nullptr;
    BSTR language = SysAllocString(L"WQL");
    BSTR query = SysAllocString(L"SELECT * FROM Win32_OperatingSystem");
    if (SUCCEEDED(services->ExecQuery(language, query, WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY,
                                      nullptr, &rows))) {
      IWbemClassObject* row = nullptr;
      ULONG got = 0;
      if (SUCCEEDED(rows->Next(WBEM_INFINITE, 1, &row, &got)) && got == 1) {
        VARIANT v;
        VariantInit(&v);
        ok = SUCCEEDED(row->Get(L"Caption", 0, &v, nullptr, nullptr)) && v.vt == VT_BSTR;
        VariantClear(&v);
        row->Release();
      }
      rows->Release();
    }
    SysFreeString(query);
    SysFreeString(language);
    services->Release();
  }
  SysFreeString(root);
  locator->Release();
  return ok;
}

bool AskWinsock() {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return false;
  char name[256] = {};
  const bool ok = gethostname(name, sizeof name) == 0;
  WSACleanup();
  return ok;
}

bool AskIpHelper() {
  ULONG size = 0;
  if (GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW) return size == 0;
  std::vector<unsigned char> buffer(size);
  return GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()), &size) == ERROR_SUCCESS;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 10;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES |
                                           ICC_PROGRESS_CLASS | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  int failed = 0;
  if (!InitCommonControlsEx(&icc)) failed |= 1;
  if (!MakeWindow()) failed |= 2;
  if (!QueryWmi()) failed |= 4;
  (void)waveOutGetNumDevs();  // no device is a valid answer
  if (!AskWinsock()) failed |= 8;
  if (!AskIpHelper()) failed |= 16;
  CoUninitialize();
  if (failed) std::fprintf(stderr, "reference: facilities that failed: mask %d\n", failed);
  return failed;
}
