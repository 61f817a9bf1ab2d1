// The options dialog as the dialog manager shows it, driven by a user on another thread,
// against an editor with simple rules of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "DialogUser.h"

// After DialogUser.h, which brings <windows.h> that it needs.
#include <commctrl.h>

#include "platform/win32/OptionsControls.h"
#include "platform/win32/Win32Dialogs.h"

namespace korvane::platform::win32::test {
namespace {

using namespace options;

class RuleEditor : public OptionsEditor {
 public:
  OptionValues values;
  std::vector<std::string> seen;  // the events, in order
  std::string refusal;
  std::string hotKey = "None";
  int shortcuts = 3;
  std::map<int, std::string> keys;
  int tabNumbers[kTabFieldCount] = {1, 2, 3, 4, 5, 6, 7};

  OptionValues& Values() override { return values; }
  bool HiddenWidthEnabled() const override { return values.AutoHide; }
  bool PreviewBelowEnabled() const override { return values.ShowPreview; }
  void HotKeyDown(int key, bool, bool, bool) override {
    seen.push_back("down " + std::to_string(key));
    hotKey = "Key" + std::to_string(key);
  }
  void HotKeyUp() override { seen.push_back("up"); }
  std::string HotKeyText() const override { return hotKey; }
  int ShortcutCount() const override { return shortcuts; }
  void SetShortcutCount(int count) override { shortcuts = count; }
  std::string ShortcutLabel(int row) const override { return "M" + std::to_string(row + 1); }
  std::string ShortcutText(int row) const override {
    const auto key = keys.find(row);
    return key == keys.end() ? "" : key->second;
  }
  void ShortcutKeyDown(int row, int key) override {
    seen.push_back("shortcut " + std::to_string(row) + " " + std::to_string(key));
    keys[row] = "K" + std::to_string(key);
  }
  // Numbers stay distinct: the field that had the new number takes the old one.
  void TabFieldChanged(int index, const std::string& text) override {
    seen.push_back("tab " + std::to_string(index) + " " + text);
    const int number = std::atoi(text.c_str());
    for (int& other : tabNumbers) {
      if (other == number) other = tabNumbers[index];
    }
    tabNumbers[index] = number;
  }
  int TabNumber(int index) const override { return tabNumbers[index]; }
  void ArmTabStops() override { seen.push_back("arm"); }
  Color lastColor = 0x00123456;
  Color LastChosenColor() const override { return lastColor; }
  void ColorChosen(Color color) override {
    seen.push_back("chosen " + std::to_string(color));
    lastColor = color;
  }
  bool AllSamplesInFontColor() const override { return false; }
  void FontColorChosenForAllSamples() override { seen.push_back("font for all"); }
  void MemoryColorDefaults() override {
    seen.push_back("memory defaults");
    values.MemoryBackColor = 0x00FF0000;
  }
  void WorkspaceColorDefault() override { seen.push_back("workspace default"); }
  void ShowHelp() override { seen.push_back("help"); }
  std::string OkRefusal() const override { return refusal; }
};

HWND Find(HWND dialog, int id) {
  struct Search {
    int id;
    HWND found;
  } search{id, nullptr};
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (GetDlgCtrlID(child) != s->id) return TRUE;
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The text of a tab or list view item, asked with the item structure `item` names it by.
template <typename Item>
std::wstring ItemText(HWND control, UINT message, WPARAM index, Item item) {
  wchar_t text[64] = {};
  item.pszText = text;
  item.cchTextMax = 64;
  Query(control, message, index, reinterpret_cast<LPARAM>(&item));
  return text;
}

Texts TabCaptions(HWND tabs) {
  Texts captions;
  for (int i = 0; i < static_cast<int>(Query(tabs, TCM_GETITEMCOUNT)); ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    captions.push_back(ItemText(tabs, TCM_GETITEMW, i, item));
  }
  return captions;
}

void ClickAt(HWND window, int x, int y) {
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// Shows a page as the user does, by clicking its tab.
void OpenPage(HWND dialog, int page) {
  const HWND tabs = Find(dialog, kTabs);
  RECT item{};
  Query(tabs, TCM_GETITEMRECT, page, reinterpret_cast<LPARAM>(&item));
  ClickAt(tabs, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
  const HWND shown = Find(dialog, kFirstPage + page);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(shown) != FALSE; })) << page;
}

void PressArrow(HWND upDown, bool up) {
  RECT area{};
  GetClientRect(upDown, &area);
  ClickAt(upDown, area.right / 2, up ? area.bottom / 4 : area.bottom * 3 / 4);
}

void Retype(HWND edit, const std::wstring& text) {
  Query(edit, EM_SETSEL, 0, -1);
  Type(edit, text);
}

bool Checked(HWND box) { return Query(box, BM_GETCHECK) == BST_CHECKED; }

class OptionsDialogTest : public DialogsFixture {
 protected:
  bool Edit(const std::function<void(HWND dialog)>& user) {
    DialogUser player(Owner(), L"設定", user);
    return dialogs.EditOptions(OwnerHandle(), editor);
  }

