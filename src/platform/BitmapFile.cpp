#include "platform/BitmapFile.h"

namespace korvane::platform {

namespace {

constexpr std::uint64_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV4HeaderSize = 108;
constexpr std::uint32_t kV5HeaderSize = 124;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitFields = 3;
// Above 8 bits a file may carry a colour table as a hint for palette displays; nothing draws
// from it, but a longer one than a palette display could use is not a picture of ours.
constexpr std::uint64_t kMaxHintColours = 256;

// Little-endian fields of the file. Every read is checked: outside the bytes it gives 0, and
// the parser checks the extent of each part before it trusts what it read.
class Fields {
 public:
  explicit Fields(std::string_view bytes) : bytes_(bytes) {}

  bool Has(std::uint64_t at, std::uint64_t count) const {
    return at <= bytes_.size() && count <= bytes_.size() - at;
  }
  std::uint32_t U8(std::uint64_t at) const {
    return Has(at, 1) ? static_cast<unsigned char>(bytes_[static_cast<std::size_t>(at)]) : 0;
  }
  std::uint32_t U16(std::uint64_t at) const { return U8(at) | U8(at + 1) << 8; }
  std::uint32_t U32(std::uint64_t at) const { return U16(at) | U16(at + 2) << 16; }
  std::int64_t I32(std::uint64_t at) const {
    const std::int64_t value = U32(at);
    return value >= 0x80000000LL ? value - 0x100000000LL : value;
  }

 private:
  std::string_view bytes_;
};

// A mask is one run of bits: adding its lowest bit carries through the whole run.
bool IsOneRun(std::uint32_t mask) {
  const std::uint32_t lowest = mask & (~mask + 1);
  return mask != 0 && ((mask + lowest) & mask) == 0;
}

bool MasksFit(std::uint32_t red, std::uint32_t green, std::uint32_t blue, int bitCount) {
  const std::uint32_t all = red | green | blue;
  const bool overlap = (red & green) || (red & blue) || (green & blue);
  return IsOneRun(red) && IsOneRun(green) && IsOneRun(blue) && !overlap &&
         (bitCount == 32 || all <= 0xFFFF);
}

}  // namespace

std::optional<BitmapFileInfo> ReadBitmapFile(std::string_view bytes) {
  const Fields in(bytes);
  if (!in.Has(0, kFileHeaderSize + 4) || bytes.substr(0, 2) != "BM") return std::nullopt;
  const std::uint64_t pixelOffset = in.U32(10);
  const std::uint32_t headerSize = in.U32(14);
  const std::uint64_t header = kFileHeaderSize;
  if (!in.Has(header, headerSize)) return std::nullopt;

  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t planes = 0;
  std::uint32_t bitCount = 0;
  std::uint32_t compression = kBiRgb;
  std::uint64_t colours = 0;
  std::uint64_t colourSize = 4;  // RGBQUAD; the core format's RGBTRIPLE is 3
  if (headerSize == kCoreHeaderSize) {
    width = in.U16(header + 4);
    height = in.U16(header + 6);
    planes = in.U16(header + 8);
    bitCount = in.U16(header + 10);
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24) return std::nullopt;
    colourSize = 3;
  } else if (headerSize == kInfoHeaderSize || headerSize == kV4HeaderSize ||
             headerSize == kV5HeaderSize) {
    width = in.I32(header + 4);
    height = in.I32(header + 8);
    planes = in.U16(header + 12);
    bitCount = in.U16(header + 14);
    compression = in.U32(header + 16);
    colours = in.U32(header + 32);
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32) {
      return std::nullopt;
    }
  } else {
    return std::nullopt;
  }
  const std::int64_t rows = height < 0 ? -height : height;
  if (planes != 1 || width <= 0 || width > kMaxBitmapSide || rows == 0 || rows > kMaxBitmapSide) {
    return std::nullopt;
  }

  BitmapFileInfo info;
  info.Width = static_cast<int>(width);
  info.Height = static_cast<int>(rows);
  info.TopDown = height < 0;
  info.BitCount = static_cast<int>(bitCount);
  std::uint64_t table = header + headerSize;
  if (compression == kBiBitFields) {
    if (bitCount != 16 && bitCount != 32) return std::nullopt;
    // An info header is followed by the masks; the V4 and V5 headers hold them.
    const std::uint64_t masks = header + kInfoHeaderSize;
    if (headerSize == kInfoHeaderSize) table += 12;
    if (!in.Has(masks, 12)) return std::nullopt;
    info.BitFields = true;
    info.RedMask = in.U32(masks);
    info.GreenMask = in.U32(masks + 4);
    info.BlueMask = in.U32(masks + 8);
    if (!MasksFit(info.RedMask, info.GreenMask, info.BlueMask, info.BitCount)) {
      return std::nullopt;
    }
  } else if (compression != kBiRgb) {
    return std::nullopt;  // run-length, JPEG, PNG: nothing a button picture is
  }

  const std::uint64_t paletteLimit = bitCount <= 8 ? std::uint64_t{1} << bitCount : kMaxHintColours;
  if (bitCount <= 8 && (colours == 0 || headerSize == kCoreHeaderSize)) colours = paletteLimit;
  if (colours > paletteLimit || !in.Has(table, colours * colourSize)) return std::nullopt;

  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
  const std::uint64_t pixelSize = stride * static_cast<std::uint64_t>(rows);
  if (pixelOffset < table + colours * colourSize || !in.Has(pixelOffset, pixelSize)) {
    return std::nullopt;
  }
  info.Stride = static_cast<std::size_t>(stride);
  info.PixelOffset = static_cast<std::size_t>(pixelOffset);
  info.PixelSize = static_cast<std::size_t>(pixelSize);

  if (bitCount <= 8) {
    info.Palette.resize(static_cast<std::size_t>(colours));
    for (std::size_t i = 0; i < info.Palette.size(); ++i) {
      const std::uint64_t at = table + i * colourSize;  // blue, green, red
      info.Palette[i] = BitmapColor{static_cast<std::uint8_t>(in.U8(at + 2)),
                                    static_cast<std::uint8_t>(in.U8(at + 1)),
                                    static_cast<std::uint8_t>(in.U8(at))};
    }
  }
  return info;
}

}  // namespace korvane::platform
