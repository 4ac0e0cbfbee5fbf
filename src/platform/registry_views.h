// Which views of the machine's software keys (HKEY_LOCAL_MACHINE\SOFTWARE) a
// reading takes.
//
// 64-bit Windows keeps that key twice: the 64-bit programs' own, and the
// 32-bit programs' (stored below WOW6432Node). Each program sees its own
// unless it names the other with a flag on every open, create and delete.
// The lists of what is installed or started read both, so a 32-bit and a
// 64-bit Corvane list the same; a value Windows keeps for the system as a
// whole is read in the 64-bit view. 32-bit Windows has one view, and there
// the flags are never given: Windows 2000 refuses an open that carries them.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace corvane::platform {

enum class RegistryRoot { kLocalMachine, kCurrentUser };

// The access bits that choose a view, as the system numbers them
// (KEY_WOW64_64KEY and KEY_WOW64_32KEY; registry_win.cpp holds them to it).
inline constexpr std::uint32_t kView64BitFlag = 0x0100;
inline constexpr std::uint32_t kView32BitFlag = 0x0200;
// What a place read in the 32-bit view of a 64-bit system adds to its label.
inline constexpr std::wstring_view k32BitViewSuffix = L" (32-bit)";

struct RegistryView {
  std::uint32_t flag;               // added to the rights of every open in it; 0 where there is one view
  std::wstring_view label_suffix;   // after the label of a place read in it
  // A program an entry of this view names is started with a 32-bit
  // program's file-system redirection turned off: the 64-bit view names
  // 64-bit programs by the folders a 64-bit program sees (its System32 is
  // not the SysWOW64 a 32-bit program is shown under that name).
  bool start_unredirected;
  friend bool operator==(const RegistryView&, const RegistryView&) = default;
};

// Whether Windows itself is 64-bit. A 64-bit program runs on nothing else;
// a 32-bit one is 64-bit Windows' guest exactly when IsWow64Process says
// so, and a system without that function (nullopt) is older than every
// 64-bit Windows.
bool SystemIs64Bit(bool program_is_64bit, std::optional<bool> runs_under_wow64);

// The views to read, in reading order: on a 64-bit system the 64-bit view
// and then the 32-bit one, each named by its flag; on a 32-bit system its
// one view, without a flag. The first is always the view that holds what
// Windows keeps for the system as a whole.
std::vector<RegistryView> SoftwareViews(bool program_is_64bit, bool system_is_64bit);

}  // namespace corvane::platform
