// The program's entry routine, called by the platform's WinMain (or by a test on the fake).
#pragma once

namespace korvane {
namespace platform {
class Platform;
}

// Runs Korvane to its end and returns the process exit code: 1 when another instance runs,
// else 0.
int RunKorvane(platform::Platform& platform);

}  // namespace korvane
