// The option button: a child window drawn as a classic push button with a picture on it, no
// caption, and a hint in a tooltip. It takes the keyboard focus like a push button: Enter or
// Space presses it.
#pragma once

#include "platform/win32/Win32Api.h"

#include <memory>
#include <string>

#include "platform/ImageButton.h"
#include "platform/win32/WindowObject.h"

namespace korvane::platform::win32 {

class Win32Bitmap;

class Win32ImageButton : public ImageButton, public WindowObject {
 public:
  static constexpr const wchar_t* kClassName = L"KorvaneImageButton";
  // Sent by the parent when its tooltip control exists at last (wParam: the tooltip); other
  // controls pass it by.
  static constexpr UINT kUseTooltip = WM_USER + 0x100;

  // Created hidden, as a child of `parent`. `tooltip` is the parent's tooltip control, which
  // shows the hints of all its buttons and goes with the parent; null when the parent makes
  // it later (the hint then waits for kUseTooltip).
  Win32ImageButton(HWND parent, HWND tooltip, ImageButtonEvents& events);
  ~Win32ImageButton() override;

  void SetBounds(int left, int top, int width, int height) override;
  Rect BoundsRect() const override;
  void SetGlyph(const Bitmap* glyph) override;
  void SetHint(const std::string& hint) override;
  void SetTabStop(bool on) override { SetTabStopStyle(on); }
  void SetTabOrder(int position) override { SetTabPosition(position); }
  void SetVisible(bool on) override;
  bool HasHint() const override { return !hint_.empty(); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc);
  void DrawGlyph(HDC dc, const RECT& client, bool pressed);
  LRESULT MouseDown();
  LRESULT MouseUp(LPARAM lParam);
  LRESULT KeyDown(WPARAM key, LPARAM lParam);
  LRESULT KeyUp(WPARAM key);
  void Click();  // the last thing a message handler does: the handler may destroy us
  void ShowHintInTooltip();

  ImageButtonEvents& events_;
  HWND tooltip_;
  std::wstring hint_;
  bool hasTool_ = false;
  const Win32Bitmap* glyph_ = nullptr;
  bool held_ = false;       // the left button went down on us and is not up yet
  bool inside_ = false;     // ... and the mouse is over us
  bool spaceHeld_ = false;  // Space went down while we had the focus
  // A handler may destroy this button; the message handler checks its copy of the token
  // after each call that can reach the events before it touches the object again.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace korvane::platform::win32
