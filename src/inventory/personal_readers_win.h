// The personal-information rows as the registry, WMI, the disk, the
// application's printer and the locale give them.
#pragma once
#include <functional>
#include <string>

#include "inventory/personal_view.h"

namespace corvane::inventory {

// Told after each row is set, with the row, so the window can show it at once.
using PersonalRowSet = std::function<void(PersonalRow row)>;

// The refresh, in five groups: (1) owner, organisation, installation type and
// build number; (2) product ID; (3) hard-disk serial; (4) system serial;
// (5) default printer, system root, product key, install date, build, .NET
// folder and system language. A failure a row does not handle itself ends
// its group: the rows after it keep what they had, and the next group runs.
// Nothing throws out of it. The application's printer is left on the
// system's default printer.
void ReadPersonalInfo(PersonalModel& model, const PersonalRowSet& row_set = {});

// The decoded product key of the installation (empty when DigitalProductId
// is missing, not binary or too short).
std::wstring ReadWindowsCdKey();

}  // namespace corvane::inventory
