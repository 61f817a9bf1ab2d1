// Marks one of our modal dialogs open for as long as it runs. While one is open the popup
// menu stays shut: a second command in the middle of the first would work on state that is
// about to change.
#pragma once

namespace korvane {

class ModalDialogGuard {
 public:
  explicit ModalDialogGuard(bool& open) : open_(open) { open_ = true; }
  ~ModalDialogGuard() { open_ = false; }
  ModalDialogGuard(const ModalDialogGuard&) = delete;
  ModalDialogGuard& operator=(const ModalDialogGuard&) = delete;

 private:
  bool& open_;
};

}  // namespace korvane
