// The memory button: a child window painted like a classic raised panel with a 5-pixel border
// and a one-line caption.
#pragma once

#include "platform/win32/Win32Api.h"

#include <memory>
#include <string>

#include "platform/Panel.h"
#include "platform/win32/WindowObject.h"

namespace korvane::platform::win32 {

class Win32Panel : public Panel, public WindowObject {
 public:
  static constexpr const wchar_t* kClassName = L"KorvanePanel";
  static constexpr int kBorderWidth = 5;

  // Hidden, as a child of `parent`, drawing its caption with `font` (not owned). Its window is
  // made when it is first shown.
  Win32Panel(HWND parent, HFONT font, PanelEvents& events);
  ~Win32Panel() override;

  void SetEvents(PanelEvents& events) override;
  void PassRestoredFocus(Panel* to) override;
  void SetBounds(int left, int top, int width, int height) override;
  Rect BoundsRect() const override;
  void SetCaption(const std::string& caption) override;
  void SetBevels(Bevel outer, Bevel inner) override;
  Bevel BevelInner() const override { return inner_; }
  void SetColor(Color color) override;
  void SetFontColor(Color color) override;
  void SetHint(const std::string& hint) override { hint_ = hint; }
  void SetTabStop(bool on) override;
  void SetTabOrder(int position) override;
  void SetVisible(bool on) override;
  bool Focused() const override;
  bool HasHint() const override { return !hint_.empty(); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  class Win32MainWindow* Window() const;
  void Paint(HDC dc);
  LRESULT ButtonDown(MouseButton button, LPARAM lParam, bool doubleClick);
  LRESULT ButtonUp(MouseButton button, LPARAM lParam);

  PanelEvents* events_;
  HFONT font_;
  std::wstring caption_;
  std::string hint_;
  Bevel outer_ = Bevel::Raised;
  Bevel inner_ = Bevel::None;
  Color color_ = ClBtnFace;
  Color fontColor_ = ClBlack;
  // A handler may destroy this panel; the message handler checks its copy of the token after
  // each call into the events before it touches the object again.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace korvane::platform::win32