  Win32Dialogs dialogs;
  RuleEditor editor;
};

TEST_F(OptionsDialogTest, OpensOnTheVersionPageWithItsPagesAndButtons) {
  const bool ok = Edit([](HWND dialog) {
    ExpectModalOverTheOwner(dialog);
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 360);
    EXPECT_EQ(client.bottom, 393);
    const HWND tabs = Find(dialog, kTabs);
    EXPECT_EQ(TabCaptions(tabs),
              (Texts{L"動作設定１", L"動作設定２", L"動作設定３", L"メモリ", L"色の設定",
                     L"表示項目", L"Tabストップ設定", L"バージョン情報"}));
    EXPECT_EQ(Query(tabs, TCM_GETCURSEL), 7);
    EXPECT_TRUE(IsWindowVisible(Find(dialog, kFirstPage + 7)));
    EXPECT_FALSE(IsWindowVisible(Find(dialog, kFirstPage)));
    EXPECT_EQ(TextOf(Find(dialog, kProductName)), L"Korvane");
    EXPECT_EQ(TextOf(Find(dialog, kVersion)), L"Version 1.21");
    // The keyboard's order among the dialog's own controls, and OK the default.
    std::vector<int> order;
    for (HWND w = GetWindow(dialog, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
      order.push_back(GetDlgCtrlID(w));
    }
    EXPECT_EQ(order, (std::vector<int>{kHelp, kTabs, 110, 111, 112, 113, 114, 115, 116, 117, IDOK,
                                       IDCANCEL}));
    EXPECT_EQ(TextOf(Find(dialog, kHelp)), L"ヘルプ");
    EXPECT_EQ(TextOf(Find(dialog, IDOK)), L"OK");
    EXPECT_EQ(TextOf(Find(dialog, IDCANCEL)), L"ｷｬﾝｾﾙ");
    EXPECT_EQ(FocusOf(dialog), tabs);
    EXPECT_EQ(LOWORD(Query(dialog, DM_GETDEFID)), IDOK);
    // The version page has nothing to stop at: Tab goes on to OK; on the first page, into it.
    PressKey(tabs, VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog) == Find(dialog, IDOK); }));
    OpenPage(dialog, 0);  // a click on a tab focuses the tabs
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog) == tabs; }));
    PressKey(tabs, VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog) == Find(dialog, kAlwaysOnTop); }));
    Click(Find(dialog, kHelp));
    PressKey(tabs, VK_ESCAPE);
  });
  EXPECT_FALSE(ok);
  EXPECT_TRUE(IsWindowEnabled(Owner()));
  EXPECT_EQ(editor.seen, (std::vector<std::string>{"arm", "help"}));
}

