// The drive window's SMART section for NVMe disks, under Wine: Wine has no
// NVMe disk, so the window is given a scripted transport answering the
// storage property queries, and the texts are read back from its controls.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "storage/disk_window_win.h"
#include "storage/scripted_nvme_transport.h"
#include "ui/theme_win.h"

namespace corvane::storage {
namespace {

using testing::Bytes;
using testing::HealthPage;
using testing::IdentifyController;
using testing::PutCounter;
using testing::ScriptedNvmeTransport;

std::wstring TextOf(HWND control) {
  wchar_t text[256] = {};
  GetWindowTextW(control, text, 256);
  return text;
}

std::wstring Cell(HWND list, int row, int column) {
  wchar_t text[256] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 256;
  SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

std::vector<std::wstring> Captions(HWND list) {
  std::vector<std::wstring> captions;
  for (int c = 0;; ++c) {
    wchar_t text[64] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = 64;
    if (!SendMessageW(list, LVM_GETCOLUMNW, c, reinterpret_cast<LPARAM>(&column))) break;
    captions.emplace_back(text);
  }
  return captions;
}

int Rows(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

Bytes WornPage() {
  Bytes page = HealthPage(0x06, 341, 100, 10, 88);
  PutCounter(page, 32, {0, 4000000});
  PutCounter(page, 48, {2, 0});
  PutCounter(page, 128, {0, 17520});
  return page;
}

TEST(DiskWindowNvme, TheSmartSectionShowsAnNvmeDisksHealth) {
  ui::Theme theme;
  auto owned = ScriptedNvmeTransport::Disk(WornPage(), IdentifyController("CORVANE NV-2000", "NV0042", "3.1"));
  ScriptedNvmeTransport* transport = owned.get();
  DiskWindow window(theme, nullptr, std::move(owned));
  ASSERT_TRUE(window.EnsureBuilt());
  window.Refresh1Click();
  ASSERT_FALSE(window.model().drives.empty());
  ASSERT_FALSE(transport->opened.empty()) << "the first drive's disk is asked";

  const std::wstring warnings = L"Temperature above or below threshold; Reliability degraded";
  EXPECT_EQ(TextOf(window.Control(L"edSmartEnabled")), warnings);
  EXPECT_EQ(TextOf(window.Control(L"edTemperature")), L"68\u00B0C");
  EXPECT_EQ(TextOf(window.Control(L"edModel")), L"CORVANE NV-2000");
  EXPECT_EQ(TextOf(window.Control(L"edSmartSerial")), L"NV0042");
  EXPECT_EQ(TextOf(window.Control(L"edFirmware")), L"3.1");
  EXPECT_EQ(TextOf(window.Control(L"edSize")), L"");

  HWND list = window.Control(L"lvSmart");
  EXPECT_EQ(Captions(list), (std::vector<std::wstring>{L"Name", L"Value"}));
  ASSERT_EQ(Rows(list), 11);
  ASSERT_EQ(window.model().smart.attributes.rows.size(), 11u);
  // The list shows the model's rows; the figures are grouped by the user's
  // separator, which the model took too.
  for (int row = 0; row < 11; ++row) {
    const auto& cells = window.model().smart.attributes.rows[static_cast<std::size_t>(row)];
    EXPECT_EQ(Cell(list, row, 0), cells[0]) << row;
    EXPECT_EQ(Cell(list, row, 1), cells[1]) << row;
  }
  EXPECT_EQ(Cell(list, 0, 1), warnings);
  EXPECT_EQ(Cell(list, 3, 0), L"Percentage Used");
  EXPECT_EQ(Cell(list, 3, 1), L"88%");
  EXPECT_EQ(window.model().smart.attributes.rows[5][0], L"Data Written");
  const std::wstring written = window.model().smart.attributes.rows[5][1];
  // 2^65 data units of 512,000 bytes: 18,889,465,931,478,580,854,784,000 bytes.
  std::wstring digits;
  for (wchar_t c : written) {
    if (c >= L'0' && c <= L'9') digits += c;
  }
  EXPECT_EQ(digits, L"18889465931478580854784000") << written;
}

// A disk that is not NVMe, or an NVMe disk whose driver refuses the
// protocol queries (systems before Windows 10), keeps the empty section of
// a drive without SMART: Wine answers no ATA SMART request either.
TEST(DiskWindowNvme, ADiskWithoutNvmeHealthKeepsTheSectionEmpty) {
  struct Case {
    const char* what;
    std::uint32_t bus_type;
    bool protocol_queries;
    std::size_t columns;
  };
  const Case cases[] = {
      {"a SATA disk", 0x0B, true, 10},
      {"an NVMe disk refusing the queries", kBusTypeNvme, false, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ui::Theme theme;
    auto owned = ScriptedNvmeTransport::Disk(WornPage(), IdentifyController("M", "S", "F"));
    owned->replies[kStorageDeviceProperty] = testing::DeviceDescriptor(c.bus_type);
    if (!c.protocol_queries) {
      owned->replies.erase(kStorageDeviceProtocolSpecificProperty);
      owned->replies.erase(kStorageAdapterProtocolSpecificProperty);
    }
    DiskWindow window(theme, nullptr, std::move(owned));
    ASSERT_TRUE(window.EnsureBuilt());
    window.Refresh1Click();
    for (const wchar_t* box : {L"edSmartEnabled", L"edTemperature", L"edModel", L"edSmartSerial", L"edFirmware"})
      EXPECT_EQ(TextOf(window.Control(box)), L"") << box;
    EXPECT_EQ(Captions(window.Control(L"lvSmart")).size(), c.columns);
    EXPECT_EQ(Rows(window.Control(L"lvSmart")), 0);
  }
}

}  // namespace
}  // namespace corvane::storage
