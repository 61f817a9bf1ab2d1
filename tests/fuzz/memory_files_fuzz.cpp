// Feeds arbitrary bytes to the memory folder's readers as a count file and memory files, and
// loads the folder as the program does at start.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fake/FakePlatform.h"
#include "memory/MemoryFiles.h"
#include "memory/Memorytable.h"

namespace {

class Host : public korvane::platform::MainWindowEvents {
 public:
  bool WindowMessage(std::uint32_t, korvane::platform::WParam, korvane::platform::LParam,
                     korvane::platform::LResult&) override {
    return false;
  }
  void WindowPaint(korvane::platform::Canvas&) override {}
  void WindowShown() override {}
  void MouseHintChanged() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvane;
  const std::string input(reinterpret_cast<const char*>(data), size);

  // The pure readers on the whole input.
  DecodeCountFile(input);
  const std::string text = DecodeMemoryFile(input);
  if (DecodeMemoryFile(EncodeMemoryFile(text)) != text) __builtin_trap();  // a read text is stable

  // A folder: the first line is the count file, each further 0xFF-separated piece a memory file.
  fake::FakePlatform platform;
  Host host;
  auto window = platform.Application.CreateMainWindow(host, "Korvane");
  MemoryShared shared;
  MemoryOwner owner{platform, *window, shared};
  const std::string folder = "Data\\G\\";
  std::size_t end = input.find('\n');
  platform.Files_.PutFile(folder + "index.dat", input.substr(0, end));
  int index = 0;
  for (std::size_t pos = end == std::string::npos ? input.size() : end + 1; pos < input.size(); ++index) {
    std::size_t next = input.find('\xff', pos);
    if (next == std::string::npos) next = input.size();
    platform.Files_.PutFile(folder + MemoryFileWriteName(index), input.substr(pos, next - pos));
    pos = next + 1;
  }
  MemoryTable table(owner, true, folder);
  int reachable = 0;
  for (MemoryItem* item = table.Head; item != nullptr; item = item->Next) ++reachable;
  if (reachable != table.Count || reachable > index + 1) __builtin_trap();
  return 0;
}
