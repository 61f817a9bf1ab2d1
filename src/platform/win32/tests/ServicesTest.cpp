// Clipboard, system registrations and bitmaps.
#include <gtest/gtest.h>

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
