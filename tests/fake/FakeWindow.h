// The main window and its controls in memory. Tests drive them as a user would (press,
// release, double-click, focus, toggle) and read what the user would see.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fake/FakeDesktop.h"
#include "platform/MainWindow.h"

namespace korvane::fake {

struct CanvasOp {
  std::string kind;  // "fill", "line", "rect", "text"
  int a = 0, b = 0, c = 0, d = 0;
  platform::Color pen = 0;
  platform::Color brush = 0;
  std::string text;
};

class FakeCanvas : public platform::Canvas {
 public:
  explicit FakeCanvas(std::vector<CanvasOp>& ops) : ops_(ops) {}
  platform::Color PenColor() const override { return pen_; }
  void SetPenColor(platform::Color color) override { pen_ = color; }
  platform::Color BrushColor() const override { return brush_; }
  void SetBrushColor(platform::Color color) override { brush_ = color; }
  void FillRect(const platform::Rect& r) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void TextOut(int x, int y, const std::string& text) override;

 private:
  std::vector<CanvasOp>& ops_;
  platform::Color pen_ = 0;
  platform::Color brush_ = 0xFFFFFF;
  int x_ = 0, y_ = 0;
};

class FakeMainWindow;

class FakePanel : public platform::Panel {
 public:
  FakePanel(FakeMainWindow& window, platform::PanelEvents& events);
  ~FakePanel() override;

  // A user's actions; each stops at once when the panel is destroyed by what it triggers.
  void Press(int x, int y, platform::MouseButton button = platform::MouseButton::Left);
  void Release(int x, int y, platform::MouseButton button = platform::MouseButton::Left);
  void Click(int x = 10, int y = 10);
  void DoubleClick(int x = 10, int y = 10);
  void Focus();

  platform::Rect Bounds;
  std::string Caption;
  platform::Bevel Outer = platform::Bevel::None;
  platform::Bevel Inner = platform::Bevel::None;
  platform::Color Color = 0;
  platform::Color FontColor = 0;
  std::string Hint;
  bool TabStop = false;
  int TabOrder = -1;
  bool Visible = true;

  // Showing another memory, the panel under the mouse is a new hint area, as a control that
  // came under it would be.
  void SetEvents(platform::PanelEvents& events) override;
  void PassRestoredFocus(platform::Panel* to) override;
  void SetBounds(int left, int top, int width, int height) override;
  platform::Rect BoundsRect() const override { return Bounds; }
  void SetCaption(const std::string& caption) override { Caption = caption; }
  void SetBevels(platform::Bevel outer, platform::Bevel inner) override;
  platform::Bevel BevelInner() const override { return Inner; }
  void SetColor(platform::Color color) override { Color = color; }
  void SetFontColor(platform::Color color) override { FontColor = color; }
  void SetHint(const std::string& hint) override { Hint = hint; }
  void SetTabStop(bool on) override { TabStop = on; }
  void SetTabOrder(int position) override { TabOrder = position; }
  void SetVisible(bool on) override { Visible = on; }
  bool Focused() const override;

  bool Raised() const { return Outer == platform::Bevel::Raised && Inner == platform::Bevel::None; }
  bool Pressed() const { return Outer == platform::Bevel::None && Inner == platform::Bevel::Lowered; }

 private:
  friend class FakeMainWindow;
  FakeMainWindow& window_;
  platform::PanelEvents* events_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

class FakeToggleButton : public platform::ToggleButton {
 public:
  FakeToggleButton(FakeMainWindow& window, platform::ToggleButtonEvents& events);
  ~FakeToggleButton() override;

  void Click();

  platform::Rect Bounds;
  const platform::Bitmap* Glyph = nullptr;
  bool IsDown = false;
  bool Visible = true;
  bool IsHeld = false;  // a test's press that is not released yet

  void SetEvents(platform::ToggleButtonEvents& events) override { events_ = &events; }
  bool Held() const override { return IsHeld; }
  void SetBounds(int left, int top, int width, int height) override;
  platform::Rect BoundsRect() const override { return Bounds; }
  void SetGlyph(const platform::Bitmap* glyph) override { Glyph = glyph; }
  void SetDown(bool down) override { IsDown = down; }
  bool Down() const override { return IsDown; }
  void SetVisible(bool on) override { Visible = on; }

 private:
  FakeMainWindow& window_;
  platform::ToggleButtonEvents* events_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

class FakeImageButton : public platform::ImageButton {
 public:
  FakeImageButton(FakeMainWindow& window, platform::ImageButtonEvents& events);
  ~FakeImageButton() override;

  void Click();

  platform::Rect Bounds;
  const platform::Bitmap* Glyph = nullptr;
  std::string Hint;
  bool TabStop = true;
  int TabOrder = -1;
  bool Visible = false;

  void SetBounds(int left, int top, int width, int height) override;
  platform::Rect BoundsRect() const override { return Bounds; }
  void SetGlyph(const platform::Bitmap* glyph) override { Glyph = glyph; }
  void SetHint(const std::string& hint) override { Hint = hint; }
  void SetTabStop(bool on) override { TabStop = on; }
  void SetTabOrder(int position) override { TabOrder = position; }
  void SetVisible(bool on) override { Visible = on; }

