// The .bmp file format, read and checked by the program itself. The system's image loader
// trusts the headers and reads past the end of a file cut short or one that claims more pixels
// than it holds, so a picture reaches the system only as bytes checked here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace korvane::platform {

// Larger sides than any button picture needs; they also keep the pixel arithmetic far from
// overflow.
constexpr int kMaxBitmapSide = 16384;

struct BitmapColor {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
};

// What a checked file holds. Every offset and size lies inside the bytes it was read from.
struct BitmapFileInfo {
  int Width = 0;         // 1..kMaxBitmapSide
  int Height = 0;        // 1..kMaxBitmapSide rows, whatever the file's row order
  bool TopDown = false;  // the file's first row is the top one (a negative height)
  int BitCount = 0;      // 1, 4, 8, 16, 24 or 32
  // 16 and 32 bits: colours by the masks below; otherwise 5-5-5 and 8-8-8.
  bool BitFields = false;
  std::uint32_t RedMask = 0;
  std::uint32_t GreenMask = 0;
  std::uint32_t BlueMask = 0;
  // 1 to 2^BitCount colours at 8 bits or fewer; empty above.
  std::vector<BitmapColor> Palette;
  std::size_t Stride = 0;       // bytes per row, padded to four
  std::size_t PixelOffset = 0;  // where the rows start
  std::size_t PixelSize = 0;    // Stride * Height
};

// The description of an uncompressed .bmp file (a core, info, V4 or V5 header), or nothing
// when the bytes are not one: cut short, too large, compressed, or otherwise unusual.
std::optional<BitmapFileInfo> ReadBitmapFile(std::string_view bytes);

}  // namespace korvane::platform
