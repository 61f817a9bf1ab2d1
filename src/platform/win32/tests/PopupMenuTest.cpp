// The popup menu as the system shows it, and the context menu request of a right click.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/Text.h"
#include "platform/win32/Win32Application.h"
#include "platform/win32/tests/ControlsFixture.h"

namespace korvane::platform::win32::test {
namespace {

// What the open menu shows, one line per item: text, then [x] checked, (o) radio, > submenu.
std::vector<std::wstring> Describe(HMENU menu) {
  std::vector<std::wstring> lines;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[128] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_ID | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = 128;
    GetMenuItemInfoW(menu, i, TRUE, &info);
    if (info.fType & MFT_SEPARATOR) {
      lines.push_back(L"-");
      continue;
    }
    std::wstring line = text;
    if (info.fState & MFS_CHECKED) line += L" [x]";
    if (info.fType & MFT_RADIOCHECK) line += L" (o)";
    if (info.hSubMenu) line += L" >" + std::to_wstring(GetMenuItemCount(info.hSubMenu));
    line += L" #" + std::to_wstring(info.wID);
    lines.push_back(line);
  }
  return lines;
}

// Runs inside the menu's own loop: looks at the open menu, then presses keys in it.
struct MenuVisit {
  std::vector<std::wstring> seen;
  RECT where{};
  std::vector<WPARAM> keys;  // what to press once the menu is seen; Esc when empty
  HWND owner = nullptr;
};
MenuVisit* visit = nullptr;

void CALLBACK LookAtMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND popup = FindWindowW(L"#32768", nullptr);
  if (!popup || !IsWindowVisible(popup)) return;
  KillTimer(nullptr, timer);
  const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
  visit->seen = Describe(menu);
  GetWindowRect(popup, &visit->where);
  if (visit->keys.empty()) visit->keys.push_back(VK_ESCAPE);
  for (WPARAM key : visit->keys) PostMessageW(visit->owner, WM_KEYDOWN, key, 0);
}

class PopupMenuTest : public ControlsFixture {
 protected:
  std::uint32_t Open(MenuVisit& v, const std::vector<MenuItem>& items, Point at) {
    v.owner = MainHwnd();
    visit = &v;
    // An item under the mouse would be selected already, and the keys would start from it.
    SetCursorPos(at.X + 400, at.Y + 400);
    SetTimer(nullptr, 0, 20, LookAtMenu);
    const std::uint32_t chosen = window_->TrackPopupMenu(items, at);
    visit = nullptr;
    return chosen;
  }
  static MenuItem Item(const std::wstring& caption, std::uint32_t command, bool checked = false) {
    MenuItem item;
    item.caption = FromWide(caption);
    item.command = command;
    item.checked = checked;
    return item;
  }
};

TEST_F(PopupMenuTest, ShowsCaptionsChecksRadioItemsAndSubmenusAtThePosition) {
  MenuItem groups = Item(L"メモリグループ", 0);
  MenuItem first = Item(L"デフォルト", 1000, true);
  first.radio = true;
  MenuItem second = Item(L"A&B", 1001);
  second.radio = true;
  groups.submenu = {first, second};
  MenuItem separator;
  separator.caption = MenuItem::kSeparator;
  MenuVisit v;
  const std::uint32_t chosen =
      Open(v, {groups, separator, Item(L"常に前面に表示", 5, true), Item(L"プログラムの終了", 8)},
           Point{120, 130});
  EXPECT_EQ(chosen, 0u);  // dismissed
  EXPECT_EQ(v.seen, (std::vector<std::wstring>{L"メモリグループ >2 #0", L"-",
                                               L"常に前面に表示 [x] #5", L"プログラムの終了 #8"}));
  EXPECT_EQ(v.where.left, 120);
  EXPECT_EQ(v.where.top, 130);
}

TEST_F(PopupMenuTest, ReturnsTheChosenItemsCommand) {
  MenuItem separator;
  separator.caption = MenuItem::kSeparator;
  MenuVisit v;
  // Down moves over the separator to the second item.
  v.keys = {VK_DOWN, VK_DOWN, VK_RETURN};
  EXPECT_EQ(Open(v, {Item(L"設定", 6), separator, Item(L"ヘルプ", 7)}, Point{60, 60}), 7u);
  // The same menu again: nothing of the first run is left over.
  v.keys = {VK_DOWN, VK_RETURN};
  EXPECT_EQ(Open(v, {Item(L"設定", 6), separator, Item(L"ヘルプ", 7)}, Point{60, 60}), 6u);
}

TEST_F(PopupMenuTest, AmpersandsInCaptionsAreShownAsTheyAre) {
  MenuVisit v;
  Open(v, {Item(L"A&B", 1), Item(L"&&", 2)}, Point{40, 40});
  // Doubled for the menu, so that none becomes a mnemonic mark.
  EXPECT_EQ(v.seen, (std::vector<std::wstring>{L"A&&B #1", L"&&&& #2"}));
}

class ContextRequests : public MainWindowEvents {
 public:
  std::vector<LParam> requests;
  bool WindowMessage(std::uint32_t message, WParam, LParam lParam, LResult& result) override {
    if (message != WM_CONTEXTMENU) return false;
    requests.push_back(lParam);
    result = 0;
    return true;
  }
  void WindowPaint(Canvas&) override {}
  void WindowShown() override {}
  void MouseHintChanged() override {}
};

TEST(ContextMenuRequest, ARightClickOnAPanelReachesTheMainWindow) {
  Win32Application app;
  ContextRequests requests;
  auto window = app.CreateMainWindow(requests, "Korvane");
  window->SetBounds(200, 200, 200, 100);
  EventLog log;
  auto panel = window->CreatePanel(log);
  panel->SetBounds(10, 10, 130, 20);
  panel->SetVisible(true);
  const HWND panelHwnd = HwndOf(*panel);
  SendMessageW(panelHwnd, WM_RBUTTONDOWN, MK_RBUTTON, At(5, 6));
  SendMessageW(panelHwnd, WM_RBUTTONUP, 0, At(5, 6));
  ASSERT_EQ(requests.requests.size(), 1u);
  // The panel still hears its own buttons.
  EXPECT_EQ(log.seen, (Events{"down R 5,6", "up R 5,6"}));
  // The main window itself asks for it too.
  SendMessageW(reinterpret_cast<HWND>(window->Handle()), WM_RBUTTONUP, 0, At(50, 60));
  EXPECT_EQ(requests.requests.size(), 2u);
}

}  // namespace
}  // namespace korvane::platform::win32::test
