// WMI as the test process sees it, on the native interfaces: what the
// program shows is compared with this independent reading.
#include <windows.h>
// after windows.h
#include <wbemcli.h>

#include "e2e/harness.h"
#include "platform/com_win.h"

namespace corvane::e2e {

std::optional<std::vector<WmiObjectTexts>> QueryWmiObjects(const std::wstring& query,
                                                           const std::vector<std::wstring>& properties) {
  platform::ComApartment com;
  platform::ComPtr<IWbemLocator> locator;
  if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                              locator.put_void()))) {
    return std::nullopt;
  }
  platform::ComPtr<IWbemServices> services;
  if (FAILED(locator->ConnectServer(platform::Bstr(L"root\\cimv2").get(), nullptr, nullptr, nullptr, 0, nullptr,
                                    nullptr, services.put()))) {
    return std::nullopt;
  }
  platform::ComPtr<IEnumWbemClassObject> objects;
  if (FAILED(services->ExecQuery(platform::Bstr(L"WQL").get(), platform::Bstr(query).get(), WBEM_FLAG_FORWARD_ONLY,
                                 nullptr, objects.put()))) {
    return std::nullopt;
  }
  std::vector<WmiObjectTexts> result;
  for (;;) {
    platform::ComPtr<IWbemClassObject> object;
    ULONG fetched = 0;
    if (objects->Next(static_cast<long>(WBEM_INFINITE), 1, object.put(), &fetched) != S_OK || fetched == 0) break;
    WmiObjectTexts texts;
    for (const std::wstring& name : properties) {
      platform::Variant value;
      if (FAILED(object->Get(name.c_str(), 0, value.put(), nullptr, nullptr))) continue;  // no such property
      if (value.get().vt == VT_NULL || value.get().vt == VT_EMPTY) {
        texts[name] = L"NULL";
        continue;
      }
      platform::Variant text;
      // The conversion reads its source only; the function just takes it unqualified.
      if (SUCCEEDED(VariantChangeType(text.put(), const_cast<VARIANT*>(&value.get()), 0, VT_BSTR))) {
        texts[name] = std::wstring(text.get().bstrVal ? text.get().bstrVal : L"");
      }
    }
    result.push_back(std::move(texts));
  }
  return result;
}

}  // namespace corvane::e2e
