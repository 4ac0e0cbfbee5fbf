// The inventory as a GLPI computer inventory: the JSON document a GLPI
// server takes in ("native inventory format"), filled from the same window
// sections as Corvane's own report. The mapping from a section's row or
// list column to a GLPI field is a table (glpi_inventory.cpp); each value
// goes through a small converter that gives the form GLPI's schema asks
// for, or nothing, so a value the schema would refuse is left out rather
// than written.
#pragma once
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "report/inventory.h"

namespace corvane::report {

// What the GLPI inventory needs that no window shows.
struct GlpiFacts {
  // A value that stays the same on every run on one machine and differs
  // between machines (the system's machine GUID); empty when the system has
  // none, and the Windows product ID stands in.
  std::wstring machine_key;
  std::optional<LocalTime> boot_time;  // local time the system started
};

// The whole document: deviceid, itemtype "Computer", action "inventory" and
// the content. Only the parts and fields a section gives are written.
nlohmann::ordered_json GlpiInventory(const InventoryDocument& doc, const GlpiFacts& facts);

// The same, as UTF-8 text ending in a line break.
std::string GlpiInventoryJson(const InventoryDocument& doc, const GlpiFacts& facts);

// The device id: the machine's name, "-" and its key (the product ID when
// the key is empty), every character but letters, digits, "-" and "_"
// dropped from the key, so the same machine always gives the same id.
std::wstring GlpiDeviceId(std::wstring_view machine, std::wstring_view key);

// ---- value converters: the text a window shows to the form GLPI takes ----

// "2026-12-11 09:30:05".
std::string GlpiDateTimeText(const LocalTime& time);
// A date as the windows show it, month first with any separators: "03/14/15"
// (two-digit years up to 79 are taken as 20xx), "12/31/2020", to
// "2015-03-14"; nullopt unless it is a real calendar date.
std::optional<std::string> DateFromMonthFirst(std::wstring_view text);
// "05/08/2010 06:15:54" (any separators) to "2010-05-08 06:15:54".
std::optional<std::string> DateTimeFromMonthFirst(std::wstring_view text);
// An uninstall entry's install date: "20201231" as Windows Installer writes
// it, or a month-first date; nullopt for anything else.
std::optional<std::string> InstallDateText(std::wstring_view text);
// Whole mebibytes of a byte count written with digit grouping, "270,553,174,016
// bytes" or "25276080128"; nullopt when it is no count or does not fit.
std::optional<std::int64_t> MegabytesOfBytes(std::wstring_view text);
// The megabytes in brackets of "25,276,080,128 bytes   (24106 MB)".
std::optional<std::int64_t> MegabytesInBrackets(std::wstring_view text);
// The leading whole number of "2096", "02095 MHz"; nullopt without one or
// when it does not fit in 32 bits.
std::optional<std::int64_t> LeadingInteger(std::wstring_view text);
// Six bytes in hexadecimal, separated by ":" or "-" or not at all, to
// "02:fc:00:00:00:01"; nullopt for anything else.
std::optional<std::string> NormalMac(std::wstring_view text);
// The local time's offset of "2026-12-11T09:30:05+01:00" as "+0100".
std::optional<std::string> UtcOffsetOf(std::wstring_view generated);
// An IPv6 prefix length ("64") as a mask, "ffff:ffff:ffff:ffff::".
std::optional<std::string> Ipv6MaskOfPrefix(std::wstring_view prefix);

}  // namespace corvane::report
