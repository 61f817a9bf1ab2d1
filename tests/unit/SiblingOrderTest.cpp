// The window order that tab order numbers keep, worked out without asking the system.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <vector>

#include "platform/SiblingOrder.h"

namespace korvane::platform {
namespace {

using Ids = std::vector<SiblingOrder::Id>;

// The order a full sort gives after each numbering: numbered ones by number, the latest
// numbered first among equals, then the others as they were made.
class SortedModel {
 public:
  void Add(SiblingOrder::Id id) { order_.push_back(id); }
  void Remove(SiblingOrder::Id id) {
    order_.erase(std::find(order_.begin(), order_.end(), id));
    numbers_.erase(id);
  }
  void Number(SiblingOrder::Id id, int number) {
    numbers_[id] = number + 1;
    std::stable_sort(order_.begin(), order_.end(), [&](auto a, auto b) {
      const int na = numbers_[a], nb = numbers_[b];
      if ((na == 0) != (nb == 0)) return nb == 0;
      if (na != nb) return na < nb;
      return a == id && b != id;
    });
  }
  const Ids& Order() const { return order_; }

 private:
  Ids order_;
  std::map<SiblingOrder::Id, int> numbers_;
};

TEST(SiblingOrder, FollowsAFullSortAndTellsEachMove) {
  std::mt19937 random(11);
  SiblingOrder order;
  SortedModel model;
  Ids controls;  // those that exist
  SiblingOrder::Id next = 1;
  for (int step = 0; step < 3000; ++step) {
    const unsigned what = random() % 10;
    if (what == 0 || controls.size() < 3) {
      order.Add(next);
      model.Add(next);
      controls.push_back(next++);
    } else if (what == 1) {
      const SiblingOrder::Id gone = controls[random() % controls.size()];
      order.Remove(gone);
      model.Remove(gone);
      controls.erase(std::find(controls.begin(), controls.end(), gone));
    } else {
      const SiblingOrder::Id id = controls[random() % controls.size()];
      const int number = static_cast<int>(random() % 12);  // small: equal numbers are common
      model.Number(id, number);
      const Ids before = order.Order();
      const bool moved = order.Number(id, number);
      ASSERT_EQ(moved, order.Order() != before) << "step " << step;
    }
    ASSERT_EQ(order.Order(), model.Order()) << "step " << step;
  }
}

TEST(SiblingOrder, NumberingAllAgainInTheirOrderMovesNothing) {
  // As after each copy: every memory numbered afresh in its order, the numbers one lower when
  // a memory before them went, one higher when one came.
  SiblingOrder order;
  for (SiblingOrder::Id id = 1; id <= 200; ++id) order.Add(id);
  // Panels numbered, their lock toggles (the even ones) never: the toggles go after them.
  for (SiblingOrder::Id id = 1; id <= 200; id += 2) order.Number(id, static_cast<int>(id / 2));
  for (int shift : {1, 1, 0, 1, 2, 1}) {
    for (SiblingOrder::Id id = 1; id <= 200; id += 2) {
      EXPECT_FALSE(order.Number(id, static_cast<int>(id / 2) + shift)) << id;
    }
  }
}

}  // namespace
}  // namespace korvane::platform
