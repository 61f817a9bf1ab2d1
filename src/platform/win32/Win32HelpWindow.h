// The help window: a resizable top-level window with the topic titles in a list on the left and
// the chosen topic's text on the right. One per process; it is made when help is first asked
// for, and made again after the user has closed it.
#pragma once

#include "platform/win32/Win32Api.h"

#include <memory>
#include <vector>

#include "platform/HelpViewer.h"
#include "platform/win32/WindowFont.h"
#include "platform/win32/WindowObject.h"

namespace korvane::platform::win32 {

class Win32HelpWindow : public HelpViewer, public WindowObject {
 public:
  static constexpr const wchar_t* kClassName = L"KorvaneHelp";

  Win32HelpWindow() = default;
  ~Win32HelpWindow() override;

  void Show(const std::vector<HelpTopic>& topics, std::size_t current) override;

  // The two controls, null while the window is closed.
  HWND TopicList() const { return list_; }
  HWND TopicText() const { return text_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool Create();
  void LayOut();
  void ShowTopic(std::size_t index);
  // Esc and Tab reach the focused control, not the window: there is no dialog manager in
  // the program's message loop. The controls hand them over here.
  static LRESULT CALLBACK ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

  // Made with the first window, not at start-up: most runs never open help.
  std::unique_ptr<WindowFont> font_;
  std::vector<HelpTopic> topics_;
  HWND list_ = nullptr;
  HWND text_ = nullptr;
  HWND lastFocus_ = nullptr;
};

}  // namespace korvane::platform::win32