TEST_F(OptionsDialogTest, EveryPageShowsItsControlsWholeWithinTheTabs) {
  Edit([](HWND dialog) {
    for (int page = 0; page < kPageCount; ++page) {
      SCOPED_TRACE(page);
      OpenPage(dialog, page);
      const HWND shown = Find(dialog, kFirstPage + page);
      EXPECT_EQ(CutCaptions(shown), Texts{});
      RECT room{};
      GetClientRect(shown, &room);
      for (HWND child = GetWindow(shown, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, shown, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_LE(rect.bottom, room.bottom) << GetDlgCtrlID(child) << " " << TextOf(child);
        EXPECT_LE(rect.right, room.right) << GetDlgCtrlID(child) << " " << TextOf(child);
      }
    }
    Click(Find(dialog, IDCANCEL));
  });
}

TEST_F(OptionsDialogTest, EndsTrueOnlyByOK) {
  struct Case {
    const char* how;
    std::function<void(HWND dialog)> end;
    bool result;
  };
  const Case cases[] = {
      {"OK", [](HWND d) { Click(Find(d, IDOK)); }, true},
      {"Enter", [](HWND d) { PressKey(Find(d, kTabs), VK_RETURN); }, true},
      {"Cancel", [](HWND d) { Click(Find(d, IDCANCEL)); }, false},
      {"Escape", [](HWND d) { PressKey(Find(d, kTabs), VK_ESCAPE); }, false},
      {"closing", [](HWND d) { PostMessageW(d, WM_CLOSE, 0, 0); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    EXPECT_EQ(Edit(c.end), c.result);
  }
}

TEST_F(OptionsDialogTest, ValuesEditedInTheControlsArriveOnlyAfterOK) {
  editor.values.ScrollAmount = 40;
  editor.values.HideWait = 300;
  editor.values.MemoryLimit = 10;
  editor.values.MemoryLimitMinimum = 5;
  editor.values.ManualMemory = true;
  const auto edit = [](HWND dialog) {
    OpenPage(dialog, 0);
    Click(Find(dialog, kAlwaysOnTop));
    Click(Find(dialog, kGrowLeft));
    PressArrow(Find(dialog, UpDownOf(kScrollAmount)), true);
    const HWND wait = Find(dialog, kHideWait);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(Find(dialog, kScrollAmount)) == L"41"; }));
    Retype(wait, L"5000");  // beyond the range: the highest
    OpenPage(dialog, 3);
    Retype(Find(dialog, kMemoryLimit), L"2");       // below the locked count: the lowest
    Retype(Find(dialog, kMemoriesPerColumn), L"");  // nothing typed: the arrows' position
    OpenPage(dialog, 5);
    Click(Find(dialog, kShowRedoButton));
    EXPECT_TRUE(WaitUntil([&] { return Checked(Find(dialog, kShowRedoButton)); }));
  };
  const OptionValues before = editor.values;
  EXPECT_FALSE(Edit([&](HWND dialog) {
    edit(dialog);
    Click(Find(dialog, IDCANCEL));
  }));
  EXPECT_FALSE(editor.values.AlwaysOnTop);
  EXPECT_EQ(editor.values.ScrollAmount, before.ScrollAmount);

  EXPECT_TRUE(Edit([&](HWND dialog) {
    edit(dialog);
    Click(Find(dialog, IDOK));
  }));
  const OptionValues& v = editor.values;
  EXPECT_TRUE(v.AlwaysOnTop);
  EXPECT_TRUE(v.GrowLeft);
  EXPECT_EQ(v.ScrollAmount, 41);
  EXPECT_EQ(v.HideWait, 1000);
  EXPECT_EQ(v.MemoryLimit, 5);
  EXPECT_EQ(v.MemoriesPerColumn, 1);
  EXPECT_TRUE(v.ShowRedoButton);
  EXPECT_FALSE(v.ShowUndoButton);
  EXPECT_TRUE(v.ManualMemory);  // never shown, passed through
}

