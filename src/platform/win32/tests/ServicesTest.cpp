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

TEST(Clipboard, TextGoesOutAsUnicodeAndComesBackAs932) {
  const HWND owner = MakeTopLevel();
  Win32Clipboard clipboard(owner);
  const std::string text = FromWide(L"貼り付け\r\nline 2");
  ASSERT_TRUE(clipboard.SetText(text));
  EXPECT_EQ(ClipboardUnicode(), L"貼り付け\r\nline 2");
  std::string back;
  ASSERT_TRUE(clipboard.GetText(back));
  EXPECT_EQ(back, text);

  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_FALSE(clipboard.GetText(back));
  DestroyWindow(owner);
}

TEST(Clipboard, SetTextWaitsForAnotherHolderToLetGo) {
  const HWND owner = MakeTopLevel();
  Win32Clipboard clipboard(owner);
  // Another thread holds the clipboard for a moment, as a viewer reading a copy does.
  const HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  const HANDLE holder = CreateThread(
      nullptr, 0,
      [](void* event) -> DWORD {
        OpenClipboard(nullptr);
        SetEvent(static_cast<HANDLE>(event));
        Sleep(40);
        CloseClipboard();
        return 0;
      },
      opened, 0, nullptr);
  WaitForSingleObject(opened, 1000);
  EXPECT_TRUE(clipboard.SetText("after the wait"));
  WaitForSingleObject(holder, 1000);
  CloseHandle(holder);
  CloseHandle(opened);
  EXPECT_EQ(ClipboardUnicode(), L"after the wait");
  DestroyWindow(owner);
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
    EXPECT_EQ(clipboard.IsPrivate(), c.isPrivate);
    std::string text;
    EXPECT_TRUE(clipboard.GetText(text));
    EXPECT_EQ(text, "secret");
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
  Win32FileSystem files;
  const std::string good = temp.Path() + "Lock.bmp";
  ASSERT_TRUE(files.WriteFile(good, test::MakeGlyphStrip({0, 0, 0, 0})));
  Win32Bitmap bitmap(good);
  EXPECT_EQ(bitmap.Width(), 80);
  EXPECT_EQ(bitmap.Height(), 20);

  const std::string bad = temp.Path() + "Copy.bmp";
  ASSERT_TRUE(files.WriteFile(bad, "not a bitmap"));
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
