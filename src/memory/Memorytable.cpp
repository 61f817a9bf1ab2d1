#include "memory/Memorytable.h"

#include <utility>

namespace korvane {

MemoryTable::MemoryTable(MemoryOwner& owner, bool) : Owner(owner) {}

MemoryTable::MemoryTable(MemoryOwner& owner, bool locked, const std::string& folder)
    : Owner(owner) {
  Load(folder, locked);
}

MemoryTable::~MemoryTable() { Clear(); }

void MemoryTable::Clear() {
  MemoryItem* item = Head;
  while (item != nullptr) {
    MemoryItem* next = item->Next;
    delete item;
    item = next;
  }
}

void MemoryTable::AddMemory(int limit, bool locked, std::string text,
                            platform::UnicodeText exact) {
  if (Count == limit && Head != nullptr && !locked && AllAtRest()) {
    ShiftIntoPlace(new MemoryItem(Owner, std::move(text), std::move(exact),
                                  MemoryItem::NoButtons{}));
    return;
  }
  auto* item = new MemoryItem(Owner, std::move(text), locked, std::move(exact));
  if (Head == nullptr) {
    Head = Tail = item;
    ++Count;
    return;
  }
  if (Count == limit) {
    MemoryItem* oldest = Head;
    Head = oldest->Next;
    if (Head == nullptr) Tail = nullptr;
    delete oldest;
    --Count;
  }
  PushBack(item);
}

bool MemoryTable::AllAtRest() const {
  for (MemoryItem* item = Head; item != nullptr; item = item->Next) {
    if (!item->AtRest()) return false;
  }
  return true;
}

void MemoryTable::ShiftIntoPlace(MemoryItem* item) {
  // Each memory moves one place towards Head, onto the buttons that stand there, and the new
  // one takes the last place's: the buttons stay where they are, only what they show changes.
  MemoryItem* oldest = Head;
  Head = oldest->Next;
  MemoryItem::Buttons carried = oldest->GiveUpButtons();
  for (MemoryItem* moving = Head; moving != nullptr; moving = moving->Next) {
    carried = moving->TakeButtons(std::move(carried));
  }
  delete oldest;
  item->TakeButtons(std::move(carried));
  if (Head == nullptr) {
    Head = Tail = item;
    item->Next = nullptr;
    return;
  }
  Tail->Next = item;
  Tail = item;
  item->Next = nullptr;
}

void MemoryTable::PushFront(MemoryItem* item) {
  if (Head == nullptr) Tail = item;
  item->Next = Head;
  Head = item;
  ++Count;
}

void MemoryTable::PushBack(MemoryItem* item) {
  if (Head == nullptr) {
    Head = item;
  } else {
    Tail->Next = item;
  }
  Tail = item;
  item->Next = nullptr;
  ++Count;
}

bool MemoryTable::Remove(MemoryItem* item) {
  MemoryItem* previous = nullptr;
  MemoryItem* current = Head;
  while (current != nullptr && current != item) {
    previous = current;
    current = current->Next;
  }
  if (current == nullptr) return false;
  if (previous == nullptr) {
    Head = item->Next;
  } else {
    previous->Next = item->Next;
  }
  if (Tail == item) Tail = previous;
  --Count;
  return true;
}

void MemoryTable::RemoveFirst() {
  MemoryItem* first = Head;
  if (first == nullptr) return;
  Remove(first);
  delete first;
}

bool MemoryTable::Contains(const std::string& text) const {
  for (MemoryItem* item = Head; item != nullptr; item = item->Next) {
    if (item->Text == text) return true;
  }
  return false;
}

bool MemoryTable::ContainsClipboardText() {
  const platform::ClipboardContent content = Owner.System.Clip().Read();
  return content.What == platform::ClipboardContent::Kind::Text && Contains(content.Text);
}

MemoryItem* MemoryTable::ItemAt(int x, int y) const {
  for (MemoryItem* item = Head; item != nullptr; item = item->Next) {
    if (item->GetRect().Contains(platform::Point{x, y})) return item;
  }
  return nullptr;
}

bool MemoryTable::PasteFocused() {
  for (MemoryItem* item = Head; item != nullptr; item = item->Next) {
    if (item->Panel->Focused()) {
      item->Paste();
      return true;
    }
  }
  return false;
}

void MemoryTable::PasteNth(int n) {
  if (n < 1) return;
  MemoryItem* item = Head;
  for (int i = 1; item != nullptr && i < n; ++i) item = item->Next;
  if (item != nullptr) item->Paste();
}

void MemoryTable::LayOut(int width, int first, bool growLeft, int perColumn) {
  int i = first;
  for (MemoryItem* item = Head; item != nullptr; item = item->Next, ++i) {
    item->PlaceAt(width, growLeft, i % perColumn, i / perColumn);
  }
}

bool MemoryTable::ShowCaptions(int& most) {
  for (MemoryItem* item = Head; item != nullptr; item = item->Next) {
    if (!item->CaptionPending()) continue;
    if (most == 0) return true;
    item->ShowCaption();
    --most;
  }
  return false;
}

bool MemoryTable::CaptionsPending() const {
  for (const MemoryItem* item = Head; item != nullptr; item = item->Next) {
    if (item->CaptionPending()) return true;
  }
  return false;
}

void MemoryTable::DrawNumbers(platform::Canvas& canvas, int first) const {
  int number = first;
  for (MemoryItem* item = Head; item != nullptr; item = item->Next) {
    item->DrawNumber(number++, canvas);
  }
}

void MemoryTable::UpdateColors() {
  for (MemoryItem* item = Head; item != nullptr; item = item->Next) item->UpdateColor();
}

void MemoryTable::SetVisible(bool on) {
  for (MemoryItem* item = Head; item != nullptr; item = item->Next) item->SetVisible(on);
}

void MemoryTable::SetTabStops(bool on) {
  for (MemoryItem* item = Head; item != nullptr; item = item->Next) item->Panel->SetTabStop(on);
}

void MemoryTable::AssignTabOrder(int& counter) {
  for (MemoryItem* item = Head; item != nullptr; item = item->Next) {
    item->Panel->SetTabOrder(counter++);
  }
}

}  // namespace korvane
