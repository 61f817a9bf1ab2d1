#include "TestSupport.h"

#include <shellapi.h>

#include "platform/win32/Text.h"

namespace korvane::platform::win32::test {

Snapshot::Snapshot(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  const HDC screen = GetDC(nullptr);
  dc_ = CreateCompatibleDC(screen);
  bitmap_ = CreateCompatibleBitmap(screen, client.right, client.bottom);
  ReleaseDC(nullptr, screen);
  old_ = SelectObject(dc_, bitmap_);
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
}

Snapshot::~Snapshot() {
  SelectObject(dc_, old_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

bool Snapshot::AnyOtherThan(COLORREF color, int left, int top, int right, int bottom) const {
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      if (At(x, y) != color) return true;
  return false;
}

TempFolder::TempFolder() {
  static int counter = 0;
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  const std::wstring folder = std::wstring(base) + L"korvane-テスト-" +
                              std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++counter);
  CreateDirectoryW(folder.c_str(), nullptr);
  path_ = FromWide(folder) + "\\";
  wide_ = folder + L"\\";
}

TempFolder::TempFolder(const std::wstring& name) {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  const std::wstring folder =
      std::wstring(base) + name + L"-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  wide_ = folder + L"\\";
}

TempFolder::~TempFolder() {
  std::wstring folder = wide_;
  folder.back() = L'\0';  // the list of one name that the call wants ends in two nulls
  SHFILEOPSTRUCTW remove{};
  remove.wFunc = FO_DELETE;
  remove.pFrom = folder.c_str();
  remove.fFlags = FOF_NO_UI;
  SHFileOperationW(&remove);
}

std::string MakeBitmap(int width, int height,
                       const std::function<COLORREF(int x, int y)>& colourAt) {
  const int stride = (width * 3 + 3) / 4 * 4;  // rows are padded to four bytes
  std::string bytes(54 + stride * height, '\0');
  auto put32 = [&](size_t at, unsigned value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
  };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put32(2, static_cast<unsigned>(bytes.size()));
  put32(10, 54);  // pixels after the two headers
  put32(14, 40);
  put32(18, static_cast<unsigned>(width));
  put32(22, static_cast<unsigned>(height));
  bytes[26] = 1;   // planes
  bytes[28] = 24;  // bits per pixel
  for (int row = 0; row < height; ++row) {  // bottom-up: row 0 is the bottom one
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colourAt(x, height - 1 - row);
      char* pixel = &bytes[54 + row * stride + x * 3];
      pixel[0] = static_cast<char>(GetBValue(c));
      pixel[1] = static_cast<char>(GetGValue(c));
      pixel[2] = static_cast<char>(GetRValue(c));
    }
  }
  return bytes;
}

namespace {
constexpr wchar_t kWatchProperty[] = L"KorvaneTestWatch";
}  // namespace

MessageWatch::MessageWatch(HWND window) : window_(window) {
  SetPropW(window, kWatchProperty, this);
  old_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
}

MessageWatch::~MessageWatch() {
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_));
  RemovePropW(window_, kWatchProperty);
}

LRESULT CALLBACK MessageWatch::Procedure(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
  auto* self = static_cast<MessageWatch*>(GetPropW(window, kWatchProperty));
  if (message == WM_WINDOWPOSCHANGING) ++self->positions;
  if (message == WM_STYLECHANGING) ++self->styles;
  if (self->onMessage) self->onMessage(message, wParam);
  return CallWindowProcW(self->old_, window, message, wParam, lParam);
}

std::string MakeGlyphStrip(const COLORREF (&colours)[4]) {
  return MakeBitmap(80, 20, [&](int x, int y) {
    return y == 19 ? RGB(255, 0, 255) : colours[x / 20];
  });
}

}  // namespace korvane::platform::win32::test
