// The preview windows of a Korvane main window: where they show, and how soon one shows.
#pragma once

namespace kvdriver {

// preview <hwnd>: the visible preview windows that the main window owns, each with its
// rectangle, whether it is topmost, and the start of its text (the window text, at most 200
// characters of what it shows). Answers {"previews":[{"hwnd":..., "rect":{...},
// "visible":true, "topmost":..., "text":...}, ...]}, an empty list when none shows.
int CmdPreview(const wchar_t* const* args, int count);

// time-preview <hwnd> <x> <y> <timeout-ms>: moves the cursor to (x, y) and watches, as often
// as the system allows, until a preview of the main window shows that was not showing before
// the move. Answers {"us": microseconds from the move, "rect": {...}}; exit 1 when none
// showed in time.
int CmdTimePreview(const wchar_t* const* args, int count);

}  // namespace kvdriver
