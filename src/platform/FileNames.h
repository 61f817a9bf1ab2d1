// What Windows takes as one plain file or folder name: a name that cannot reach outside its
// folder, name a device, or be changed by the system on the way (trailing dots and blanks are
// dropped by it, so "abc." would be the folder "abc").
#pragma once

#include <string>

namespace korvane::platform {

// A code page 932 name that is exactly one file or folder of that name: valid 932 text, at
// most 255 characters, no \ / : * ? " < > | and no control character, not "." or "..", not
// ending in a dot or a blank, and not a device name (CON, PRN, AUX, NUL, COM0-9, LPT0-9,
// CONIN$, CONOUT$), with or without an extension.
bool IsPlainFileName(const std::string& name);
// Valid code page 932 text without \ / : * ? " < > | or a control character: what may stand
// in a name at all, whatever the name as a whole.
bool HasOnlyFileNameCharacters(const std::string& name);

// The letters A-Z and a-z compared without regard to case, all other bytes exactly; the
// second byte of a double-byte character is never taken for a letter.
bool EqualsIgnoringCase932(const std::string& a, const std::string& b);

}  // namespace korvane::platform
