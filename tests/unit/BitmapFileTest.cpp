// The .bmp reader: every header kind and bit depth it takes, the damage it refuses, and the
// shipped pictures.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>

#include "platform/BitmapFile.h"

namespace korvane::test {
namespace {

using platform::ReadBitmapFile;

struct Layout {
  std::uint32_t header = 40;  // 12 (core), 40 (info), 108 (V4) or 124 (V5)
  int bits = 24;
  std::int32_t width = 3;
  std::int32_t height = 2;
  std::uint32_t compression = 0;  // 3 for bit fields
  std::uint32_t colours = 0;      // the info header's count; 0 means all that the bits allow
  std::uint32_t masks[3] = {0xF800, 0x07E0, 0x001F};
};

void Put(std::string& bytes, std::size_t at, std::uint32_t value, int size = 4) {
  for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// A file as a writer would make it: headers, masks, colour table (entry i is blue i, green
// i + 1, red i + 2), then the rows.
std::string Make(const Layout& l) {
  const bool core = l.header == 12;
  const bool maskAfterHeader = l.compression == 3 && l.header == 40;
  std::size_t entries = l.colours;
  if (l.bits <= 8 && (core || entries == 0)) entries = std::size_t{1} << l.bits;
  const std::size_t entrySize = core ? 3 : 4;
  const std::size_t stride = (static_cast<std::size_t>(l.width) * l.bits + 31) / 32 * 4;
  const std::size_t offset = 14 + l.header + (maskAfterHeader ? 12 : 0) + entries * entrySize;
  std::string bytes(offset + stride * static_cast<std::size_t>(std::abs(l.height)), '\0');
  bytes[0] = 'B';
  bytes[1] = 'M';
  Put(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
  Put(bytes, 10, static_cast<std::uint32_t>(offset));
  Put(bytes, 14, l.header);
  const int side = core ? 2 : 4;  // the core header's width and height are 16 bits
  Put(bytes, 18, l.width, side);
  Put(bytes, 18 + side, l.height, side);
  Put(bytes, 18 + 2 * side, 1, 2);  // planes
  Put(bytes, 20 + 2 * side, l.bits, 2);
  if (!core) {
    Put(bytes, 30, l.compression);
    Put(bytes, 46, l.colours);
  }
  if (l.compression == 3) {
    for (int i = 0; i < 3; ++i) Put(bytes, 54 + 4 * i, l.masks[i]);
  }
  const std::size_t table = offset - entries * entrySize;
  for (std::size_t i = 0; i < entries; ++i) {
    for (std::size_t c = 0; c < 3; ++c) bytes[table + i * entrySize + c] = static_cast<char>(i + c);
  }
  return bytes;
}

TEST(BitmapFile, TakesEveryHeaderKindAndBitDepth) {
  const struct {
    Layout layout;
    std::size_t palette;
  } cases[] = {
      {{12, 1}, 2},  {{12, 4}, 16}, {{12, 8}, 256}, {{12, 24}, 0},
      {{40, 1}, 2},  {{40, 4}, 16}, {{40, 8}, 256}, {{40, 8, 3, 2, 0, 5}, 5},
      {{40, 16}, 0}, {{40, 24}, 0}, {{40, 32}, 0},  {{40, 24, 3, 2, 0, 7}, 0},
      {{40, 16, 3, 2, 3}, 0},
      {{40, 32, 3, 2, 3, 0, {0xFF000000, 0xFF0000, 0xFF00}}, 0},
      {{108, 16, 3, 2, 3}, 0}, {{108, 4}, 16}, {{124, 32}, 0}, {{124, 8, 5, 2, 0, 200}, 200},
      {{124, 16, 3, -2, 3, 0, {0x7C00, 0x03E0, 0x001F}}, 0},
      {{40, 24, 1, -1}, 0}, {{40, 1, 16384, 1}, 2},
  };
  for (const auto& c : cases) {
    const Layout& l = c.layout;
    const std::string bytes = Make(l);
    const auto info = ReadBitmapFile(bytes);
    const std::string what = std::to_string(l.header) + "-byte header, " + std::to_string(l.bits) +
                             " bits, " + std::to_string(l.width) + "x" + std::to_string(l.height);
    ASSERT_TRUE(info) << what;
    EXPECT_EQ(info->Width, l.width) << what;
    EXPECT_EQ(info->Height, std::abs(l.height)) << what;
    EXPECT_EQ(info->TopDown, l.height < 0) << what;
    EXPECT_EQ(info->BitCount, l.bits) << what;
    EXPECT_EQ(info->BitFields, l.compression == 3) << what;
    EXPECT_EQ(info->GreenMask, info->BitFields ? l.masks[1] : 0u) << what;
    // The rows, padded to four bytes, fill the rest of the file exactly.
    EXPECT_EQ(info->PixelSize, info->Stride * info->Height) << what;
    EXPECT_EQ(info->PixelOffset + info->PixelSize, bytes.size()) << what;
    ASSERT_EQ(info->Palette.size(), c.palette) << what;
    if (c.palette) {
      const platform::BitmapColor last = info->Palette.back();
      const std::size_t i = c.palette - 1;
      EXPECT_EQ(last.Blue, i % 256) << what;
      EXPECT_EQ(last.Green, (i + 1) % 256) << what;
      EXPECT_EQ(last.Red, (i + 2) % 256) << what;
    }
  }
}

TEST(BitmapFile, RefusesDamagedAndUnusualFiles) {
  const Layout info24;
  const Layout core8{12, 8};
  const Layout fields16{40, 16, 3, 2, 3};
  auto cut = [](std::size_t size) { return [size](std::string& b) { b.resize(size); }; };
  auto put = [](std::size_t at, std::uint32_t value, int size = 4) {
    return [=](std::string& b) { Put(b, at, value, size); };
  };
  const struct {
    const char* what;
    Layout layout;
    std::function<void(std::string&)> damage;
  } cases[] = {
      {"empty", info24, cut(0)},
      {"cut in the info header", info24, cut(40)},
      {"cut in the masks", fields16, cut(60)},
      {"cut in the core palette", core8, cut(26 + 3 * 100)},
      {"cut in the last row", info24, [](std::string& b) { b.pop_back(); }},
      {"not BM", info24, put(0, 'B' | 'A' << 8, 2)},
      {"30000 x 30000", info24,
       [](std::string& b) {
         Put(b, 18, 30000);
         Put(b, 22, 30000);
       }},
      {"too wide", Layout{40, 1, 16385, 1}, nullptr},
      {"too tall, top-down", Layout{40, 1, 8, -16385}, nullptr},
      {"height of -2^31", info24, put(22, 0x80000000u)},
      {"zero width", info24, put(18, 0)},
      {"negative width", info24, put(18, 0xFFFFFFFFu)},
      {"zero height", info24, put(22, 0)},
      {"offset past the end", info24, put(10, 1000)},
      {"offset at 2^32 - 1", info24, put(10, 0xFFFFFFFFu)},
      {"offset inside the headers", info24, put(10, 40)},
      {"offset inside the masks", fields16, put(10, 60)},
      {"palette larger than 8 bits allow", Layout{40, 8, 3, 2, 0, 257}, nullptr},
      {"palette larger than 1 bit allows", Layout{40, 1, 3, 2, 0, 3}, nullptr},
      {"colour table of 24 bits too long", Layout{40, 24, 3, 2, 0, 257}, nullptr},
      {"two planes", info24, put(26, 2, 2)},
      {"bit count 2", info24, put(28, 2, 2)},
      {"core with 16 bits", core8, put(24, 16, 2)},
      {"run-length 8", Layout{40, 8}, put(30, 1)},
      {"bit fields at 24 bits", Layout{40, 24, 3, 2, 3}, nullptr},
      {"bit fields with a zero mask", fields16, put(62, 0)},
      {"bit fields overlapping", fields16, put(58, 0xFC00)},
      {"bit fields with a gap", fields16, put(54, 0xD800)},
      {"bit fields beyond 16 bits", fields16, put(54, 0x1F0000)},
      {"V2 header", info24, put(14, 52)},
      {"header larger than the file", info24, put(14, 0x7FFFFFFF)},
  };
  for (const auto& c : cases) {
    std::string bytes = Make(c.layout);
    if (c.damage) c.damage(bytes);
    EXPECT_FALSE(ReadBitmapFile(bytes)) << c.what;
  }
}

TEST(BitmapFile, ShippedPicturesAreTakenAndEveryShorterCutOfThemRefused) {
  for (const char* name : {"Lock", "Copy", "Paste", "Cut", "Undo", "Redo", "AllErase"}) {
    std::ifstream in(std::string(KORVANE_DATA_DIR) + "/" + name + ".bmp", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    const auto info = ReadBitmapFile(bytes);
    ASSERT_TRUE(info) << name;
    const bool lock = name == std::string("Lock");
    EXPECT_EQ(std::make_pair(info->Width, info->Height),
              std::make_pair(lock ? 80 : 18, lock ? 20 : 18));
    for (std::size_t size = 0; size < bytes.size(); ++size) {
      ASSERT_FALSE(ReadBitmapFile(std::string_view(bytes).substr(0, size))) << name << size;
    }
  }
}

}  // namespace
}  // namespace korvane::test
