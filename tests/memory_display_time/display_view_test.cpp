// The display window's model: the drop-down list, the rows of a refresh and
// the adapter update for every position of the list, including positions
// that the chip, DAC, memory and adapter lists do not have.
#include "memory_display_time/display_view.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memory_display_time/display_registry.h"
#include "memory_display_time/fake_key_reader.h"

namespace corvane::memory_display_time {
namespace {

using testing::ElementsAre;
using namespace std::string_view_literals;

DisplayReading TwoAdapters() {
  DisplayReading r;
  r.nt_platform = true;
  r.caps = {96, 1024, 768, 32, 1, 36, 36, 51, 60, 16384};
  r.monitor_count = 2;
  r.adapters = {
      {L"\\\\.\\DISPLAY1", L"Wine Adapter", 0x1 | 0x4, L"Generic Non-PnP Monitor"},
      {L"\\\\.\\DISPLAY2", L"Second Adapter", 0x2 | 0x8 | 0x10, std::nullopt},
  };
  r.driver_descriptions = {L"Wine GPU driver"};
  r.video = {{L"S3 Rev 2"}, {L"8 bit", L"6 bit"}, {L"4194304", L"8388608", L"1"}};
  r.bios = {L"Wine VGA", L"01/02/99"};
  return r;
}

TEST(DisplayView, RefreshFillsTheListsAndTheScreenRows) {
  const DisplayWindowModel m = BuildDisplayModel(TwoAdapters());
  EXPECT_THAT(m.entries, ElementsAre(L"Wine Adapter", L"Second Adapter", L"Wine GPU driver"));
  EXPECT_THAT(m.adapter_names, ElementsAre(L"\\\\.\\DISPLAY1", L"\\\\.\\DISPLAY2"));
  const std::vector<std::wstring> rows = ui::SheetTexts<DisplayWindowModel>(kDisplayFields, m);
  const std::vector<std::wstring> expected = {
      L"",  // the drop-down list
      L"\\\\.\\DISPLAY1", L"S3 Rev 2", L"8 bit", L"4194304 bytes", L"Wine VGA (01/02/99)", L"Raster Display",
      L"1024 x 768 - 32 bit", L"96 dpi", L"36", L"36", L"51", L"60 Hz", L"2",
      L"Generic Non-PnP Monitor | ",  // the second adapter has no monitor
      L"16384",
  };
  EXPECT_EQ(rows, expected);
  EXPECT_EQ(m.selected, 0);
  EXPECT_THAT(m.state_flags, ElementsAre(true, false, true, false, false));
}

TEST(DisplayView, AdapterUpdateShowsPositionKAndNothingStale) {
  DisplayWindowModel m = BuildDisplayModel(TwoAdapters());
  struct Row {
    int k;
    const wchar_t *device, *chipset, *dac, *memory;
    std::array<bool, 5> flags;
  };
  const Row rows[] = {
      {1, L"\\\\.\\DISPLAY2", L"", L"6 bit", L"8388608 bytes", {false, true, false, true, true}},
      // The driver description: no adapter, one memory entry, no flags.
      {2, L"", L"", L"", L"1 bytes", {}},
      {0, L"\\\\.\\DISPLAY1", L"S3 Rev 2", L"8 bit", L"4194304 bytes", {true, false, true, false, false}},
      // Positions the list does not hold (none chosen) empty every row.
      {3, L"", L"", L"", L"", {}},
      {-1, L"", L"", L"", L"", {}},
  };
  for (const Row& r : rows) {
    SelectEntry(m, r.k);
    EXPECT_EQ(m.device, r.device) << r.k;
    EXPECT_EQ(m.chipset, r.chipset) << r.k;
    EXPECT_EQ(m.dac, r.dac) << r.k;
    EXPECT_EQ(m.memory, r.memory) << r.k;
    EXPECT_EQ(m.state_flags, r.flags) << r.k;
  }
  SelectEntry(m, 1);
  EXPECT_EQ(m.selected, 1);
  SelectEntry(m, 7);
  EXPECT_EQ(m.selected, -1);
  EXPECT_EQ(m.bios, L"Wine VGA (01/02/99)") << "rows 6 to 16 do not follow the choice";
}

TEST(DisplayView, StateFlagsAreTheLowFiveBitsInItemOrder) {
  const struct { std::uint32_t flags; std::array<bool, 5> checks; } cases[] = {
      {0, {}},
      {0x1F, {true, true, true, true, true}},
      {0x10, {false, false, false, false, true}},
      {0x08 | 0x02, {false, true, false, true, false}},
      {0xFFFFFFE0, {}},  // higher flags have no item
  };
  for (const auto& c : cases) EXPECT_EQ(StateFlagChecks(c.flags), c.checks) << c.flags;
  EXPECT_EQ(kStateFlagTexts[0], L"Display Device Attached To Desktop");
  EXPECT_EQ(kStateFlagTexts[4], L"Display Device VGA");
}

TEST(DisplayView, StateFlagsComeFromTheAdapterOfThatName) {
  DisplayReading r;
  r.adapters = {{L"\\\\.\\DISPLAY1", L"One", 0x4, {}}, {L"\\\\.\\DISPLAY1", L"Same name", 0x10, {}}};
  DisplayWindowModel m = BuildDisplayModel(r);
  SelectEntry(m, 1);
  EXPECT_EQ(m.device, L"\\\\.\\DISPLAY1");
  EXPECT_THAT(m.state_flags, ElementsAre(false, false, true, false, false)) << "the first adapter of that name";
}

TEST(DisplayView, NothingToListLeavesTheAdapterRowsEmpty) {
  DisplayReading r;
  r.caps.technology = 99;
  const DisplayWindowModel m = BuildDisplayModel(r);
  EXPECT_EQ(m.selected, -1);
  EXPECT_EQ(m.device, L"");
  EXPECT_EQ(m.memory, L"");
  EXPECT_EQ(m.technology, L"");
  EXPECT_EQ(m.monitor_frequency, L"") << "not the NT platform";
  EXPECT_EQ(m.driver_version, L"");
  EXPECT_EQ(m.monitors, L"");
}

// A registry that holds only the hardware information of the first video
// device: one entry in each list, shown for the first entry of the drop-down list.
TEST(DisplayView, HardwareInformationAloneFillsTheFirstEntry) {
  const std::wstring video_key = L"SYSTEM\\CurrentControlSet\\Control\\Video\\{guid}\\0000";
  testing_support::FakeKeyReader registry;
  registry.String(kVideoDeviceMap, L"\\Device\\Video0", L"\\Registry\\Machine\\" + video_key)
      .Binary(video_key, L"HardwareInformation.ChipType", testing_support::Utf16Bytes(L"ABC\0"sv))
      .Binary(video_key, L"HardwareInformation.DacType", testing_support::Utf16Bytes(L"DAC\0"sv))
      .Binary(video_key, L"HardwareInformation.MemorySize", testing_support::RawBytes({0, 0, 0, 8}));
  const bool nt_family = IsNtFamily(2, 6);
  const std::wstring_view root = ClassRoot(nt_family);
  DisplayReading r;
  r.adapters = {{L"\\\\.\\DISPLAY1", L"Wine Adapter", 0x5, L"Monitor"}};
  const ClassDrivers drivers = SearchClassDrivers(registry, root, kDisplayClass, kDriverDescValue, nt_family);
  r.driver_descriptions = drivers.values;
  r.video = ReadVideoLists(registry, root, drivers.key_name);
  const DisplayWindowModel m = BuildDisplayModel(r);
  EXPECT_THAT(m.entries, ElementsAre(L"Wine Adapter"));
  EXPECT_EQ(m.chipset, L"ABC");
  EXPECT_EQ(m.dac, L"DAC");
  EXPECT_THAT(m.memories, ElementsAre(L"134217728"));
  EXPECT_EQ(m.memory, L"134217728 bytes");
}

TEST(DisplayView, RowTable) {
  const wchar_t* labels[] = {L"Adapters",       L"Device",          L"Chipset",      L"DAC",
                             L"Memory",         L"BIOS",            L"Technology",   L"Metrics",
                             L"Font Resolution", L"Pixel Width",    L"Pixel Height", L"Pixel Diagonal",
                             L"Monitor frequency", L"Number of Monitors", L"Monitor(s)", L"Driver Version"};
  const wchar_t* cells[] = {L"Adapters", L"info16", L"Info3",  L"Info4",  L"Info5",  L"Info6",
                            L"Info7",    L"Info8",  L"Info9",  L"Info10", L"Info11", L"Info12",
                            L"info13",   L"Edit2",  L"Info17", L"Info15"};
  for (std::size_t i = 0; i < kDisplayFields.size(); ++i) {
    EXPECT_EQ(kDisplayFields[i].label, labels[i]);
    EXPECT_EQ(kDisplayFields[i].name, cells[i]);
    EXPECT_EQ(kDisplayFields[i].id, display_ids::kIdAdapters + static_cast<int>(i));
    EXPECT_EQ(kDisplayFields[i].value == nullptr, i == 0) << "only the drop-down row has no text";
  }
}

}  // namespace
}  // namespace corvane::memory_display_time
