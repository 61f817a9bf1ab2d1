#include "platform/win32/CommonControls.h"

#include <commctrl.h>
#include <commdlg.h>

namespace korvane::platform::win32 {

namespace {

template <typename Function>
Function Find(HMODULE library, const char* name) {
  if (!library) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

HMODULE ControlsLibrary() {
  // The same library the main window's tooltip loads; under a version 6 manifest the
  // activation context picks that version.
  static const HMODULE library = LoadLibraryW(L"comctl32.dll");
  return library;
}

}  // namespace

bool LoadDialogControls() {
  using Init = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  const auto init = Find<Init>(ControlsLibrary(), "InitCommonControlsEx");
  if (!init) return false;
  INITCOMMONCONTROLSEX classes{sizeof classes,
                               ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES};
  return init(&classes) != FALSE;
}

HANDLE MakeRowHeightImages(int height) {
  using Create = HIMAGELIST(WINAPI*)(int, int, UINT, int, int);
  const auto create = Find<Create>(ControlsLibrary(), "ImageList_Create");
  return create ? create(1, height, ILC_COLOR, 0, 1) : nullptr;
}

void DestroyRowHeightImages(HANDLE images) {
  using Destroy = BOOL(WINAPI*)(HIMAGELIST);
  const auto destroy = Find<Destroy>(ControlsLibrary(), "ImageList_Destroy");
  if (images && destroy) destroy(static_cast<HIMAGELIST>(images));
}

void UseTabBodyBackground(HWND page) {
  static const HMODULE library = LoadLibraryW(L"uxtheme.dll");
  using Enable = HRESULT(WINAPI*)(HWND, DWORD);
  const auto enable = Find<Enable>(library, "EnableThemeDialogTexture");
  constexpr DWORD kEnableTab = 0x00000002 | 0x00000004;  // ETDT_ENABLE | ETDT_USETABTEXTURE
  if (enable) enable(page, kEnableTab);
}

bool ChooseColorFor(HWND owner, COLORREF& color) {
  static const HMODULE library = LoadLibraryW(L"comdlg32.dll");
  using Choose = BOOL(WINAPI*)(LPCHOOSECOLORW);
  const auto choose = Find<Choose>(library, "ChooseColorW");
  if (!choose) return false;
  static COLORREF custom[16] = {};  // kept for the run, as the chooser's users expect
  CHOOSECOLORW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.rgbResult = color;
  dialog.lpCustColors = custom;
  dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!choose(&dialog)) return false;
  color = dialog.rgbResult;
  return true;
}

}  // namespace korvane::platform::win32
