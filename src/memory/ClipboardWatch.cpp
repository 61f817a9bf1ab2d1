#include "memory/ClipboardWatch.h"

namespace korvane {

using Kind = platform::ClipboardContent::Kind;

ClipboardWatch::ClipboardWatch(platform::Clipboard& clipboard, platform::MainWindow& window)
    : clipboard_(clipboard), window_(window) {}

void ClipboardWatch::Joined() {
  joined_ = true;
  unnotified_.reset();
  notified_ = clipboard_.SequenceNumber();
  window_.SetTimer(kChainTimer, kChainCheckMs);
}

void ClipboardWatch::Left() {
  joined_ = false;
  window_.KillTimer(kChainTimer);
  StopRetrying();
}

void ClipboardWatch::Notified() {
  const std::uint32_t now = clipboard_.SequenceNumber();
  if (Before(notified_, now)) notified_ = now;
}

std::optional<platform::ClipboardContent> ClipboardWatch::TakeNewCopy(bool announced) {
  platform::ClipboardContent content = clipboard_.Read();
  // Reading may count as a change where the copying program renders on request.
  Notified();
  if (content.What == Kind::Busy) {
    // A copy just announced gets the whole time again.
    if (announced || !retrying_) retriesLeft_ = kRetries;
    if (!retrying_) {
      retrying_ = true;
      window_.SetTimer(kRetryTimer, kRetryMs);
    }
    return std::nullopt;
  }
  StopRetrying();
  if (lastRead_ == content.Sequence) return std::nullopt;
  lastRead_ = content.Sequence;
  return content;
}

bool ClipboardWatch::RetryDue() {
  if (!retrying_ || retriesLeft_-- <= 0) {
    StopRetrying();
    return false;
  }
  return true;
}

void ClipboardWatch::StopRetrying() {
  if (!retrying_) return;
  retrying_ = false;
  window_.KillTimer(kRetryTimer);
}

bool ClipboardWatch::ChainBroken() {
  if (!joined_) return false;
  const std::uint32_t now = clipboard_.SequenceNumber();
  if (!Before(notified_, now)) {
    unnotified_.reset();
    return false;
  }
  // Notifications travel down the chain for a while; only a change that a whole tick later
  // has still not been announced tells of a break.
  if (unnotified_ && Before(notified_, *unnotified_)) {
    unnotified_.reset();
    return true;
  }
  unnotified_ = now;
  return false;
}

}  // namespace korvane
