// Data\Setting.dat: a fixed sequence of entries, each a label line and one or two "%d" value
// lines, read by position. Version 1210 is written; 1000 (no version entry), 1100 and 1200
// files are read with what they lack set as those versions did.
#pragma once

#include <cstdint>
#include <string>

#include "settings/Settings.h"

namespace korvane {

constexpr std::int32_t kSettingsVersion = 1210;

// Everything the file holds.
struct StoredSettings {
  Settings Config;
  std::int32_t Top = 100;
  // The window's Left, or its right edge when it grows to the left.
  std::int32_t Left = 100;
  platform::Color MemoryBackColor = kDefaultMemoryBackColor;
  platform::Color MemoryFontColor = kDefaultMemoryFontColor;
  platform::Color MemoryLockColor = kDefaultMemoryLockColor;
  bool DoubleClickPaste = kDefaultDoubleClickPaste;
  bool WindowHidden = false;
};

struct SettingsReadResult {
  std::int32_t Version = 1000;
  // False when the file ended or held something else than a number before its last entry:
  // what was read so far stands, the rest keeps the shipped values.
  bool Complete = false;
};

// Reads the file's bytes over `stored`, which holds the values to keep for what is not read.
// Values that would break the program are brought into range; see the .cpp for the rules.
SettingsReadResult ReadSettingsFile(const std::string& bytes, StoredSettings& stored);

// The whole file, version 1210, CR LF line ends.
std::string WriteSettingsFile(const StoredSettings& stored);

}  // namespace korvane
