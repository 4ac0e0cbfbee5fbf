#include "inventory/printers_view.h"

#include "ui/report_section_build.h"

#include <algorithm>

namespace corvane::inventory {
namespace {

// The words are plain ASCII, so no locale takes part.
std::wstring Upper(std::wstring_view text) {
  std::wstring upper(text);
  for (wchar_t& c : upper) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return upper;
}

std::wstring Num(int value) { return std::to_wstring(value); }

std::wstring PageSize(int mm, int pixels) { return Num(mm) + L" mm  /  " + Num(pixels) + L" pixels"; }

}  // namespace

std::wstring TechnologyText(int value) {
  const auto* found = std::ranges::find(kTechnologyWords, value, &TechnologyWord::value);
  return Upper(found != std::end(kTechnologyWords) ? found->word : kUnknownTechnology);
}

std::wstring StatusText(bool printing, int page_number, int copies) {
  if (!printing) return L"IDLE";
  return L"PRINTING " + Num(page_number) + L" " + Num(copies) + L" Copies";
}

std::wstring OrientationText(bool landscape) { return landscape ? L"LANDSCAPE" : L"PORTRAIT"; }

std::wstring PostscriptText(std::wstring_view entry, bool supported) {
  return L"Printer " + std::wstring(entry) + L" does" + (supported ? L"" : L" not") + L" support Postscript";
}

void ShowCapabilities(const PrinterCapabilities& caps, PrintersModel& model) {
  model.driver_version = Num(caps.driver_version);
  model.technology = TechnologyText(caps.technology);
  model.page_height = PageSize(caps.vert_size, caps.vert_res);
  model.page_width = PageSize(caps.horz_size, caps.horz_res);
  model.physical_width = Num(caps.physical_width) + L" ";
  model.physical_height = Num(caps.physical_height) + L" ";
  model.horizontal_dpi = Num(caps.logpixels_x) + L" DPI";
  model.vertical_dpi = Num(caps.logpixels_y) + L" DPI";
  model.bits_per_pixel = Num(caps.bits_pixel);
  model.brushes = Num(caps.num_brushes);
  model.pens = Num(caps.num_pens);
  model.fonts = Num(caps.num_fonts);
  model.colors = Num(caps.num_colors);
}

std::vector<std::wstring> BinNames(std::span<const wchar_t> buffer, int count) {
  std::vector<std::wstring> names;
  if (count <= 0) return names;
  const std::size_t held = std::min(static_cast<std::size_t>(count), buffer.size() / kBinNameWidth);
  names.reserve(held);
  for (std::size_t i = 0; i < held; ++i) {
    const auto name = buffer.subspan(i * kBinNameWidth, kBinNameWidth);
    const auto end = std::ranges::find(name, L'\0');
    names.emplace_back(name.begin(), end);
  }
  return names;
}

void CheckBinCounts(int names, int bins) {
  if (names != bins) throw PrintersError(kBinCountMismatchText);
}

ui::ReportSection PrintersSection(const PrintersModel& model) {
  ui::ReportSection section{L"TfrmPrinters", kPrintersCaption, {}, {}, {}};
  const bool chosen = model.selected >= 0 && static_cast<std::size_t>(model.selected) < model.entries.size();
  for (const auto& field : kPrintersFields) {
    if (field.value) {
      section.rows.push_back({std::wstring(field.label), field.value(model), false});
    } else {
      section.rows.push_back({std::wstring(field.label), chosen ? model.entries[model.selected] : std::wstring(), false});
    }
  }
  ui::SectionList printers{kPrinterListTitle, {L"Printer"}, {}, false};
  for (const auto& entry : model.entries) printers.rows.push_back({entry});
  section.lists.push_back(std::move(printers));
  return section;
}

}  // namespace corvane::inventory
