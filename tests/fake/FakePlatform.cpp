#include "fake/FakePlatform.h"

#include <algorithm>
#include <cstring>

namespace korvane::fake {

FakeApplication::FakeApplication(FakeDesktop& desktop)
    : desktop_(desktop), handle_(desktop.AddWindow("application", true)) {}

std::unique_ptr<platform::MainWindow> FakeApplication::CreateMainWindow(
    platform::MainWindowEvents& events, const std::string& caption) {
  auto window = std::make_unique<FakeMainWindow>(desktop_, events, handle_, caption);
  window->ErrorsTo = &Errors;
  MainForm = window.get();
  return window;
}

void FakeApplication::Run() {
  if (Session) Session();
}

std::uint32_t FakeSystem::CreateInstanceMutex(const std::string& name) {
  constexpr std::uint32_t kErrorAlreadyExists = 183;
  if (!machine_.Mutexes.insert(name).second) return kErrorAlreadyExists;
  mutexName_ = name;
  HoldsMutex = true;
  return 0;
}

void FakeSystem::ReleaseInstanceMutex() {
  if (!HoldsMutex) return;
  machine_.Mutexes.erase(mutexName_);
  HoldsMutex = false;
}

bool FakeSystem::AddTrayIcon(WindowHandle window, std::uint32_t id, std::uint32_t callback,
                             const std::string& tip) {
  TrayIcons.push_back(TrayIcon{window, id, callback, tip});
  journal_.push_back("AddTrayIcon");
  return true;
}

bool FakeSystem::DeleteTrayIcon(WindowHandle window, std::uint32_t id) {
  auto it = std::find_if(TrayIcons.begin(), TrayIcons.end(),
                         [&](const TrayIcon& t) { return t.window == window && t.id == id; });
  journal_.push_back("DeleteTrayIcon");
  if (it == TrayIcons.end()) return false;
  TrayIcons.erase(it);
  return true;
}

std::uint16_t FakeSystem::GlobalAddAtom(const std::string& name) {
  auto [it, added] = atoms_.emplace(name, static_cast<std::uint16_t>(0xC000 + atoms_.size()));
  ++AtomReferences[it->second];
  return it->second;
}

void FakeSystem::GlobalDeleteAtom(std::uint16_t atom) {
  journal_.push_back("GlobalDeleteAtom");
  auto it = AtomReferences.find(atom);
  if (it != AtomReferences.end() && --it->second == 0) AtomReferences.erase(it);
}

bool FakeSystem::RegisterHotKey(WindowHandle, int id, std::uint32_t modifiers,
                                std::uint32_t virtualKey) {
  journal_.push_back("RegisterHotKey");
  if (!machine_.HotKeysTaken.insert({modifiers, virtualKey}).second) return false;
  HotKeys[id] = {modifiers, virtualKey};
  return true;
}

bool FakeSystem::UnregisterHotKey(WindowHandle, int id) {
  journal_.push_back("UnregisterHotKey");
  auto it = HotKeys.find(id);
  if (it == HotKeys.end()) return false;
  machine_.HotKeysTaken.erase(it->second);
  HotKeys.erase(it);
  return true;
}

FakePlatform::FakePlatform() : System_(OwnMachine, Journal) { ShareJournal(); }

FakePlatform::FakePlatform(FakeMachine& machine) : System_(machine, Journal) { ShareJournal(); }

void FakePlatform::ShareJournal() {
  Files_.JournalTo = &Journal;
  Clipboard.JournalTo = &Journal;
}

std::unique_ptr<platform::Bitmap> FakePlatform::LoadBitmap(const std::string& path) {
  auto bytes = Files_.ReadFile(path);
  if (!bytes || bytes->size() < 26 || bytes->compare(0, 2, "BM") != 0) {
    throw platform::PlatformError(path + " is not a valid bitmap");
  }
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::memcpy(&width, bytes->data() + 18, 4);
  std::memcpy(&height, bytes->data() + 22, 4);
  return std::make_unique<FakeBitmap>(width, height);
}

std::string BitmapFileBytes(int width, int height) {
  std::string bytes(54, '\0');
  bytes[0] = 'B';
  bytes[1] = 'M';
  std::int32_t w = width;
  std::int32_t h = height;
  std::memcpy(&bytes[18], &w, 4);
  std::memcpy(&bytes[22], &h, 4);
  return bytes;
}

}  // namespace korvane::fake
