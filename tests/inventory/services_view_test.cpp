#include "inventory/services_view.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::inventory {
namespace {

TEST(ServiceWords, StateAndTypeTextsAreMatchedAsWholeWords) {
  enum class Word { kState, kType };
  const struct {
    Word word;
    std::uint32_t value;
    const wchar_t* text;
  } cases[] = {
      {Word::kState, 0, L""},
      {Word::kState, 1, L"Stopped"},
      {Word::kState, 2, L"Start Pending"},
      {Word::kState, 3, L"Stop Pending"},
      {Word::kState, 4, L"Running"},
      {Word::kState, 5, L"Continue Pending"},
      {Word::kState, 6, L""},  // pause pending has no text
      {Word::kState, 7, L"Paused"},
      {Word::kState, 8, L""},
      {Word::kState, 0x104, L""},  // a running state with a stray high bit is not "Running"
      {Word::kType, 0, L""},
      {Word::kType, 1, L"Kernal"},
      {Word::kType, 2, L"System"},
      {Word::kType, 3, L""},  // two kinds at once
      {Word::kType, 4, L""},  // a file-system recogniser
      {Word::kType, 0x10, L"Win32 Own Process"},
      {Word::kType, 0x20, L"Win32 Share process"},
      {Word::kType, 0x30, L""},
      {Word::kType, 0x10 + 0x100, L""},  // may use the desktop: no text
      {Word::kType, 0x20 + 0x100, L""},
      {Word::kType, 0x50, L""},  // a per-user service
      {Word::kType, 0xFFFFFFFF, L""},
  };
  for (const auto& c : cases) {
    const std::wstring_view text = c.word == Word::kState ? ServiceStateText(c.value) : ServiceTypeText(c.value);
    EXPECT_EQ(text, c.text) << (c.word == Word::kState ? "state " : "type ") << c.value;
  }
}

TEST(ServiceRows, KeepTheManagersOrderAndPutTheCellsInColumnOrder) {
  const std::vector<ServiceRecord> records = {
      {L"zsvc", L"Zulu service", 0x10, 4},
      {L"asvc", L"Alpha service", 0x110, 6},
      {L"msvc", L"", 0x20, 1},
  };
  const std::vector<std::vector<std::wstring>> expected = {
      {L"Zulu service", L"Running", L"Win32 Own Process", L"zsvc"},
      {L"Alpha service", L"", L"", L"asvc"},
      {L"", L"Stopped", L"Win32 Share process", L"msvc"},
  };
  EXPECT_EQ(ServiceRows(records), expected);
  EXPECT_TRUE(ServiceRows({}).empty());
  ASSERT_EQ(std::size(kServiceColumns), expected.front().size());
}

}  // namespace
}  // namespace corvane::inventory
