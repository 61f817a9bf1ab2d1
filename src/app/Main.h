// TForm1, the main window: it holds the memories, the settings and every registration with the
// system, from start-up (FormCreate) to shut-down (FormDestroy).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "behaviour/SlideState.h"
#include "behaviour/SlideSteps.h"
#include "layout/OptionButton.h"
#include "layout/Preview.h"
#include "memory/ClipboardWatch.h"
#include "memory/MemoryOwner.h"
#include "memory/Memorytable.h"
#include "platform/Platform.h"
#include "settings/Settings.h"

namespace korvane {

class OptionsEditing;

// The modifier key of the activation hotkey (16 Shift, 17 Ctrl, 18 Alt) as RegisterHotKey's
// flags; any other value means no modifier.
std::uint32_t HotKeyModifierFlags(std::int16_t modifierKey);

// What the popup menu's items report when chosen; a group item reports kMenuFirstGroup plus
// its index in the group menu.
enum MenuCommand : std::uint32_t {
  kMenuNone = 0,
  kMenuMakeGroupCommand,
  kMenuGroupEditCommand,
  kMenuWindowHiddenCommand,
  kMenuWatchClipboardCommand,
  kMenuAlwaysOnTopCommand,
  kMenuOptionsCommand,
  kMenuHelpCommand,
  kMenuExitCommand,
  kMenuFirstGroup = 1000,
};

class TForm1 final : private platform::MainWindowEvents {
 public:
  // Builds the window and runs FormCreate. An error in a start-up step is shown in the
  // standard error box and ends the start-up there; the window is usable all the same.
  explicit TForm1(platform::Platform& platform);
  // FormDestroy, then the window and its controls.
  ~TForm1();
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // The form is marked visible: shown once start-up has ended.
  void Show();

  // Start-up and shut-down.
  void FormCreate();
  void Init2();
  void CreateMemoryTable();
  void FormShow();
  void FormDestroy();
  void WriteLog(const std::string& line);
  // Windows ends the session (logoff, restart, shutdown): what shut-down writes is written
  // now, once, and nothing may hold the logoff up.
  platform::LResult WMQueryEndSession();
  void WMEndSession(bool ending);
  // The standard error box; while the session ends nothing is shown.
  void ShowError(const std::string& text);

  // Settings file.
  void OpenInstitution();
  bool SaveInstitution();

  // Memory groups.
  void OpenMemoryGroup();
  bool SaveMemoryGroup();
  void FreeGroupItems();
  // The current group: the checked item of the group menu; empty when none is checked.
  std::string CurrentGroup() const;
  // False (nothing changed) when the memories of the group being left could not be saved.
  bool SwitchGroup(int index);
  void PM_MakeGroupClick();
  void PM_GroupEditClick();

  // Memories.
  void LoadCommonImage();
  // Writes both tables' folders as one step; false (with the error shown) when it failed and
  // the files on disk are as they were.
  bool SaveMemories();
  void FinishInterruptedSave();
  void EraseUnlockedMemories();
  void UMLockChanged(platform::WParam wParam);

  // Clipboard capture.
  void SetClipboard();
  void LeaveClipboardChain();
  platform::LResult WMDrawClipboard(platform::WParam wParam, platform::LParam lParam);
  platform::LResult WMChangeCBChain(platform::WParam wParam, platform::LParam lParam);
  void ToggleClipboardWatch();
  // `announced`: a notification, rather than the retry timer, asks for it.
  void CaptureClipboard(bool announced);
  void UMCapture();
  // The captions of memories that moved onto other panels, a few at a time.
  void UMShowCaptions();
  // One UM_SHOWCAPTIONS waits in the queue at a time.
  void PostShowCaptions();
  // A clipboard change goes on to the next viewer without waiting for it; a chain change
  // with a time limit. A hung neighbour must not hang us.
  void NotifyNextViewer(platform::WParam wParam, platform::LParam lParam);
  platform::LResult PassToNextViewer(std::uint32_t message, platform::WParam wParam,
                                     platform::LParam lParam);
  void RejoinClipboardChain();
  // False for a timer that is not the clipboard's.
  bool ClipboardTimer(std::uintptr_t id);

  // Size, layout and painting.
  int GetFormWidth() const;
  int GetFormHeight() const;
  void SetFormSize(bool adjust);
  void SetControlPosition();
  void PaintFrame();
  void FormPaint(platform::Canvas& canvas);

  // Option buttons and tab order.
  void CreateOptionButton();
  void DeleteOptionButton();
  void OptionButtonClick(OptionKind kind);
  void SetTabOrder();

  // Tray icon, hotkey and window band.
  void SetTaskTray();
  void DeleteTaskTray();
  // The taskbar started anew (Explorer restarted): our icon went with the old one.
  void TaskbarCreated();
  void SetHotKey();
  void SetWindowTopMost();
  void SetWindowNoTopMost();
  platform::LResult UMTrayIcon(platform::LParam mouseMessage);
  void WMHotKey();

  // The popup menu, on the window and on the tray icon: built from the current state each
  // time it opens.
  std::vector<platform::MenuItem> PopupMenuItems() const;
  void PopupMenu(platform::Point at);
  void PopupMenuClick(std::uint32_t command);
  void PopWindowVisibleClick();
  void PopCheckClipClick();
  void PopForwardClick();
  void Help1Click();
  void PM_ExitClick();

