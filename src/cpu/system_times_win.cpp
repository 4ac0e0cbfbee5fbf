#include "cpu/system_times_win.h"

#include <windows.h>
#include <winternl.h>

#include <cstddef>

#include <array>
#include <cstdint>

#include "platform/system_function_win.h"

namespace corvane::cpu {
namespace {

using NtQuerySystemInformationFn = LONG(WINAPI*)(ULONG info_class, PVOID buffer, ULONG length, PULONG returned);

constexpr ULONG kSystemBasicInformation = 0;
constexpr ULONG kSystemPerformanceInformation = 2;
constexpr ULONG kSystemTimeOfDayInformation = 3;

// ntdll.dll is mapped into every process for its whole life, so neither the
// module nor the address needs releasing.
NtQuerySystemInformationFn QueryFunction() {
  static const auto fn =
      platform::LoadedFunction<NtQuerySystemInformationFn>(L"ntdll.dll", "NtQuerySystemInformation");
  return fn;
}

// The basic record's layout for this build is the system's own structure.
static_assert(sizeof(SYSTEM_BASIC_INFORMATION) == kBasicInformation.size);
static_assert(offsetof(SYSTEM_BASIC_INFORMATION, NumberOfProcessors) == kBasicInformation.processor_count_offset);

}  // namespace

SystemTimesUnavailable::SystemTimesUnavailable()
    : std::runtime_error("The processor load cannot be read: NtQuerySystemInformation is missing.") {}

std::optional<SystemTimes> ReadSystemTimes() {
  const NtQuerySystemInformationFn query = QueryFunction();
  if (!query) throw SystemTimesUnavailable();
  // The records hold 64-bit fields: keep them 8-byte aligned.
  alignas(8) std::array<std::uint8_t, kBasicInformation.size> basic{};
  alignas(8) std::array<std::uint8_t, kTimeOfDayInformationSize> time_of_day{};
  alignas(8) std::array<std::uint8_t, kPerformanceInformationRoom> performance{};
  // The basic and time-of-day records must be asked for at their exact size.
  // The performance record grew after XP (312 bytes there), so it is asked
  // for with room for the longer forms, then at the XP size should a system
  // insist on that.
  if (query(kSystemBasicInformation, basic.data(), basic.size(), nullptr) != 0) return std::nullopt;
  if (query(kSystemTimeOfDayInformation, time_of_day.data(), time_of_day.size(), nullptr) != 0) return std::nullopt;
  if (query(kSystemPerformanceInformation, performance.data(), performance.size(), nullptr) != 0 &&
      query(kSystemPerformanceInformation, performance.data(), kPerformanceInformationMinSize, nullptr) != 0) {
    return std::nullopt;
  }
  return ParseSystemTimes(basic, time_of_day, performance);
}

}  // namespace corvane::cpu
