// What of a memory's text a preview can show. A memory can run to megabytes; only
// what fits in the preview's box is converted and laid out.
#pragma once

#include <cstddef>
#include <string>

#include "platform/Types.h"

namespace korvane::platform::win32 {

struct PreviewLimits {
  size_t lines = 0;       // source lines at most
  size_t characters = 0;  // characters at most, all lines together (line breaks not counted)
  // Characters at most of a word that the layout cannot break (a run of ASCII letters and
  // digits): the rest of it lies beyond the box's right edge.
  size_t wordCharacters = 0;
};

// For a box `boxWidth` pixels wide and `maxHeight` high in a font whose lines are
// `lineHeight` high and whose narrowest character is `narrowest` wide: one line more than
// fits whole (the last shows cut off), and as many characters as those lines could hold if
// each were the narrowest. (A text of zero-width characters shows less than it could.)
PreviewLimits LimitsFor(int boxWidth, int maxHeight, int lineHeight, int narrowest);

// `exact` when it is not empty, else the code page 932 `text`, in UTF-16, up to the first
// character or line beyond the limits and without what long words hold beyond theirs. Line
// breaks stay as they are (CR LF, LF, a lone CR); a double-byte character or a surrogate pair
// is never cut in two. `cut`, when given, tells whether the character limit ended it.
std::wstring PreviewText(const std::string& text, const UnicodeText& exact, PreviewLimits limits,
                         bool* cut = nullptr);

}  // namespace korvane::platform::win32
