// The window order of one window's controls as the tab order numbers keep it: those given a
// number by their numbers (the latest numbered first among equals), then the others in the
// order they were made. Dialog navigation walks the window order, so this is the keyboard's
// order too. Kept apart from the system's copy so that numbering a control reads no neighbour
// back from it (under Wine, a round trip to the server for each).
#pragma once

#include <cstdint>
#include <vector>

namespace korvane::platform {

class SiblingOrder {
 public:
  using Id = std::uintptr_t;

  // A control made: the last of all, as the system puts a new child window.
  void Add(Id control);
  void Remove(Id control);
  // Gives a control of the order its number (0 or more); true when it moved for it.
  bool Number(Id control, int number);
  // Top first.
  std::vector<Id> Order() const;

 private:
  struct Entry {
    Id control;
    int number;  // -1: none given yet
  };
  std::vector<Entry> entries_;
};

}  // namespace korvane::platform
