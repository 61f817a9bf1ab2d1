#include "DialogUser.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

namespace korvane::platform::win32::test {

namespace {

constexpr auto kPatience = std::chrono::seconds(5);

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

bool ShowsCaption(HWND control) {
  const std::wstring kind = ClassOf(control);
  return _wcsicmp(kind.c_str(), L"Button") == 0 || _wcsicmp(kind.c_str(), L"Static") == 0;
}

// The thread's visible dialog-class windows, latest first (a box before the dialog it sits on).
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

DialogUser::~DialogUser() { thread_.join(); }

bool WaitUntil(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
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

HWND WaitForOwned(HWND owner) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (const HWND w : OpenDialogs(GetWindowThreadProcessId(owner, nullptr))) {
      if (GetWindow(w, GW_OWNER) == owner) found = w;
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
  text.resize(static_cast<size_t>(
      Query(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

std::vector<std::wstring> ChildTexts(HWND dialog) {
  std::vector<std::wstring> texts;
  for (const HWND child : Children(dialog)) texts.push_back(TextOf(child));
  return texts;
}

std::vector<std::wstring> ListTexts(HWND list) {
  std::vector<std::wstring> texts;
  const int count = static_cast<int>(Query(list, LB_GETCOUNT));
  for (int i = 0; i < count; ++i) {
    std::wstring text(static_cast<size_t>(Query(list, LB_GETTEXTLEN, i)) + 1, L'\0');
    const LRESULT length = Query(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    texts.push_back(text);
  }
  return texts;
}

std::vector<std::wstring> ButtonTexts(HWND dialog) {
  std::vector<std::wstring> texts;
  for (const HWND child : Children(dialog)) {
    if (ClassOf(child) == L"Button" && IsWindowVisible(child)) texts.push_back(TextOf(child));
  }
  return texts;
}

int ListSelection(HWND list) { return static_cast<int>(Query(list, LB_GETCURSEL)); }

HWND FocusOf(HWND dialog) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
  return info.hwndFocus;
}

namespace {

// The captions of the statics and buttons for which `faulty(dc, control, text)` holds, the
// dc drawing in the control's font.
template <typename Faulty>
std::vector<std::wstring> CaptionsWhere(HWND dialog, Faulty faulty) {
  std::vector<std::wstring> found;
  const HDC dc = GetDC(dialog);
  for (const HWND child : Children(dialog)) {
    if (!ShowsCaption(child)) continue;
    const std::wstring text = TextOf(child);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(Query(child, WM_GETFONT)));
    if (faulty(dc, child, text)) found.push_back(text);
    SelectObject(dc, old);
  }
  ReleaseDC(dialog, dc);
  return found;
}

// The captions that their controls cut.
std::vector<std::wstring> CutCaptions(HWND dialog) {
  return CaptionsWhere(dialog, [](HDC dc, HWND control, const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    RECT room{};
    GetClientRect(control, &room);
    // A button draws its caption inside its edges and the focus frame.
    const int margin = ClassOf(control) == L"Button" ? 8 : 0;
    return size.cx + margin > room.right || size.cy > room.bottom;
  });
}

// The captions whose font lacks one of their characters.
std::vector<std::wstring> CaptionsWithoutGlyphs(HWND dialog) {
  return CaptionsWhere(dialog, [](HDC dc, HWND, const std::wstring& text) {
    std::vector<WORD> glyphs(text.size());
    GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                     GGI_MARK_NONEXISTING_GLYPHS);
    return std::find(glyphs.begin(), glyphs.end(), 0xFFFF) != glyphs.end();
  });
}

// How far the window's centre lies from the centre of its monitor's work area, in pixels.
POINT OffCentre(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT rect{};
  GetWindowRect(window, &rect);
  const RECT& work = monitor.rcWork;
  return POINT{(rect.left + rect.right) / 2 - (work.left + work.right) / 2,
               (rect.top + rect.bottom) / 2 - (work.top + work.bottom) / 2};
}

}  // namespace

void Type(HWND edit, const std::wstring& text) {
  for (const wchar_t c : text) Query(edit, WM_CHAR, c, 1);
}

void PressKey(HWND focus, WPARAM key) {
  const UINT scan = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
  PostMessageW(focus, WM_KEYDOWN, key, 1 | (scan << 16));
  PostMessageW(focus, WM_KEYUP, key, 1 | (scan << 16) | (3u << 30));
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
  window_ = app_->CreateMainWindow(events_, "Korvane").release();
  window_->SetBounds(20, 20, 200, 100);
  window_->Show();
}

void DialogsFixture::ExpectModalOverTheOwner(HWND dialog) {
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), Owner());
  EXPECT_FALSE(IsWindowEnabled(Owner()));
  const LONG style = GetWindowLongW(dialog, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | DS_MODALFRAME | WS_SYSMENU), WS_CAPTION | DS_MODALFRAME);
  const POINT off = OffCentre(dialog);
  EXPECT_LE(std::abs(off.x), 1);
  EXPECT_LE(std::abs(off.y), 1);
  EXPECT_EQ(CutCaptions(dialog), std::vector<std::wstring>{});
  EXPECT_EQ(CaptionsWithoutGlyphs(dialog), std::vector<std::wstring>{});

  const int before = Pings();
  PostMessageW(Owner(), kPing, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return Pings() > before; }));
}

void DialogsFixture::TearDownTestSuite() {
  delete window_;
  delete app_;
}

}  // namespace korvane::platform::win32::test
