// Text-mode file conversion, done by the program itself so that every build reads and writes
// the same bytes: a line end is written CR LF; on reading, a 0x1A byte ends the file and every
// CR byte is dropped. Also the "%d" reading of the data files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace korvane::platform {

// Each LF becomes CR LF; every other byte, a CR included, is written as it is.
std::string ToTextModeBytes(const std::string& text);

// The bytes up to the first 0x1A (or the end), with every CR byte dropped.
std::string FromTextModeBytes(const std::string& bytes);

// "%d" on text: skips white space from pos, then reads an optional sign and decimal digits.
// A value beyond 32 bits saturates. Returns false, with pos where it stopped, when no digit is
// there.
bool ScanDecimal(const std::string& text, std::size_t& pos, std::int32_t& value);

// "%s": skips white space from pos, then takes the bytes up to the next white space.
// Returns false at the end of the text.
bool ScanWord(const std::string& text, std::size_t& pos, std::string& word);

bool IsSpace(char c);

}  // namespace korvane::platform
