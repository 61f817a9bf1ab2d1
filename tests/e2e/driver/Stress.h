// Subcommands that put Korvane under the strain other programs cause: a copy held open, a
// flood of copies, a message sent as the system sends it.
#pragma once

#include <string>

namespace kvdriver {

// clip-hold <utf8-hex> <hold-ms>: copies the text, then opens the clipboard again at once and
// keeps it open for hold-ms, as a slow viewer reading a copy does.
int CmdClipHold(const std::wstring& text, long holdMs);
// copy-flood <interval-ms> <duration-ms>: a new text ("flood N") every interval until the
// duration is over. Answers {"copies":...}.
int CmdCopyFlood(long intervalMs, long durationMs);
// send <hwnd> <message> <wparam> <lparam>: sends the message (bounded) and answers its result.
int CmdSend(const wchar_t* const* args, int count);

}  // namespace kvdriver
