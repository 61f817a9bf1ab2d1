// Korvane.exe starts here: the Windows platform, handed to the program's entry routine.
#include "platform/win32/Win32Api.h"

#include "app/Entry.h"
#include "platform/win32/Win32Platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The system DLLs loaded by name later (uxtheme, comdlg32, comctl32) come from System32 only,
  // never from the folder the user unpacked Korvane into, where anyone who can write there could
  // put one of the same name. The common controls' version 6 still comes by the manifest.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  korvane::platform::win32::Win32Platform platform;
  return korvane::RunKorvane(platform);
}
