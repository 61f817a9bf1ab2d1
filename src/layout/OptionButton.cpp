#include "layout/OptionButton.h"

#include "app/Texts.h"

namespace korvane {

namespace {

const std::array<OptionSpec, kOptionKinds> kSpecs = {{
    {OptionKind::Copy, "Copy.bmp", kHintCopy, 0x43, &Settings::ShowCopyButton},
    {OptionKind::Paste, "Paste.bmp", kHintPaste, 0x56, &Settings::ShowPasteButton},
    {OptionKind::Cut, "Cut.bmp", kHintCut, 0x58, &Settings::ShowCutButton},
    {OptionKind::Undo, "Undo.bmp", kHintUndo, 0x5A, &Settings::ShowUndoButton},
    {OptionKind::Redo, "Redo.bmp", kHintRedo, 0x59, &Settings::ShowRedoButton},
    {OptionKind::AllErase, "AllErase.bmp", kHintAllErase, 0, &Settings::ShowAllEraseButton},
}};

}  // namespace

const OptionSpec& SpecOf(OptionKind kind) { return kSpecs[static_cast<int>(kind)]; }

const std::array<OptionKind, kOptionKinds>& OptionCreationOrder() {
  static const std::array<OptionKind, kOptionKinds> order = {
      OptionKind::AllErase, OptionKind::Redo, OptionKind::Undo,
      OptionKind::Cut,      OptionKind::Paste, OptionKind::Copy};
  return order;
}

OptionButton::OptionButton(platform::MainWindow& window, OptionKind kind,
                           std::function<void(OptionKind)> onClick)
    : Kind(kind), Button(window.CreateImageButton(*this)), onClick_(std::move(onClick)) {
  Button->SetBounds(0, kOptionButtonTop, kOptionButtonSize, kOptionButtonSize);
  Button->SetHint(SpecOf(kind).Hint);
}

void OptionButton::ImageButtonClick() { onClick_(Kind); }

}  // namespace korvane
