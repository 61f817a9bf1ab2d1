// Korvane started on the fake platform from the shipped installation, for scenario tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/Main.h"
#include "fake/FakePlatform.h"
#include "settings/SettingsFile.h"
#include "support/Support.h"

namespace korvane::test {

class Program {
 public:
  Program();
  ~Program();

  // Writes Data\Setting.dat from the shipped values as changed by `change`.
  template <typename Change>
  void Configure(Change change) {
    StoredSettings stored;
    change(stored);
    Files.PutFile("Data\\Setting.dat", WriteSettingsFile(stored));
  }

  // FormCreate and FormShow, as the entry routine runs them.
  TForm1& Start();
  // FormDestroy and the window's end.
  void Stop();

  // The user's windows: an editor that was active before our window was clicked.
  fake::WindowHandle OpenEditor(const std::string& name = "editor");

  fake::FakePlatform Platform;
  fake::FakeFileSystem& Files = Platform.Files_;
  fake::FakeClipboard& Clipboard = Platform.Clipboard;
  fake::FakeDesktop& Desktop = Platform.Desktop;
  std::unique_ptr<TForm1> Form;

  fake::FakeMainWindow& Window() const { return *Platform.Application.MainForm; }
  // The memories as the user sees them, by number: locked first, then unlocked.
  std::vector<MemoryItem*> Memories() const;
  std::vector<std::string> Texts() const;
  fake::FakePanel& PanelOf(int number) const;
  fake::FakeToggleButton& LockOf(int number) const;
  // A copy made in another program.
  void Copy(const std::string& text) { Clipboard.CopyFromOtherProgram(text); }
  std::string LogText() const;
};

}  // namespace korvane::test
