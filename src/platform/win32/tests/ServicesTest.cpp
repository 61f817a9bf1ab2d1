// Clipboard, system registrations, the keyboard and bitmaps.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TestSupport.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Bitmap.h"
#include "platform/win32/Win32Clipboard.h"
#include "platform/win32/Win32Desktop.h"
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
      : ms_(ms),
        opened_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
        released_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = CreateThread(nullptr, 0, &Hold, this, 0, nullptr);
    WaitForSingleObject(opened_, 1000);
  }
  ~ClipboardHolder() {
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
    CloseHandle(opened_);
    CloseHandle(released_);
  }
  bool StillHolding() const { return WaitForSingleObject(released_, 0) == WAIT_TIMEOUT; }

 private:
  static DWORD WINAPI Hold(void* self) {
    auto* holder = static_cast<ClipboardHolder*>(self);
    OpenClipboard(nullptr);
    SetEvent(holder->opened_);
    Sleep(holder->ms_);
    SetEvent(holder->released_);
    CloseClipboard();
    return 0;
  }
  DWORD ms_;
  HANDLE opened_;
  HANDLE released_;
  HANDLE thread_ = nullptr;
};

TEST(Clipboard, ALookFindsItBusyAtOnceWhileAPasteWaitsForTheHolderBriefly) {
  const HWND owner = MakeTopLevel();
  Win32Clipboard clipboard(owner);
  ASSERT_TRUE(clipboard.SetText("before", {}));
  {
    // Held for longer than a paste may wait: the look does not wait at all, and the paste
    // must know it failed.
    ClipboardHolder holder(1500);
    EXPECT_EQ(clipboard.Read().What, Kind::Busy);
    EXPECT_TRUE(holder.StillHolding());  // the look came back while it held on
    EXPECT_FALSE(clipboard.SetText("never", {}));
  }
  EXPECT_EQ(ClipboardUnicode(), L"before");
  {
    ClipboardHolder holder(60);
    EXPECT_TRUE(clipboard.SetText("after the wait", {}));
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

// Little-endian, `size` bytes.
std::string Le(std::uint32_t value, int size) {
  std::string bytes;
  for (int i = 0; i < size; ++i) bytes += static_cast<char>(value >> (8 * i));
  return bytes;
}

// A .bmp file of the header, colour table (or masks) and rows given, the offset filled in.
std::string BmpFile(const std::string& header, const std::string& table, const std::string& rows) {
  const auto offset = static_cast<std::uint32_t>(14 + header.size() + table.size());
  return "BM" + Le(offset + static_cast<std::uint32_t>(rows.size()), 4) + Le(0, 4) + Le(offset, 4) +
         header + table + rows;
}

// An info header of `size` bytes (40, or 124 for V5 with `masks` in it).
std::string InfoHeader(std::uint32_t size, std::int32_t height, int bits, std::uint32_t compression,
                       std::uint32_t colours, const std::string& masks = "") {
  std::string header = Le(size, 4) + Le(2, 4) + Le(static_cast<std::uint32_t>(height), 4) +
                       Le(1, 2) + Le(bits, 2) + Le(compression, 4) + std::string(12, '\0') +
                       Le(colours, 4) + Le(0, 4) + masks;
  header.resize(size, '\0');
  return header;
}

COLORREF PixelOf(const Win32Bitmap& bitmap, int x, int y) {
  const HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, bitmap.Handle());
  const COLORREF colour = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return colour;
}

TEST(Desktop, KeyHeldIsTheKeyboardAsItIsNow) {
  Win32Desktop desktop;
  constexpr BYTE kKey = VK_F24;  // on no user's keyboard
  ASSERT_FALSE(desktop.KeyHeld(kKey));
  keybd_event(kKey, 0, 0, 0);
  EXPECT_TRUE(desktop.KeyHeld(kKey));  // though no message of it has been read yet
  keybd_event(kKey, 0, KEYEVENTF_KEYUP, 0);
  EXPECT_FALSE(desktop.KeyHeld(kKey));
  MSG msg;
  while (PeekMessageW(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
  }
}

TEST(Bitmap, EachKindOfFileGivesItsPixelsTheRightWayUp) {
  // Every file is 2x2: red and green above, blue and white below.
  const std::string bgr = std::string("\0\0\xff", 3) + std::string("\0\xff\0", 3) +
                          std::string("\xff\0\0", 3) + "\xff\xff\xff";
  std::string rgbQuads;
  for (int i = 0; i < 4; ++i) rgbQuads += bgr.substr(3 * i, 3) + '\0';
  const struct {
    const char* kind;
    std::string file;
  } cases[] = {
      {"core header, 8 bits",
       BmpFile(Le(12, 4) + Le(2, 2) + Le(2, 2) + Le(1, 2) + Le(8, 2), bgr + std::string(756, '\0'),
               std::string("\x02\x03\0\0\0\x01\0\0", 8))},
      {"info header, 4 bits, top-down",
       BmpFile(InfoHeader(40, -2, 4, 0, 4), rgbQuads, std::string("\x01\0\0\0\x23\0\0\0", 8))},
      {"V5 header, 16 bits 5-6-5",
       BmpFile(InfoHeader(124, 2, 16, 3, 0, Le(0xF800, 4) + Le(0x07E0, 4) + Le(0x001F, 4)), "",
               Le(0x001F, 2) + Le(0xFFFF, 2) + Le(0xF800, 2) + Le(0x07E0, 2))},
      {"info header, 32 bits",
       BmpFile(InfoHeader(40, 2, 32, 0, 0), "", rgbQuads.substr(8, 8) + rgbQuads.substr(0, 8))},
  };
  test::TempFolder temp;
  Win32FileSystem files(temp.WidePath());
  for (const auto& c : cases) {
    ASSERT_TRUE(files.WriteFile("Copy.bmp", c.file)) << c.kind;
    Win32Bitmap bitmap(files, "Copy.bmp");
    EXPECT_EQ(bitmap.Width(), 2) << c.kind;
    EXPECT_EQ(bitmap.Height(), 2) << c.kind;
    // Five bits a colour is what survives 5-6-5.
    auto top5 = [](COLORREF colour) { return colour & 0xF8F8F8; };
    EXPECT_EQ(top5(PixelOf(bitmap, 0, 0)), top5(RGB(255, 0, 0))) << c.kind;
    EXPECT_EQ(top5(PixelOf(bitmap, 1, 0)), top5(RGB(0, 255, 0))) << c.kind;
    EXPECT_EQ(top5(PixelOf(bitmap, 0, 1)), top5(RGB(0, 0, 255))) << c.kind;
    EXPECT_EQ(top5(PixelOf(bitmap, 1, 1)), top5(RGB(255, 255, 255))) << c.kind;
  }
}

TEST(Bitmap, LoadsAFileAndNamesTheFileWhenItCannot) {
  test::TempFolder temp;
  Win32FileSystem files(temp.WidePath());
  const std::string strip = test::MakeGlyphStrip({0, 0, 0, 0});
  ASSERT_TRUE(files.WriteFile("Lock.bmp", strip));
  Win32Bitmap bitmap(files, "Lock.bmp");
  EXPECT_EQ(bitmap.Width(), 80);
  EXPECT_EQ(bitmap.Height(), 20);

  // The system's loader read past the end of a file cut short or claiming 30000 x 30000.
  std::string huge = strip.substr(0, 54);
  huge.replace(18, 8, Le(30000, 4) + Le(30000, 4));
  const std::string bad[] = {"not a bitmap", strip.substr(0, 40), huge, ""};  // "": no file
  for (const std::string& bytes : bad) {
    const std::string path = std::string(bytes.empty() ? "missing.bmp" : "Copy.bmp");
    if (!bytes.empty()) {
      ASSERT_TRUE(files.WriteFile(path, bytes));
    }
    try {
      Win32Bitmap broken(files, path);
      ADD_FAILURE() << "no error for " << bytes.size() << " bytes";
    } catch (const PlatformError& error) {
      EXPECT_EQ(ToWide(error.what()), ToWide(path) + L" は有効なビットマップではありません");
    }
  }
}

}  // namespace
}  // namespace korvane::platform::win32
