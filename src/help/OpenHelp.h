// Opening the help file at a help context: the popup menu's "ヘルプ" asks for context 1, the
// options dialog's help button for context 10.
#pragma once

#include "platform/Platform.h"

namespace korvane {

// Beside the executable.
inline constexpr char kHelpFilePath[] = "Help\\Korvane.hlp";

// Shown when the help file is missing or holds no topic; the file's full path follows.
// "ヘルプファイルを開けませんでした："
inline constexpr char kHelpOpenFailedMessage[] =
    "\x83\x77\x83\x8b\x83\x76\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xf0\x8a\x4a\x82\xaf\x82\xdc"
    "\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81\x46";

// Reads and shows the help file at the topic of `context` (the first topic when no topic has
// it); when there is nothing to show, the standard error box says so and nothing else happens.
void OpenHelp(platform::Platform& system, int context);

}  // namespace korvane
