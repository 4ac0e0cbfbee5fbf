// The services window's reading: the two service-manager functions, bound
// by name from the system's advapi32 once at start-up, and the enumeration
// of the Win32 services through them.
#pragma once
#include <windows.h>

#include <vector>

#include "inventory/services_view.h"
#include "platform/system_function_win.h"

namespace corvane::inventory {

using OpenSCManagerAFn = SC_HANDLE(WINAPI*)(LPCSTR machine, LPCSTR database, DWORD access);
using EnumServicesStatusAFn = BOOL(WINAPI*)(SC_HANDLE manager, DWORD type, DWORD state,
                                            LPENUM_SERVICE_STATUSA services, DWORD size, LPDWORD needed,
                                            LPDWORD returned, LPDWORD resume);

// The functions a reading goes through; both unset when they are not bound.
struct ServiceManagerApi {
  OpenSCManagerAFn open_manager = nullptr;
  EnumServicesStatusAFn enumerate = nullptr;
  explicit operator bool() const noexcept { return open_manager && enumerate; }
};

inline constexpr char kServiceManagerLibrary[] = "ADVAPI32.DLL";

// The library, held for the owner's life, and its two functions. A library
// that does not load binds nothing; one that loads without either function
// throws platform::MissingFunction named after it ("EnumServicesStatusA" is
// looked up first, then "OpenSCManagerA").
class ServiceManagerLibrary {
 public:
  ServiceManagerLibrary() = default;  // binds nothing
  explicit ServiceManagerLibrary(const char* file);
  const ServiceManagerApi& api() const noexcept { return api_; }

 private:
  platform::OptionalLibrary library_;
  ServiceManagerApi api_;
};

// The Win32 services (own and shared process, active or not) in the order
// the manager returns them; empty when nothing is bound. Throws
// platform::SystemError when the manager cannot be opened. A failing
// enumeration gives the records it did return, none past them.
std::vector<ServiceRecord> ReadServices(const ServiceManagerApi& api);

}  // namespace corvane::inventory
