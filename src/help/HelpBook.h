// The help file Help\Korvane.hlp, read into topics (the format is described in HelpBook.cpp).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/HelpViewer.h"

namespace korvane {

class HelpBook {
 public:
  // At most this many topics are taken from a file; a longer one is damaged or hostile.
  static constexpr std::size_t kMaxTopics = 500;
  // Titles are cut to this many bytes, on a character boundary.
  static constexpr std::size_t kMaxTitleBytes = 120;

  // Never fails: what cannot be read is left out, so a damaged file gives fewer topics, or
  // none. Titles and bodies hold well-formed code page 932 only.
  static HelpBook Parse(const std::string& bytes);

  const std::vector<platform::HelpTopic>& Topics() const { return topics_; }
  bool Empty() const { return topics_.empty(); }
  // The first topic with this context; an unknown context gives the first topic (0).
  std::size_t IndexOf(int context) const;

 private:
  std::vector<platform::HelpTopic> topics_;
};

}  // namespace korvane
