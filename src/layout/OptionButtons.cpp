// The option buttons above the memories: made from the show flags, each with its picture.
#include "app/Main.h"
#include "groups/DataFolders.h"
#include "memory/TargetWindow.h"

namespace korvane {

void TForm1::CreateOptionButton() {
  int shown = 0;
  for (OptionKind kind : OptionCreationOrder()) shown += Config.*SpecOf(kind).Shown ? 1 : 0;
  if (shown == 0) return;
  OptionBitmaps.reserve(shown);
  for (OptionKind kind : OptionCreationOrder()) {
    const OptionSpec& spec = SpecOf(kind);
    if (!(Config.*spec.Shown)) continue;
    auto& slot = OptionButtons[static_cast<int>(kind)];
    slot = std::make_unique<OptionButton>(*Window, kind,
                                          [this](OptionKind clicked) { OptionButtonClick(clicked); });
    // A picture that does not load ends the start-up here, with the error shown.
    OptionBitmaps.push_back(System.LoadBitmap(DataFilePath(spec.BitmapFile)));
    slot->Button->SetGlyph(OptionBitmaps.back().get());
    slot->Button->SetVisible(true);
  }
}

void TForm1::DeleteOptionButton() {
  for (auto& slot : OptionButtons) slot.reset();
  OptionBitmaps.clear();
}

void TForm1::OptionButtonClick(OptionKind kind) {
  if (kind == OptionKind::AllErase) {
    EraseUnlockedMemories();
    return;
  }
  const platform::WindowHandle target = ActivateTargetWindow(System);
  SendControlShortcutTo(System.Desk(), target, SpecOf(kind).Key);
}

}  // namespace korvane
