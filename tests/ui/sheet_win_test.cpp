// The detail sheet under Wine: rows of several lines (a text box and a list
// take their lines from one text and give them back, a new text replaces the
// old, the rows below sit lower by the extra lines, a button under a tall
// row's label reaches the window), and one-line cells made as texts that
// look exactly as read-only boxes do.
#include "ui/sheet_win.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace corvane::ui {
namespace {

enum : int { kIdSheet = 100, kIdName = 200, kIdList, kIdBox, kIdLast, kIdButton = 300 };

class Holder : public Window {
 public:
  explicit Holder(const Theme& theme) : Window(theme), sheet(theme) {}
  void ButtonClick() { ++clicks; }
  DetailSheet sheet;
  int clicks = 0;

 protected:
  bool Build() override {
    CreateParams p{L"CorvaneSheetHolder", L"Holder"};
    p.width = 700;
    p.height = 500;
    if (!Create(p)) return false;
    static constexpr Command<Holder> kCommands[] = {{kIdButton, &Holder::ButtonClick}};
    BindCommands(kCommands);
    std::vector<SheetRow> rows = {
        {L"Name", L"lblName", kIdName + 50, L"edName", kIdName},
        {L"List", L"lblList", kIdList + 50, L"edList", kIdList, false, SheetCell::kList, 3},
        {L"Box", L"lblBox", kIdBox + 50, L"edBox", kIdBox, false, SheetCell::kTextBox, 4},
        {L"Last", L"lblLast", kIdLast + 50, L"edLast", kIdLast},
    };
    if (!sheet.Create(hwnd(), kIdSheet, std::move(rows))) return false;
    sheet.AddButtonUnderLabel(2, L"btn", kIdButton, L"Press");
    AdoptControls(sheet);
    MoveWindow(sheet.hwnd(), 0, 0, 690, 400, TRUE);
    return true;
  }
};

int TopOf(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r.top;
}

TEST(DetailSheetWin, RowsOfSeveralLines) {
  Theme theme;
  Holder holder(theme);
  ASSERT_TRUE(holder.EnsureBuilt());
  DetailSheet& sheet = holder.sheet;
  HWND list = GetDlgItem(sheet.hwnd(), kIdList);
  ASSERT_TRUE(list);

  sheet.SetValue(1, L"ADMIN$\r\nC$\r\npublic", false);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(sheet.Value(1), L"ADMIN$\r\nC$\r\npublic");
  sheet.SetValue(1, L"ADMIN$\r\nC$\r\npublic", false);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3) << "a new text replaces the items";
  sheet.SetValue(1, L"", false);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 0);

  sheet.SetValue(2, L"Intel(R) PRO/1000\r\nLoopback", true);
  EXPECT_EQ(sheet.Value(2), L"Intel(R) PRO/1000\r\nLoopback");
  EXPECT_EQ(SendMessageW(GetDlgItem(sheet.hwnd(), kIdBox), EM_GETLINECOUNT, 0, 0), 2);

  // 1 + 3 + 4 + 1 lines of the row pitch under the headings.
  const SheetGeometry& g = sheet.geometry();
  EXPECT_EQ(sheet.ContentHeight(), g.heading_height + 9 * g.row_pitch);
  EXPECT_EQ(TopOf(GetDlgItem(sheet.hwnd(), kIdLast)), g.heading_height + 8 * g.row_pitch);
  RECT box{};
  GetWindowRect(GetDlgItem(sheet.hwnd(), kIdBox), &box);
  EXPECT_EQ(box.bottom - box.top, 3 * g.row_pitch + g.row_height);

  HWND button = holder.Control(L"btn");
  ASSERT_TRUE(button);
  EXPECT_EQ(TopOf(button), g.heading_height + 5 * g.row_pitch) << "under the label of the box";
  SendMessageW(button, BM_CLICK, 0, 0);
  EXPECT_EQ(holder.clicks, 1);
  EXPECT_EQ(sheet.AddButtonUnderLabel(0, L"none", kIdButton + 1, L"x"), nullptr) << "no room under one line";
}

// A window holding one sheet of one-line rows made of the given cells.
class LineHolder : public Window {
 public:
  LineHolder(const Theme& theme, LineCells cells, int top) : Window(theme), sheet(theme), cells_(cells), top_(top) {}
  DetailSheet sheet;

 protected:
  bool Build() override {
    CreateParams p{L"CorvaneLineSheetHolder", L"Holder"};
    p.style = WS_POPUP | WS_CLIPCHILDREN;
    p.x = 0;
    p.y = top_;
    p.width = 700;
    p.height = 120;
    if (!Create(p)) return false;
    std::vector<SheetRow> rows = {
        {L"Operating System", L"Desc1", kIdName + 50, L"Info1", kIdName},
        {L"A label far too long for its cell, so that it is cut at the margin", L"Desc2", kIdList + 50, L"Info2",
         kIdList},
        {L"Empty", L"Desc3", kIdBox + 50, L"Info3", kIdBox},
    };
    if (!sheet.Create(hwnd(), kIdSheet, std::move(rows), {}, cells_)) return false;
    MoveWindow(sheet.hwnd(), 0, 0, 700, 120, FALSE);
    return true;
  }

 private:
  LineCells cells_;
  int top_;
};

// The pixels of a shown control, top row first, as 32-bit colours.
std::vector<DWORD> PixelsOf(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  std::vector<DWORD> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
  std::memcpy(pixels.data(), bits, pixels.size() * sizeof(DWORD));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

std::wstring ClassOf(HWND control) {
  wchar_t name[32] = L"";
  GetClassNameW(control, name, 32);
  return name;
}

TEST(DetailSheetWin, TextCellsLookLikeReadOnlyBoxes) {
  Theme theme;
  LineHolder boxes(theme, LineCells::kReadOnlyBoxes, 0);
  LineHolder texts(theme, LineCells::kTexts, 200);
  for (LineHolder* holder : {&boxes, &texts}) {
    ASSERT_TRUE(holder->EnsureBuilt());
    holder->sheet.SetValue(0, L"Microsoft Windows XP, Version 5.1.2600, 32 Bit.", false);
    holder->sheet.SetValue(1, std::wstring(120, L'W'), false);  // wider than the cell
    ShowWindow(holder->hwnd(), SW_SHOWNOACTIVATE);
    UpdateWindow(holder->hwnd());
  }
  // A value written to a shown sheet is painted in its place too.
  texts.sheet.SetValue(2, L"written late", true);
  boxes.sheet.SetValue(2, L"written late", true);

  for (int id : {kIdName, kIdList, kIdBox}) {
    for (int cell_id : {id, id + 50}) {
      SCOPED_TRACE(testing::Message() << "cell " << cell_id);
      HWND box = GetDlgItem(boxes.sheet.hwnd(), cell_id);
      HWND text = GetDlgItem(texts.sheet.hwnd(), cell_id);
      ASSERT_TRUE(box && text);
      EXPECT_EQ(ClassOf(text), L"Static");
      EXPECT_EQ(PixelsOf(text), PixelsOf(box));
    }
  }
  EXPECT_EQ(texts.sheet.Value(0), L"Microsoft Windows XP, Version 5.1.2600, 32 Bit.");
  EXPECT_EQ(texts.sheet.Value(2), L"written late");
  wchar_t read[64] = L"";
  GetWindowTextW(GetDlgItem(texts.sheet.hwnd(), kIdBox), read, 64);
  EXPECT_STREQ(read, L"written late");
}

}  // namespace
}  // namespace corvane::ui
