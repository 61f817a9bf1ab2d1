#include "groups/GroupListEdit.h"

#include <utility>

namespace korvane {

void GroupListEdit::Select(int index) {
  const int count = static_cast<int>(entries_.size());
  selection_ = index >= 0 && index < count ? index : -1;
  // Once enabled, the buttons stay so until a deletion leaves nothing selected.
  if (selection_ != -1) buttonsEnabled_ = true;
}

void GroupListEdit::MoveUp() {
  if (selection_ <= 0) return;
  std::swap(entries_[selection_], entries_[selection_ - 1]);
  --selection_;
}

void GroupListEdit::MoveDown() {
  if (selection_ == -1 || selection_ + 1 >= static_cast<int>(entries_.size())) return;
  std::swap(entries_[selection_], entries_[selection_ + 1]);
  ++selection_;
}

void GroupListEdit::Delete() {
  if (selection_ == -1) return;
  entries_.erase(entries_.begin() + selection_);
  selection_ = -1;
  buttonsEnabled_ = false;
}

}  // namespace korvane
