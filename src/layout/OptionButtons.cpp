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
  std::string unloaded;
  for (OptionKind kind : OptionCreationOrder()) {
    const OptionSpec& spec = SpecOf(kind);
    if (!(Config.*spec.Shown)) continue;
    auto& slot = OptionButtons[static_cast<int>(kind)];
    slot = std::make_unique<OptionButton>(*Window, kind,
                                          [this](OptionKind clicked) { OptionButtonClick(clicked); });
    // A picture that does not load leaves its button plain but working: a damaged file must
    // not cost the user the clipboard watch that the rest of the start-up sets up.
    try {
      OptionBitmaps.push_back(System.LoadBitmap(DataFilePath(spec.BitmapFile)));
      slot->Button->SetGlyph(OptionBitmaps.back().get());
    } catch (const platform::PlatformError& error) {
      unloaded += (unloaded.empty() ? "" : "\n") + std::string(error.what());
    }
    slot->Button->SetVisible(true);
  }
  // One box for every picture that failed, not one for each.
  if (!unloaded.empty()) ShowError(unloaded);
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
  ActivateTargetWindow(System);
  SendControlShortcut(System.Desk(), SpecOf(kind).Key);
}

}  // namespace korvane
