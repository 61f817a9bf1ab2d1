#include "platform/win32/OptionsDialog.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/Colors.h"
#include "platform/win32/CommonControls.h"
#include "platform/win32/OptionsPages.h"
#include "platform/win32/Resource.h"
#include "platform/win32/Text.h"
#include "platform/win32/WindowObject.h"

namespace korvane::platform::win32 {

using namespace options;

namespace {

// Posted at opening: it arrives once the dialog shows, after the fields are filled.
constexpr UINT kArmTabStops = WM_APP + 1;
constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr int kGridColumnWidth = 64;
constexpr int kGridRowHeight = 20;

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

HWND MakeButton(HWND dialog, HFONT font, int id, const wchar_t* text, int x, DWORD style) {
  const HWND button = CreateWindowExW(
      0, WC_BUTTONW, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, 362, 75, 23, dialog,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return button;
}

HFONT MakeBoldFont(int pixels) {
  return CreateFontW(-pixels, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, DialogTemplate::Face().c_str());
}

}  // namespace

OptionsDialog::OptionsDialog(OptionsEditor& editor) : editor_(editor) {
  hotKeyHook_ = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return HotKeyMessage(message, wParam, lParam, result);
  };
  gridHook_ = [this](UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    return GridMessage(message, wParam, result);
  };
}

OptionsDialog::~OptionsDialog() {
  for (const HGDIOBJ font : {productFont_, versionFont_}) {
    if (font) DeleteObject(font);
  }
  if (icon_) DestroyIcon(icon_);
  DestroyRowHeightImages(rowImages_);
  for (const HBRUSH brush : sampleBrushes_) {
    if (brush) DeleteObject(brush);
  }
}

bool OptionsDialog::Edit(HWND owner) {
  LoadDialogControls();
  // Sized and filled at opening, in pixels.
  const DialogTemplate layout(L"設定", 240, 262);
  return Run(owner, layout) == IDOK;
}

void OptionsDialog::Opened() {
  // The client area in pixels, centred on the screen's work area as DS_CENTER would.
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(Hwnd(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(Hwnd(), GWL_EXSTYLE)));
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(Hwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  SetWindowPos(Hwnd(), nullptr, (work.left + work.right - width) / 2,
               (work.top + work.bottom - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

  MakeControls();
  Fill();
  SendMessageW(Item(kTabs), TCM_SETCURSEL, kPageCount - 1, 0);
  ShowPage(kPageCount - 1);
  SetFocus(Item(kTabs));
  PostMessageW(Hwnd(), kArmTabStops, 0, 0);
}

void OptionsDialog::MakeControls() {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(Hwnd(), WM_GETFONT, 0, 0));
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  // Made in the keyboard's order: help, the tabs, the shown page, OK, Cancel.
  MakeButton(Hwnd(), font, kHelp, L"ヘルプ", 266, BS_PUSHBUTTON);
  const HWND tabs = CreateWindowExW(
      0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | TCS_MULTILINE, 20, 10, 321, 343,
      Hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTabs)), instance, nullptr);
  SendMessageW(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  for (int i = 0; i < kPageCount; ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(kPageCaptions[i]);
    SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  RECT body{};
  GetClientRect(tabs, &body);
  SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&body));
  MapWindowPoints(tabs, Hwnd(), reinterpret_cast<POINT*>(&body), 2);
  const DialogTemplate pageLayout = DialogTemplate::ChildPage();
  for (int i = 0; i < kPageCount; ++i) {
    const HWND page = CreateDialogIndirectParamW(instance, pageLayout.Get(), Hwnd(), &PageProcedure,
                                                 reinterpret_cast<LPARAM>(this));
    pages_[static_cast<size_t>(i)] = page;
    SetWindowLongPtrW(page, GWLP_ID, kFirstPage + i);
    UseTabBodyBackground(page);
    SetWindowPos(page, nullptr, body.left, body.top, body.right - body.left, body.bottom - body.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    PageBuilder builder(page, font);
    LayOutPage(i, builder);
  }
  MakeButton(Hwnd(), font, IDOK, L"OK", 106, BS_DEFPUSHBUTTON);
  MakeButton(Hwnd(), font, IDCANCEL, L"ｷｬﾝｾﾙ", 186, BS_PUSHBUTTON);

  productFont_ = MakeBoldFont(28);
  versionFont_ = MakeBoldFont(12);
  SendMessageW(Control(kProductName), WM_SETFONT, reinterpret_cast<WPARAM>(productFont_), FALSE);
  SendMessageW(Control(kVersion), WM_SETFONT, reinterpret_cast<WPARAM>(versionFont_), FALSE);
  icon_ = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDI_KORVANE), IMAGE_ICON, 32, 32, 0));
  if (icon_) SendMessageW(Control(kIcon), STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);

  const HWND grid = Control(kShortcutGrid);
  SendMessageW(grid, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
               LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  for (int column = 0; column < 2; ++column) {
    LVCOLUMNW spec{};
    spec.mask = LVCF_WIDTH;
    spec.cx = kGridColumnWidth;
    SendMessageW(grid, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&spec));
  }
  rowImages_ = MakeRowHeightImages(kGridRowHeight);
  if (rowImages_)
    SendMessageW(grid, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(rowImages_));
  HookControl(grid, &gridHook_);
  HookControl(Control(kHotKey), &hotKeyHook_);
}

