#include "platform/win32/Win32Platform.h"

#include "platform/win32/Win32Bitmap.h"

namespace korvane::platform::win32 {

Win32Platform::Win32Platform() : clipboard_(application_.Hwnd()) {}

std::unique_ptr<Bitmap> Win32Platform::LoadBitmap(const std::string& path) {
  return std::make_unique<Win32Bitmap>(files_, path);
}

}  // namespace korvane::platform::win32
