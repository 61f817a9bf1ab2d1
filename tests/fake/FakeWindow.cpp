#include "fake/FakeWindow.h"

#include <algorithm>
#include <exception>

namespace korvane::fake {

using platform::Bevel;
using platform::MouseButton;

void FakeCanvas::FillRect(const platform::Rect& r) {
  ops_.push_back(CanvasOp{"fill", r.Left, r.Top, r.Right, r.Bottom, pen_, brush_, ""});
}

void FakeCanvas::MoveTo(int x, int y) {
  x_ = x;
  y_ = y;
}

void FakeCanvas::LineTo(int x, int y) {
  ops_.push_back(CanvasOp{"line", x_, y_, x, y, pen_, brush_, ""});
  x_ = x;
  y_ = y;
}

void FakeCanvas::Rectangle(int left, int top, int right, int bottom) {
  ops_.push_back(CanvasOp{"rect", left, top, right, bottom, pen_, brush_, ""});
}

void FakeCanvas::TextOut(int x, int y, const std::string& text) {
  ops_.push_back(CanvasOp{"text", x, y, 0, 0, pen_, brush_, text});
}

FakePanel::FakePanel(FakeMainWindow& window, platform::PanelEvents& events)
    : window_(window), events_(events) {
  window_.Panels.push_back(this);
}

FakePanel::~FakePanel() {
  // A control being destroyed reports nothing more, its focus loss included.
  *alive_ = false;
  if (window_.FocusedPanel == this) window_.FocusedPanel = nullptr;
  auto& panels = window_.Panels;
  panels.erase(std::remove(panels.begin(), panels.end(), this), panels.end());
}

void FakePanel::SetBounds(int left, int top, int width, int height) {
  Bounds = platform::BoundsOf(left, top, width, height);
}

void FakePanel::SetBevels(Bevel outer, Bevel inner) {
  Outer = outer;
  Inner = inner;
}

bool FakePanel::Focused() const { return window_.FocusedPanel == this; }

void FakePanel::Focus() {
  if (window_.FocusedPanel == this) return;
  std::shared_ptr<bool> alive = alive_;
  if (FakePanel* old = window_.FocusedPanel) {
    window_.FocusedPanel = nullptr;
    window_.Dispatch([&] { old->events_.PanelExit(); });
  }
  if (!*alive) return;
  window_.FocusedPanel = this;
  window_.Dispatch([&] { events_.PanelEnter(); });
}

void FakePanel::Press(int x, int y, MouseButton button) {
  std::shared_ptr<bool> alive = alive_;
  if (button == MouseButton::Left && TabStop) Focus();
  if (*alive) window_.Dispatch([&] { events_.PanelMouseDown(button, x, y); });
}

void FakePanel::Release(int x, int y, MouseButton button) {
  window_.Dispatch([&] { events_.PanelMouseUp(button, x, y); });
}

void FakePanel::Click(int x, int y) {
  std::shared_ptr<bool> alive = alive_;
  Press(x, y);
  if (*alive) Release(x, y);
}

void FakePanel::DoubleClick(int x, int y) {
  // The system's order: press, release, double-click, press, release.
  std::shared_ptr<bool> alive = alive_;
  Click(x, y);
  if (!*alive) return;
  window_.Dispatch([&] { events_.PanelDblClick(); });
  if (!*alive) return;
  window_.Dispatch([&] { events_.PanelMouseDown(MouseButton::Left, x, y); });
  if (*alive) Release(x, y);
}

FakeToggleButton::FakeToggleButton(FakeMainWindow& window, platform::ToggleButtonEvents& events)
    : window_(window), events_(events) {
  window_.ToggleButtons.push_back(this);
}

FakeToggleButton::~FakeToggleButton() {
  *alive_ = false;
  auto& buttons = window_.ToggleButtons;
  buttons.erase(std::remove(buttons.begin(), buttons.end(), this), buttons.end());
}

void FakeToggleButton::SetBounds(int left, int top, int width, int height) {
  Bounds = platform::BoundsOf(left, top, width, height);
}

void FakeToggleButton::Click() {
  IsDown = !IsDown;
  window_.Dispatch([&] { events_.ToggleButtonClick(); });
}

FakeImageButton::FakeImageButton(FakeMainWindow& window, platform::ImageButtonEvents& events)
    : window_(window), events_(events) {
  window_.ImageButtons.push_back(this);
}

FakeImageButton::~FakeImageButton() {
  auto& buttons = window_.ImageButtons;
  buttons.erase(std::remove(buttons.begin(), buttons.end(), this), buttons.end());
}

void FakeImageButton::Click() {
  window_.Dispatch([&] { events_.ImageButtonClick(); });
}

void FakeImageButton::SetBounds(int left, int top, int width, int height) {
  Bounds = platform::BoundsOf(left, top, width, height);
}

FakeMainWindow::FakeMainWindow(FakeDesktop& desktop, platform::MainWindowEvents& events,
                               WindowHandle owner, std::string caption)
    : Caption(std::move(caption)), desktop_(desktop), events_(events) {
  handle_ = desktop.AddWindow(Caption, false, [this](std::uint32_t m, WParam w, LParam l) {
    return Deliver(m, w, l);
  }, owner);
}

FakeMainWindow::~FakeMainWindow() { desktop_.RemoveWindow(handle_); }

LResult FakeMainWindow::Deliver(std::uint32_t message, WParam wParam, LParam lParam) {
  LResult result = 0;
  try {
    Dispatch([&] { LastDefaulted = !events_.WindowMessage(message, wParam, lParam, result); });
  } catch (const std::exception& error) {
    if (ErrorsTo) ErrorsTo->push_back(error.what());
    LastDefaulted = false;
    return 0;
  }
  if (LastDefaulted) result = 0;
  return result;
}

bool FakeMainWindow::FireTimer(std::uintptr_t id) {
  constexpr std::uint32_t kTimer = 0x0113;
  if (Timers.count(id) == 0) return false;
  Deliver(kTimer, id, 0);
  return true;
}

void FakeMainWindow::SetBounds(int left, int top, int width, int height) {
  Bounds = platform::BoundsOf(left, top, width, height);
}

void FakeMainWindow::Show() {
  if (Visible) return;
  Visible = true;
  desktop_.SetVisible(handle_, true);
  events_.WindowShown();
}

void FakeMainWindow::Refresh() {
  ++Refreshes;
  LastPaint.clear();
  FakeCanvas canvas(LastPaint);
  events_.WindowPaint(canvas);
}

std::unique_ptr<platform::Canvas> FakeMainWindow::GetCanvas() {
  return std::make_unique<FakeCanvas>(Drawn);
}

std::uint32_t FakeMainWindow::TrackPopupMenu(const std::vector<platform::MenuItem>& items,
                                             platform::Point at) {
  LastMenu = items;
  LastMenuAt = at;
  ++MenusOpened;
  if (WhileMenuOpen) WhileMenuOpen();
  const std::uint32_t chosen = MenuChoice;
  MenuChoice = 0;
  return chosen;
}

std::unique_ptr<platform::Panel> FakeMainWindow::CreatePanel(platform::PanelEvents& events) {
  return std::make_unique<FakePanel>(*this, events);
}

std::unique_ptr<platform::ToggleButton> FakeMainWindow::CreateToggleButton(
    platform::ToggleButtonEvents& events) {
  return std::make_unique<FakeToggleButton>(*this, events);
}

}  // namespace korvane::fake

namespace korvane::fake {

std::unique_ptr<platform::ImageButton> FakeMainWindow::CreateImageButton(
    platform::ImageButtonEvents& events) {
  return std::make_unique<FakeImageButton>(*this, events);
}

}  // namespace korvane::fake
