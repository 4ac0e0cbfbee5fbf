// Test services in the Wine prefix's service manager: one registered for
// the life of the object (never started) and removed again, and the list of
// Win32 services as the manager's wide interface gives it, independently of
// the program's ANSI route.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/unique_handle.h"

namespace corvane::test_support {

struct ListedService {
  std::wstring name;
  std::wstring display_name;
  std::uint32_t type = 0;
  std::uint32_t state = 0;
};

// Every Win32 service, active or not, in the manager's order; empty when the
// manager cannot be asked.
inline std::vector<ListedService> ServicesOfTheManager() {
  std::vector<ListedService> services;
  const platform::UniqueServiceHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE));
  if (!manager) return services;
  DWORD needed = 0, returned = 0, resume = 0;
  ::EnumServicesStatusW(manager.get(), SERVICE_WIN32, SERVICE_STATE_ALL, nullptr, 0, &needed, &returned, &resume);
  // Room to spare: a service added meanwhile must not cut the list short.
  std::vector<BYTE> buffer(needed + 4096);
  returned = resume = 0;
  if (!::EnumServicesStatusW(manager.get(), SERVICE_WIN32, SERVICE_STATE_ALL,
                             reinterpret_cast<ENUM_SERVICE_STATUSW*>(buffer.data()), static_cast<DWORD>(buffer.size()),
                             &needed, &returned, &resume)) {
    return services;
  }
  const auto* entries = reinterpret_cast<const ENUM_SERVICE_STATUSW*>(buffer.data());
  for (DWORD i = 0; i < returned; ++i) {
    services.push_back({entries[i].lpServiceName ? entries[i].lpServiceName : L"",
                        entries[i].lpDisplayName ? entries[i].lpDisplayName : L"",
                        entries[i].ServiceStatus.dwServiceType, entries[i].ServiceStatus.dwCurrentState});
  }
  return services;
}

// A demand-start service registered for the life of the object and never
// started; a leftover of a test that died midway is removed first.
class SeededService {
 public:
  SeededService(std::wstring name, const std::wstring& display_name, DWORD type) : name_(std::move(name)) {
    manager_.reset(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager_) {
      ADD_FAILURE() << "cannot open the service manager, error " << ::GetLastError();
      return;
    }
    Remove();
    const platform::UniqueServiceHandle service(
        ::CreateServiceW(manager_.get(), name_.c_str(), display_name.c_str(), SERVICE_ALL_ACCESS, type,
                         SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE, L"C:\\windows\\system32\\notepad.exe", nullptr,
                         nullptr, nullptr, nullptr, nullptr));
    if (!service) ADD_FAILURE() << "cannot create the service, error " << ::GetLastError();
  }
  SeededService(const SeededService&) = delete;
  SeededService& operator=(const SeededService&) = delete;
  ~SeededService() {
    if (manager_) Remove();
  }

 private:
  void Remove() {
    const platform::UniqueServiceHandle service(::OpenServiceW(manager_.get(), name_.c_str(), DELETE));
    if (service) ::DeleteService(service.get());
  }

  std::wstring name_;
  platform::UniqueServiceHandle manager_;
};

}  // namespace corvane::test_support
