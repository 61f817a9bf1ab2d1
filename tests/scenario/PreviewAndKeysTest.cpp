// The preview and the focus highlight, and pasting with Enter and the direct-paste keys.
#include <gtest/gtest.h>

#include "app/Messages.h"
#include "memory/TargetWindow.h"
#include "settings/SettingsFile.h"
#include "support/Program.h"

namespace korvane::test {
namespace {

constexpr platform::Color kSelect = 0x00C0FFFF;

class PreviewAndKeysTest : public ::testing::Test {
 protected:
  // Three locked memories L1..L3 and two unlocked U1, U2; the window at (100, 100).
  TForm1& Start(bool showPreview = true) {
    program.Configure([&](StoredSettings& s) {
      s.Left = 100;
      s.Top = 100;
      s.Config.ShowPreview = showPreview;
      s.Config.MemorySelectColor = kSelect;
    });
    PutMemories(program.Files, "デフォルト", {"L1", "L2", "L3"});
    TForm1& form = program.Start();
    program.Copy("U1");
    program.Copy("U2");
    editor = program.OpenEditor();
    program.Desktop.Activate(program.Window().Handle());
    return form;
  }
  // The centre of memory n's button, or of its lock toggle, on the screen.
  platform::Point Centre(const platform::Rect& r) {
    const platform::Rect w = program.Window().Bounds;
    return platform::Point{w.Left + (r.Left + r.Right) / 2, w.Top + (r.Top + r.Bottom) / 2};
  }
  void MouseOnto(platform::Point p) { program.Window().MoveMouse(p.X, p.Y); }
  void MouseOntoMemory(int n) { MouseOnto(Centre(program.PanelOf(n).Bounds)); }
  // The text the open preview shows, "" when none is open.
  std::string Previewed() {
    auto& previews = program.Window().Previews;
    EXPECT_LE(previews.size(), 1u);
    return previews.empty() ? "" : previews.front()->Text;
  }
  fake::FakePreview& Open() { return *program.Window().Previews.at(0); }
  // What the editor received: the clipboard's text, if Ctrl+V reached it.
  std::string Pasted() {
    const auto& keys = program.Desktop.Keys;
    for (std::size_t i = 0; i + 1 < keys.size(); ++i) {
      if (keys[i].key == kVkControl && keys[i + 1].key == kVkV && keys[i].foreground == editor) {
        return program.Clipboard.Contents.value_or("?");
      }
    }
    return "";
  }
  Program program;
  fake::WindowHandle editor = 0;
};

TEST_F(PreviewAndKeysTest, PreviewOpensAndClosesAsTheMouseAndTheFocusMove) {
  TForm1& form = Start();
  auto lockCentre = [&](int n) { return Centre(program.LockOf(n).Bounds); };
  const platform::Point workspace{program.Window().Bounds.Left + 2,
                                  program.Window().Bounds.Top + 2};
  struct Step {
    const char* what;
    std::function<void()> act;
    std::string previewed;  // "" for closed
  };
  const std::vector<Step> steps = {
      {"onto memory 3", [&] { MouseOntoMemory(3); }, "L3"},
      {"within memory 3", [&] {
         platform::Point p = Centre(program.PanelOf(3).Bounds);
         MouseOnto({p.X + 3, p.Y + 1});
       }, "L3"},
      {"onto its lock", [&] { MouseOnto(lockCentre(3)); }, ""},
      {"onto memory 4", [&] { MouseOntoMemory(4); }, "U1"},
      {"straight onto memory 5", [&] { MouseOntoMemory(5); }, "U2"},
      {"onto the workspace", [&] { MouseOnto(workspace); }, ""},
      {"focus on memory 2", [&] { program.PanelOf(2).Focus(); }, "L2"},
      {"mouse onto the focused memory", [&] { MouseOntoMemory(2); }, ""},
      {"focus on to memory 1", [&] { program.PanelOf(1).Focus(); }, "L1"},
      {"deactivated", [&] { program.Window().Deliver(wm::ActivateApp, 0, 0); }, ""},
      {"onto memory 4 again", [&] { MouseOntoMemory(4); }, "U1"},
      {"off the window", [&] { MouseOnto({5, 5}); }, ""},
  };
  for (const Step& step : steps) {
    step.act();
    EXPECT_EQ(Previewed(), step.previewed) << step.what;
    EXPECT_EQ(form.Shared.PreviewItem != nullptr, !step.previewed.empty()) << step.what;
  }
}

TEST_F(PreviewAndKeysTest, PreviewGoesByTheCursorOrTheButtonAndStaysOnTheScreen) {
  TForm1& form = Start();
  MouseOnto({150, 170});  // memory 2's button: x 120..250, y 165..185
  EXPECT_EQ(Previewed(), "L2");
  platform::Rect r = Open().Bounds;
  EXPECT_EQ(r.Left, 155);
  EXPECT_EQ(r.Top, 190);
  EXPECT_EQ(r.Width(), 2 * 6 + 6);
  EXPECT_EQ(r.Height(), 12 + 2 + 4);
  EXPECT_EQ(Open().BoxWidth, 1280);

  // Opened by the focus: at the button's top-left corner, or under the window.
  program.PanelOf(4).Focus();
  const platform::Rect button = program.PanelOf(4).Bounds;
  EXPECT_EQ(Open().Bounds.Left, 100 + button.Left + 5);
  EXPECT_EQ(Open().Bounds.Top, 100 + button.Top + 20);
  form.Config.PreviewBelow = true;
  program.PanelOf(5).Focus();
  EXPECT_EQ(Open().Bounds.Top, program.Window().Bounds.Bottom + 5);
  EXPECT_EQ(Open().Bounds.Left, 100 + program.PanelOf(5).Bounds.Left + 5);

  // A text of many lines is laid out no taller than the screen, and put back onto it.
  form.Config.PreviewBelow = false;
  std::string tall;
  for (int i = 0; i < 200; ++i) tall += "line\r\n";
  program.Copy(tall);
  MouseOntoMemory(6);
  EXPECT_EQ(Open().MaxHeight, 800 - 6);
  EXPECT_EQ(Open().Bounds.Top, 0);
  EXPECT_EQ(Open().Bounds.Bottom, 800);
}

TEST_F(PreviewAndKeysTest, HighlightFollowsTheFocusAndNoPreviewWithoutItOrWhileSlidIn) {
  TForm1& form = Start(false);
  const platform::Color locked = form.Shared.MemoryLockColor;
  const platform::Color unlocked = form.Shared.MemoryBackColor;
  program.PanelOf(3).Focus();
  EXPECT_EQ(program.PanelOf(3).Color, kSelect);
  program.PanelOf(4).Focus();
  EXPECT_EQ(program.PanelOf(3).Color, locked);
  EXPECT_EQ(program.PanelOf(4).Color, kSelect);
  program.PanelOf(5).Focus();
  EXPECT_EQ(program.PanelOf(4).Color, unlocked);
  MouseOntoMemory(1);
  EXPECT_EQ(program.Window().PreviewsMade, 0);  // previews switched off

  form.Config.ShowPreview = true;
  form.Slide = SlideState::Sliding;
  MouseOntoMemory(2);
  program.PanelOf(2).Focus();
  EXPECT_EQ(program.Window().PreviewsMade, 0);
  EXPECT_EQ(program.PanelOf(2).Color, kSelect);  // highlighted all the same
}

TEST_F(PreviewAndKeysTest, APreviewedMemoryDroppedByACaptureTakesThePreviewWithIt) {
  TForm1& form = Start();
  form.Config.MemoryLimit = 5;  // full: three locked, two unlocked
  MouseOntoMemory(4);
  ASSERT_EQ(Previewed(), "U1");
  program.Copy("U3");  // U1, the oldest unlocked, goes
  EXPECT_EQ(Previewed(), "");
  EXPECT_EQ(form.Shared.PreviewItem, nullptr);
  MouseOntoMemory(4);
  EXPECT_EQ(Previewed(), "U2");
  program.Stop();  // shut-down with a preview open leaves none behind
}

TEST_F(PreviewAndKeysTest, KeysPasteByNumberLockedFirst) {
  TForm1& form = Start();
  struct Case {
    std::vector<std::int16_t> keys;
    std::uint16_t released;
    std::string pasted;
  };
  const std::vector<Case> cases = {
      {{'1', '2', '3', '4', '5', '6'}, '4', "U1"},  // number 4: the first unlocked
      {{'1', '2', '3', '4', '5', '6'}, '3', "L3"},
      {{'1', '2', '3', '4', '5', '6'}, '6', ""},    // number 6: no memory
      {{'A', 'B', 'A'}, 'A', "L1"},                 // the first entry wins
      {{0, 'Q'}, 0, ""},                            // an entry of 0 never matches
      {{0x70, 0x71}, 0x71, "L2"},                   // F2
      {{}, '1', ""},
  };
  for (const Case& c : cases) {
    form.Config.DirectPasteKeys = c.keys;
    program.Desktop.Keys.clear();
    program.Desktop.Activate(program.Window().Handle());
    program.Window().KeyUp(c.released);
    EXPECT_EQ(Pasted(), c.pasted) << "key " << c.released;
  }
}

TEST_F(PreviewAndKeysTest, EnterPastesTheFocusedMemoryAndHeldModifiersAreLetGoFirst) {
  TForm1& form = Start();
  form.Config.DirectPasteKeys = {0x0D};  // Enter is Enter, whatever the entries say
  program.Window().KeyUp(0x0D);
  EXPECT_EQ(Pasted(), "");  // no memory focused

  program.PanelOf(2).Focus();
  program.Desktop.Held = {0xA0, 0xA5};  // left Shift and right Alt still down
  program.Window().KeyUp(0x0D);
  EXPECT_EQ(Pasted(), "L2");
  const std::vector<fake::KeyRecord> expected = {
      {0xA0, platform::kKeyEventKeyUp, editor}, {0xA5, platform::kKeyEventKeyUp, editor},
      {kVkControl, 0, editor}, {kVkV, 0, editor},
      {kVkV, platform::kKeyEventKeyUp, editor}, {kVkControl, platform::kKeyEventKeyUp, editor}};
  EXPECT_EQ(program.Desktop.Keys, expected);
  EXPECT_TRUE(program.Desktop.Held.empty());  // and not pressed again

  program.Desktop.Keys.clear();
  program.Desktop.Activate(program.Window().Handle());
  program.PanelOf(5).Focus();
  program.Window().KeyUp(0x0D);
  EXPECT_EQ(Pasted(), "U2");
}

TEST_F(PreviewAndKeysTest, APressOnAMemoryPastesWithoutTakingTheFocus) {
  TForm1& form = Start();
  program.PanelOf(1).Focus();
  program.PanelOf(3).Click();
  EXPECT_EQ(Pasted(), "L3");
  EXPECT_EQ(form.Shared.FocusedItem, program.Memories()[0]);
  EXPECT_EQ(program.PanelOf(3).Color, form.Shared.MemoryLockColor);
}

}  // namespace
}  // namespace korvane::test
