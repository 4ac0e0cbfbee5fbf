#include "report/glpi_inventory.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cwchar>
#include <limits>
#include <map>
#include <regex>
#include <span>
#include <cwctype>
#include <vector>

#include "platform/list_text.h"
#include "platform/utf8.h"

namespace corvane::report {
namespace {

using Json = nlohmann::ordered_json;
using platform::ToUtf8;
using platform::Trim;
using Convert = std::optional<Json> (*)(std::wstring_view);

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

std::string Two(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", n);
  return text;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

bool IsCalendarDate(int year, int month, int day) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1900 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  return day <= kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

std::string DateText(int year, int month, int day) {
  return std::to_string(year) + "-" + Two(month) + "-" + Two(day);
}

// The runs of digits of a text made only of digits and single separators
// between them (any character but a digit), blanks at the ends allowed;
// each run with its length. Empty when the text has any other shape.
struct Number {
  int value;
  std::size_t digits;
};
std::vector<Number> DigitRuns(std::wstring_view text) {
  const std::wstring trimmed = Trim(text);
  std::vector<Number> runs;
  std::size_t i = 0;
  while (i < trimmed.size()) {
    if (!IsDigit(trimmed[i])) return {};
    Number n{0, 0};
    for (; i < trimmed.size() && IsDigit(trimmed[i]); ++i) {
      if (++n.digits > 4) return {};
      n.value = n.value * 10 + (trimmed[i] - L'0');
    }
    runs.push_back(n);
    if (i == trimmed.size()) break;
    ++i;  // the separator
    if (i == trimmed.size()) return {};
  }
  return runs;
}

std::optional<std::string> MonthFirstDate(const std::vector<Number>& runs) {
  if (runs.size() < 3) return std::nullopt;
  const Number month = runs[0], day = runs[1];
  int year = runs[2].value;
  if (month.digits > 2 || day.digits > 2) return std::nullopt;
  if (runs[2].digits == 2) {
    year += year < 80 ? 2000 : 1900;
  } else if (runs[2].digits != 4) {
    return std::nullopt;
  }
  if (!IsCalendarDate(year, month.value, day.value)) return std::nullopt;
  return DateText(year, month.value, day.value);
}

// ---- converters of one cell, as the tables below use them -----------------

std::optional<Json> Text(std::wstring_view text) {
  std::wstring trimmed = Trim(text);
  if (trimmed.empty()) return std::nullopt;
  return Json(ToUtf8(trimmed));
}

// A device named where there may be none: "Not detected" is no name.
std::optional<Json> DeviceName(std::wstring_view text) {
  const std::wstring trimmed = Trim(text);
  if (trimmed == L"Not detected" || trimmed == L"Not Detected") return std::nullopt;
  return Text(trimmed);
}

// The first of the pieces of "REPORT - 1|BIOS Date: 03/14/15|", which is
// how a value of several strings is shown.
std::optional<Json> FirstPiece(std::wstring_view text) {
  while (!text.empty()) {
    const std::size_t bar = text.find(L'|');
    if (auto piece = Text(text.substr(0, bar))) return piece;
    if (bar == std::wstring_view::npos) break;
    text.remove_prefix(bar + 1);
  }
  return std::nullopt;
}

// The first item of "192.0.2.1, 192.0.2.254".
std::optional<Json> FirstOfCommaList(std::wstring_view text) { return Text(text.substr(0, text.find(L','))); }

template <class T, std::optional<T> (*F)(std::wstring_view)>
std::optional<Json> AsJson(std::wstring_view text) {
  if (auto value = F(text)) return Json(*value);
  return std::nullopt;
}

// The summary's first row: "<name>, Version <version>, <service pack>, <32|64> Bit."
struct WindowsParts {
  std::wstring name, version, service_pack, word_size;
};
WindowsParts SplitWindowsRow(std::wstring_view text) {
  constexpr std::wstring_view kVersionMark = L", Version ";
  const std::size_t mark = text.rfind(kVersionMark);
  if (mark == std::wstring_view::npos) return {Trim(text), {}, {}, {}};
  WindowsParts parts{Trim(text.substr(0, mark)), {}, {}, {}};
  std::wstring_view rest = text.substr(mark + kVersionMark.size());
  const std::size_t first = rest.find(L", ");
  parts.version = Trim(rest.substr(0, first));
  if (first == std::wstring_view::npos) return parts;
  rest.remove_prefix(first + 2);
  const std::size_t last = rest.rfind(L", ");
  if (last == std::wstring_view::npos) {
    parts.word_size = Trim(rest);
  } else {
    parts.service_pack = Trim(rest.substr(0, last));
    parts.word_size = Trim(rest.substr(last + 2));
  }
  return parts;
}
std::optional<Json> WindowsName(std::wstring_view text) { return Text(SplitWindowsRow(text).name); }
std::optional<Json> WindowsVersion(std::wstring_view text) { return Text(SplitWindowsRow(text).version); }
std::optional<Json> WindowsServicePack(std::wstring_view text) { return Text(SplitWindowsRow(text).service_pack); }
std::optional<Json> WindowsArchitecture(std::wstring_view text) {
  const std::wstring size = SplitWindowsRow(text).word_size;
  if (size.starts_with(L"64")) return Json("64-bit");
  if (size.starts_with(L"32")) return Json("32-bit");
  return std::nullopt;
}

// The drive list's entries, "C: [System]".
std::optional<Json> DriveLetter(std::wstring_view text) {
  if (text.size() < 2 || text[1] != L':') return std::nullopt;
  return Text(text.substr(0, 2));
}
std::optional<Json> DriveLabel(std::wstring_view text) {
  const std::size_t open = text.find(L'[');
  if (open == std::wstring_view::npos || !text.ends_with(L']')) return std::nullopt;
  return Text(text.substr(open + 1, text.size() - open - 2));
}
// "Fixed - NTFS": the drive's kind, then its file system.
std::optional<Json> FileSystem(std::wstring_view text) {
  const std::size_t dash = text.find(L" - ");
  return dash == std::wstring_view::npos ? std::nullopt : Text(text.substr(dash + 3));
}
std::optional<Json> DriveKind(std::wstring_view text) { return Text(text.substr(0, text.find(L" - "))); }

// The printer object's entries, "device on port".
std::optional<Json> PrinterName(std::wstring_view text) {
  return Text(text.substr(0, text.rfind(L" on ")));
}
std::optional<Json> PrinterPort(std::wstring_view text) {
  const std::size_t on = text.rfind(L" on ");
  return on == std::wstring_view::npos ? std::nullopt : Text(text.substr(on + 4));
}

constexpr auto Megabytes = AsJson<std::int64_t, MegabytesOfBytes>;
constexpr auto BracketMegabytes = AsJson<std::int64_t, MegabytesInBrackets>;
constexpr auto Integer = AsJson<std::int64_t, LeadingInteger>;
constexpr auto Date = AsJson<std::string, DateFromMonthFirst>;
constexpr auto DateTime = AsJson<std::string, DateTimeFromMonthFirst>;
constexpr auto InstallDate = AsJson<std::string, InstallDateText>;
constexpr auto Mac = AsJson<std::string, NormalMac>;

// ---- the mapping ----------------------------------------------------------

// A field of an object part taken from a section's row. Where several rows
// give one field, the first that has a value wins.
struct RowField {
  std::wstring_view section, label;
  const char* part;
  const char* field;
  Convert convert;
};

constexpr RowField kRowFields[] = {
    {L"TfrmBiosInfo", L"BIOS Date", "bios", "bdate", Date},
    {L"TfrmBiosInfo", L"BIOS Version", "bios", "bversion", FirstPiece},
    {L"TForm1", L"Manufacturer", "bios", "bmanufacturer", Text},
    {L"TForm1", L"Product Make", "bios", "smodel", Text},
    {L"TForm1", L"Motherboard", "bios", "mmodel", Text},

    {L"TfrmNetwork", L"Domain", "hardware", "workgroup", Text},
    {L"TfrmNetwork", L"Workgroup", "hardware", "workgroup", Text},
    {L"TfrmUserList", L"Domain / Workgroup Name", "hardware", "workgroup", Text},
    {L"TfrmMemory", L"Physical Total", "hardware", "memory", BracketMegabytes},
    {L"TForm1", L"Memory (RAM)", "hardware", "memory", Integer},
    {L"TfrmMemory", L"Page File Total", "hardware", "swap", BracketMegabytes},
    {L"TfrmPersonal", L"Product ID", "hardware", "winprodid", Text},
    {L"TfrmPersonal", L"Registered Owner", "hardware", "winowner", Text},
    {L"TfrmPersonal", L"Registered Organization", "hardware", "wincompany", Text},
    {L"TfrmPersonal", L"Windows CD Key", "hardware", "winprodkey", Text},
    {L"TfrmPersonal", L"System Language", "hardware", "winlang", Text},
    {L"TfrmNetwork", L"Computer Description", "hardware", "description", Text},
    {L"TfrmNetwork", L"Username", "hardware", "lastloggeduser", Text},

    {L"TForm1", L"Windows", "operatingsystem", "name", WindowsName},
    {L"TForm1", L"Windows", "operatingsystem", "full_name", WindowsName},
    {L"TForm1", L"Windows", "operatingsystem", "version", WindowsVersion},
    {L"TForm1", L"Windows", "operatingsystem", "service_pack", WindowsServicePack},
    {L"TForm1", L"Windows", "operatingsystem", "arch", WindowsArchitecture},
    {L"TfrmPersonal", L"Install Date", "operatingsystem", "install_date", DateTime},

    {L"TfrmCPU", L"CPU Brand", "cpus", "name", Text},
    {L"TForm1", L"CPU Info", "cpus", "name", Text},
    {L"TfrmCPU", L"Vendor", "cpus", "manufacturer", Text},
    {L"TfrmCPU", L"Manufacturer", "cpus", "manufacturer", Text},
    {L"TfrmCPU", L"Description", "cpus", "description", Text},
    {L"TfrmCPU", L"Processor ID", "cpus", "id", Text},
    {L"TfrmCPU", L"Serial Number", "cpus", "serial", Text},
    {L"TfrmCPU", L"Max Clock Speed", "cpus", "speed", Integer},
    {L"TfrmCPU", L"Ext Clock Speed", "cpus", "external_clock", Integer},

    {L"TfrmSound", L"Sound card", "sounds", "name", DeviceName},
    {L"TForm1", L"Sound Card", "sounds", "name", DeviceName},
    {L"TfrmSound", L"Sound card", "sounds", "caption", DeviceName},
    {L"TForm1", L"Sound Card", "sounds", "caption", DeviceName},
    {L"TfrmSound", L"Version", "sounds", "description", Text},

    {L"TfrmNetwork", L"Username", "users", "login", Text},
    {L"TfrmNetwork", L"Domain", "users", "domain", Text},
};

// The parts filled from rows, in the order they are written; a part of one
// item (the processor, the sound card, the user) is an array of that item,
// written only when its key field has a value.
struct RowPart {
  const char* part;
  const char* key;  // nullptr: a single object
};
constexpr RowPart kRowParts[] = {
    {"bios", nullptr}, {"hardware", nullptr}, {"operatingsystem", nullptr},
    {"cpus", "name"},  {"sounds", "name"},    {"users", "login"},
};

// A field of an item of an array part, from a list's column. The part's
// first field names the list that gives one item per row; a field of
// another list of the same section comes from that list's row with the
// same first cell (the drive's free space beside its volume).
struct ColumnField {
  std::wstring_view list, column;
  const char* field;
  Convert convert;
};

using Cells = std::vector<std::wstring>;

struct ListPart {
  const char* part;
  std::wstring_view section;
  std::span<const ColumnField> fields;
  const char* key;  // an item without it is left out
  // Fields made of several cells of the row (an adapter's addresses and
  // their masks); may be nullptr.
  void (*finish)(Json& item, const ui::SectionList& list, const Cells& row);
};

constexpr ColumnField kMemoryFields[] = {
    {L"Installed Memory Modules", L"Device", "caption", Text},
    {L"Installed Memory Modules", L"Bank", "description", Text},
    {L"Installed Memory Modules", L"Capacity", "capacity", Megabytes},
    {L"Installed Memory Modules", L"Speed", "speed", Text},
    {L"Installed Memory Modules", L"Manufacturer", "manufacturer", Text},
};
constexpr ColumnField kStorageFields[] = {
    {L"SMART Information", L"Modal Number", "model", Text},
    {L"SMART Information", L"Serial Number", "serial", Text},
    {L"SMART Information", L"Firmware Revision", "firmware", Text},
    {L"SMART Information", L"Size", "disksize", Megabytes},
};
constexpr ColumnField kDriveFields[] = {
    {L"Drives", L"Drive", "letter", DriveLetter},
    {L"Drives", L"Drive", "label", DriveLabel},
    {L"Drives", L"Drive Type", "filesystem", FileSystem},
    {L"Drives", L"Drive Type", "description", DriveKind},
    {L"Drives", L"Volume Serial No.", "serial", Text},
    {L"Drives", L"Capacity", "total", Megabytes},
    {L"Free Space", L"Free", "free", Megabytes},
};
constexpr ColumnField kNetworkFields[] = {
    {L"Adapters", L"Adapter", "description", Text},
    {L"Adapters", L"MAC Address", "mac", Mac},
    {L"Adapters", L"IP Gateway", "ipgateway", FirstOfCommaList},
};
constexpr ColumnField kSoftwareFields[] = {
    {L"Installed Applications", L"Name", "name", Text},
    {L"Installed Applications", L"Version", "version", Text},
    {L"Installed Applications", L"Publisher", "publisher", Text},
    {L"Installed Applications", L"Install Date", "install_date", InstallDate},
    {L"Installed Applications", L"Uninstall", "uninstall_string", Text},
    {L"Installed Applications", L"Install Location", "folder", Text},
};
constexpr ColumnField kPrinterFields[] = {
    {L"Installed printers", L"Printer", "name", PrinterName},
    {L"Installed printers", L"Printer", "port", PrinterPort},
};
constexpr ColumnField kVideoFields[] = {
    {L"Adapters", L"Adapters", "name", Text},
    {L"Adapters", L"Chipset", "chipset", Text},
    {L"Adapters", L"Memory", "memory", Megabytes},
};

std::wstring_view CellOf(const ui::SectionList& list, const Cells& row, std::wstring_view column) {
  const auto it = std::ranges::find(list.columns, column);
  if (it == list.columns.end()) return {};
  const auto index = static_cast<std::size_t>(it - list.columns.begin());
  return index < row.size() ? std::wstring_view(row[index]) : std::wstring_view();
}

bool IsIpv4(std::wstring_view text) {
  static const std::wregex kQuad(LR"(((25[0-5]|2[0-4]\d|1\d\d|[1-9]?\d)\.){3}(25[0-5]|2[0-4]\d|1\d\d|[1-9]?\d))");
  return std::regex_match(text.begin(), text.end(), kQuad);
}

std::vector<std::wstring> CommaItems(std::wstring_view text) {
  std::vector<std::wstring> items;
  while (true) {
    const std::size_t comma = text.find(L',');
    items.push_back(Trim(text.substr(0, comma)));
    if (comma == std::wstring_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return items;
}

// The adapter's addresses, "fd00::2, fe80::1%4, 192.0.2.2", each with its
// mask at the same place of "64, 64, 255.255.255.0": the first IPv4 address
// and its mask and subnet, the first IPv6 address beyond the link (else the
// first at all) and its mask.
void AdapterAddresses(Json& item, const ui::SectionList& list, const Cells& row) {
  const std::vector<std::wstring> addresses = CommaItems(CellOf(list, row, L"IP Address"));
  const std::vector<std::wstring> masks = CommaItems(CellOf(list, row, L"IP Subnet"));
  const auto mask_at = [&](std::size_t i) { return i < masks.size() ? masks[i] : std::wstring(); };
  std::optional<std::size_t> v6;
  for (std::size_t i = 0; i < addresses.size(); ++i) {
    const std::wstring& address = addresses[i];
    if (IsIpv4(address)) {
      if (item.contains("ipaddress")) continue;
      item["ipaddress"] = ToUtf8(address);
      const std::wstring mask = mask_at(i);
      if (!IsIpv4(mask)) continue;
      item["ipmask"] = ToUtf8(mask);
      unsigned a[4], m[4];
      if (std::swscanf(address.c_str(), L"%u.%u.%u.%u", &a[0], &a[1], &a[2], &a[3]) == 4 &&
          std::swscanf(mask.c_str(), L"%u.%u.%u.%u", &m[0], &m[1], &m[2], &m[3]) == 4) {
        item["ipsubnet"] = std::to_string(a[0] & m[0]) + "." + std::to_string(a[1] & m[1]) + "." +
                           std::to_string(a[2] & m[2]) + "." + std::to_string(a[3] & m[3]);
      }
    } else if (address.find(L':') != std::wstring::npos) {
      const bool link_local = address.starts_with(L"fe80") || address.starts_with(L"FE80");
      if (!v6 || (!link_local && (addresses[*v6].starts_with(L"fe80") || addresses[*v6].starts_with(L"FE80")))) {
        v6 = i;
      }
    }
  }
  if (v6) {
    const std::wstring& address = addresses[*v6];
    item["ipaddress6"] = ToUtf8(address.substr(0, address.find(L'%')));
    if (auto mask = Ipv6MaskOfPrefix(mask_at(*v6))) item["ipmask6"] = *mask;
  }
}

constexpr ListPart kListParts[] = {
    {"memories", L"TfrmMemory", kMemoryFields, "capacity", nullptr},
    {"storages", L"TfrmDisk", kStorageFields, "model", nullptr},
    {"drives", L"TfrmDisk", kDriveFields, "letter", nullptr},
    {"networks", L"TfrmNetworkAdapters", kNetworkFields, "description", AdapterAddresses},
    {"softwares", L"TfrmUnistall", kSoftwareFields, "name", nullptr},
    {"printers", L"TfrmPrinters", kPrinterFields, "name", nullptr},
    {"videos", L"TfrmDisplay", kVideoFields, "name", nullptr},
};

// ---- reading the sections -------------------------------------------------

class Sections {
 public:
  explicit Sections(const InventoryDocument& doc) {
    for (const auto& entry : doc.sections) by_id_.emplace(entry.section.id, &entry.section);
  }
  const ui::ReportSection* Find(std::wstring_view id) const {
    const auto it = by_id_.find(std::wstring(id));
    return it == by_id_.end() ? nullptr : it->second;
  }
  std::optional<std::wstring_view> Row(std::wstring_view id, std::wstring_view label) const {
    const ui::ReportSection* section = Find(id);
    if (!section) return std::nullopt;
    const auto it = std::ranges::find(section->rows, label, &ui::SectionRow::label);
    if (it == section->rows.end()) return std::nullopt;
    return std::wstring_view(it->value);
  }
  const ui::SectionList* List(std::wstring_view id, std::wstring_view title) const {
    const ui::ReportSection* section = Find(id);
    if (!section) return nullptr;
    const auto it = std::ranges::find(section->lists, title, &ui::SectionList::title);
    return it == section->lists.end() ? nullptr : &*it;
  }

 private:
  std::map<std::wstring, const ui::ReportSection*, std::less<>> by_id_;
};

Json RowPartObject(const Sections& sections, const char* part) {
  Json object = Json::object();
  for (const RowField& f : kRowFields) {
    if (std::string_view(f.part) != part || object.contains(f.field)) continue;
    if (const auto text = sections.Row(f.section, f.label)) {
      if (auto value = f.convert(*text)) object[f.field] = std::move(*value);
    }
  }
  return object;
}

Json ListPartItems(const Sections& sections, const ListPart& part) {
  Json items = Json::array();
  const ui::SectionList* primary = sections.List(part.section, part.fields.front().list);
  if (!primary) return items;
  for (const Cells& row : primary->rows) {
    Json item = Json::object();
    for (const ColumnField& f : part.fields) {
      if (item.contains(f.field)) continue;
      const ui::SectionList* list = f.list == primary->title ? primary : sections.List(part.section, f.list);
      if (!list) continue;
      const Cells* cells = &row;
      if (list != primary) {
        const auto same = std::ranges::find_if(list->rows, [&](const Cells& other) {
          return !other.empty() && !row.empty() && other.front() == row.front();
        });
        if (same == list->rows.end()) continue;
        cells = &*same;
      }
      if (auto value = f.convert(CellOf(*list, *cells, f.column))) item[f.field] = std::move(*value);
    }
    if (part.finish) part.finish(item, *primary, row);
    // A disk holding several volumes is listed once for each of them.
    if (item.contains(part.key) && std::ranges::find(items, item) == items.end()) items.push_back(std::move(item));
  }
  return items;
}

// The USB window's device tree: every node "\"name\"  VID=$845E PID=$0001".
void UsbDevices(const std::vector<ui::TreeNode>& nodes, Json& items) {
  static const std::wregex kDevice(LR"re(^"(.*)"\s+VID=\$([0-9A-Fa-f]{4})\s+PID=\$([0-9A-Fa-f]{4}).*)re");
  for (const ui::TreeNode& node : nodes) {
    std::wsmatch match;
    if (std::regex_match(node.text, match, kDevice)) {
      Json item = Json::object();
      if (auto name = Text(match[1].str())) item["name"] = std::move(*name);
      std::string vendor = ToUtf8(match[2].str()), product = ToUtf8(match[3].str());
      std::ranges::transform(vendor, vendor.begin(), [](char c) { return char(std::tolower(c)); });
      std::ranges::transform(product, product.begin(), [](char c) { return char(std::tolower(c)); });
      item["vendorid"] = vendor;
      item["productid"] = product;
      items.push_back(std::move(item));
    }
    UsbDevices(node.children, items);
  }
}

// The summary's ports row names the serial ports found ("COM1 | COM2") and
// the parallel ones ("LPT1"), or says "NOT Present".
Json Ports(std::wstring_view text) {
  static const std::wregex kPort(LR"(\b(COM|LPT)[0-9]+\b)");
  Json items = Json::array();
  const std::wstring line(text);
  for (auto it = std::wsregex_iterator(line.begin(), line.end(), kPort); it != std::wsregex_iterator(); ++it) {
    const std::string name = ToUtf8(it->str());
    Json item{{"type", (*it)[1] == L"COM" ? "Serial" : "Parallel"}, {"name", name}, {"caption", name}};
    if (std::ranges::find(items, item) == items.end()) items.push_back(std::move(item));
  }
  return items;
}

// The display window's monitors, " | " between them.
Json Monitors(std::wstring_view text) {
  Json items = Json::array();
  while (!text.empty()) {
    const std::size_t bar = text.find(L'|');
    if (auto name = Text(text.substr(0, bar))) items.push_back(Json{{"name", *name}, {"caption", *name}});
    if (bar == std::wstring_view::npos) break;
    text.remove_prefix(bar + 1);
  }
  return items;
}

}  // namespace

std::string GlpiDateTimeText(const LocalTime& t) {
  return DateText(t.year, t.month, t.day) + " " + Two(t.hour) + ":" + Two(t.minute) + ":" + Two(t.second);
}

std::optional<std::string> DateFromMonthFirst(std::wstring_view text) {
  const std::vector<Number> runs = DigitRuns(text);
  if (runs.size() != 3) return std::nullopt;
  return MonthFirstDate(runs);
}

std::optional<std::string> DateTimeFromMonthFirst(std::wstring_view text) {
  const std::vector<Number> runs = DigitRuns(text);
  if (runs.size() != 6) return std::nullopt;
  auto date = MonthFirstDate(runs);
  if (!date || runs[2].digits != 4) return std::nullopt;
  const int hour = runs[3].value, minute = runs[4].value, second = runs[5].value;
  if (runs[3].digits > 2 || runs[4].digits != 2 || runs[5].digits != 2 || hour > 23 || minute > 59 || second > 59) {
    return std::nullopt;
  }
  return *date + " " + Two(hour) + ":" + Two(minute) + ":" + Two(second);
}

std::optional<std::string> InstallDateText(std::wstring_view text) {
  const std::wstring trimmed = Trim(text);
  if (trimmed.size() == 8 && std::ranges::all_of(trimmed, IsDigit)) {
    const auto digits = [&](std::size_t at, std::size_t n) { return std::stoi(trimmed.substr(at, n)); };
    const int year = digits(0, 4), month = digits(4, 2), day = digits(6, 2);
    if (!IsCalendarDate(year, month, day)) return std::nullopt;
    return DateText(year, month, day);
  }
  const std::vector<Number> runs = DigitRuns(trimmed);
  if (runs.size() != 3 || runs[2].digits != 4) return std::nullopt;
  return MonthFirstDate(runs);
}

std::optional<std::int64_t> MegabytesOfBytes(std::wstring_view text) {
  std::wstring trimmed = Trim(text);
  if (trimmed.ends_with(L"bytes")) trimmed = Trim(std::wstring_view(trimmed).substr(0, trimmed.size() - 5));
  if (trimmed.empty() || !IsDigit(trimmed.front()) || !IsDigit(trimmed.back())) return std::nullopt;
  std::uint64_t bytes = 0;
  for (const wchar_t c : trimmed) {
    if (IsDigit(c)) {
      const std::uint64_t digit = static_cast<std::uint64_t>(c - L'0');
      if (bytes > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) return std::nullopt;
      bytes = bytes * 10 + digit;
    } else if (c != L',' && c != L'.' && c != L' ' && c != L'\u00a0' && c != L'\u202f' && c != L'\'') {
      return std::nullopt;  // digit grouping only: anything else is no byte count
    }
  }
  return static_cast<std::int64_t>(bytes / (1024 * 1024));
}

std::optional<std::int64_t> MegabytesInBrackets(std::wstring_view text) {
  const std::size_t open = text.rfind(L'(');
  if (open == std::wstring_view::npos || !text.ends_with(L" MB)")) return std::nullopt;
  const std::wstring_view inside = text.substr(open + 1, text.size() - open - 1 - 4);
  if (inside.empty() || !std::ranges::all_of(inside, IsDigit)) return std::nullopt;
  return LeadingInteger(inside);
}

std::optional<std::int64_t> LeadingInteger(std::wstring_view text) {
  const std::wstring trimmed = Trim(text);
  std::int64_t value = 0;
  std::size_t digits = 0;
  for (const wchar_t c : trimmed) {
    if (!IsDigit(c)) break;
    value = value * 10 + (c - L'0');
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    ++digits;
  }
  if (digits == 0) return std::nullopt;
  return value;
}

std::optional<std::string> NormalMac(std::wstring_view text) {
  const std::wstring trimmed = Trim(text);
  std::string hex;
  for (std::size_t i = 0; i < trimmed.size(); ++i) {
    const wchar_t c = trimmed[i];
    if ((c == L':' || c == L'-') && hex.size() % 2 == 0 && !hex.empty() && i + 1 < trimmed.size()) continue;
    if (!std::iswxdigit(c)) return std::nullopt;
    hex += static_cast<char>(std::tolower(static_cast<char>(c)));
  }
  if (hex.size() != 12) return std::nullopt;
  std::string mac;
  for (std::size_t i = 0; i < 12; i += 2) {
    if (!mac.empty()) mac += ':';
    mac += hex.substr(i, 2);
  }
  return mac;
}

std::optional<std::string> UtcOffsetOf(std::wstring_view generated) {
  if (generated.size() < 6) return std::nullopt;
  const std::wstring_view tail = generated.substr(generated.size() - 6);
  if ((tail[0] != L'+' && tail[0] != L'-') || tail[3] != L':' || !IsDigit(tail[1]) || !IsDigit(tail[2]) ||
      !IsDigit(tail[4]) || !IsDigit(tail[5])) {
    return std::nullopt;
  }
  return ToUtf8(std::wstring{tail[0], tail[1], tail[2], tail[4], tail[5]});
}

std::optional<std::string> Ipv6MaskOfPrefix(std::wstring_view prefix) {
  const std::wstring trimmed = Trim(prefix);
  if (trimmed.empty() || trimmed.size() > 3 || !std::ranges::all_of(trimmed, IsDigit)) return std::nullopt;
  int bits = std::stoi(trimmed);
  if (bits > 128) return std::nullopt;
  std::string mask;
  int words = 0;
  for (; bits > 0; ++words, bits -= 16) {
    const unsigned word = bits >= 16 ? 0xFFFFu : (0xFFFFu << (16 - bits)) & 0xFFFFu;
    char text[8];
    std::snprintf(text, sizeof text, "%x", word);
    if (!mask.empty()) mask += ':';
    mask += text;
  }
  if (words < 8) mask += "::";
  return mask;
}

std::wstring GlpiDeviceId(std::wstring_view machine, std::wstring_view key) {
  std::wstring suffix;
  for (const wchar_t c : key) {
    if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || IsDigit(c) || c == L'-' || c == L'_') suffix += c;
  }
  std::wstring id(machine.empty() ? std::wstring_view(L"computer") : machine);
  if (!suffix.empty()) id += L"-" + suffix;
  return id;
}

nlohmann::ordered_json GlpiInventory(const InventoryDocument& doc, const GlpiFacts& facts) {
  const Sections sections(doc);
  Json content = Json::object();
  content["versionclient"] = ToUtf8(doc.product + L" " + doc.version);

  for (const RowPart& part : kRowParts) {
    Json object = RowPartObject(sections, part.part);
    if (part.key == nullptr) {
      if (!object.empty()) content[part.part] = std::move(object);
    } else if (object.contains(part.key)) {
      content[part.part] = Json::array({std::move(object)});
    }
  }
  if (!doc.machine.empty()) content["hardware"]["name"] = ToUtf8(doc.machine);
  if (facts.boot_time) content["operatingsystem"]["boot_time"] = GlpiDateTimeText(*facts.boot_time);
  const auto zone = sections.Row(L"TfrmDateTime", L"Time Zone");
  const auto offset = UtcOffsetOf(doc.generated);
  if (zone && !Trim(*zone).empty() && offset) {
    content["operatingsystem"]["timezone"] = Json{{"name", ToUtf8(Trim(*zone))}, {"offset", *offset}};
  }

  for (const ListPart& part : kListParts) {
    Json items = ListPartItems(sections, part);
    if (!items.empty()) content[part.part] = std::move(items);
  }

  Json usb = Json::array();
  if (const ui::ReportSection* section = sections.Find(L"TfrmUSB")) {
    for (const auto& tree : section->trees) UsbDevices(tree.nodes, usb);
  }
  if (!usb.empty()) content["usbdevices"] = std::move(usb);
  if (const auto monitors = sections.Row(L"TfrmDisplay", L"Monitor(s)")) {
    Json items = Monitors(*monitors);
    if (!items.empty()) content["monitors"] = std::move(items);
  }
  if (const auto ports = sections.Row(L"TForm1", L"Ports")) {
    Json items = Ports(*ports);
    if (!items.empty()) content["ports"] = std::move(items);
  }

  std::wstring key = facts.machine_key;
  if (key.empty()) key = std::wstring(sections.Row(L"TfrmPersonal", L"Product ID").value_or(L""));
  Json inventory = Json::object();
  inventory["deviceid"] = ToUtf8(GlpiDeviceId(doc.machine, key));
  inventory["itemtype"] = "Computer";
  inventory["action"] = "inventory";
  inventory["content"] = std::move(content);
  return inventory;
}

std::string GlpiInventoryJson(const InventoryDocument& doc, const GlpiFacts& facts) {
  return GlpiInventory(doc, facts).dump(2) + "\n";
}

}  // namespace corvane::report
