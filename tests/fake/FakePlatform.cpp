#include "fake/FakePlatform.h"

#include <algorithm>
#include <cstdint>

#include "platform/BitmapFile.h"

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

std::uint32_t FakeTickTimer::Start(WindowHandle window, std::uint32_t message, int periodMs) {
  Stop();
  if (Refuse) return 0;
  window_ = window;
  Message = message;
  PeriodMs = periodMs;
  Busy = false;
  running_ = ++count_;
  return running_;
}

void FakeTickTimer::Stop() {
  running_ = 0;
  Busy = false;
}

bool FakeTickTimer::Fire() {
  if (running_ == 0 || Busy) return false;
  Busy = true;
  desktop_.SendMessage(window_, Message, running_, 0);
  return true;
}

FakePlatform::FakePlatform() : System_(OwnMachine, Journal) { ShareJournal(); }

FakePlatform::FakePlatform(FakeMachine& machine) : System_(machine, Journal) { ShareJournal(); }

void FakePlatform::ShareJournal() {
  Files_.JournalTo = &Journal;
  Clipboard.JournalTo = &Journal;
}

std::unique_ptr<platform::Bitmap> FakePlatform::LoadBitmap(const std::string& path) {
  const auto bytes = Files_.ReadFile(path);
  const auto file = bytes ? platform::ReadBitmapFile(*bytes) : std::nullopt;
  if (!file) throw platform::PlatformError(path + " is not a valid bitmap");
  return std::make_unique<FakeBitmap>(file->Width, file->Height);
}

std::string BitmapFileBytes(int width, int height) {
  const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) / 4 * 4;
  const std::uint32_t pixels = stride * static_cast<std::uint32_t>(height < 0 ? -height : height);
  std::string bytes;
  auto put = [&](std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes += static_cast<char>(value >> (8 * i));
  };
  bytes += "BM";
  put(54 + pixels, 4);
  put(0, 4);
  put(54, 4);  // the rows follow the two headers
  put(40, 4);
  put(static_cast<std::uint32_t>(width), 4);
  put(static_cast<std::uint32_t>(height), 4);
  put(1, 2);   // planes
  put(24, 2);  // bits per pixel
  put(0, 4);   // uncompressed
  put(pixels, 4);
  bytes.append(16, '\0');
  bytes.append(pixels, '\0');
  return bytes;
}

}  // namespace korvane::fake
