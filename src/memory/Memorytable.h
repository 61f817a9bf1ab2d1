// An ordered table of memories, a singly linked list from Head (oldest) to Tail (newest).
// The main window keeps two: the locked memories of the current group and the unlocked ones.
#pragma once

#include <cstdint>
#include <string>

#include "memory/Memory.h"
#include "memory/MemoryOwner.h"

namespace korvane {

class SaveBatch;

class MemoryTable {
 public:
  // An empty table.
  MemoryTable(MemoryOwner& owner, bool locked);
  // A table filled at once from a memory folder ("Data\<name>\").
  MemoryTable(MemoryOwner& owner, bool locked, const std::string& folder);
  ~MemoryTable();
  MemoryTable(const MemoryTable&) = delete;
  MemoryTable& operator=(const MemoryTable&) = delete;

  MemoryItem* Head = nullptr;
  MemoryItem* Tail = nullptr;
  std::int32_t Count = 0;
  MemoryOwner& Owner;

  // Creates a memory and appends it; a table holding `limit` memories first drops its Head.
  // A negative limit never drops. `exact`: the copied text when 932 cannot hold it. A full
  // table whose memories are all at rest keeps every button in its place: the memories move
  // through them instead, and their captions follow with ShowCaptions.
  void AddMemory(int limit, bool locked, std::string text, platform::UnicodeText exact = {});
  void PushFront(MemoryItem* item);
  void PushBack(MemoryItem* item);
  // Unlinks without destroying; false (and no change) when the item is not in the table.
  bool Remove(MemoryItem* item);
  void RemoveFirst();

  // Appends the memories stored in the folder ("Data\<name>\"). Returns false when the
  // folder's count file was missing or held no number (the memory files present were then
  // loaded in order).
  bool Load(const std::string& folder, bool locked);
  // Deletes a memory folder ("Data\<name>\") written by Save: its count file, the memory
  // files the count names, then the folder if nothing else is left in it. A missing count
  // file counts 0.
  static void DeleteFolder(platform::FileSystem& files, const std::string& folder);
  // Adds the table's files to a batch that writes them into the folder with others at once.
  void Save(SaveBatch& batch, const std::string& folder) const;

  bool Contains(const std::string& text) const;
  bool ContainsClipboardText();
  MemoryItem* ItemAt(int x, int y) const;
  bool PasteFocused();
  void PasteNth(int n);
  void LayOut(int width, int first, bool growLeft, int perColumn);
  void DrawNumbers(platform::Canvas& canvas, int first) const;
  void UpdateColors();
  void SetVisible(bool on);
  void SetTabStops(bool on);
  void AssignTabOrder(int& counter);
  // Puts the captions on panels that memories took over, `most` of them at a time (the
  // remaining budget is left in it); true when some are still to come.
  bool ShowCaptions(int& most);
  bool CaptionsPending() const;

 private:
  void Clear();
  bool AllAtRest() const;
  // Drops Head and appends `item`, a memory without buttons, on the buttons already standing.
  void ShiftIntoPlace(MemoryItem* item);
};

}  // namespace korvane
