// Several files written as one step that a later start sees either wholly done or not done at
// all. The new contents go beside the old files first ("<file>.new"); then a journal naming
// the files to replace is written in one piece; then each new file takes its old one's place
// and the journal goes. A crash before the journal leaves the old set (the .new files are
// never read); a crash after it is finished by Recover at the next start.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"

namespace korvane {

class SaveBatch {
 public:
  SaveBatch(platform::FileSystem& files, std::string journal);

  // A folder the files need; made, one level, before anything is written (usually it exists).
  void MakeFolder(const std::string& folder);
  void Put(const std::string& path, std::string bytes);
  bool Empty() const { return files_.empty(); }

  // False when the batch could not be written: the old files are then as they were (or, when
  // only replacing failed, the journal stays and the next Commit or Recover finishes it).
  bool Commit();

  // Finishes a batch that a killed process left half replaced, and removes its journal.
  // True when nothing was left to do or it is done now.
  static bool Recover(platform::FileSystem& files, const std::string& journal);

 private:
  platform::FileSystem& disk_;
  std::string journal_;
  std::vector<std::string> folders_;
  std::vector<std::pair<std::string, std::string>> files_;
};

}  // namespace korvane
