// Data\Setting.dat: what the writer writes, what the reader makes of every version and of a
// damaged file.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "settings/SettingLabels.h"
#include "settings/SettingsFile.h"
#include "support/Support.h"

namespace korvane::test {
namespace {

std::string ShippedFile() {
  std::ifstream in(std::string(KORVANE_DATA_DIR) + "/Setting.dat", std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(SettingLabels, AreTheJapaneseLabelsInCodePage932) {
  const char* utf8[] = {"バージョン情報", "Formの位置", "常に手前に表示", "自動ウインドウ隠れ",
      "隠れ時ウインドウ幅", "ワークスペースの色", "Copyボタンの有無", "Pasteボタンの有無",
      "Cutボタンの有無", "AllEraseボタンの有無", "Undoボタンの有無", "Redoボタンの有無",
      "最大メモリ数", "列内メモリ数", "メモリ背景色", "メモリフォント色", "メモリ選択時色",
      "タブオーダー", "ホットキー", "ウインドウの伸びる方向", "プレビューの表示",
      "プレビューをウインドウの下に表示する", "Lock設定変更時に保存", "Unlockメモリの保存",
      "ショートカットの数", "ダイレクトショートカット", "自動隠れ時待ち時間", "隠れ時スクロール量",
      "同一内容は記憶しない", "ダブルクリックで貼り付け", "手動でメモリ記憶",
      "「クリップボードの監視」の次起動有効", "クリップボードの監視", "メモリ番号の表示",
      "メモリLock時色", "「ウインドウの非表示」の次回起動時有効", "ウインドウの非表示",
      "ウインドウの非表示の左クリック解除"};
  for (int i = 0; i < 38; ++i) {
    EXPECT_EQ(kSettingLabels[i], "/////" + Sjis(utf8[i]) + "/////") << i + 1;
  }
}

TEST(SettingsFile, ShippedFileIsWhatTheWriterWritesForTheDefaults) {
  StoredSettings defaults;
  EXPECT_EQ(WriteSettingsFile(defaults), ShippedFile());
  StoredSettings read;
  read.Config.MemoryLimit = 77;  // must be overwritten
  SettingsReadResult result = ReadSettingsFile(ShippedFile(), read);
  EXPECT_TRUE(result.Complete);
  EXPECT_EQ(result.Version, 1210);
  EXPECT_EQ(WriteSettingsFile(read), ShippedFile());
}

TEST(SettingsFile, WriterFollowsTheEntryTable) {
  StoredSettings s;
  s.Config.DirectPasteKeys = {0x41};
  s.Config.WorkspaceColor = static_cast<platform::Color>(0x8000000F);
  s.Top = -5;
  s.Left = 767;
  const std::string file = WriteSettingsFile(s);
  EXPECT_NE(file.find(std::string(kSettingLabels[5]) + "\r\n-2147483633\r\n"), std::string::npos);
  EXPECT_NE(file.find(std::string(kSettingLabels[1]) + "\r\n-5 767\r\n"), std::string::npos);
  EXPECT_NE(file.find(std::string(kSettingLabels[18]) + "\r\n123\r\n17\r\n"), std::string::npos);
  EXPECT_NE(file.find(std::string(kSettingLabels[24]) + "\r\n1\r\n" + kSettingLabels[25] +
                      "\r\n65\r\n" + kSettingLabels[26]),
            std::string::npos);
  EXPECT_EQ(file.rfind(std::string(kSettingLabels[0]) + "\r\n1210\r\n", 0), 0u);
  EXPECT_EQ(file.find('\n') - 1, file.find('\r'));  // every line ends CR LF
  EXPECT_EQ(file.substr(file.size() - 2), "\r\n");

  s.Config.DirectPasteKeys.clear();
  const std::string none = WriteSettingsFile(s);
  EXPECT_EQ(none.find(kSettingLabels[25]), std::string::npos);
  EXPECT_NE(none.find(std::string(kSettingLabels[24]) + "\r\n0\r\n" + kSettingLabels[26]),
            std::string::npos);
}

TEST(SettingsFile, RoundTripKeepsEveryValue) {
  for (int shortcuts : {0, 1, 50}) {
    StoredSettings s;
    Settings& c = s.Config;
    c.AlwaysOnTop = false;
    c.AutoHide = true;
    c.HiddenWidth = 35;
    c.WorkspaceColor = 0x00123456;
    c.ShowCutButton = false;
    c.MemoryLimit = 99;
    c.MemoriesPerColumn = 20;
    c.MemorySelectColor = static_cast<platform::Color>(0x8000000D);
    c.TabOrder = 7654321;
    c.HotKeyCode = 0x5A;
    c.HotKeyModifier = 18;
    c.GrowLeft = shortcuts == 1;
    c.SaveUnlocked = true;
    c.DirectPasteKeys.assign(shortcuts, 0);
    for (int i = 0; i < shortcuts; ++i) c.DirectPasteKeys[i] = static_cast<std::int16_t>(0x60 + i);
    c.HideWait = 1000;
    c.ScrollAmount = 0;
    c.KeepWatchAtStart = true;
    c.WatchClipboard = false;
    c.ShowMemoryNumber = false;
    c.KeepHiddenAtStart = true;
    c.TrayClickUnhides = false;
    s.Top = 0;
    s.Left = -20;
    s.MemoryBackColor = static_cast<platform::Color>(0x80000005);
    s.MemoryLockColor = 0;
    s.DoubleClickPaste = true;
    s.WindowHidden = true;

    StoredSettings back;
    ASSERT_TRUE(ReadSettingsFile(WriteSettingsFile(s), back).Complete);
    EXPECT_EQ(WriteSettingsFile(back), WriteSettingsFile(s)) << shortcuts;
    EXPECT_EQ(back.Config.DirectPasteKeys, c.DirectPasteKeys);
    EXPECT_FALSE(back.Config.WatchClipboard);
    EXPECT_TRUE(back.WindowHidden);
    EXPECT_EQ(back.Left, -20);
    EXPECT_EQ(back.MemoryBackColor, static_cast<platform::Color>(0x80000005));
  }
}

TEST(SettingsFile, SixteenBitSettingsAreTruncatedAndFlagsAreZeroOrOne) {
  StoredSettings s;
  std::string file = WriteSettingsFile(s);
  auto replaceValue = [&](int entry, const std::string& from, const std::string& to) {
    const std::string key = std::string(kSettingLabels[entry - 1]) + "\r\n" + from + "\r\n";
    auto at = file.find(key);
    ASSERT_NE(at, std::string::npos) << entry;
    file.replace(at, key.size(), std::string(kSettingLabels[entry - 1]) + "\r\n" + to + "\r\n");
  };
  replaceValue(3, "1", "5");         // AlwaysOnTop stored as 5
  replaceValue(4, "0", "-3");        // AutoHide stored as -3
  replaceValue(19, "123", "65658");  // 0x1007A: low 16 bits 0x7A
  replaceValue(28, "20", "65556");   // ScrollAmount: low 16 bits 20
  StoredSettings back;
  ASSERT_TRUE(ReadSettingsFile(file, back).Complete);
  EXPECT_TRUE(back.Config.AlwaysOnTop);
  EXPECT_TRUE(back.Config.AutoHide);
  EXPECT_EQ(back.Config.HotKeyCode, 0x7A);
  EXPECT_EQ(back.Config.ScrollAmount, 20);
  const std::string rewritten = WriteSettingsFile(back);
  EXPECT_NE(rewritten.find(std::string(kSettingLabels[2]) + "\r\n1\r\n"), std::string::npos);
}

// Version 1000: no version entry; 1100 adds entries 30 and 31; 1200 the rest.
std::string OldFile(int version) {
  StoredSettings s;
  s.Config.DirectPasteKeys = {0x31};
  s.MemoryBackColor = 0x0000FF;
  s.MemoryLockColor = 0x00FF00;
  s.DoubleClickPaste = true;
  s.Config.ShowMemoryNumber = true;
  std::string full = WriteSettingsFile(s);
  auto cutBefore = [&](int entry) { return full.substr(0, full.find(kSettingLabels[entry - 1])); };
  std::string file = version == 1000 ? cutBefore(30) : version == 1100 ? cutBefore(32) : full;
  if (version == 1000) {
    file = file.substr(file.find(kSettingLabels[1]));  // no version entry
  } else {
    file.replace(file.find("1210"), 4, std::to_string(version));
  }
  return file;
}

TEST(SettingsFile, OlderVersionsGetWhatTheyLack) {
  StoredSettings v1000;
  SettingsReadResult r = ReadSettingsFile(OldFile(1000), v1000);
  EXPECT_EQ(r.Version, 1000);
  EXPECT_TRUE(r.Complete);
  EXPECT_FALSE(v1000.DoubleClickPaste);
  EXPECT_FALSE(v1000.Config.ManualMemory);
  EXPECT_TRUE(v1000.Config.WatchClipboard);
  EXPECT_TRUE(v1000.Config.KeepWatchAtStart);
  EXPECT_FALSE(v1000.Config.ShowMemoryNumber);
  EXPECT_EQ(v1000.MemoryLockColor, 0x0000FF);  // the back colour
  EXPECT_FALSE(v1000.WindowHidden);
  EXPECT_FALSE(v1000.Config.TrayClickUnhides);
  EXPECT_EQ(v1000.Config.DirectPasteKeys, std::vector<std::int16_t>{0x31});

  StoredSettings v1100;
  ASSERT_TRUE(ReadSettingsFile(OldFile(1100), v1100).Complete);
  EXPECT_TRUE(v1100.DoubleClickPaste);
  EXPECT_FALSE(v1100.Config.ShowMemoryNumber);
  EXPECT_EQ(v1100.MemoryLockColor, 0x0000FF);

  StoredSettings v1200;
  ASSERT_TRUE(ReadSettingsFile(OldFile(1200), v1200).Complete);
  EXPECT_TRUE(v1200.Config.ShowMemoryNumber);
  EXPECT_EQ(v1200.MemoryLockColor, 0x00FF00);
}

TEST(SettingsFile, KeepFlagsDecideTheWatchAndHiddenStates) {
  struct Case { bool keep; bool stored; bool expected; };
  for (Case c : {Case{false, false, true}, Case{true, false, false}, Case{true, true, true},
                 Case{false, true, true}}) {
    StoredSettings s;
    s.Config.KeepWatchAtStart = c.keep;
    s.Config.WatchClipboard = c.stored;
    s.Config.KeepHiddenAtStart = c.keep;
    s.WindowHidden = c.stored;
    StoredSettings back;
    ReadSettingsFile(WriteSettingsFile(s), back);
    EXPECT_EQ(back.Config.WatchClipboard, c.expected);
    EXPECT_EQ(back.WindowHidden, c.keep && c.stored);  // never hidden without the keep flag
  }
}

TEST(SettingsFile, DamagedFilesKeepWhatWasReadAndDefaultTheRest) {
  StoredSettings empty;
  EXPECT_FALSE(ReadSettingsFile("", empty).Complete);
  EXPECT_EQ(WriteSettingsFile(empty), ShippedFile());

  // Cut off anywhere: never a crash, every entry before the cut is kept and every one after it
  // keeps its shipped value (a limit of 10, a tray click that unhides).
  StoredSettings custom;
  custom.Config.MemoryLimit = 42;
  custom.Config.TrayClickUnhides = false;
  const std::string full = WriteSettingsFile(custom);
  const std::size_t limitAt = full.find("\r\n42\r\n", full.find(kSettingLabels[12])) + 2;
  for (std::size_t cut = 0; cut < full.size(); ++cut) {
    StoredSettings s;
    SettingsReadResult r = ReadSettingsFile(full.substr(0, cut), s);
    // A cut inside the number leaves its first digit.
    EXPECT_EQ(s.Config.MemoryLimit, cut <= limitAt ? 10 : cut == limitAt + 1 ? 4 : 42) << cut;
    // The last entry's value, with or without its line end, makes the file whole.
    EXPECT_EQ(r.Complete, cut + 2 >= full.size()) << cut;
    EXPECT_EQ(s.Config.TrayClickUnhides, !r.Complete) << cut;
  }

  // A word where a number belongs stops the reading there.
  std::string file = full;
  file.replace(file.find("42"), 2, "forty");
  StoredSettings word;
  EXPECT_FALSE(ReadSettingsFile(file, word).Complete);
  EXPECT_EQ(word.Config.MemoryLimit, 10);

  // A label of any length is read past without harm.
  file = full;
  file.replace(file.find(kSettingLabels[2]), std::string(kSettingLabels[2]).size(),
               std::string(500, 'L'));
  StoredSettings longLabel;
  EXPECT_TRUE(ReadSettingsFile(file, longLabel).Complete);
}

// The shipped file with the value line of `entry` replaced.
std::string ShippedWith(int entry, std::int32_t value) {
  std::string file = WriteSettingsFile(StoredSettings());
  const std::string label = std::string(kSettingLabels[entry - 1]) + "\r\n";
  const std::size_t at = file.find(label) + label.size();
  file.replace(at, file.find("\r\n", at) - at, std::to_string(value));
  return file;
}

std::int32_t ValueOf(const Settings& c, int entry) {
  switch (entry) {
    case 5: return c.HiddenWidth;
    case 13: return c.MemoryLimit;
    case 14: return c.MemoriesPerColumn;
    case 27: return c.HideWait;
    case 28: return c.ScrollAmount;
    case 18: return c.TabOrder;
    default: ADD_FAILURE() << "no field for entry " << entry; return 0;
  }
}

TEST(SettingsFile, ValuesThatWouldBreakTheProgramAreBroughtIntoRange) {
  // Values beyond the options dialog's ranges were set by hand: kept, and written back as read.
  struct Case { int entry; std::int32_t inFile, inMemory; };
  const Case cases[] = {
      {13, 150, 150}, {13, 0, 1}, {13, -3, 1},                        // MemoryLimit
      {14, 500, 500}, {14, 0, 1}, {14, -7, 1},                        // MemoriesPerColumn
      {5, 60, 60}, {5, 0, 0}, {5, -1, 0},                             // HiddenWidth
      {27, 5000, 5000}, {27, 99, 99}, {27, 0, 1}, {27, -20, 1},       // HideWait
      {28, 400, 400}, {28, 0, 0}, {28, -4, 0},                        // ScrollAmount
      {18, -3, -3},                                                   // TabOrder: merely odd
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "entry " << c.entry << " = " << c.inFile);
    StoredSettings back;
    ASSERT_TRUE(ReadSettingsFile(ShippedWith(c.entry, c.inFile), back).Complete);
    EXPECT_EQ(ValueOf(back.Config, c.entry), c.inMemory);
    EXPECT_EQ(WriteSettingsFile(back), ShippedWith(c.entry, c.inMemory));
  }

  // A negative shortcut count means none; a huge one reads what the file holds and stops.
  StoredSettings s;
  std::string file = WriteSettingsFile(s);
  const std::string countLine = std::string(kSettingLabels[24]) + "\r\n9\r\n";
  std::string negative = file;
  negative.replace(negative.find(countLine), countLine.size(),
                   std::string(kSettingLabels[24]) + "\r\n-5\r\n");
  StoredSettings neg;
  ReadSettingsFile(negative, neg);
  EXPECT_TRUE(neg.Config.DirectPasteKeys.empty());
  std::string huge = file;
  huge.replace(huge.find(countLine), countLine.size(),
               std::string(kSettingLabels[24]) + "\r\n32767\r\n");
  StoredSettings big;
  EXPECT_FALSE(ReadSettingsFile(huge, big).Complete);
  // Read by position, the twelve entries after the nine shortcuts count as shortcuts too; the
  // array keeps what was read, not 32767 entries to write back at exit.
  EXPECT_EQ(big.Config.DirectPasteKeys.size(), 21u);
}

}  // namespace
}  // namespace korvane::test
