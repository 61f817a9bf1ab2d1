// A picture loaded from a file, shown by buttons.
#pragma once

namespace korvane::platform {

class Bitmap {
 public:
  virtual ~Bitmap() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
};

}  // namespace korvane::platform