HWND OptionsDialog::Control(int id) const {
  if (const HWND control = Item(id)) return control;
  for (const HWND page : pages_) {
    if (const HWND control = GetDlgItem(page, id)) return control;
  }
  return nullptr;
}

void OptionsDialog::ShowPage(int index) {
  for (int i = 0; i < kPageCount; ++i) {
    ShowWindow(pages_[static_cast<size_t>(i)], i == index ? SW_SHOWNA : SW_HIDE);
  }
}

void OptionsDialog::Fill() {
  filling_ = true;
  const OptionValues& values = editor_.Values();
  for (const CheckField& field : kCheckFields) {
    CheckDlgButton(GetParent(Control(field.id)), field.id,
                   values.*field.value ? BST_CHECKED : BST_UNCHECKED);
  }
  CheckDlgButton(GetParent(Control(kGrowRight)), kGrowRight,
                 values.GrowLeft ? BST_UNCHECKED : BST_CHECKED);
  for (const NumberField& field : kNumberFields) {
    const int low = field.low == kLowFromValues ? values.MemoryLimitMinimum : field.low;
    SetNumber(field.id, low, field.high, values.*field.value);
  }
  SetNumber(kShortcutCount, 1, 50, editor_.ShortcutCount());
  ShowTabNumbers();
  ShowHotKey();
  ShowGrid();
  ShowEnabling();
  ShowSamples();
  filling_ = false;
}

void OptionsDialog::SetNumber(int id, int low, int high, int value) {
  const HWND upDown = Control(UpDownOf(id));
  SendMessageW(upDown, UDM_SETRANGE32, static_cast<WPARAM>(low), high);
  SendMessageW(upDown, UDM_SETPOS32, 0, std::clamp(value, low, std::max(low, high)));
}

