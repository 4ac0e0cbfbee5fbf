// The device-driver window's reading: the first driver instance of every
// device class in the registry's class database (HKEY_LOCAL_MACHINE, read
// only).
#pragma once
#include <windows.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "inventory/devices_view.h"

namespace corvane::inventory {

// Opens the first of `class_keys` that opens (the later ones are not looked
// at, even when it lists no driver) and appends one row per class whose
// "0000" instance has a DriverDesc, in the registry's order. A missing class
// key, class or instance adds nothing. A value that is not text throws
// platform::RegistryError; the rows read before it are already in `rows`.
void ReadDriverRows(std::span<const std::wstring_view> class_keys, std::vector<std::vector<std::wstring>>& rows);

}  // namespace corvane::inventory
