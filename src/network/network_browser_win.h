// The network providers as a NetworkSource: WNetOpenEnum over the global
// network, WNetEnumResource in batches as large as the buffer holds, the
// buffer grown to what the provider asks for. Usable from any thread.
#pragma once
#include <memory>

#include "network/network_tree.h"

namespace corvane::network {

class Win32NetworkSource : public NetworkSource {
 public:
  std::unique_ptr<Listing> Open(const NetworkResource* container) override;
};

}  // namespace corvane::network
