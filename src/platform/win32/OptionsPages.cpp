#include "platform/win32/OptionsPages.h"

#include <commctrl.h>

#include "platform/win32/OptionsControls.h"
#include "platform/win32/Version.h"

namespace korvane::platform::win32::options {

const wchar_t* const kPageCaptions[8] = {
    L"動作設定１", L"動作設定２", L"動作設定３",      L"メモリ",
    L"色の設定",   L"表示項目",   L"Tabストップ設定", L"バージョン情報"};

namespace {

constexpr int kLine = 18;       // a label's or check box's height: a CJK face's cell is tall
constexpr int kFieldHigh = 20;  // an edit's height

void LayOutBehaviour(PageBuilder& b) {
  b.Group(L"", 5, 0, 300, 30);
  b.Check(kAlwaysOnTop, L"ウインドウを常に手前に表示", 15, 9, 270);
  b.Group(L"自動でウインドウを隠す", 5, 34, 300, 152);
  b.Check(kAutoHide, L"自動的に隠す", 15, 50, 270);
  b.Label(L"（ウインドウが画面の縁に接しているときだけ有効）", 12, 68, 290);
  b.Label(L"スクロール量：", 15, 90, 180);
  b.Number(kScrollAmount, 200, 87, 50, 3);
  b.Label(L"（ ゼロに設定でスクロールなし）", 30, 109, 260);
  b.Label(L"隠しているときに表示される幅：", 15, 132, 180, kHiddenWidthLabel);
  b.Number(kHiddenWidth, 200, 129, 30, 2);
  b.Label(L"自動隠れ最大待ち時間(ミリ秒)：", 15, 158, 180);
  b.Number(kHideWait, 200, 155, 50, 4);
  b.Group(L"列の増える方向（ウインドウの伸びる方向）", 5, 190, 300, 46);
  b.Radio(kGrowLeft, L"左", 20, 210, 60, true);
  b.Radio(kGrowRight, L"右", 100, 210, 60, false);
}

void LayOutSaving(PageBuilder& b) {
  b.Group(L"保存オプション", 5, 0, 300, 50);
  b.Check(kSaveOnLockChange, L"Lock設定変更時にメモリ内容を保存する", 15, 14, 280);
  b.Check(kSaveUnlocked, L"Unlockメモリも次回起動時に復元する", 15, 32, 280);
  b.Group(L"ホットキー（アクティブ化ショートカットキー）", 5, 52, 300, 40);
  b.Label(L"キー：", 15, 69, 40);
  b.Add(WC_EDITW, kHotKey, L"", WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL, 60, 66, 230, kFieldHigh,
        WS_EX_CLIENTEDGE);
  b.Group(L"ショートカット（ダイレクトペースト）", 5, 94, 300, 166);
  b.Label(L"ショートカットを設定する", 15, 110, 200);
  b.Label(L"メモリ数（最大50）：", 15, 130, 130);
  b.Number(kShortcutCount, 150, 127, 40, 2);
  b.Label(L"<ショートカットキー>", 15, 151, 150);
  // Two 64-pixel columns, a border and a scroll bar.
  b.Add(WC_LISTVIEWW, kShortcutGrid, L"",
        WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER |
            LVS_NOSORTHEADER,
        15, 168, 152, 86, WS_EX_CLIENTEDGE);
}

void LayOutStartup(PageBuilder& b) {
  b.Check(kDoubleClickPaste, L"ダブルクリックで貼り付ける", 10, 8, 280);
  b.Check(kKeepWatchAtStart, L"「クリップボードの監視」の設定を", 10, 34, 280);
  b.Label(L"次回起動時も有効にする", 28, 52, 250);
  b.Group(L"ウインドウの非表示", 5, 78, 300, 110);
  b.Check(kKeepHiddenAtStart, L"「ウインドウの非表示」の設定を", 15, 98, 280);
  b.Label(L"次回起動時も有効にする", 33, 116, 250);
  b.Check(kTrayClickUnhides, L"「ウインドウの非表示」の設定を", 15, 142, 280);
  b.Label(L"タスクトレイアイコン左クリックで解除する", 33, 160, 260);
  // Kept for its value only: the memories are always kept as they come.
  b.Check(kManualMemory, L"メモリ記憶を手動で行う", 10, 200, 280, 0);
}

void LayOutMemories(PageBuilder& b) {
  b.Group(L"メモリ数", 5, 0, 300, 110);
  b.Label(L"メモリ数の上限（最大99）：", 15, 21, 228);
  b.Number(kMemoryLimit, 245, 18, 30, 2);
  b.Label(L"(現在Lockされているメモリ数以下にはなりません)", 15, 45, 285);
  b.Label(L"一列に表示できるメモリ数（最大20）：", 15, 77, 228);
  b.Number(kMemoriesPerColumn, 245, 74, 30, 2);
  b.Group(L"記憶オプション", 5, 118, 300, 46);
  b.Check(kSkipDuplicates, L"同一内容のものは記憶しない", 15, 138, 270);
}

void LayOutColors(PageBuilder& b) {
  b.Group(L"メモリボタンの色", 5, 0, 300, 186);
  b.Sample(kMemorySample, L"サンプル", 15, 20, 100, 48);
  b.Label(L"背景色", 130, 23, 60);
  b.Button(kBackChange, L"変更", 200, 19, 60);
  b.Label(L"文字色", 130, 49, 60);
  b.Button(kFontChange, L"変更", 200, 45, 60);
  b.Label(L"＜選択時背景色＞", 15, 76, 130);
  b.Sample(kSelectSample, L"サンプル", 15, 94, 100, 28);
  b.Button(kSelectChange, L"変更", 130, 97, 60);
  b.Label(L"＜Lock時背景色＞", 15, 128, 130);
  b.Sample(kLockSample, L"サンプル", 15, 146, 100, 28);
  b.Button(kLockChange, L"変更", 130, 149, 60);
  b.Button(kMemoryDefaults, L"デフォルト", 210, 149, 80);
  b.Group(L"ワークスペースの色", 5, 192, 300, 50);
  b.Sample(kWorkspaceSample, L"", 15, 212, 100, 22);
  b.Button(kWorkspaceChange, L"変更", 130, 211, 60);
  b.Button(kWorkspaceDefault, L"デフォルト", 210, 211, 80);
}

void LayOutButtons(PageBuilder& b) {
  b.Group(L"オプションボタンの表示", 5, 0, 300, 88);
  b.Check(kShowCopyButton, L"コピー", 20, 18, 120);
  b.Check(kShowPasteButton, L"貼り付け", 20, 40, 120);
  b.Check(kShowCutButton, L"切り取り", 20, 62, 120);
  b.Check(kShowUndoButton, L"アンドゥ", 160, 18, 120);
  b.Check(kShowRedoButton, L"リドゥ", 160, 40, 120);
  b.Check(kShowAllEraseButton, L"メモリ全消去", 160, 62, 120);
  b.Group(L"メモリ内容のプレビュー表示", 5, 94, 300, 62);
  b.Check(kShowPreview, L"プレビューの表示", 15, 112, 280);
  b.Check(kPreviewBelow, L"プレビューをメインウインドウの下に表示する", 15, 134, 285);
  b.Group(L"メモリ番号の表示", 5, 162, 300, 42);
  b.Check(kShowMemoryNumber, L"メモリ番号を表示する", 15, 180, 270);
}

void LayOutTabStops(PageBuilder& b) {
  static const wchar_t* const names[7] = {L"コピー", L"貼り付け",     L"切り取り", L"アンドゥ",
                                          L"リドゥ", L"メモリ全消去", L"メモリ"};
  b.Group(L"Tab順序 ", 5, 0, 300, 176);
  for (int i = 0; i < kTabFieldCount; ++i) {
    const int column = i / 3, row = i % 3;
    const int x = i == 6 ? 80 : 15 + 150 * column;
    const int y = i == 6 ? 110 : 22 + 28 * row;
    b.Label(names[i], x, y + 3, i == 6 ? 60 : 80);
    b.Number(TabField(i), i == 6 ? 145 : x + 85, y, 25, 1);
  }
  b.Label(L"（Tabストップなしの場合→0に設定）", 15, 146, 285);
}

void LayOutVersion(PageBuilder& b) {
  b.Add(WC_STATICW, kIcon, L"", SS_ICON, 40, 40, 32, 32);
  b.Add(WC_STATICW, kProductName, L"Korvane", SS_LEFT | SS_NOPREFIX, 90, 30, 200, 42);
  b.Add(WC_STATICW, kVersion, L"Version " KORVANE_VERSION_WIDE, SS_LEFT | SS_NOPREFIX, 92, 72, 200, kLine);
}

}  // namespace

HWND PageBuilder::Add(const wchar_t* windowClass, int id, const wchar_t* text, DWORD style, int x,
                      int y, int width, int height, DWORD extendedStyle) {
  const DWORD visible = (style & WS_VISIBLE) ? 0 : WS_VISIBLE;
  const HWND control = CreateWindowExW(
      extendedStyle, windowClass, text, WS_CHILD | visible | style, x, y, width, height, page_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return control;
}

void PageBuilder::Group(const wchar_t* text, int x, int y, int width, int height) {
  Add(WC_BUTTONW, -1, text, BS_GROUPBOX, x, y, width, height);
}

HWND PageBuilder::Label(const wchar_t* text, int x, int y, int width, int id) {
  return Add(WC_STATICW, id, text, SS_LEFT | SS_NOPREFIX, x, y, width, kLine);
}

void PageBuilder::Check(int id, const wchar_t* text, int x, int y, int width, DWORD more) {
  // `more` without WS_VISIBLE: a box kept hidden.
  const HWND box = CreateWindowExW(
      0, WC_BUTTONW, text, WS_CHILD | WS_TABSTOP | BS_AUTOCHECKBOX | more, x, y, width, kLine,
      page_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

void PageBuilder::Radio(int id, const wchar_t* text, int x, int y, int width, bool first) {
  Add(WC_BUTTONW, id, text, BS_AUTORADIOBUTTON | (first ? WS_GROUP | WS_TABSTOP : 0), x, y, width,
      kLine);
}

void PageBuilder::Number(int id, int x, int y, int width, int digits) {
  const HWND edit = Add(WC_EDITW, id, L"", WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL, x, y, width,
                        kFieldHigh, WS_EX_CLIENTEDGE);
  SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(digits), 0);
  const HWND upDown =
      Add(UPDOWN_CLASSW, UpDownOf(id), L"", UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
          x + width, y, 16, kFieldHigh);
  SendMessageW(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
}

void PageBuilder::Button(int id, const wchar_t* text, int x, int y, int width) {
  Add(WC_BUTTONW, id, text, WS_TABSTOP | BS_PUSHBUTTON, x, y, width, 22);
}

void PageBuilder::Sample(int id, const wchar_t* text, int x, int y, int width, int height) {
  Add(WC_STATICW, id, text, SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, x, y, width, height,
      WS_EX_STATICEDGE);
}

void LayOutPage(int page, PageBuilder& builder) {
  using LayOut = void (*)(PageBuilder&);
  static const LayOut pages[8] = {LayOutBehaviour, LayOutSaving,  LayOutStartup,  LayOutMemories,
                                  LayOutColors,    LayOutButtons, LayOutTabStops, LayOutVersion};
  if (page >= 0 && page < 8) pages[page](builder);
}

}  // namespace korvane::platform::win32::options
