// The BIOS information as the hardware description key of the registry
// holds it (HKEY_LOCAL_MACHINE\HARDWARE\DESCRIPTION\System).
#pragma once
#include <string>
#include <string_view>

#include "inventory/bios_info_view.h"

namespace corvane::inventory {

// A multi-string value below HKEY_LOCAL_MACHINE in one line
// (MultiStringText), through an accessor of its own. Throws BiosInfoError
// "Can't open key" when the key does not open, and "Wrong data type" when
// the value is not a multi-string (a missing value has no type, so it too).
// Data that cannot be read gives an empty text.
std::wstring ReadMultiString(std::wstring_view key_path, std::wstring_view name);

// The refresh, row by row: BIOS Date, Identifier and Video BIOS Date (empty
// when the key or the value is missing or unreadable), then BIOS Version and
// Video BIOS Version. A failing version read throws; the rows read before it
// hold their new texts and those after it keep what they had.
void ReadBiosInfo(BiosInfoModel& model);

}  // namespace corvane::inventory
