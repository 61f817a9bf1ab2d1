// Memory items and tables on a bare fake window, without the rest of the program.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "fake/FakePlatform.h"
#include "memory/Memorytable.h"

namespace korvane::test {

struct SentMessage {
  std::uint32_t message;
  platform::WParam wParam;
  MemoryItem* item;  // what the sender had stored for it
};

class ItemHarness : public platform::MainWindowEvents {
 public:
  ItemHarness()
      : window(platform.Application.CreateMainWindow(*this, "Korvane")),
        owner{platform, *window, shared} {
    shared.MainWindowHandle = window->Handle();
    shared.MemoryBackColor = 0x111111;
    shared.MemoryLockColor = 0x222222;
    shared.MemoryFontColor = 0x333333;
  }

  bool WindowMessage(std::uint32_t message, platform::WParam wParam, platform::LParam,
                     platform::LResult& result) override {
    MemoryItem* item = message == UM_LOCKCHANGED   ? shared.LockChangedItem
                       : message == UM_MEMORYENTER ? shared.FocusedItem
                                                   : shared.LeftItem;
    sent.push_back(SentMessage{message, wParam, item});
    result = 0;
    return true;
  }
  void WindowPaint(platform::Canvas&) override {}
  void WindowShown() override {}
  void MouseHintChanged() override {}

  fake::FakeMainWindow& Window() { return static_cast<fake::FakeMainWindow&>(*window); }
  static fake::FakePanel& PanelOf(MemoryItem* item) {
    return static_cast<fake::FakePanel&>(*item->Panel);
  }
  static fake::FakeToggleButton& LockOf(MemoryItem* item) {
    return static_cast<fake::FakeToggleButton&>(*item->LockButton);
  }
  static std::vector<std::string> Texts(const MemoryTable& table) {
    std::vector<std::string> texts;
    for (MemoryItem* item = table.Head; item != nullptr; item = item->Next) {
      texts.push_back(item->Text);
    }
    return texts;
  }

  fake::FakePlatform platform;
  std::unique_ptr<platform::MainWindow> window;
  MemoryShared shared;
  MemoryOwner owner;
  std::vector<SentMessage> sent;
};

// Count equals the items reachable from Head; Tail is the last of them; both null when empty.
::testing::AssertionResult TableIsConsistent(const MemoryTable& table);

}  // namespace korvane::test