TEST_F(OptionsDialogTest, TheEnablingRulesHoldFromOpeningAndFollowTheBoxes) {
  editor.values.AutoHide = false;
  editor.values.ShowPreview = true;
  Edit([](HWND dialog) {
    const auto enabled = [&](int id) { return IsWindowEnabled(Find(dialog, id)) != FALSE; };
    EXPECT_FALSE(enabled(kHiddenWidth));
    EXPECT_FALSE(enabled(UpDownOf(kHiddenWidth)));
    EXPECT_FALSE(enabled(kHiddenWidthLabel));
    EXPECT_TRUE(enabled(kPreviewBelow));
    OpenPage(dialog, 0);
    Click(Find(dialog, kAutoHide));
    EXPECT_TRUE(WaitUntil([&] {
      return enabled(kHiddenWidth) && enabled(UpDownOf(kHiddenWidth)) && enabled(kHiddenWidthLabel);
    }));
    OpenPage(dialog, 5);
    Click(Find(dialog, kShowPreview));
    EXPECT_TRUE(WaitUntil([&] { return !enabled(kPreviewBelow); }));
    Click(Find(dialog, IDCANCEL));
  });
}

TEST_F(OptionsDialogTest, TheHotKeyFieldHandsItsKeysToTheEditorAndShowsItsText) {
  Edit([](HWND dialog) {
    OpenPage(dialog, 1);
    const HWND field = Find(dialog, kHotKey);
    EXPECT_EQ(TextOf(field), L"None");
    PressKey(field, 'Q');
    EXPECT_TRUE(WaitUntil([&] { return TextOf(field) == L"Key81"; }));
    PressKey(field, VK_ESCAPE);  // the field's, not the dialog's
    EXPECT_TRUE(WaitUntil([&] { return TextOf(field) == L"Key27"; }));
    EXPECT_TRUE(IsWindowVisible(dialog));
    Click(Find(dialog, IDCANCEL));
  });
  EXPECT_EQ(editor.seen, (std::vector<std::string>{"arm", "down 81", "up", "down 27", "up"}));
}

TEST_F(OptionsDialogTest, TheGridShowsTheEditorsRowsAndGivesKeysToTheCurrentRow) {
  editor.keys[1] = "F5";
  Edit([](HWND dialog) {
    OpenPage(dialog, 1);
    const HWND grid = Find(dialog, kShortcutGrid);
    const auto cell = [&](int row, int column) {
      LVITEMW item{};
      item.iSubItem = column;
      return ItemText(grid, LVM_GETITEMTEXTW, row, item);
    };
    EXPECT_EQ(Query(grid, LVM_GETITEMCOUNT), 3);
    EXPECT_EQ(cell(0, 0), L"M1");
    EXPECT_EQ(cell(1, 0), L"M2");
    EXPECT_EQ(cell(1, 1), L"F5");
    PressKey(grid, VK_DOWN);
    PressKey(grid, VK_DOWN);
    PressKey(grid, 'A');
    EXPECT_TRUE(WaitUntil([&] { return cell(2, 1) == L"K65"; }));
    PressKey(grid, VK_UP);
    PressKey(grid, VK_F2);
    EXPECT_TRUE(WaitUntil([&] { return cell(1, 1) == L"K113"; }));
    // The count field sets the rows.
    Retype(Find(dialog, kShortcutCount), L"5");
    EXPECT_TRUE(WaitUntil([&] { return Query(grid, LVM_GETITEMCOUNT) == 5; }));
    EXPECT_EQ(cell(4, 0), L"M5");
    Click(Find(dialog, IDCANCEL));
  });
  EXPECT_EQ(editor.seen, (std::vector<std::string>{"arm", "shortcut 2 65", "shortcut 1 113"}));
  EXPECT_EQ(editor.shortcuts, 5);
}

