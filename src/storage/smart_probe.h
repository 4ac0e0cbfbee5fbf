// Drive identity and SMART health of one drive, read over a SmartTransport:
// open the SMART device, take the device map, and walk devices 0..3 until one
// answers. Both routines keep nothing between calls.
#pragma once
#include <cstdint>
#include <string>

#include "storage/smart.h"
#include "storage/smart_transport.h"

namespace corvane::storage {

// The identity of the first device that answers IDENTIFY. All outputs are
// cleared first. Returns the success of the last device call: true when an
// IDENTIFY answered, and also when the device map lists no device at all
// (then the outputs stay empty). `error` holds the message of the most recent
// failure, even when a later call succeeded; empty when nothing failed.
// `drive` names the physical drive on the NT family and is not used on 9x.
bool ReadDriveIdentity(SmartTransport& transport, int drive, std::wstring& error,
                       std::wstring& model, std::int64_t& size, std::wstring& serial);

// Resets `result`, then fills it from the first device whose IDENTIFY,
// attribute and threshold reads all succeed. Returns true in that case, and
// when the device map lists no device (AttributeCount 0). A device that
// answers IDENTIFY but not the SMART reads leaves its identity in `result`
// and the walk goes on with the next device. An exception is caught and
// reported in `error` ("SMART Failed - ...") with the result as it stood.
bool ReadSmartData(SmartTransport& transport, int drive, TSmartResult& result,
                   std::wstring& error);

}  // namespace corvane::storage
