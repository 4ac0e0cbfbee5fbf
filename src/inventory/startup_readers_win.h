// Reads what the system starts automatically, for the startup window.
#pragma once
#include <string>
#include <vector>

#include "inventory/startup_entries.h"

namespace corvane::inventory {

// The standard places, with the all-users and the current user's startup
// folders as the shell names them (empty when it cannot say).
StartupPlaces SystemStartupPlaces();

// Appends the rows of every place in order: for each key its values with
// text, then for each folder every entry of it (subfolders and hidden files
// too, not descending). A key or folder that does not
// exist adds nothing. A value that is no text throws
// platform::RegistryError, and the rows appended before it stay in `rows`.
void ReadStartupRows(const StartupPlaces& places, StartupRows& rows);

}  // namespace corvane::inventory
