// Korvane's modal dialogs and message boxes: found by caption and by the process of their
// owner, read control by control, and worked as a user works them.
#pragma once

namespace kvdriver {

// dialog <caption-utf8-hex> <pid> [<timeout-ms>]: waits for a visible top-level window with
// that caption whose owner is a window of process <pid> (a message box on a dialog counts:
// its owner is the dialog). Answers {"hwnd":..., "caption":..., "owner":...,
// "owner_enabled":..., "style":"0x...", "rect":{...}, "default_id":..., "focus":...,
// "controls":[{"hwnd":..., "id":..., "class":..., "text":..., "enabled":..., "visible":...,
// "focused":..., "rect":{...}}, ...]}, the controls in tab order, rectangles on the screen;
// a list box adds "items":[...] and "selection" (-1 for none). Exit 1 when none came in time.
int CmdDialog(const wchar_t* const* args, int count);

// press <dialog-hwnd> <caption-utf8-hex>: clicks the dialog's button of that caption. Posted:
// the click may open a message box that waits for the next command. Answers
// {"pressed":true}; exit 1 when there is no such button or it is disabled.
int CmdPress(const wchar_t* const* args, int count);

// list-click <dialog-hwnd> <index>: clicks the entry of the dialog's list box, scrolled into
// view first, as the mouse does. Answers {"selection":...} as the dialog has it after the
// click (-1 for none); exit 1 when there is no list box or no such entry.
int CmdListClick(const wchar_t* const* args, int count);

// grid <list-view-hwnd>: the rows of a report list view, two columns each, and the row that
// has the focus (-1 for none). Answers {"focused":..., "rows":[["...", "..."], ...]}.
int CmdGrid(const wchar_t* const* args, int count);

}  // namespace kvdriver