  // The options dialog: every setting filled in, and after OK put into effect at once.
  void PM_OptionClick();
  void FillOptions(OptionsEditing& editing);
  void ApplyOptions(OptionsEditing& editing);

  // The focused memory's highlight, and the preview of a memory's whole text.
  void ApplicationHint();
  void ShowPreviewAt(int x, int y);
  void HidePreview();
  void UMMemoryEnter();
  void UMMemoryLeave();
  // The memory button under a point of the window's client area, locked ones first.
  MemoryItem* MemoryAt(int x, int y) const;

  // Keys in the main window: Enter and the direct-paste keys, on their release.
  void FormKeyUp(std::uint16_t key);
  void PasteNumber(int n);

  // Auto-hide, and dragging the window.
  void CheckScreenEdge();
  void StartSlideTimer(int kind);
  void StopSlideTimer();
  void StartHide();
  void StartShow();
  void SetButtonsVisible(bool visible);
  // The timer's messages; wParam is the number of the timer's start.
  void UMHideCheck(platform::WParam number);
  void UMHideStep(platform::WParam number);
  void UMShowStep(platform::WParam number);
  void WMMouseMove();
  void ApplicationActivate();
  void ApplicationDeactivate();
  platform::LResult WMLButtonDown();
  // `proposed`: the dragged window's rectangle, moved back onto the desktop where it leaves it.
  platform::LResult WMMoving(platform::Rect& proposed);

  // The window's place, in screen coordinates (the window has no border).
  int Left() const { return Window->BoundsRect().Left; }
  int Top() const { return Window->BoundsRect().Top; }
  int Width() const { return Window->BoundsRect().Width(); }
  int Height() const { return Window->BoundsRect().Height(); }
  void SetLeft(int left);
  void SetTop(int top);
  void SetSize(int width, int height);

  std::int32_t LockedCount() const { return LockedTable ? LockedTable->Count : 0; }
  std::int32_t UnlockedCount() const { return UnlockedTable ? UnlockedTable->Count : 0; }

  platform::Platform& System;
  std::unique_ptr<platform::MainWindow> Window;
  MemoryShared Shared;
  MemoryOwner Owner;
  Settings Config;

  // The current group's locked memories, and the captured ones. Null until start-up has made
  // them: shut-down then saves nothing over what is on disk.
  std::unique_ptr<MemoryTable> LockedTable;
  std::unique_ptr<MemoryTable> UnlockedTable;
  // The group whose folder the locked table was read from, and is saved into.
  std::string LockedGroup;
  std::unique_ptr<platform::Bitmap> LockGlyph;
  std::unique_ptr<MemoryPreview> Preview;

  // One slot per option button, in OptionKind order; empty when the button is not shown.
  std::array<std::unique_ptr<OptionButton>, kOptionKinds> OptionButtons;
  std::vector<std::unique_ptr<platform::Bitmap>> OptionBitmaps;

  platform::WindowHandle NextClipboardViewer = 0;
  ClipboardWatch Watch;
  std::uint16_t HotKeyAtom = 0;

  // Check marks of the popup menu: PopWindowVisible is the setting WindowHidden.
  bool PopWindowVisibleChecked = false;
  bool PopCheckClipChecked = false;
  bool PopForwardChecked = false;

  // The group menu's items, by caption, and the checked one (-1: none).
  std::vector<std::string> GroupItems;
  int CheckedGroupItem = -1;

  SlideState Slide = SlideState::Expanded;
  bool AtTopEdge = false;
  bool AtLeftEdge = false;
  bool AtBottomEdge = false;
  bool AtRightEdge = false;
  // The running start of the slide's timer, 0 when none runs. The busy flag that the timer's
  // thread shares lives with the timer.
  std::uint32_t SlideTimer = 0;
  bool AppActive = true;

 private:
  bool WindowMessage(std::uint32_t message, platform::WParam wParam, platform::LParam lParam,
                     platform::LResult& result) override;
  void WindowPaint(platform::Canvas& canvas) override;
  void WindowShown() override;
  void MouseHintChanged() override { ApplicationHint(); }

  // Runs one start-up or shut-down sequence, turning an error into the standard error box.
  void RunGuarded(void (TForm1::*sequence)());

  void PaintFrameOn(platform::Canvas& canvas);
  void ClosePreviewOfGoneMemory();
  void LoadLockedGroup(const std::string& group);
  // Drops the oldest unlocked memories beyond MemoryLimit, which is first raised to the locked
  // count: locked memories are never dropped.
  void TrimToMemoryLimit();
  // The files of a group deleted from the list whose folder no other group shares.
  void DeleteGroupFiles(const std::string& group, const std::vector<std::string>& kept);
  ScreenEdge SlideEdge() const;
  // The window whole and shown at once, its buttons visible.
  void ExpandAtOnce();
  bool CurrentTick(platform::WParam number) const;

  bool destroyed_ = false;
  bool sessionEnded_ = false;  // Windows ended the session and what it needs is written
  bool capturePosted_ = false;  // a UM_CAPTURE waits in the window's queue
  bool captionsPosted_ = false;  // a UM_SHOWCAPTIONS does
  bool dialogOpen_ = false;  // a modal dialog of ours is open
};

}  // namespace korvane
