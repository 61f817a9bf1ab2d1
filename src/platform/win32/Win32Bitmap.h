// A .bmp file as a DIB section, built from the file's bytes once they are checked.
#pragma once

#include "platform/win32/Win32Api.h"

#include <string>

#include "platform/Bitmap.h"
#include "platform/FileSystem.h"

namespace korvane::platform::win32 {

class Win32Bitmap : public Bitmap {
 public:
  // Reads the file through `files`. Raises PlatformError, with a message for the user, when
  // it is missing or not a bitmap that ReadBitmapFile accepts.
  Win32Bitmap(FileSystem& files, const std::string& path);
  ~Win32Bitmap() override;
  Win32Bitmap(const Win32Bitmap&) = delete;
  Win32Bitmap& operator=(const Win32Bitmap&) = delete;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  HBITMAP Handle() const { return bitmap_; }

 private:
  HBITMAP bitmap_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace korvane::platform::win32
