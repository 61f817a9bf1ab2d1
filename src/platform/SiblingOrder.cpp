#include "platform/SiblingOrder.h"

#include <algorithm>

namespace korvane::platform {

void SiblingOrder::Add(Id control) { entries_.push_back(Entry{control, -1}); }

void SiblingOrder::Remove(Id control) {
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                [control](const Entry& e) { return e.control == control; }),
                 entries_.end());
}

bool SiblingOrder::Number(Id control, int number) {
  const auto at = std::find_if(entries_.begin(), entries_.end(),
                               [control](const Entry& e) { return e.control == control; });
  if (at == entries_.end()) return false;
  const auto from = static_cast<size_t>(at - entries_.begin());
  entries_.erase(at);
  // The others stay in order: the control goes before the first one that has no number or a
  // number as high as its own.
  const auto to = static_cast<size_t>(
      std::find_if(entries_.begin(), entries_.end(),
                   [number](const Entry& e) { return e.number < 0 || e.number >= number; }) -
      entries_.begin());
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(to), Entry{control, number});
  // The others kept their order: the same index means the same neighbours.
  return to != from;
}

std::vector<SiblingOrder::Id> SiblingOrder::Order() const {
  std::vector<Id> order;
  order.reserve(entries_.size());
  for (const Entry& e : entries_) order.push_back(e.control);
  return order;
}

}  // namespace korvane::platform
