#include "platform/win32/Win32Bitmap.h"

#include "platform/Types.h"
#include "platform/win32/Text.h"

namespace korvane::platform::win32 {

Win32Bitmap::Win32Bitmap(const std::string& path) : Win32Bitmap(ToWide(path), path) {}

Win32Bitmap::Win32Bitmap(const std::wstring& file, const std::string& name)
    : bitmap_(static_cast<HBITMAP>(LoadImageW(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0,
                                              LR_LOADFROMFILE | LR_CREATEDIBSECTION))) {
  if (!bitmap_) {
    throw PlatformError(name + FromWide(L" は有効なビットマップではありません"));
  }
  BITMAP info{};
  GetObjectW(bitmap_, sizeof info, &info);
  width_ = info.bmWidth;
  height_ = info.bmHeight;
}

Win32Bitmap::~Win32Bitmap() { DeleteObject(bitmap_); }

}  // namespace korvane::platform::win32
