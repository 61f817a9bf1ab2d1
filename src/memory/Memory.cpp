#include "memory/Memory.h"

#include <string>
#include <utility>

#include "memory/TargetWindow.h"

namespace korvane {

using platform::Bevel;
using platform::MouseButton;

namespace {
constexpr int kColumnPitchBase = kPanelWidth + 1 + kLockButtonSize;  // 151
constexpr int kLockOffset = kPanelWidth + 1;                         // 131
constexpr int kFirstRowTop = 40;
constexpr int kRowPitch = 25;
}  // namespace

std::string CaptionOf(const std::string& text) { return text.substr(0, kCaptionBytes); }

MemoryItem::MemoryItem(MemoryOwner& owner, std::string text, bool locked,
                       platform::UnicodeText exact)
    : Text(std::move(text)), Exact(std::move(exact)), Owner(owner) {
  const MemoryShared& shared = owner.Shared;
  Panel = owner.Window.CreatePanel(*this);
  Panel->SetBounds(0, 0, kPanelWidth, kPanelHeight);
  Panel->SetCaption(CaptionOf(Text));
  Panel->SetBevels(Bevel::Raised, Bevel::None);
  Panel->SetColor(locked ? shared.MemoryLockColor : shared.MemoryBackColor);
  Panel->SetFontColor(shared.MemoryFontColor);
  Panel->SetTabStop(true);
  // The preview recognises memory panels by this non-empty hint.
  Panel->SetHint("0");
  Panel->SetVisible(false);

  LockButton = owner.Window.CreateToggleButton(*this);
  LockButton->SetBounds(0, 0, kLockButtonSize, kLockButtonSize);
  LockButton->SetGlyph(shared.LockGlyph);
  LockButton->SetDown(locked);
  LockButton->SetVisible(false);
}

MemoryItem::MemoryItem(MemoryOwner& owner, std::string text, platform::UnicodeText exact,
                       NoButtons)
    : Text(std::move(text)), Exact(std::move(exact)), Owner(owner) {}

MemoryItem::~MemoryItem() {
  // The shared pointers must never outlive the item they name.
  auto forget = [this] {
    MemoryShared& shared = Owner.Shared;
    if (shared.LockChangedItem == this) shared.LockChangedItem = nullptr;
    if (shared.FocusedItem == this) shared.FocusedItem = nullptr;
    if (shared.LeftItem == this) shared.LeftItem = nullptr;
    if (shared.PreviewItem == this) shared.PreviewItem = nullptr;
  };
  forget();
  Panel.reset();
  LockButton.reset();
  forget();
}

void MemoryItem::Paste() {
  // Putting the text on the clipboard may drop this very item (the capture of that change
  // removes the oldest memory): copy what the later steps need and touch nothing of the item
  // after SetText.
  platform::Platform& system = Owner.System;
  const std::string text = Text;
  const platform::UnicodeText exact = Exact;

  BringOwnWindowForward(system);
  if (!system.Clip().SetText(text, exact)) return;
  const platform::WindowHandle target = ActivateWindowBelow(system);
  SendControlShortcutTo(system.Desk(), target, kVkV);
}

void MemoryItem::PlaceAt(int width, bool growLeft, int row, int column) {
  const int margin = Owner.Shared.NumberMargin;
  const int pitch = margin + kColumnPitchBase;
  const int left = growLeft ? width - (column + 1) * pitch : margin + column * pitch;
  const int top = kFirstRowTop + kRowPitch * row;
  Panel->SetBounds(left, top, kPanelWidth, kPanelHeight);
  LockButton->SetBounds(left + kLockOffset, top, kLockButtonSize, kLockButtonSize);
  SetVisible(true);
}

void MemoryItem::UpdateColor() {
  const MemoryShared& shared = Owner.Shared;
  Panel->SetColor(LockButton->Down() ? shared.MemoryLockColor : shared.MemoryBackColor);
  Panel->SetFontColor(shared.MemoryFontColor);
}

platform::Rect MemoryItem::GetRect() const { return Panel->BoundsRect(); }

void MemoryItem::SetVisible(bool on) {
  Panel->SetVisible(on);
  LockButton->SetVisible(on);
}

void MemoryItem::DrawNumber(int number, platform::Canvas& canvas) const {
  const platform::Rect panel = GetRect();
  const int w = number >= 10 ? 13 : 9;
  const platform::Color saved = canvas.BrushColor();
  canvas.SetBrushColor(platform::ClWhite);
  canvas.Rectangle(panel.Left - w - 2, panel.Top + 3, panel.Left - 2, panel.Top + 16);
  canvas.TextOut(panel.Left - w, panel.Top + 4, std::to_string(number));
  canvas.SetBrushColor(saved);
}

bool MemoryItem::AtRest() const {
  // A preview stays with its memory either way: the panel it opened over shows another one
  // now, and the next move of the mouse over it is seen as a move onto another memory.
  return Panel && Owner.Shared.FocusedItem != this && Panel->BevelInner() == Bevel::None &&
         !LockButton->Held();
}

MemoryItem::Buttons MemoryItem::GiveUpButtons() {
  if (Panel) Panel->PassRestoredFocus(nullptr);
  return Buttons{std::move(Panel), std::move(LockButton)};
}

MemoryItem::Buttons MemoryItem::TakeButtons(Buttons buttons) {
  // A memory without buttons of its own is a new copy: unlocked.
  const bool locked = LockButton && LockButton->Down();
  Buttons own{std::move(Panel), std::move(LockButton)};
  Panel = std::move(buttons.Panel);
  LockButton = std::move(buttons.LockButton);
  Panel->SetEvents(*this);
  LockButton->SetEvents(*this);
  if (own.Panel) own.Panel->PassRestoredFocus(Panel.get());
  // The setters leave alone what is already so (the lock and colour of the unlocked memories
  // all alike); the caption is another memory's.
  LockButton->SetDown(locked);
  UpdateColor();
  captionPending_ = true;
  return own;
}

void MemoryItem::ShowCaption() {
  captionPending_ = false;
  Panel->SetCaption(CaptionOf(Text));
}

void MemoryItem::ShowRaised() { Panel->SetBevels(Bevel::Raised, Bevel::None); }
void MemoryItem::ShowPressed() { Panel->SetBevels(Bevel::None, Bevel::Lowered); }

void MemoryItem::PanelMouseDown(MouseButton button, int, int) {
  if (button != MouseButton::Left) return;
  if (Panel->BevelInner() == Bevel::Lowered) {
    ShowRaised();
  } else {
    ShowPressed();
  }
}

void MemoryItem::PanelMouseUp(MouseButton button, int x, int y) {
  if (button != MouseButton::Left) return;
  ShowRaised();
  if (Owner.Shared.DoubleClickPaste) return;
  // The first column and row of pixels do not count as inside.
  if (x > 0 && x < kPanelWidth && y > 0 && y < kPanelHeight) Paste();
}

void MemoryItem::PanelDblClick() {
  if (!Owner.Shared.DoubleClickPaste) return;
  ShowPressed();
  Paste();
}

void MemoryItem::PanelEnter() {
  Owner.Shared.FocusedItem = this;
  Owner.System.Desk().SendMessage(Owner.Shared.MainWindowHandle, UM_MEMORYENTER, 0, 0);
}

void MemoryItem::PanelExit() {
  Owner.Shared.FocusedItem = nullptr;
  Owner.Shared.LeftItem = this;
  Owner.System.Desk().SendMessage(Owner.Shared.MainWindowHandle, UM_MEMORYLEAVE, 0, 0);
}

void MemoryItem::ToggleButtonClick() {
  MemoryShared& shared = Owner.Shared;
  shared.LockChangedItem = this;
  const bool locked = LockButton->Down();
  Panel->SetColor(locked ? shared.MemoryLockColor : shared.MemoryBackColor);
  Owner.System.Desk().SendMessage(shared.MainWindowHandle, UM_LOCKCHANGED, locked ? 0 : 1, 0);
}

}  // namespace korvane
