// The program's own help window: WinHelp is gone from current Windows, so the help file is
// read by the program (src/help) and its topics are handed here to be shown.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace korvane::platform {

struct HelpTopic {
  int Context = 0;
  std::string Title;  // code page 932
  std::string Body;   // code page 932, lines ended by CR LF
};

class HelpViewer {
 public:
  virtual ~HelpViewer() = default;

  // Shows the topics (a list of titles and the text of one) at topics[current], which the
  // caller keeps in range. There is one help window: when it is open already it comes
  // forward with these topics, at `current`.
  virtual void Show(const std::vector<HelpTopic>& topics, std::size_t current) = 0;
};

}  // namespace korvane::platform
