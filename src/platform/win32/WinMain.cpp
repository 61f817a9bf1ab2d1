// Korvane.exe starts here: the Windows platform, handed to the program's entry routine.
#include "platform/win32/Win32Api.h"

#include "app/Entry.h"
#include "platform/win32/Win32Platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  korvane::platform::win32::Win32Platform platform;
  return korvane::RunKorvane(platform);
}
