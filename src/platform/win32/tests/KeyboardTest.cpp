// One tab order for the memory panels and the option buttons, and the keys that walk it.
#include "ControlsFixture.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include "TestSupport.h"

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

// The window order each numbering must give: all numbered controls by number, the latest
// numbered first among equals, then the others as they were; worked out afresh each time.
class OrderModel {
 public:
  explicit OrderModel(Windows order) : order_(std::move(order)) {}
  void Number(HWND window, int number) {
    numbers_[window] = number + 1;
    std::stable_sort(order_.begin(), order_.end(), [&](HWND a, HWND b) {
      const int na = numbers_[a], nb = numbers_[b];
      if ((na == 0) != (nb == 0)) return nb == 0;
      if (na != nb) return na < nb;
      return a == window && b != window;
    });
  }
  const Windows& Order() const { return order_; }

 private:
  Windows order_;
  std::map<HWND, int> numbers_;
};

TEST_F(KeyboardTest, AnyRenumberingGivesTheOrderOfAFullSort) {
  EventLog log;
  std::vector<std::unique_ptr<Panel>> panels;
  std::vector<std::unique_ptr<ImageButton>> buttons;
  std::vector<std::unique_ptr<ToggleButton>> toggles;  // never numbered
  for (int i = 0; i < 4; ++i) buttons.push_back(MakeImageButton(log, 5 + 26 * i));
  for (int i = 0; i < 8; ++i) {
    panels.push_back(MakePanel(log, 40 + 25 * i));
    toggles.push_back(MakeToggle(log, 40 + 25 * i));
  }
  auto numberOf = [&](size_t control, int number) {
    if (control < buttons.size()) {
      buttons[control]->SetTabOrder(number);
      return HwndOf(*buttons[control]);
    }
    panels[control - buttons.size()]->SetTabOrder(number);
    return HwndOf(*panels[control - buttons.size()]);
  };
  const size_t numbered = buttons.size() + panels.size();
  OrderModel model(WindowOrder(MainHwnd()));

  // Small numbers, so that equal ones are common.
  std::mt19937 random(2024);
  for (int step = 0; step < 400; ++step) {
    const size_t control = random() % numbered;
    const int number = static_cast<int>(random() % 10);
    model.Number(numberOf(control, number), number);
    ASSERT_EQ(WindowOrder(MainHwnd()), model.Order()) << "step " << step;
  }

  // As after each copy: all numbered afresh from 0 in their order, which shifts every
  // number by one when a memory went. The order holds, and no window is moved for it.
  auto numberedOrder = [&] {
    Windows all = WindowOrder(MainHwnd());
    all.resize(numbered);
    return all;
  };
  const Windows order = numberedOrder();
  auto numberAll = [&](int first) {
    for (size_t i = 0; i < order.size(); ++i) {
      for (size_t c = 0; c < numbered; ++c) {
        const HWND w =
            c < buttons.size() ? HwndOf(*buttons[c]) : HwndOf(*panels[c - buttons.size()]);
        if (w == order[i]) numberOf(c, first + static_cast<int>(i));
      }
    }
  };
  numberAll(0);
  ASSERT_EQ(numberedOrder(), order);
  std::vector<std::unique_ptr<MessageWatch>> watches;
  for (const HWND w : WindowOrder(MainHwnd())) {
    watches.push_back(std::make_unique<MessageWatch>(w));
  }
  numberAll(1);
  numberAll(1);
  numberAll(0);
  int moves = 0;
  for (const auto& watch : watches) moves += watch->positions;
  EXPECT_EQ(moves, 0);
  EXPECT_EQ(numberedOrder(), order);
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
