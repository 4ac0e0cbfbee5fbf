#include "inventory/bios_info_view.h"

#include "ui/report_section_build.h"

#include <algorithm>

namespace corvane::inventory {

std::wstring MultiStringText(std::span<const std::byte> data) {
  std::wstring text;
  text.reserve(data.size() / 2);
  for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
    text.push_back(static_cast<wchar_t>(std::to_integer<unsigned>(data[i]) |
                                        (std::to_integer<unsigned>(data[i + 1]) << 8)));
  }
  if (!text.empty() && text.back() == L'\0') text.pop_back();
  std::ranges::replace(text, L'\0', L'|');
  return text;
}

ui::ReportSection BiosInfoSection(const BiosInfoModel& model) {
  return {L"TfrmBiosInfo", kBiosInfoCaption, ui::SheetSectionRows<BiosInfoModel>(kBiosInfoFields, model), {}, {}};
}

}  // namespace corvane::inventory
