#pragma once
#include <memory>

#include "app/collectors/summary_collectors.h"

namespace corvane::app {

// The collectors of this machine: each gathers its raw reading and leaves
// the wording to the platform-free code.
std::unique_ptr<SummaryCollectors> MakeSystemCollectors();

}  // namespace corvane::app
