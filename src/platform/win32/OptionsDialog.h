// The options dialog: a tab control of eight pages over OK, Cancel and Help. Each page is a
// child dialog, so the keyboard moves through the shown page's controls between the tab
// control and OK. Controls are laid out in pixels, as the dialog's sizes are given so.
#pragma once

#include <array>
#include <string>

#include "platform/OptionsDialog.h"
#include "platform/win32/ControlHook.h"
#include "platform/win32/ModalDialog.h"
#include "platform/win32/OptionsControls.h"

namespace korvane::platform::win32 {

class OptionsDialog : private ModalDialog {
 public:
  static constexpr int kClientWidth = 360;
  static constexpr int kClientHeight = 393;

  explicit OptionsDialog(OptionsEditor& editor);
  ~OptionsDialog();

  bool Edit(HWND owner);

 private:
  void Opened() override;
  void Command(int id, int code) override;
  bool Message(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  static INT_PTR CALLBACK PageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

  void MakeControls();
  HWND Control(int id) const;  // on the dialog or any page
  void ShowPage(int index);
  void Fill();
  void SetNumber(int id, int low, int high, int value);
  int ReadNumber(int id, int low, int high) const;
  bool Checked(int id) const;

  void ShowEnabling();
  void ShowHotKey();
  void ShowGrid();
  int GridRow() const;
  void TabFieldChanged(int index);
  void ShowTabNumbers(int emptied = -1);
  void ShowSamples();
  INT_PTR ColorStatic(HWND control, HDC dc);
  void ChangeColor(const options::ColorField& field);

  bool HotKeyMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool GridMessage(UINT message, WPARAM wParam, LRESULT& result);
  void Accept();

  OptionsEditor& editor_;
  std::array<HWND, options::kPageCount> pages_{};
  HFONT productFont_ = nullptr;
  HFONT versionFont_ = nullptr;
  HICON icon_ = nullptr;
  HANDLE rowImages_ = nullptr;
  std::array<HBRUSH, options::kColorFields.size()> sampleBrushes_{};
  ControlHook hotKeyHook_;
  ControlHook gridHook_;
  bool filling_ = false;  // our own text changes are not the user's
  bool showingTabNumbers_ = false;
};

}  // namespace korvane::platform::win32
