#include "DialogUser.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

namespace korvane::platform::win32::test {

namespace {

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    children.push_back(w);
  }
  return children;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// The thread's visible dialogs, latest first (a box before the dialog it sits on).
std::vector<HWND> OpenDialogs(DWORD thread) {
  std::vector<HWND> found;
  EnumThreadWindows(
      thread,
      [](HWND window, LPARAM param) -> BOOL {
        if (IsWindowVisible(window) && ClassOf(window) == L"#32770") {
          reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// The captions of the statics and buttons for which `faulty(dc, control, text)` holds, the
// dc drawing in the control's font.
template <typename Faulty>
Texts CaptionsWhere(HWND dialog, Faulty faulty) {
  Texts found;
  const HDC dc = GetDC(dialog);
  for (const HWND child : Children(dialog)) {
    if (ClassOf(child) != L"Button" && ClassOf(child) != L"Static") continue;
    const std::wstring text = TextOf(child);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(Query(child, WM_GETFONT)));
    if (faulty(dc, child, text)) found.push_back(text);
    SelectObject(dc, old);
  }
  ReleaseDC(dialog, dc);
  return found;
}

bool IsCut(HDC dc, HWND control, const std::wstring& text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  RECT room{};
  GetClientRect(control, &room);
  const int margin = ClassOf(control) == L"Button" ? 8 : 0;  // the edges and focus frame
  return size.cx + margin > room.right || size.cy > room.bottom;
}

bool LacksGlyphs(HDC dc, HWND, const std::wstring& text) {
  std::vector<WORD> glyphs(text.size());
  GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                   GGI_MARK_NONEXISTING_GLYPHS);
  return std::find(glyphs.begin(), glyphs.end(), 0xFFFF) != glyphs.end();
}

}  // namespace

DialogUser::DialogUser(HWND owner, const std::wstring& caption,
                       std::function<void(HWND dialog)> script)
    : dialogThread_(GetCurrentThreadId()), thread_([=, script = std::move(script)] {
        if (const HWND dialog = WaitForOwned(owner, caption)) {
          script(dialog);
        } else {
          ADD_FAILURE() << "no dialog " << testing::PrintToString(caption);
        }
        WaitUntil([this] {
          const std::vector<HWND> open = OpenDialogs(dialogThread_);
          if (!open.empty()) PostMessageW(open.front(), WM_CLOSE, 0, 0);
          return open.empty();
        });
      }) {}

bool WaitUntil(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    Sleep(5);
  }
  return true;
}

HWND WaitForOwned(HWND owner, const std::wstring& caption) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND w = FindWindowExW(nullptr, nullptr, nullptr, caption.c_str()); w;
         w = FindWindowExW(nullptr, w, nullptr, caption.c_str())) {
      if (GetWindow(w, GW_OWNER) == owner && IsWindowVisible(w)) found = w;
    }
    return found != nullptr;
  });
  return found;
}

LRESULT Query(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 2000, &answer);
  return static_cast<LRESULT>(answer);
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(Query(window, WM_GETTEXTLENGTH)) + 1, L'\0');
  const LRESULT length = Query(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(length));
  return text;
}

Texts ChildTexts(HWND dialog) {
  Texts texts;
  for (const HWND child : Children(dialog)) texts.push_back(TextOf(child));
  return texts;
}

Texts ListTexts(HWND list) {
  Texts texts;
  for (int i = 0; i < static_cast<int>(Query(list, LB_GETCOUNT)); ++i) {
    std::wstring text(static_cast<size_t>(Query(list, LB_GETTEXTLEN, i)) + 1, L'\0');
    const LRESULT length = Query(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    texts.push_back(text);
  }
  return texts;
}

HWND FocusOf(HWND dialog) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
  return info.hwndFocus;
}

Texts CutCaptions(HWND parent) { return CaptionsWhere(parent, IsCut); }

void Type(HWND edit, const std::wstring& text) {
  for (const wchar_t c : text) Query(edit, WM_CHAR, c, 1);
}

void PressKey(HWND focus, WPARAM key) {
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(key), 0)) << 16;
  PostMessageW(focus, WM_KEYDOWN, key, 1 | scan);
  PostMessageW(focus, WM_KEYUP, key, 1 | scan | (LPARAM{3} << 30));
}

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void ClickItem(HWND list, int index) {
  RECT item{};
  Query(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
}

void DialogsFixture::SetUpTestSuite() {
  app_ = new Win32Application;
  app_->SetTitle("Korvane");  // the error box's caption
  pings_ = new Pings;
  window_ = app_->CreateMainWindow(*pings_, "Korvane").release();
  window_->SetBounds(20, 20, 200, 100);
  window_->Show();
}

void DialogsFixture::TearDownTestSuite() {
  delete window_;
  delete pings_;
  delete app_;
}

void DialogsFixture::ExpectModalOverTheOwner(HWND dialog) {
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), Owner());
  EXPECT_FALSE(IsWindowEnabled(Owner()));
  const LONG style = GetWindowLongW(dialog, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | DS_MODALFRAME | WS_SYSMENU), WS_CAPTION | DS_MODALFRAME);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT rect{};
  GetWindowRect(dialog, &rect);
  const RECT& work = monitor.rcWork;
  EXPECT_LE(std::abs(rect.left + rect.right - work.left - work.right), 2);
  EXPECT_LE(std::abs(rect.top + rect.bottom - work.top - work.bottom), 2);
  EXPECT_EQ(CaptionsWhere(dialog, IsCut), Texts{});
  EXPECT_EQ(CaptionsWhere(dialog, LacksGlyphs), Texts{});

  const int before = pings_->count;
  PostMessageW(Owner(), Pings::kPing, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return pings_->count > before; }));
}

}  // namespace korvane::platform::win32::test