 private:
  FakeMainWindow& window_;
  platform::ImageButtonEvents& events_;
};

// A preview window; its text is laid out as 6 pixels a byte and 12 a line, wrapped at the box.
class FakePreview : public platform::PreviewWindow {
 public:
  FakePreview(FakeMainWindow& window, const std::string& text, const platform::UnicodeText& exact,
              int boxWidth, int maxHeight);
  ~FakePreview() override;

  platform::Size TextExtent() const override { return Extent; }
  void ShowAt(const platform::Rect& bounds) override;

  std::string Text;
  platform::UnicodeText Exact;
  int BoxWidth = 0;
  int MaxHeight = 0;
  platform::Size Extent;
  platform::Rect Bounds;
  bool Visible = false;

 private:
  FakeMainWindow& window_;
};

class FakeMainWindow : public platform::MainWindow {
 public:
  // One user action or delivered message, after which posted messages are handled.
  template <typename Step>
  void Dispatch(Step step) {
    desktop_.Dispatch(step);
  }

  FakeMainWindow(FakeDesktop& desktop, platform::MainWindowEvents& events, WindowHandle owner,
                 std::string caption);
  ~FakeMainWindow() override;

  // Delivers a message as the system would, with the default handling behind it. What the
  // handler throws ends the message and shows the standard error box, as the window bridge
  // does.
  LResult Deliver(std::uint32_t message, WParam wParam, LParam lParam);
  // The timer's tick, when it runs; false when it does not.
  bool FireTimer(std::uintptr_t id);
  // The mouse moves to a screen point: the hint area under it is a visible panel or image
  // button with a hint, or none; a change of area is reported as the system would.
  void MoveMouse(int x, int y);
  // A key released while the window or one of its controls has the keyboard.
  void KeyUp(std::uint16_t key) { Deliver(0x0101, key, 0); }

  // The controls that exist now, in creation order.
  std::vector<FakePanel*> Panels;
  std::vector<FakeToggleButton*> ToggleButtons;
  std::vector<FakeImageButton*> ImageButtons;
  FakePanel* FocusedPanel = nullptr;
  // The panel that gets the focus back when the window is next activated (a test sets it,
  // as a user leaving the window would).
  FakePanel* RestoredFocus = nullptr;
  // Memory panels and lock toggles made, and moved to another place, since the window was.
  int ControlsMade = 0;
  int ControlMoves = 0;
  std::vector<FakePreview*> Previews;  // those that exist now
  int PreviewsMade = 0;

  std::string Caption;
  platform::Rect Bounds;
  platform::Color BackColor = 0;
  bool TopMost = false;
  bool Visible = false;
  bool Closed = false;
  int Refreshes = 0;
  std::vector<CanvasOp> LastPaint;  // what the last full repaint drew
  std::vector<CanvasOp> Drawn;      // what was drawn outside a repaint
  std::map<std::uintptr_t, int> Timers;  // running timers: id -> period in milliseconds
  std::vector<std::string>* ErrorsTo = nullptr;
  std::vector<platform::MenuItem> LastMenu;  // the popup menu opened last
  platform::Point LastMenuAt;
  int MenusOpened = 0;
  bool LastDefaulted = false;  // the last delivered message went to the default handling
  std::uint32_t MenuChoice = 0;
  // Runs while the menu is open (the system goes on delivering messages meanwhile).
  std::function<void()> WhileMenuOpen;

  WindowHandle Handle() const override { return handle_; }
  platform::Rect BoundsRect() const override { return Bounds; }
  void SetBounds(int left, int top, int width, int height) override;
  void SetColor(platform::Color color) override { BackColor = color; }
  void SetTopMost(bool on) override { TopMost = on; }
  void Show() override;
  void Refresh() override;
  void Close() override { Closed = true; }
  void Post(std::uint32_t message, WParam wParam, LParam lParam) override {
    desktop_.Post(handle_, message, wParam, lParam);
  }
  void SetTimer(std::uintptr_t id, int ms) override { Timers[id] = ms; }
  void KillTimer(std::uintptr_t id) override { Timers.erase(id); }
  std::unique_ptr<platform::Canvas> GetCanvas() override;
  // Records the menu and answers MenuChoice (then 0 again), as if the user chose that item.
  std::uint32_t TrackPopupMenu(const std::vector<platform::MenuItem>& items,
                               platform::Point at) override;
  std::unique_ptr<platform::Panel> CreatePanel(platform::PanelEvents& events) override;
  std::unique_ptr<platform::ToggleButton> CreateToggleButton(
      platform::ToggleButtonEvents& events) override;
  std::unique_ptr<platform::ImageButton> CreateImageButton(
      platform::ImageButtonEvents& events) override;
  std::unique_ptr<platform::PreviewWindow> CreatePreview(const std::string& text,
                                                         const platform::UnicodeText& exact,
                                                         int boxWidth, int maxHeight) override;

 private:
  friend class FakePanel;
  friend class FakePreview;
  friend class FakeToggleButton;
  friend class FakeImageButton;
  FakeDesktop& desktop_;
  platform::MainWindowEvents& events_;
  WindowHandle handle_ = 0;
  const void* hintArea_ = nullptr;  // the control under the mouse with a hint, if any
};

}  // namespace korvane::fake