TEST_F(OptionsDialogTest, TabFieldsReportEachChangeAndShowTheEditorsNumbers) {
  Edit([this](HWND dialog) {
    OpenPage(dialog, 6);
    const auto shown = [&] {
      std::vector<std::wstring> numbers;
      for (int i = 0; i < kTabFieldCount; ++i) numbers.push_back(TextOf(Find(dialog, TabField(i))));
      return numbers;
    };
    EXPECT_EQ(shown(), (std::vector<std::wstring>{L"1", L"2", L"3", L"4", L"5", L"6", L"7"}));
    Retype(Find(dialog, TabField(0)), L"3");  // copy takes cut's number, cut copy's
    EXPECT_TRUE(WaitUntil([&] {
      return shown() == std::vector<std::wstring>{L"3", L"2", L"1", L"4", L"5", L"6", L"7"};
    }));
    PressArrow(Find(dialog, UpDownOf(TabField(6))), false);  // memories 7 -> 6, erase-all 7
    EXPECT_TRUE(WaitUntil([&] {
      return shown() == std::vector<std::wstring>{L"3", L"2", L"1", L"4", L"5", L"7", L"6"};
    }));
    Click(Find(dialog, IDCANCEL));
  });
  // Armed before any change, each change reported once, none for the numbers shown back.
  EXPECT_EQ(editor.seen, (std::vector<std::string>{"arm", "tab 0 3", "tab 6 6"}));
}

TEST_F(OptionsDialogTest, OKWithARefusalWarnsAndStaysOpen) {
  editor.refusal = "\x8b\xf3\x82\xc5\x82\xb7";  // 空です
  editor.values.AlwaysOnTop = false;
  EXPECT_FALSE(Edit([](HWND dialog) {
    OpenPage(dialog, 0);
    Click(Find(dialog, kAlwaysOnTop));
    Click(Find(dialog, IDOK));
    const HWND box = WaitForOwned(dialog, L"警告");
    ASSERT_TRUE(box);
    Texts texts = ChildTexts(box);
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(texts, (Texts{L"", L"OK", L"空です"}));
    Click(GetDlgItem(box, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box) && IsWindowVisible(dialog); }));
    Click(Find(dialog, IDCANCEL));
  }));
  EXPECT_FALSE(editor.values.AlwaysOnTop);
}

COLORREF SampleColor(HWND sample) {
  const HDC dc = GetDC(sample);
  const COLORREF color = GetPixel(dc, 3, 3);  // inside the edge, clear of the text
  ReleaseDC(sample, dc);
  return color;
}

TEST_F(OptionsDialogTest, ColoursComeFromTheChooserOpenedOnTheLastAndFromTheDefaults) {
  EXPECT_TRUE(Edit([](HWND dialog) {
    OpenPage(dialog, 4);
    const HWND sample = Find(dialog, kMemorySample);
    Click(Find(dialog, kBackChange));
    std::pair<HWND, HWND> search{dialog, nullptr};
    WaitUntil([&] {
      EnumThreadWindows(
          GetWindowThreadProcessId(dialog, nullptr),
          [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<std::pair<HWND, HWND>*>(param);
            if (GetWindow(window, GW_OWNER) == s->first && IsWindowVisible(window))
              s->second = window;
            return TRUE;
          },
          reinterpret_cast<LPARAM>(&search));
      return search.second != nullptr;
    });
    ASSERT_TRUE(search.second) << "no colour chooser";
    Click(GetDlgItem(search.second, IDOK));  // the colour it opened on
    EXPECT_TRUE(WaitUntil([&] { return SampleColor(sample) == RGB(0x56, 0x34, 0x12); }));
    Click(Find(dialog, kMemoryDefaults));
    EXPECT_TRUE(WaitUntil([&] { return SampleColor(sample) == RGB(0, 0, 0xFF); }));
    Click(Find(dialog, IDOK));
  }));
  EXPECT_EQ(editor.seen, (std::vector<std::string>{"arm", "chosen 1193046", "memory defaults"}));
  EXPECT_EQ(editor.values.MemoryBackColor, 0x00FF0000u);
}

}  // namespace
}  // namespace korvane::platform::win32::test
