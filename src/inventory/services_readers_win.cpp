#include "inventory/services_readers_win.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "platform/failure_text_win.h"
#include "platform/text_file_win.h"
#include "platform/unique_handle.h"

namespace corvane::inventory {
namespace {

// A string the manager placed in the buffer: read up to its zero, never past
// the buffer's end; a pointer outside the buffer reads as empty.
std::wstring BufferText(const char* text, const std::vector<std::byte>& buffer) {
  const auto* begin = reinterpret_cast<const char*>(buffer.data());
  const auto* end = begin + buffer.size();
  if (!text || text < begin || text >= end) return {};
  const auto length = static_cast<std::size_t>(std::find(text, end, '\0') - text);
  return platform::FromAnsi(std::string_view(text, length));
}

}  // namespace

ServiceManagerLibrary::ServiceManagerLibrary(const char* file) : library_(file) {
  api_.enumerate = library_.Require<EnumServicesStatusAFn>("EnumServicesStatusA");
  api_.open_manager = library_.Require<OpenSCManagerAFn>("OpenSCManagerA");
}

std::vector<ServiceRecord> ReadServices(const ServiceManagerApi& api) {
  std::vector<ServiceRecord> records;
  if (!api) return records;

  const platform::UniqueServiceHandle manager(api.open_manager(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE));
  if (!manager) platform::RaiseLastSystemError();

  // The first call only sizes the buffer; its failure is expected.
  DWORD needed = 0, returned = 0, resume = 0;
  api.enumerate(manager.get(), SERVICE_WIN32, SERVICE_STATE_ALL, nullptr, 0, &needed, &returned, &resume);

  // A service added between the calls makes the second one fail with
  // ERROR_MORE_DATA: the records it did return are listed all the same.
  std::vector<std::byte> buffer(needed);
  returned = 0;
  resume = 0;
  auto* first = buffer.empty() ? nullptr : reinterpret_cast<ENUM_SERVICE_STATUSA*>(buffer.data());
  api.enumerate(manager.get(), SERVICE_WIN32, SERVICE_STATE_ALL, first, needed, &needed, &returned, &resume);

  // Never more records than the buffer holds, whatever the count says.
  const std::size_t count = std::min<std::size_t>(returned, buffer.size() / sizeof(ENUM_SERVICE_STATUSA));
  records.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    ENUM_SERVICE_STATUSA entry;
    std::memcpy(&entry, buffer.data() + i * sizeof entry, sizeof entry);
    records.push_back({BufferText(entry.lpServiceName, buffer), BufferText(entry.lpDisplayName, buffer),
                       entry.ServiceStatus.dwServiceType, entry.ServiceStatus.dwCurrentState});
  }
  return records;
}

}  // namespace corvane::inventory
