// The entry routine: one instance only, then the main window and its message loop.
#include "app/Entry.h"

#include <exception>

#include "app/Main.h"
#include "platform/Platform.h"

namespace korvane {

namespace {
constexpr char kMutexName[] = "UniqueName";
constexpr char kTitle[] = "Korvane";
constexpr char kHelpFile[] = "Help\\Korvane.hlp";
}  // namespace

int RunKorvane(platform::Platform& platform) {
  // Another instance holds the name: end at once, silently, and leave that one alone.
  if (platform.Sys().CreateInstanceMutex(kMutexName) != 0) return 1;

  platform::Application& app = platform.App();
  try {
    app.SetTitle(kTitle);
    app.SetHelpFile(kHelpFile);
    TForm1 form(platform);
    form.Show();
    app.Run();
  } catch (const std::exception& error) {
    app.ShowError(error.what());
  }
  platform.Sys().ReleaseInstanceMutex();
  return 0;
}

}  // namespace korvane
