// Tab stops and tab order of the option buttons and the memory buttons, from TabOrder.
#include "app/Main.h"
#include "layout/TabPlan.h"

namespace korvane {

void TForm1::SetTabOrder() {
  const TabPlan plan = MakeTabPlan(Config.TabOrder);
  auto memoryTabStops = [this](bool on) {
    if (LockedTable) LockedTable->SetTabStops(on);
    if (UnlockedTable) UnlockedTable->SetTabStops(on);
  };
  if (plan.off[TabMemories]) memoryTabStops(false);
  for (int group = 0; group < kOptionKinds; ++group) {
    if (plan.off[group] && OptionButtons[group]) OptionButtons[group]->Button->SetTabStop(false);
  }

  // Numbers run on from 0 in place order, whatever gaps the digits leave.
  int counter = 0;
  for (int place = 1; place <= kTabGroups; ++place) {
    const int group = plan.slot[place];
    if (group >= 0 && group < kOptionKinds) {
      if (auto& slot = OptionButtons[group]) {
        slot->Button->SetTabStop(true);
        slot->Button->SetTabOrder(counter++);
      }
    } else if (group == TabMemories) {
      memoryTabStops(true);
      if (LockedTable) LockedTable->AssignTabOrder(counter);
      if (UnlockedTable) UnlockedTable->AssignTabOrder(counter);
    }
  }
}

}  // namespace korvane
