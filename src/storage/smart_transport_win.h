// SMART transport over the Windows driver interface: the SMARTVSD virtual
// device on the 9x family, \\.\PhysicalDrive<n> on the NT family.
#pragma once
#include "storage/smart_transport.h"

namespace corvane::storage {

class Win32SmartTransport final : public SmartTransport {
 public:
  SmartOpenResult Open(int drive) override;
};

}  // namespace corvane::storage
