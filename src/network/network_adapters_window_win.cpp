#include "network/network_adapters_window_win.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>

#include "network/adapters_readers_win.h"
#include "network/network_adapters_window_ids.h"
#include "platform/failure_text_win.h"

namespace corvane::network {
namespace {

using namespace adapters_ids;

// Its menu bar holds an empty "File" menu.
constexpr ui::Menu kMenus[] = {{L"&File", {}}};

constexpr ui::Command<NetworkAdaptersWindow> kCommands[] = {
    {kCmdRefresh, &NetworkAdaptersWindow::FormShow},
    {kIdAdapterList, &NetworkAdaptersWindow::ComboBox1Select, CBN_SELCHANGE},
    {kIdAdapterList, &NetworkAdaptersWindow::ComboBox1Change, CBN_EDITCHANGE},
};

// Rows a little taller than the summary's so the drop-down fits its row.
constexpr ui::SheetGeometry kGeometry{4, 196, 212, 440, 22, 24, 16};
constexpr int kMargin = 8;
constexpr int kLinkHeight = 16;

std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

NetworkAdaptersWindow::NetworkAdaptersWindow(const ui::Theme& theme) : ui::Window(theme), sheet_(theme) {}

bool NetworkAdaptersWindow::Build() {
  ui::CreateParams p = DetailParams(L"TfrmNetworkAdapters", std::wstring(kNetworkAdaptersCaption), kMenus);
  p.client_width = 670;
  p.client_height = kGeometry.heading_height + static_cast<int>(kAdapterFields.size()) * kGeometry.row_pitch +
                    kMargin + kLinkHeight + kMargin + 4;
  if (!ui::Window::Create(p)) return false;
  min_width_ = 480;
  min_height_ = 200;
  BindCommands(kCommands);

  if (!sheet_.Create(hwnd(), kIdSheet, ui::SheetRows<AdapterView>(kAdapterFields), kGeometry)) return false;
  FileControl(L"ScrollBox1", kIdSheet, sheet_.hwnd());
  adapters_ = sheet_.AddDropDown(0, L"ComboBox1", kIdAdapterList, /*editable=*/true);
  AdoptControls(sheet_);
  link_ = AddWebLink(L"StaticText1", kIdLinkLabel, 0, 0, LinkKind::kPlainText);
  sheet_.ShowFields<AdapterView>(kAdapterFields, model_.view);

  const RECT client = LogicalClientRect();
  OnResize(client.right, client.bottom);
  return true;
}

void NetworkAdaptersWindow::OnResize(int width, int height) {
  if (!sheet_.hwnd()) return;
  sheet_.SetValueWidth(std::max(200, width - kGeometry.value_x - kMargin - Logical(GetSystemMetrics(SM_CXVSCROLL))));
  const int bottom = kMargin + kLinkHeight + kMargin;
  ui::Place(sheet_.hwnd(), {0, 0, width, std::max(0, height - bottom)});
  ui::Place(link_, {kMargin, height - kLinkHeight - kMargin, 300, kLinkHeight});
}

LRESULT NetworkAdaptersWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // Shown by a ShowWindow call: filled before it first paints.
  if (msg == WM_SHOWWINDOW && wp && lp == 0) RunCommand(kCmdRefresh);
  return ui::Window::OnMessage(msg, wp, lp);
}

void NetworkAdaptersWindow::FormShow() {
  const ui::BusyCursor busy;
  AdapterList list = ReadAdapterList();
  model_.adapters = std::move(list.names);
  model_.name_property = std::move(list.name_property);

  SendMessageW(adapters_, CB_RESETCONTENT, 0, 0);
  for (const auto& adapter : model_.adapters) {
    SendMessageW(adapters_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(adapter.c_str()));
  }
  if (!model_.adapters.empty()) {
    SendMessageW(adapters_, CB_SETCURSEL, 0, 0);
  } else {
    SetWindowTextW(adapters_, L"");
  }
  ComboBox1Change();
}

std::optional<ui::ReportSection> NetworkAdaptersWindow::RefreshForReport() {
  AdapterList list = ReadAdapterList();
  model_.adapters = std::move(list.names);
  model_.name_property = std::move(list.name_property);
  std::vector<AdapterReport> adapters;
  for (const std::wstring& name : model_.adapters) {
    AdapterView view;
    for (const AdapterReading& adapter : ReadAdapters(model_.name_property, name)) {
      // The window tells this in a box and keeps the row it had; the report
      // would carry an empty address as if the adapter had none.
      if (adapter.ip_failure) throw platform::WordedFailure(*adapter.ip_failure);
      view = BuildAdapterView(adapter.properties, adapter.ip_address, view);
    }
    adapters.push_back({name, std::move(view)});
  }
  model_.entry = adapters.empty() ? std::wstring() : adapters.front().name;
  model_.view = adapters.empty() ? AdapterView{} : adapters.front().view;
  return NetworkAdaptersSection(adapters);
}

void NetworkAdaptersWindow::ComboBox1Select() {
  // The edit part still shows the previous entry while this is sent.
  const LRESULT index = SendMessageW(adapters_, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR || static_cast<std::size_t>(index) >= model_.adapters.size()) return;
  SetWindowTextW(adapters_, model_.adapters[static_cast<std::size_t>(index)].c_str());
  ComboBox1Change();
}

void NetworkAdaptersWindow::ComboBox1Change() {
  const ui::BusyCursor busy;
  model_.entry = TextOf(adapters_);
  std::optional<std::wstring> ip_failure;
  // Normally one adapter; a name no adapter has leaves the rows as they are.
  for (const AdapterReading& adapter : ReadAdapters(model_.name_property, model_.entry)) {
    model_.view = BuildAdapterView(adapter.properties, adapter.ip_address, model_.view);
    if (adapter.ip_failure) ip_failure = adapter.ip_failure;
  }
  sheet_.ShowFields<AdapterView>(kAdapterFields, model_.view);
  if (ip_failure) ui::ShowErrorBox(hwnd(), *ip_failure);  // told once the other rows are filled
}

}  // namespace corvane::network
