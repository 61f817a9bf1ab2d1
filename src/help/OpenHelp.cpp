#include "help/OpenHelp.h"

#include <string>

#include "help/HelpBook.h"

namespace korvane {

void OpenHelp(platform::Platform& system, int context) {
  platform::FileSystem& files = system.Files();
  const std::string path = kHelpFilePath;
  // Read afresh each time, so that an edited help file shows without a restart.
  const auto bytes = files.ReadFile(path);
  const HelpBook book = bytes ? HelpBook::Parse(*bytes) : HelpBook{};
  if (book.Empty()) {
    system.App().ShowError(kHelpOpenFailedMessage + files.DisplayPath(path));
    return;
  }
  system.Help().Show(book.Topics(), book.IndexOf(context));
}

}  // namespace korvane
