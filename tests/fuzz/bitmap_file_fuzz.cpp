// Arbitrary bytes as a button picture: the reader must neither crash nor read out of bounds,
// and a file it takes must describe rows that lie wholly inside the bytes, since the Windows
// layer copies exactly those.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/BitmapFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using korvane::platform::kMaxBitmapSide;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const auto file = korvane::platform::ReadBitmapFile(input);
  if (!file) return 0;
  const std::size_t rowBits = static_cast<std::size_t>(file->Width) * file->BitCount;
  const std::size_t palette = file->Palette.size();
  const bool sane =
      file->Width >= 1 && file->Width <= kMaxBitmapSide && file->Height >= 1 &&
      file->Height <= kMaxBitmapSide && file->Stride % 4 == 0 && file->Stride * 8 >= rowBits &&
      file->Stride * 8 < rowBits + 32 &&
      file->PixelSize == file->Stride * static_cast<std::size_t>(file->Height) &&
      file->PixelOffset <= size && file->PixelSize <= size - file->PixelOffset &&
      (file->BitCount <= 8 ? palette >= 1 && palette <= (std::size_t{1} << file->BitCount)
                           : palette == 0);
  if (!sane) __builtin_trap();
  // The first and last bytes the loader copies; ASan reports them if they lie outside.
  volatile char first = input[file->PixelOffset];
  volatile char last = input[file->PixelOffset + file->PixelSize - 1];
  (void)first;
  (void)last;
  return 0;
}