int OptionsDialog::ReadNumber(int id, int low, int high) const {
  std::wstring digits;
  for (const wchar_t c : WindowText(Control(id))) {
    if (c >= L'0' && c <= L'9' && digits.size() < 9) digits += c;
  }
  if (digits.empty()) {
    // Nothing typed to go by: the arrows' position stands.
    BOOL failed = FALSE;
    const auto position = static_cast<int>(
        SendMessageW(Control(UpDownOf(id)), UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
    return std::clamp(position, low, std::max(low, high));
  }
  return std::clamp(std::stoi(digits), low, std::max(low, high));
}

bool OptionsDialog::Checked(int id) const {
  return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void OptionsDialog::ShowEnabling() {
  const bool hiddenWidth = editor_.HiddenWidthEnabled();
  for (const int id : {int{kHiddenWidthLabel}, int{kHiddenWidth}, UpDownOf(kHiddenWidth)}) {
    EnableWindow(Control(id), hiddenWidth);
  }
  EnableWindow(Control(kPreviewBelow), editor_.PreviewBelowEnabled());
}

void OptionsDialog::TabFieldChanged(int index) {
  if (filling_ || showingTabNumbers_) return;
  const std::wstring typed = WindowText(Control(TabField(index)));
  editor_.TabFieldChanged(index, FromWide(typed));
  // A field the user has just emptied keeps its empty text for the next digit: writing the
  // old number back would put the caret before it and the one-digit field would refuse the
  // digit typed next.
  ShowTabNumbers(typed.empty() ? index : -1);
}

void OptionsDialog::ShowTabNumbers(int emptied) {
  // Setting a field's text reports a change like the user's typing, which is not one.
  showingTabNumbers_ = true;
  for (int i = 0; i < kTabFieldCount; ++i) {
    if (i == emptied) continue;
    const std::wstring text = std::to_wstring(editor_.TabNumber(i));
    const HWND field = Control(TabField(i));
    SendMessageW(Control(UpDownOf(TabField(i))), UDM_SETRANGE32, 0, 7);
    if (WindowText(field) != text) SetWindowTextW(field, text.c_str());
  }
  showingTabNumbers_ = false;
}

void OptionsDialog::ShowSamples() {
  const OptionValues& values = editor_.Values();
  for (size_t i = 0; i < kColorFields.size(); ++i) {
    if (sampleBrushes_[i]) DeleteObject(sampleBrushes_[i]);
    sampleBrushes_[i] = CreateSolidBrush(ResolveColor(values.*kColorFields[i].value));
    if (kColorFields[i].sample) InvalidateRect(Control(kColorFields[i].sample), nullptr, TRUE);
  }
}

INT_PTR OptionsDialog::ColorStatic(HWND control, HDC dc) {
  const int id = GetDlgCtrlID(control);
  if (id == kProductName || id == kVersion) {
    // On the page's own background, themed or not; their text never changes.
    SetTextColor(dc, kNavy);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
  }
  for (size_t i = 0; i < kColorFields.size(); ++i) {
    if (kColorFields[i].sample != id || !sampleBrushes_[i]) continue;
    const OptionValues& values = editor_.Values();
    const bool fontColor = id == kMemorySample || ((id == kSelectSample || id == kLockSample) &&
                                                   editor_.AllSamplesInFontColor());
    SetTextColor(dc, fontColor ? ResolveColor(values.MemoryFontColor) : GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, ResolveColor(values.*kColorFields[i].value));
    return reinterpret_cast<INT_PTR>(sampleBrushes_[i]);
  }
  return FALSE;
}

void OptionsDialog::ChangeColor(const ColorField& field) {
  COLORREF chosen = ResolveColor(editor_.LastChosenColor());
  if (!ChooseColorFor(Hwnd(), chosen)) return;
  const Color color = static_cast<Color>(chosen);
  editor_.ColorChosen(color);
  editor_.Values().*field.value = color;
  if (field.change == kFontChange) editor_.FontColorChosenForAllSamples();
  ShowSamples();
}

void OptionsDialog::Command(int id, int code) {
  if (id >= kFirstTabField && id < TabField(kTabFieldCount) && (id - kFirstTabField) % 2 == 0) {
    if (code == EN_CHANGE) TabFieldChanged((id - kFirstTabField) / 2);
    // Left empty: it shows its number again.
    if (code == EN_KILLFOCUS) ShowTabNumbers();
    return;
  }
  if (id == kShortcutCount) {
    if (code == EN_CHANGE && !filling_) {
      editor_.SetShortcutCount(ReadNumber(kShortcutCount, 1, 50));
      ShowGrid();
    }
    return;
  }
  if (code != BN_CLICKED) return;
  switch (id) {
    case kAutoHide:
      // The enabling rules follow the boxes at once.
      editor_.Values().AutoHide = Checked(kAutoHide);
      ShowEnabling();
      return;
    case kShowPreview:
      editor_.Values().ShowPreview = Checked(kShowPreview);
      ShowEnabling();
      return;
    case kMemoryDefaults:
      editor_.MemoryColorDefaults();
      ShowSamples();
      return;
    case kWorkspaceDefault:
      editor_.WorkspaceColorDefault();
      ShowSamples();
      return;
    case kHelp:
      editor_.ShowHelp();
      return;
    case IDOK:
      Accept();
      return;
    case IDCANCEL:
      End(IDCANCEL);
      return;
    default:
      break;
  }
  for (const ColorField& field : kColorFields) {
    if (field.change == id) ChangeColor(field);
  }
}

void OptionsDialog::Accept() {
  const std::string refusal = editor_.OkRefusal();
  if (!refusal.empty()) {
    MessageBoxW(Hwnd(), ToWide(refusal).c_str(), L"警告", MB_OK);
    return;
  }
  OptionValues& values = editor_.Values();
  for (const CheckField& field : kCheckFields) values.*field.value = Checked(field.id);
  for (const NumberField& field : kNumberFields) {
    const int low = field.low == kLowFromValues ? values.MemoryLimitMinimum : field.low;
    values.*field.value = ReadNumber(field.id, low, field.high);
  }
  End(IDOK);
}

bool OptionsDialog::Message(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case kArmTabStops:
      editor_.ArmTabStops();
      return true;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == kTabs && header->code == TCN_SELCHANGE) {
        ShowPage(static_cast<int>(SendMessageW(Item(kTabs), TCM_GETCURSEL, 0, 0)));
      }
      return true;
    }
    case WM_CTLCOLORSTATIC:
      result = ColorStatic(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
      return result != FALSE;
    default:
      return false;
  }
}

INT_PTR CALLBACK OptionsDialog::PageProcedure(HWND page, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(page, DWLP_USER, lParam);
    return FALSE;
  }
  auto* self = reinterpret_cast<OptionsDialog*>(GetWindowLongPtrW(page, DWLP_USER));
  if (!self) return FALSE;
  try {
    switch (message) {
      case WM_COMMAND:
        self->Command(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
      case WM_CTLCOLORSTATIC:
        return self->ColorStatic(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
      default:
        return FALSE;
    }
  } catch (...) {
    WindowObject::ReportCaughtError();
    return TRUE;
  }
}

}  // namespace korvane::platform::win32
