// The highlight of the focused memory, and the preview of a memory's whole text that opens
// when the mouse comes onto its button or the button receives the focus.
#include "app/Main.h"
#include "layout/Preview.h"

namespace korvane {

MemoryItem* TForm1::MemoryAt(int x, int y) const {
  MemoryItem* item = LockedTable ? LockedTable->ItemAt(x, y) : nullptr;
  if (!item && UnlockedTable) item = UnlockedTable->ItemAt(x, y);
  return item;
}

void TForm1::ApplicationHint() {
  if (!Config.ShowPreview || Slide != SlideState::Expanded) return;
  platform::Point cursor;
  if (!System.Desk().CursorPos(cursor)) return;
  MemoryItem* item = MemoryAt(cursor.X - Left(), cursor.Y - Top());
  if (item && item != Shared.PreviewItem) {
    Shared.PreviewItem = item;
    ShowPreviewAt(cursor.X, cursor.Y);
  } else {
    // Off the memories, or back onto the one shown: closed either way.
    HidePreview();
  }
}

void TForm1::ShowPreviewAt(int x, int y) {
  if (!Shared.PreviewItem) return;
  PreviewPlace place;
  place.At = platform::Point{x, y};
  place.Below = Config.PreviewBelow;
  place.MainWindow = Window->BoundsRect();
  if (!System.Desk().ScreenRect(place.Screen)) return;
  Preview->Show(*Shared.PreviewItem, place);
}

void TForm1::HidePreview() {
  Shared.PreviewItem = nullptr;
  if (Preview) Preview->Close();
}

void TForm1::UMMemoryEnter() {
  MemoryItem* item = Shared.FocusedItem;
  if (!item) return;
  item->Panel->SetColor(Config.MemorySelectColor);
  if (!Config.ShowPreview || Slide != SlideState::Expanded) return;
  Shared.PreviewItem = item;
  const platform::Rect button = item->GetRect();
  ShowPreviewAt(Left() + button.Left, Top() + button.Top);
}

void TForm1::UMMemoryLeave() {
  if (MemoryItem* item = Shared.LeftItem) {
    item->Panel->SetColor(item->Locked() ? Shared.MemoryLockColor : Shared.MemoryBackColor);
  }
  HidePreview();
}

void TForm1::ClosePreviewOfGoneMemory() {
  // The memory shown was dropped (a capture beyond the limit, erase-all, a group change).
  if (!Shared.PreviewItem && Preview && Preview->IsOpen()) Preview->Close();
}

}  // namespace korvane
