#include "cpu/cpu_window_text.h"

#include <cmath>

#include "cpu/cpu_window_ids.h"
#include "ui/report_section_build.h"

namespace corvane::cpu {

namespace {

template <CpuRow Row>
std::wstring RowText(const CpuRowTexts& rows) {
  return rows[Row];
}

}  // namespace

const std::array<ui::SheetField<CpuRowTexts>, kCpuRowCount> kCpuRows = {{
    {L"CPU Brand", L"CPUBrand1", CpuValueId(kRowBrand), &RowText<kRowBrand>},
    {L"CPU Chip", L"CPUInfo", CpuValueId(kRowChip), &RowText<kRowChip>},
    {L"CPU Family", L"Info1", CpuValueId(kRowFamily), &RowText<kRowFamily>},
    {L"Description", L"Edit1", CpuValueId(kRowDescription), &RowText<kRowDescription>},
    {L"Device ID", L"Edit10", CpuValueId(kRowDeviceId), &RowText<kRowDeviceId>},
    {L"Code Name", L"Info2", CpuValueId(kRowCodeName), &RowText<kRowCodeName>},
    {L"Vendor", L"Info3", CpuValueId(kRowVendor), &RowText<kRowVendor>},
    {L"Manufacturer", L"Info4", CpuValueId(kRowManufacturer), &RowText<kRowManufacturer>},
    {L"Serial Number", L"Info6", CpuValueId(kRowSerial), &RowText<kRowSerial>},
    {L"Processor ID", L"Info7", CpuValueId(kRowProcessorId), &RowText<kRowProcessorId>},
    {L"Ext Clock Speed", L"Info8", CpuValueId(kRowExtClock), &RowText<kRowExtClock>},
    {L"Current Voltage", L"info9", CpuValueId(kRowVoltage), &RowText<kRowVoltage>},
    {L"Max Clock Speed", L"info10", CpuValueId(kRowMaxClock), &RowText<kRowMaxClock>},
    {L"Socket Designation", L"info11", CpuValueId(kRowSocket), &RowText<kRowSocket>},
    {L"Data Width", L"info12", CpuValueId(kRowDataWidth), &RowText<kRowDataWidth>},
    {L"Revision", L"info13", CpuValueId(kRowRevision), &RowText<kRowRevision>},
    {L"L2 Cache Size", L"info14", CpuValueId(kRowL2Size), &RowText<kRowL2Size>},
    {L"L2 Cache Speed", L"info15", CpuValueId(kRowL2Speed), &RowText<kRowL2Speed>},
    {L"Status", L"Info5", CpuValueId(kRowStatus), &RowText<kRowStatus>},
}};

const std::array<WmiRowProperty, 13> kSecondPassProperties = {{
    {L"DataWidth", kRowDataWidth},
    {L"Revision", kRowRevision},
    {L"L2CacheSize", kRowL2Size},
    {L"L2CacheSpeed", kRowL2Speed},
    {L"Status", kRowStatus},
    {L"SocketDesignation", kRowSocket},
    {L"MaxClockSpeed", kRowMaxClock},
    {L"CurrentVoltage", kRowVoltage},
    {L"ExtClock", kRowExtClock},
    {L"Manufacturer", kRowManufacturer},
    {L"DeviceID", kRowDeviceId},
    {L"Description", kRowDescription},
    {L"ProcessorID", kRowProcessorId},
}};

namespace {

// The record's fields by property name: one table serves the lookup.
constexpr std::array<platform::WmiField<Tcpuinfo>, 13> kTcpuinfoFields{{
    {L"ExtClock", &Tcpuinfo::ExtClock},
    {L"MaxClockSpeed", &Tcpuinfo::MaxClockSpeed},
    {L"CurrentVoltage", &Tcpuinfo::CurrentVoltage},
    {L"DataWidth", &Tcpuinfo::DataWidth},
    {L"Family", &Tcpuinfo::Family},
    {L"L2CacheSize", &Tcpuinfo::L2CacheSize},
    {L"L2CacheSpeed", &Tcpuinfo::L2CacheSpeed},
    {L"SocketDesignation", &Tcpuinfo::SocketDesignation},
    {L"ProcessorID", &Tcpuinfo::ProcessorID},
    {L"ProcessorType", &Tcpuinfo::ProcessorType},
    {L"Revision", &Tcpuinfo::Revision},
    {L"Manufacturer", &Tcpuinfo::Manufacturer},
    {L"Name", &Tcpuinfo::Name},
}};

constexpr std::wstring_view kMhz = L" MHz";

bool IsBlankOrControl(wchar_t c) { return c <= L' '; }

wchar_t HexDigit(unsigned v) { return L"0123456789ABCDEF"[v & 0xF]; }

std::wstring UpperHex(unsigned v) {
  std::wstring out;
  do {
    out.insert(out.begin(), HexDigit(v));
    v >>= 4;
  } while (v != 0);
  return out;
}

}  // namespace

std::wstring TrimBlanksAndControls(std::wstring_view text) {
  std::size_t first = 0, last = text.size();
  while (first < last && IsBlankOrControl(text[first])) ++first;
  while (last > first && IsBlankOrControl(text[last - 1])) --last;
  return std::wstring(text.substr(first, last - first));
}

std::wstring CpuChipText(int processors, std::wstring_view model_name) {
  return std::to_wstring(processors) + L" x " + TrimBlanksAndControls(model_name);
}

std::wstring FamilyLineText(const Signature& s) {
  return L"Model ID: Family " + std::to_wstring(s.family) + L"  Model " + std::to_wstring(s.model) +
         L"  Stepping " + std::to_wstring(s.stepping);
}

std::wstring ProcessorIdText(const Signature& s) {
  return L"0" + UpperHex(static_cast<unsigned>(s.family)) + UpperHex(static_cast<unsigned>(s.model)) +
         UpperHex(static_cast<unsigned>(s.stepping));
}

void ApplyIdentification(CpuRowTexts& rows, int processors, const CpuIdentity& identity) {
  rows[kRowSerial] = identity.serial;
  rows[kRowBrand] = TrimBlanksAndControls(identity.brand);
  rows[kRowChip] = CpuChipText(processors, identity.model.name);
  rows[kRowFamily] = FamilyLineText(identity.signature);
  rows[kRowCodeName] = identity.model.code_name;
  rows[kRowVendor] = identity.vendor_name;
  rows[kRowStatus] = std::to_wstring(identity.model.figure);
  rows[kRowProcessorId] = ProcessorIdText(identity.signature);
}

std::vector<std::wstring> FeatureLines(const TCPUFeatures& features, bool fdiv_bug) {
  std::vector<std::wstring> lines;
  GetFeatureList(features, true, lines);
  lines.push_back(std::wstring(L"FDIV Bug: ") + (fdiv_bug ? L"Yes" : L"No"));
  return lines;
}

FeatureItem FeatureItemFromLine(std::wstring_view line) {
  const std::size_t colon = line.find(L':');
  if (colon == std::wstring_view::npos) return {std::wstring(line), false};
  const std::size_t answer = colon + 2;
  const bool yes = answer <= line.size() && line.substr(answer) == L"Yes";
  return {std::wstring(line.substr(0, colon)), yes};
}

std::vector<FeatureItem> FeatureItems(const std::vector<std::wstring>& lines) {
  std::vector<FeatureItem> items;
  items.reserve(lines.size());
  for (const auto& line : lines) items.push_back(FeatureItemFromLine(line));
  return items;
}

Tcpuinfo CpuInfoFromWmiTable(int instance_count, int property_count, const platform::T2DimStrArray& grid) {
  if (instance_count != 1 || property_count <= 1) return {};
  return platform::RecordFromTable(grid, kTcpuinfoFields);
}

void ApplyWmiRecord(CpuRowTexts& rows, const Tcpuinfo& info) {
  rows[kRowExtClock] = info.ExtClock + std::wstring(kMhz);
  rows[kRowVoltage] = info.CurrentVoltage;
  rows[kRowMaxClock] = info.MaxClockSpeed + std::wstring(kMhz);
  rows[kRowSocket] = info.SocketDesignation;
  rows[kRowDataWidth] = info.DataWidth;
  rows[kRowRevision] = info.Revision;
  rows[kRowL2Size] = info.L2CacheSize;
  rows[kRowL2Speed] = info.L2CacheSpeed + std::wstring(kMhz);
  rows[kRowManufacturer] = info.Manufacturer;
  if (rows[kRowBrand].empty()) rows[kRowBrand] = info.Name;
}

std::wstring LeadingDigits(std::uint64_t value, std::size_t count) {
  std::wstring digits = std::to_wstring(value);
  if (digits.size() < count) digits.insert(0, count - digits.size(), L'0');
  digits.resize(count);
  return digits;
}

std::wstring SpeedDigits(double mhz) {
  // Beyond 2^63 the truncation would be undefined; no clock gets near.
  if (!(mhz >= 0) || mhz >= 9.2e18) mhz = 0;
  return LeadingDigits(static_cast<std::uint64_t>(mhz), kSpeedDigitCount);
}

std::wstring CounterDigits(std::optional<std::uint64_t> counter) {
  // The counter is unsigned: a signed rendering would put a '-' among the
  // digits once the top bit is set.
  return LeadingDigits(counter.value_or(0), kCounterDigitCount);
}

void ApplyUsage(CpuDisplays& displays, std::optional<double> usage, std::wstring_view decimal) {
  if (!usage) return;
  displays.usage_label = UsageLabelText(*usage, decimal);
  displays.usage_bar = UsageBarPosition(*usage);
}

std::wstring UsageErrorText(std::wstring_view error, std::wstring_view contact) {
  std::wstring out(error);
  out += L'\r';
  out += L"Please report this error to ";
  out += contact;
  return out;
}

ui::ReportSection CpuSection(const CpuRowTexts& rows, const std::vector<FeatureItem>& features,
                             const CpuDisplays& displays) {
  static constexpr std::wstring_view kLive[] = {L"Current Voltage"};
  ui::ReportSection section{L"TfrmCPU", kCpuCaption, ui::SheetSectionRows<CpuRowTexts>(kCpuRows, rows, kLive), {}, {}};
  section.rows.push_back({kUsageCaption, displays.usage_label, true});
  section.rows.push_back({kSpeedCaption, displays.speed_digits.empty() ? std::wstring() : displays.speed_digits + L" MHz",
                          true});
  section.rows.push_back({kCounterCaption, displays.counter_digits, true});
  ui::SectionList list{kFeaturesCaption, {L"Feature", L"Present"}, {}, false};
  for (const FeatureItem& item : features) list.rows.push_back({item.text, item.checked ? L"Yes" : L"No"});
  section.lists.push_back(std::move(list));
  return section;
}

}  // namespace corvane::cpu
