#include "support/Support.h"

#include <iconv.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "memory/MemoryFiles.h"

namespace korvane::test {

std::string Sjis(const std::string& utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no CP932 converter");
  std::string in = utf8;
  std::string out(in.size() * 2 + 16, '\0');
  char* inPtr = in.data();
  size_t inLeft = in.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (result == static_cast<size_t>(-1)) throw std::runtime_error("not convertible: " + utf8);
  out.resize(out.size() - outLeft);
  return out;
}

void InstallShippedData(fake::FakeFileSystem& files) {
  namespace fs = std::filesystem;
  const fs::path root(KORVANE_DATA_DIR);
  const std::string data = "Data";
  files.MakeFolders(data);
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    std::string relative = Sjis(fs::relative(entry.path(), root).generic_string());
    for (char& c : relative) {
      if (c == '/') c = '\\';
    }
    const std::string target = data + "\\" + relative;
    if (entry.is_directory()) {
      files.MakeFolders(target);
    } else {
      std::ifstream in(entry.path(), std::ios::binary);
      std::stringstream bytes;
      bytes << in.rdbuf();
      files.PutFile(target, bytes.str());
    }
  }
}

std::string DataFile(fake::FakeFileSystem& files, const std::string& folderUtf8,
                     const std::string& name) {
  return "Data\\" + Sjis(folderUtf8) + "\\" + name;
}

void PutMemories(fake::FakeFileSystem& files, const std::string& folderUtf8,
                 const std::vector<std::string>& texts) {
  for (std::size_t i = 0; i < texts.size(); ++i) {
    files.PutFile(DataFile(files, folderUtf8, MemoryFileWriteName(static_cast<int>(i))),
                  EncodeMemoryFile(texts[i]));
  }
  files.PutFile(DataFile(files, folderUtf8, CountFileWriteName()),
                EncodeCountFile(static_cast<std::int32_t>(texts.size())));
}

}  // namespace korvane::test
