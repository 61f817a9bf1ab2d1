// The groups as the user orders and deletes them in the group list dialog: every group but
// the default one, in index order. Nothing reaches the disk from here.
#pragma once

#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace korvane {

class GroupListEdit final : public platform::ListEditor {
 public:
  explicit GroupListEdit(std::vector<std::string> names) : entries_(std::move(names)) {}

  const std::vector<std::string>& Entries() const override { return entries_; }
  int Selection() const override { return selection_; }
  bool ButtonsEnabled() const override { return buttonsEnabled_; }
  void Select(int index) override;
  void MoveUp() override;
  void MoveDown() override;
  void Delete() override;

 private:
  std::vector<std::string> entries_;
  int selection_ = -1;
  bool buttonsEnabled_ = false;
};

}  // namespace korvane
