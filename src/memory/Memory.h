// One memory: a copied text shown as a raised panel with a lock toggle to its right.
#pragma once

#include <memory>
#include <string>

#include "memory/MemoryOwner.h"
#include "platform/Canvas.h"
#include "platform/Panel.h"
#include "platform/ToggleButton.h"

namespace korvane {

constexpr int kPanelWidth = 130;
constexpr int kPanelHeight = 20;
constexpr int kLockButtonSize = 20;
constexpr int kCaptionBytes = 24;

// The caption of a memory: its first 24 bytes.
std::string CaptionOf(const std::string& text);

class MemoryItem final : private platform::PanelEvents, private platform::ToggleButtonEvents {
 public:
  // A memory's panel and lock toggle, as one memory hands them on to another.
  struct Buttons {
    std::unique_ptr<platform::Panel> Panel;
    std::unique_ptr<platform::ToggleButton> LockButton;
  };

  // Makes the panel and the lock toggle on the owner's window, both hidden until PlaceAt.
  MemoryItem(MemoryOwner& owner, std::string text, bool locked, platform::UnicodeText exact = {});
  // An unlocked memory that makes no buttons of its own: it is shown on buttons that another
  // memory hands on (TakeButtons) before anything else is done with it.
  struct NoButtons {};
  MemoryItem(MemoryOwner& owner, std::string text, platform::UnicodeText exact, NoButtons);
  ~MemoryItem();
  MemoryItem(const MemoryItem&) = delete;
  MemoryItem& operator=(const MemoryItem&) = delete;

  std::unique_ptr<platform::Panel> Panel;
  std::unique_ptr<platform::ToggleButton> LockButton;
  MemoryItem* Next = nullptr;
  const std::string Text;
  // The text exactly as it was copied in this run, when code page 932 cannot hold it: what a
  // paste gives back. Empty otherwise (and always for a memory read from its file).
  const platform::UnicodeText Exact;

  bool Locked() const { return LockButton->Down(); }

  // Puts the text on the clipboard and Ctrl+V into the window the user worked in before;
  // without the text on the clipboard (another program holds it) no key is sent, or the
  // target would get what the clipboard held before. The item may be destroyed while this
  // runs (its own clipboard change can drop it).
  void Paste();
  void PlaceAt(int width, bool growLeft, int row, int column);
  void UpdateColor();
  platform::Rect GetRect() const;
  void SetVisible(bool on);
  void DrawNumber(int number, platform::Canvas& canvas) const;

  // The memory can take over the buttons of another place without the user losing track:
  // its panel has neither the focus nor a press, its lock toggle is not held.
  bool AtRest() const;
  // Hands the buttons on, for the memory that is about to go; it shows nowhere after it.
  Buttons GiveUpButtons();
  // Takes `buttons`, which stand where this memory now belongs, and hands back its own (none
  // for a memory without), which still show it until another memory takes them. The panel
  // keeps the caption it had until ShowCaption.
  Buttons TakeButtons(Buttons buttons);
  // The panel taken over still shows the caption of the memory before, until ShowCaption.
  bool CaptionPending() const { return captionPending_; }
  void ShowCaption();

 private:
  void PanelMouseDown(platform::MouseButton button, int x, int y) override;
  void PanelMouseUp(platform::MouseButton button, int x, int y) override;
  void PanelDblClick() override;
  void PanelEnter() override;
  void PanelExit() override;
  void ToggleButtonClick() override;

  void ShowRaised();
  void ShowPressed();

  MemoryOwner& Owner;
  bool captionPending_ = false;
};

}  // namespace korvane
