// The common controls and the colour chooser, loaded when a dialog first needs them rather
// than linked: loading the libraries is most of the cost, and most starts never open one.
#pragma once

#include "platform/win32/Win32Api.h"

namespace korvane::platform::win32 {

// Registers the tab, up-down and list view classes; false when comctl32 cannot be had.
bool LoadDialogControls();

// An image list of a blank image `height` pixels high: given to a list view, it sets the
// height of its rows. Null when it cannot be made.
HANDLE MakeRowHeightImages(int height);
void DestroyRowHeightImages(HANDLE images);

// A tab control's page drawn in the tab body's themed background, where a theme is on (its
// own grey would show as a box on the white body of version 6 tabs).
void UseTabBodyBackground(HWND page);

// The system's colour chooser, opened on `color`; true with the chosen colour in `color`.
bool ChooseColorFor(HWND owner, COLORREF& color);

}  // namespace korvane::platform::win32
