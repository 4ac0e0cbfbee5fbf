// The Windows side of TISODiscLib: whether this system lets pass-through be
// used, and a library object wired to the Win32 transport.
#pragma once
#include "storage/disc_lib.h"
#include "storage/mmc_transport_win.h"

namespace corvane::storage {

// NT family from version 4 on, and an administrator
// (platform::CurrentUserIsAdministrator).
bool PassThroughUsableOnThisSystem();

// A TISODiscLib over Win32MmcTransport, its usability settled when made.
class Win32DiscLib {
 public:
  Win32DiscLib() : lib_(transport_, PassThroughUsableOnThisSystem()) {}
  Win32DiscLib(const Win32DiscLib&) = delete;
  Win32DiscLib& operator=(const Win32DiscLib&) = delete;

  TISODiscLib& lib() noexcept { return lib_; }
  MmcTransport& transport() noexcept { return transport_; }

 private:
  Win32MmcTransport transport_;  // before lib_, which refers to it
  TISODiscLib lib_;
};

}  // namespace corvane::storage
