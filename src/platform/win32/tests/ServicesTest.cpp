// Clipboard, system registrations and bitmaps.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TestSupport.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Bitmap.h"
#include "platform/win32/Win32Clipboard.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32System.h"

namespace korvane::platform::win32 {
namespace {

HWND MakeTopLevel() {
  return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                         nullptr);
}

std::wstring ClipboardUnicode() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

// What a password manager leaves: its text with a registered format that asks clipboard tools
// to keep out, holding a DWORD.
void PutMarkedText(HWND owner, const wchar_t* text, const wchar_t* marker, DWORD value) {
  auto global = [](const void* bytes, size_t size) {
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    return memory;
  };
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, global(text, (wcslen(text) + 1) * sizeof(wchar_t)));
  if (marker) SetClipboardData(RegisterClipboardFormatW(marker), global(&value, sizeof value));
  CloseClipboard();
}

void PutText(HWND owner, const wchar_t* text) { PutMarkedText(owner, text, nullptr, 0); }

using Kind = ClipboardContent::Kind;

TEST(Clipboard, TextGoesOutAsUnicodeAndComesBackAs932) {
  const HWND owner = MakeTopLevel();
  Win32Clipboard clipboard(owner);
  const std::string text = FromWide(L"貼り付け\r\nline 2");
  const std::uint32_t before = clipboard.SequenceNumber();
  ASSERT_TRUE(clipboard.SetText(text, {}));
  EXPECT_EQ(ClipboardUnicode(), L"貼り付け\r\nline 2");
  const ClipboardContent back = clipboard.Read();
  EXPECT_EQ(back.What, Kind::Text);
  EXPECT_EQ(back.Text, text);
  EXPECT_TRUE(back.Exact.empty());  // 932 holds it all
  EXPECT_NE(back.Sequence, before);
  EXPECT_EQ(clipboard.Read().Sequence, back.Sequence);  // the same copy, looked at again

  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_EQ(clipboard.Read().What, Kind::NoText);
  DestroyWindow(owner);
}

TEST(Clipboard, TextOutside932IsKeptExactlyAndShownWithoutLookAlikes) {
  const HWND owner = MakeTopLevel();
  Win32Clipboard clipboard(owner);
  const std::wstring copied = L"caf\u00e9 \U0001F600 \ud55c\uad6d\uc5b4 日本語 \u2215";
  PutText(owner, copied.c_str());
  const ClipboardContent content = clipboard.Read();
  ASSERT_EQ(content.What, Kind::Text);
  // A best fit would give "cafe" and turn the division slash into a path separator.
  EXPECT_EQ(content.Text, "caf? ?? ??? " + FromWide(L"日本語") + " ?");
  EXPECT_EQ(std::wstring(content.Exact.begin(), content.Exact.end()), copied);

  ASSERT_TRUE(clipboard.SetText(content.Text, content.Exact));
  EXPECT_EQ(ClipboardUnicode(), copied);
  DestroyWindow(owner);
}

// Another thread holds the clipboard open for `ms`, as a viewer reading a copy does.
class ClipboardHolder {
 public:
  explicit ClipboardHolder(DWORD ms)
      : ms_(ms), opened_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = CreateThread(nullptr, 0, &Hold, this, 0, nullptr);
    WaitForSingleObject(opened_, 1000);
  }
  ~ClipboardHolder() {
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
    CloseHandle(opened_);
  }

 private:
  static DWORD WINAPI Hold(void* self) {
    auto* holder = static_cast<ClipboardHolder*>(self);
    OpenClipboard(nullptr);
    SetEvent(holder->opened_);
    Sleep(holder->ms_);
    CloseClipboard();
    return 0;
  }
  DWORD ms_;
  HANDLE opened_;
  HANDLE thread_ = nullptr;
};

TEST(Clipboard, ALookFindsItBusyAtOnceWhileAPasteWaitsForTheHolderBriefly) {
  const HWND owner = MakeTopLevel();
  Win32Clipboard clipboard(owner);
  ASSERT_TRUE(clipboard.SetText("before", {}));
  {
    ClipboardHolder holder(60);
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(clipboard.Read().What, Kind::Busy);
    EXPECT_LT(GetTickCount64() - start, 50u);  // no waiting on the window's thread
    EXPECT_TRUE(clipboard.SetText("after the wait", {}));
  }
  EXPECT_EQ(ClipboardUnicode(), L"after the wait");
  {
    // Held for longer than a paste may wait: the paste must know it failed.
    ClipboardHolder holder(1500);
    EXPECT_FALSE(clipboard.SetText("never", {}));
  }
  EXPECT_EQ(ClipboardUnicode(), L"after the wait");
  DestroyWindow(owner);
}

TEST(Clipboard, CopiesMarkedPrivateAreToldApart) {
  const HWND owner = MakeTopLevel();
  Win32Clipboard clipboard(owner);
  const struct {
    const wchar_t* marker;
    DWORD value;
    bool isPrivate;
  } cases[] = {
      {nullptr, 0, false},
      // Their presence is what counts, whatever they hold.
      {L"ExcludeClipboardContentFromMonitorProcessing", 1, true},
      {L"Clipboard Viewer Ignore", 1, true},
      // This one says in its value whether the copy may be kept.
      {L"CanIncludeInClipboardHistory", 0, true},
      {L"CanIncludeInClipboardHistory", 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.marker ? FromWide(c.marker) + " " + std::to_string(c.value) : "plain");
    PutMarkedText(owner, L"secret", c.marker, c.value);
    const ClipboardContent content = clipboard.Read();
    EXPECT_EQ(content.Private, c.isPrivate);
    EXPECT_EQ(content.What, Kind::Text);
    EXPECT_EQ(content.Text, "secret");
  }
  DestroyWindow(owner);
}

TEST(System, SecondInstanceMutexReportsAlreadyExists) {
  const std::string name = "KorvaneTest" + std::to_string(GetCurrentProcessId());
  Win32System first;
  Win32System second;
  EXPECT_EQ(first.CreateInstanceMutex(name), 0u);
  EXPECT_EQ(second.CreateInstanceMutex(name), static_cast<std::uint32_t>(ERROR_ALREADY_EXISTS));
}

TEST(Bitmap, LoadsAFileAndNamesTheFileWhenItCannot) {
  test::TempFolder temp;
  Win32FileSystem files(temp.WidePath());
  const std::string good = temp.Path() + "Lock.bmp";
  ASSERT_TRUE(files.WriteFile("Lock.bmp", test::MakeGlyphStrip({0, 0, 0, 0})));
  Win32Bitmap bitmap(good);
  EXPECT_EQ(bitmap.Width(), 80);
  EXPECT_EQ(bitmap.Height(), 20);

  const std::string bad = temp.Path() + "Copy.bmp";
  ASSERT_TRUE(files.WriteFile("Copy.bmp", "not a bitmap"));
  for (const std::string& path : {bad, temp.Path() + "missing.bmp"}) {
    try {
      Win32Bitmap broken(path);
      ADD_FAILURE() << "no error for " << path;
    } catch (const PlatformError& error) {
      EXPECT_EQ(ToWide(error.what()), ToWide(path) + L" は有効なビットマップではありません");
    }
  }
}

}  // namespace
}  // namespace korvane::platform::win32
