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
    : window_(window), events_(&events) {
  window_.Panels.push_back(this);
  ++window_.ControlsMade;
}

FakePanel::~FakePanel() {
  // A control being destroyed reports nothing more, its focus loss included.
  *alive_ = false;
  if (window_.FocusedPanel == this) window_.FocusedPanel = nullptr;
  if (window_.RestoredFocus == this) window_.RestoredFocus = nullptr;
  if (window_.hintArea_ == this) window_.hintArea_ = nullptr;
  auto& panels = window_.Panels;
  panels.erase(std::remove(panels.begin(), panels.end(), this), panels.end());
}

void FakePanel::SetBounds(int left, int top, int width, int height) {
  const platform::Rect bounds = platform::BoundsOf(left, top, width, height);
  if (bounds == Bounds) return;
  Bounds = bounds;
  ++window_.ControlMoves;
}

void FakePanel::SetEvents(platform::PanelEvents& events) {
  events_ = &events;
  // No control is at this address: the next look finds the mouse in another area.
  static const char renewed = 0;
  if (window_.hintArea_ == this) window_.hintArea_ = &renewed;
}

void FakePanel::PassRestoredFocus(platform::Panel* to) {
  if (window_.RestoredFocus == this) window_.RestoredFocus = static_cast<FakePanel*>(to);
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
    window_.Dispatch([&] { old->events_->PanelExit(); });
  }
  if (!*alive) return;
  window_.FocusedPanel = this;
  window_.Dispatch([&] { events_->PanelEnter(); });
}

void FakePanel::Press(int x, int y, MouseButton button) {
  std::shared_ptr<bool> alive = alive_;
  if (*alive) window_.Dispatch([&] { events_->PanelMouseDown(button, x, y); });
}

void FakePanel::Release(int x, int y, MouseButton button) {
  window_.Dispatch([&] { events_->PanelMouseUp(button, x, y); });
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
  window_.Dispatch([&] { events_->PanelDblClick(); });
  if (!*alive) return;
  window_.Dispatch([&] { events_->PanelMouseDown(MouseButton::Left, x, y); });
  if (*alive) Release(x, y);
}

FakeToggleButton::FakeToggleButton(FakeMainWindow& window, platform::ToggleButtonEvents& events)
    : window_(window), events_(&events) {
  window_.ToggleButtons.push_back(this);
  ++window_.ControlsMade;
}

FakeToggleButton::~FakeToggleButton() {
  *alive_ = false;
  auto& buttons = window_.ToggleButtons;
  buttons.erase(std::remove(buttons.begin(), buttons.end(), this), buttons.end());
}

void FakeToggleButton::SetBounds(int left, int top, int width, int height) {
  const platform::Rect bounds = platform::BoundsOf(left, top, width, height);
  if (bounds == Bounds) return;
  Bounds = bounds;
  ++window_.ControlMoves;
}

void FakeToggleButton::Click() {
  IsDown = !IsDown;
  window_.Dispatch([&] { events_->ToggleButtonClick(); });
}

FakeImageButton::FakeImageButton(FakeMainWindow& window, platform::ImageButtonEvents& events)
    : window_(window), events_(events) {
  window_.ImageButtons.push_back(this);
}

FakeImageButton::~FakeImageButton() {
  if (window_.hintArea_ == this) window_.hintArea_ = nullptr;
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

FakePreview::FakePreview(FakeMainWindow& window, const std::string& text,
                         const platform::UnicodeText& exact, int boxWidth, int maxHeight)
    : Text(text), Exact(exact), BoxWidth(boxWidth), MaxHeight(maxHeight), window_(window) {
  constexpr int kByteWidth = 6;
  constexpr int kLineHeight = 12;
  int lines = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::size_t bytes = end - start;
    if (bytes > 0 && text[end - 1] == '\r') --bytes;
    const int width = static_cast<int>(bytes) * kByteWidth;
    const int wraps = boxWidth > 0 ? std::max(1, (width + boxWidth - 1) / boxWidth) : 1;
    lines += wraps;
    Extent.Width = std::max(Extent.Width, std::min(width, boxWidth));
    start = end + 1;
  }
  Extent.Height = std::min(lines * kLineHeight, maxHeight);
  window_.Previews.push_back(this);
  ++window_.PreviewsMade;
}

FakePreview::~FakePreview() {
  auto& previews = window_.Previews;
  previews.erase(std::remove(previews.begin(), previews.end(), this), previews.end());
}

void FakePreview::ShowAt(const platform::Rect& bounds) {
  Bounds = bounds;
  Visible = true;
}

std::unique_ptr<platform::PreviewWindow> FakeMainWindow::CreatePreview(
    const std::string& text, const platform::UnicodeText& exact, int boxWidth, int maxHeight) {
  return std::make_unique<FakePreview>(*this, text, exact, boxWidth, maxHeight);
}

void FakeMainWindow::MoveMouse(int x, int y) {
  desktop_.Cursor = platform::Point{x, y};
  const platform::Point client{x - Bounds.Left, y - Bounds.Top};
  const void* area = nullptr;
  if (Visible && Bounds.Contains(platform::Point{x, y})) {
    for (FakePanel* panel : Panels) {
      if (panel->Visible && !panel->Hint.empty() && panel->Bounds.Contains(client)) area = panel;
    }
    for (FakeImageButton* button : ImageButtons) {
      if (button->Visible && !button->Hint.empty() && button->Bounds.Contains(client)) {
        area = button;
      }
    }
  }
  if (area == hintArea_) return;
  hintArea_ = area;
  Dispatch([&] { events_.MouseHintChanged(); });
}

}  // namespace korvane::fake
