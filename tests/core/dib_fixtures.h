#pragma once
// Small 24-bit packed DIBs for the image tests.
#include <functional>
#include <ostream>

#include "magnifier/packed_dib.h"

namespace lupendo {
inline void PrintTo(const TIntRect& r, std::ostream* out) {
  *out << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}
}  // namespace lupendo

namespace lupendo::testing {

// A width x height 24-bit image whose pixel (x, y) (y counted in stored rows) is
// colour(x, y) as 0xRRGGBB.
inline TPackedDIB MakeImage(int width, int height, const std::function<uint32_t(int, int)>& colour) {
  TDIBInfo info;
  info.Width = width;
  info.Height = height;
  info.BytesPerPixel = 3;
  TPackedDIB image = CreateBM(info);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint8_t* p = image.Data() + info.BitsOffset + static_cast<size_t>(y) * info.Stride + 3 * x;
      uint32_t c = colour(x, y);
      p[0] = static_cast<uint8_t>(c);
      p[1] = static_cast<uint8_t>(c >> 8);
      p[2] = static_cast<uint8_t>(c >> 16);
    }
  return image;
}

inline uint32_t PixelAt(const TPackedDIB& image, int x, int y) {
  TDIBInfo info = DescribeDIB(image);
  const uint8_t* p = image.Data() + info.BitsOffset + static_cast<size_t>(y) * info.Stride + 3 * x;
  return p[0] | (p[1] << 8) | (p[2] << 16);
}

// Distinct colours that make any misplaced pixel visible.
inline uint32_t Pattern(int x, int y) {
  return static_cast<uint32_t>(((x * 37 + y * 11) & 0xFF) | (((x * 5 + y * 71) & 0xFF) << 8) |
                               (((x ^ y) * 13 & 0xFF) << 16));
}

}  // namespace lupendo::testing
