// Keeps the main window's hold on the clipboard sound: each copy is read once (a flood of
// copies announces some of them after the clipboard has moved on, and reading it twice would
// keep the same text twice); a clipboard that another program holds open is looked at again
// shortly on the window's timer, never by waiting on the window's thread; and a chain that a
// vanished viewer in front of us cut is noticed by the clipboard's change count moving while
// no notification comes.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/Clipboard.h"
#include "platform/MainWindow.h"

namespace korvane {

class ClipboardWatch {
 public:
  // The main window's timers that this uses, with its messages' wParam.
  static constexpr std::uintptr_t kRetryTimer = 0x4B01;
  static constexpr std::uintptr_t kChainTimer = 0x4B02;
  static constexpr int kRetryMs = 50;
  static constexpr int kRetries = 40;  // two seconds of a clipboard held open
  static constexpr int kChainCheckMs = 500;

  ClipboardWatch(platform::Clipboard& clipboard, platform::MainWindow& window);

  // In the viewer chain or out of it: the chain's check runs only in it.
  void Joined();
  void Left();
  bool InChain() const { return joined_; }
  // A notification reached us: the chain works up to here.
  void Notified();

  // One look at the clipboard for a capture, `announced` when a notification asked for it.
  // The copy when it is one not read before; nothing when it was, or when the clipboard is
  // held (a look again is then due on the retry timer).
  std::optional<platform::ClipboardContent> TakeNewCopy(bool announced);
  // The retry timer's tick: true when a look again is due, false when given up or done.
  bool RetryDue();
  // The chain timer's tick: true when the clipboard changed and no notification came for a
  // whole tick, that is, the chain no longer reaches us.
  bool ChainBroken();

 private:
  void StopRetrying();
  // Whether change count a came before b, over the counter's wrap.
  static bool Before(std::uint32_t a, std::uint32_t b) {
    return static_cast<std::int32_t>(a - b) < 0;
  }

  platform::Clipboard& clipboard_;
  platform::MainWindow& window_;
  bool joined_ = false;
  std::optional<std::uint32_t> lastRead_;
  std::uint32_t notified_ = 0;
  // A change seen at the last tick that no notification had announced.
  std::optional<std::uint32_t> unnotified_;
  bool retrying_ = false;
  int retriesLeft_ = 0;
};

}  // namespace korvane
