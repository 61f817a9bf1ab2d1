#include "platform/win32/Win32Bitmap.h"

#include <cstring>
#include <optional>

#include "platform/BitmapFile.h"
#include "platform/Types.h"
#include "platform/win32/Text.h"

namespace korvane::platform::win32 {

namespace {

// A BITMAPINFO with room for the largest colour table, or for the three masks.
struct DibHeader {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

// The same kind of DIB section as the file describes (a core header given as an info header),
// holding exactly the checked pixel bytes.
HBITMAP MakeDibSection(const std::string& bytes, const BitmapFileInfo& file) {
  DibHeader dib{};
  dib.header.biSize = sizeof dib.header;
  dib.header.biWidth = file.Width;
  dib.header.biHeight = file.TopDown ? -file.Height : file.Height;
  dib.header.biPlanes = 1;
  dib.header.biBitCount = static_cast<WORD>(file.BitCount);
  if (file.BitFields) {
    dib.header.biCompression = BI_BITFIELDS;
    const DWORD masks[3] = {file.RedMask, file.GreenMask, file.BlueMask};
    std::memcpy(dib.colours, masks, sizeof masks);
  } else {
    dib.header.biCompression = BI_RGB;
    dib.header.biClrUsed = static_cast<DWORD>(file.Palette.size());
    for (size_t i = 0; i < file.Palette.size(); ++i) {
      dib.colours[i] = RGBQUAD{file.Palette[i].Blue, file.Palette[i].Green, file.Palette[i].Red, 0};
    }
  }
  void* pixels = nullptr;
  const HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&dib),
                                          DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (!bitmap) return nullptr;
  if (!pixels) {
    DeleteObject(bitmap);
    return nullptr;
  }
  // A DIB section's rows are padded to four bytes as the file's are.
  std::memcpy(pixels, bytes.data() + file.PixelOffset, file.PixelSize);
  return bitmap;
}

}  // namespace

Win32Bitmap::Win32Bitmap(FileSystem& files, const std::string& path) {
  const std::optional<std::string> bytes = files.ReadFile(path);
  const std::optional<BitmapFileInfo> file = bytes ? ReadBitmapFile(*bytes) : std::nullopt;
  if (file) bitmap_ = MakeDibSection(*bytes, *file);
  if (!bitmap_) throw PlatformError(path + FromWide(L" は有効なビットマップではありません"));
  width_ = file->Width;
  height_ = file->Height;
}

Win32Bitmap::~Win32Bitmap() { DeleteObject(bitmap_); }

}  // namespace korvane::platform::win32
