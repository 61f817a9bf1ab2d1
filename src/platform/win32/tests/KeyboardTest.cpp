// One tab order for the memory panels and the option buttons, and the keys that walk it.
#include "ControlsFixture.h"

#include <cstring>
#include <initializer_list>
#include <vector>

namespace korvane::platform::win32 {
namespace {

using namespace test;
using KeyboardTest = ControlsFixture;
using Windows = std::vector<HWND>;

// The children in window order, the order dialog navigation walks.
Windows WindowOrder(HWND parent) {
  Windows children;
  for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    children.push_back(w);
  }
  return children;
}

// Keys pressed one after another, each delivered as the message loop does, to the window
// with the focus; where the focus is after each.
Windows Walk(std::initializer_list<WPARAM> keys) {
  Windows focus;
  for (const WPARAM key : keys) {
    SendMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    focus.push_back(GetFocus());
  }
  return focus;
}

// A modifier key down, for this thread, while the object lives.
class Held {
 public:
  explicit Held(int key) {
    GetKeyboardState(saved_);
    BYTE state[256];
    std::memcpy(state, saved_, sizeof state);
    state[key] |= 0x80;
    SetKeyboardState(state);
  }
  ~Held() { SetKeyboardState(saved_); }

 private:
  BYTE saved_[256];
};

TEST_F(KeyboardTest, PanelsAndImageButtonsShareOneTabOrder) {
  EventLog log;
  auto panelA = MakePanel(log, 40);
  auto toggle = MakeToggle(log, 40);  // never given a place
  auto copy = MakeImageButton(log, 5);
  auto panelB = MakePanel(log, 65);
  auto paste = MakeImageButton(log, 31);
  const HWND a = HwndOf(*panelA), b = HwndOf(*panelB), c = HwndOf(*copy), p = HwndOf(*paste),
             t = HwndOf(*toggle);
  paste->SetTabOrder(0);
  panelA->SetTabOrder(1);
  copy->SetTabOrder(2);
  panelB->SetTabOrder(3);
  EXPECT_EQ(WindowOrder(MainHwnd()), (Windows{p, a, c, b, t}));

  // Numbered afresh one by one, as the program does after a change: at each step the
  // latest placed goes first among equal numbers.
  panelB->SetTabOrder(0);
  EXPECT_EQ(WindowOrder(MainHwnd()), (Windows{b, p, a, c, t}));
  copy->SetTabOrder(1);
  paste->SetTabOrder(2);
  panelA->SetTabOrder(3);
  EXPECT_EQ(WindowOrder(MainHwnd()), (Windows{b, c, p, a, t}));

  // A control made since, with no place yet, comes after all that have one.
  auto cut = MakeImageButton(log, 57);
  panelA->SetTabOrder(3);
  EXPECT_EQ(WindowOrder(MainHwnd()), (Windows{b, c, p, a, t, HwndOf(*cut)}));
}

TEST_F(KeyboardTest, TabWalksTheTabStopsAndTheArrowsEveryControl) {
  EventLog log;
  auto copy = MakeImageButton(log, 5);     // a tab stop, as a push button is
  auto paste = MakeImageButton(log, 31);   // not a tab stop
  auto hidden = MakeImageButton(log, 57);  // not shown
  auto panelA = MakePanel(log, 40);        // a tab stop
  auto toggle = MakeToggle(log, 40);       // never focused
  auto panelB = MakePanel(log, 65);        // not a tab stop
  auto panelC = MakePanel(log, 90);        // a tab stop
  paste->SetTabStop(false);
  hidden->SetVisible(false);
  panelA->SetTabStop(true);
  panelC->SetTabStop(true);
  int n = 0;
  for (ImageButton* button : {copy.get(), paste.get(), hidden.get()}) button->SetTabOrder(n++);
  for (Panel* panel : {panelA.get(), panelB.get(), panelC.get()}) panel->SetTabOrder(n++);
  const HWND c = HwndOf(*copy), p = HwndOf(*paste), a = HwndOf(*panelA), b = HwndOf(*panelB),
             z = HwndOf(*panelC), main = MainHwnd();

  SetFocus(main);  // from the window itself Tab enters at the first tab stop
  EXPECT_EQ(Walk({VK_TAB, VK_TAB, VK_TAB, VK_TAB}), (Windows{c, a, z, c}));
  {
    Held shift(VK_SHIFT);
    EXPECT_EQ(Walk({VK_TAB, VK_TAB}), (Windows{z, a}));
  }
  {
    Held control(VK_CONTROL);
    EXPECT_EQ(Walk({VK_TAB}), (Windows{a}));
  }
  {
    Held alt(VK_MENU);
    EXPECT_EQ(Walk({VK_TAB, VK_RIGHT}), (Windows{a, a}));
  }
  // The arrows stop at every control the focus can go to, tab stop or not, and wrap.
  EXPECT_EQ(Walk({VK_RIGHT, VK_DOWN, VK_RIGHT, VK_DOWN, VK_LEFT, VK_UP}),
            (Windows{b, z, c, p, c, z}));

  // With the window itself focused the arrows are the program's.
  SetFocus(main);
  EXPECT_EQ(Walk({VK_RIGHT}), (Windows{main}));
  Held shift(VK_SHIFT);
  EXPECT_EQ(Walk({VK_TAB}), (Windows{z}));
}

}  // namespace
}  // namespace korvane::platform::win32
