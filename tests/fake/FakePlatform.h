// A whole platform in memory: a test builds Korvane on it without touching disk or desktop.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "fake/FakeClipboard.h"
#include "fake/FakeDesktop.h"
#include "fake/FakeDialogs.h"
#include "fake/FakeFileSystem.h"
#include "fake/FakeWindow.h"
#include "platform/Platform.h"

namespace korvane::fake {

// What several processes on one machine share: named mutexes, the hotkeys taken.
struct FakeMachine {
  std::set<std::string> Mutexes;
  std::set<std::pair<std::uint32_t, std::uint32_t>> HotKeysTaken;  // (modifiers, key)
};

class FakeApplication : public platform::Application {
 public:
  explicit FakeApplication(FakeDesktop& desktop);

  std::string Title;
  std::string HelpFile;
  std::vector<std::string> Errors;  // error boxes shown, by their text
  FakeMainWindow* MainForm = nullptr;
  // Runs inside Run(), as the user's session with the program.
  std::function<void()> Session;

  void SetTitle(const std::string& title) override { Title = title; }
  void SetHelpFile(const std::string& path) override { HelpFile = path; }
  WindowHandle Handle() const override { return handle_; }
  std::unique_ptr<platform::MainWindow> CreateMainWindow(platform::MainWindowEvents& events,
                                                         const std::string& caption) override;
  void Run() override;
  void ShowError(const std::string& text) override { Errors.push_back(text); }

 private:
  FakeDesktop& desktop_;
  WindowHandle handle_;
};

class FakeSystem : public platform::System {
 public:
  explicit FakeSystem(FakeMachine& machine, std::vector<std::string>& journal)
      : machine_(machine), journal_(journal) {}

  struct TrayIcon {
    WindowHandle window;
    std::uint32_t id;
    std::uint32_t callback;
    std::string tip;
  };
  std::vector<TrayIcon> TrayIcons;
  std::map<int, std::pair<std::uint32_t, std::uint32_t>> HotKeys;  // id -> (modifiers, key)
  bool HoldsMutex = false;

  std::uint32_t CreateInstanceMutex(const std::string& name) override;
  void ReleaseInstanceMutex() override;
  bool AddTrayIcon(WindowHandle window, std::uint32_t id, std::uint32_t callbackMessage,
                   const std::string& tip) override;
  bool DeleteTrayIcon(WindowHandle window, std::uint32_t id) override;
  std::uint32_t TaskbarCreatedMessage() override { return kTaskbarCreated; }
  std::uint16_t GlobalAddAtom(const std::string& name) override;
  void GlobalDeleteAtom(std::uint16_t atom) override;

  static constexpr std::uint32_t kTaskbarCreated = 0xC123;
  // References held on each atom, by its number.
  std::map<std::uint16_t, int> AtomReferences;
  bool RegisterHotKey(WindowHandle window, int id, std::uint32_t modifiers,
                      std::uint32_t virtualKey) override;
  bool UnregisterHotKey(WindowHandle window, int id) override;

 private:
  FakeMachine& machine_;
  std::vector<std::string>& journal_;
  std::string mutexName_;
  std::map<std::string, std::uint16_t> atoms_;
};

// Keeps what it was asked to show, one entry per Show.
class FakeHelpViewer : public platform::HelpViewer {
 public:
  struct Shown {
    std::vector<platform::HelpTopic> Topics;
    std::size_t Current;
  };
  std::vector<Shown> Shows;

  void Show(const std::vector<platform::HelpTopic>& topics, std::size_t current) override {
    Shows.push_back(Shown{topics, current});
  }
};

class FakeBitmap : public platform::Bitmap {
 public:
  FakeBitmap(int width, int height) : width_(width), height_(height) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }

 private:
  int width_;
  int height_;
};

// The slide's timer: a test fires its ticks; each is sent as the system's timer thread would,
// unless the previous one has not been handled yet.
class FakeTickTimer : public platform::TickTimer {
 public:
  explicit FakeTickTimer(FakeDesktop& desktop) : desktop_(desktop) {}

  // One tick: true when its message was sent.
  bool Fire();
  int PeriodMs = 0;
  std::uint32_t Message = 0;  // what the running timer sends
  bool Busy = false;
  bool Refuse = false;  // the system gives no timer

  std::uint32_t Start(WindowHandle window, std::uint32_t message, int periodMs) override;
  void Stop() override;
  void TickHandled() override { Busy = false; }
  std::uint32_t Running() const override { return running_; }

 private:
  FakeDesktop& desktop_;
  WindowHandle window_ = 0;
  std::uint32_t count_ = 0;
  std::uint32_t running_ = 0;
};

class FakePlatform : public platform::Platform {
 public:
  FakePlatform();
  explicit FakePlatform(FakeMachine& machine);

  FakeMachine OwnMachine;
  std::vector<std::string> Journal;  // registrations and writes, in order
  FakeDesktop Desktop;
  FakeClipboard Clipboard{Desktop};
  FakeFileSystem Files_;
  FakeSystem System_;
  FakeApplication Application{Desktop};
  FakeHelpViewer HelpWindow;
  FakeDialogs Dialogs;
  FakeTickTimer Timer{Desktop};

  platform::Application& App() override { return Application; }
  platform::Desktop& Desk() override { return Desktop; }
  platform::Clipboard& Clip() override { return Clipboard; }
  platform::FileSystem& Files() override { return Files_; }
  platform::System& Sys() override { return System_; }
  platform::HelpViewer& Help() override { return HelpWindow; }
  platform::Dialogs& Dialog() override { return Dialogs; }
  platform::TickTimer& Ticks() override { return Timer; }
  // What the Windows platform loads, as ReadBitmapFile judges the file; anything else raises.
  std::unique_ptr<platform::Bitmap> LoadBitmap(const std::string& path) override;

 private:
  void ShareJournal();
};

// A whole valid .bmp file of the given size: 24 bits, black, bottom-up (top-down for a
// negative height).
std::string BitmapFileBytes(int width, int height);

}  // namespace korvane::fake
