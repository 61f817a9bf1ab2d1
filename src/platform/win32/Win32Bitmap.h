// A .bmp file loaded as a DIB section.
#pragma once

#include "platform/win32/Win32Api.h"

#include <string>

#include "platform/Bitmap.h"

namespace korvane::platform::win32 {

class Win32Bitmap : public Bitmap {
 public:
  // Raises PlatformError, with a message for the user, when the file does not load.
  explicit Win32Bitmap(const std::string& path);
  // The file by its full path; `name` is how the message names it.
  Win32Bitmap(const std::wstring& file, const std::string& name);
  ~Win32Bitmap() override;
  Win32Bitmap(const Win32Bitmap&) = delete;
  Win32Bitmap& operator=(const Win32Bitmap&) = delete;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  HBITMAP Handle() const { return bitmap_; }

 private:
  HBITMAP bitmap_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace korvane::platform::win32
