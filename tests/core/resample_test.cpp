// Smooth-zoom resampling against a plain per-pixel implementation of its sampling rule.
#include <gtest/gtest.h>

#include "dib_fixtures.h"
#include "magnifier/packed_dib.h"

namespace lupendo {
namespace {

using testing::MakeImage;
using testing::Pattern;
using testing::PixelAt;

// The sampling written out pixel by pixel: 16.16 positions, 2 x 2 neighbours clamped to the
// last column and row, each row mixed and truncated, then the two rows mixed and truncated.
uint32_t ReferenceSample(const TPackedDIB& image, int targetWidth, int targetHeight, int x, int y) {
  TDIBInfo info = DescribeDIB(image);
  uint32_t sx = (static_cast<uint32_t>(info.Width - 1) << 16) / static_cast<uint32_t>(targetWidth);
  uint32_t sy = (static_cast<uint32_t>(info.Height - 1) << 16) / static_cast<uint32_t>(targetHeight);
  uint32_t fx = x * sx, fy = y * sy;
  int ix = fx >> 16, iy = fy >> 16;
  int ix1 = std::min(ix + 1, info.Width - 1), iy1 = std::min(iy + 1, info.Height - 1);
  uint32_t wx = fx & 0xFFFF, wy = fy & 0xFFFF;
  uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    auto c = [&](int px, int py) { return (PixelAt(image, px, py) >> shift) & 0xFF; };
    uint32_t top = (c(ix, iy) * (65536 - wx) + c(ix1, iy) * wx) >> 16;
    uint32_t bottom = (c(ix, iy1) * (65536 - wx) + c(ix1, iy1) * wx) >> 16;
    result |= ((top * (65536 - wy) + bottom * wy) >> 16) << shift;
  }
  return result;
}

TEST(BilinearResize, MatchesTheReferenceSamplingBitForBit) {
  struct {
    int SourceWidth, SourceHeight, TargetWidth, TargetHeight;
  } cases[] = {{16, 12, 32, 24}, {16, 12, 48, 36}, {7, 5, 59, 23}, {20, 9, 20, 9},
               {1, 1, 5, 4},     {1, 6, 4, 17},    {9, 1, 30, 3},  {33, 17, 100, 51}};
  for (const auto& c : cases) {
    TPackedDIB image = MakeImage(c.SourceWidth, c.SourceHeight, Pattern);
    TPackedDIB resized = BilinearResize(image, c.TargetWidth, c.TargetHeight);
    TDIBInfo info = DescribeDIB(resized);
    ASSERT_EQ(info.Width, c.TargetWidth);
    ASSERT_EQ(info.Height, c.TargetHeight);
    for (int y = 0; y < c.TargetHeight; ++y)
      for (int x = 0; x < c.TargetWidth; ++x)
        ASSERT_EQ(PixelAt(resized, x, y), ReferenceSample(image, c.TargetWidth, c.TargetHeight, x, y))
            << c.SourceWidth << "x" << c.SourceHeight << " -> " << c.TargetWidth << "x" << c.TargetHeight << " at "
            << x << "," << y;
  }
}

TEST(BilinearResize, KeepsTheFirstPixelAndSoftensEdgesAtWholeFactors) {
  TPackedDIB image = MakeImage(2, 1, [](int x, int) { return x == 0 ? 0x000000u : 0xFFFFFFu; });
  TPackedDIB resized = BilinearResize(image, 4, 2);
  EXPECT_EQ(PixelAt(resized, 0, 0), 0x000000u);
  // sx = 65536 / 4: the second pixel is a quarter of the way to white.
  EXPECT_EQ(PixelAt(resized, 1, 0), 0x3F3F3Fu);
  EXPECT_EQ(PixelAt(resized, 3, 0), 0xBFBFBFu);  // the last column is never reached
}

TEST(BilinearResize, OnlyTwentyFourBitImages) {
  TDIBInfo info;
  info.Width = 4;
  info.Height = 4;
  info.BytesPerPixel = 1;
  EXPECT_THROW(BilinearResize(CreateBM(info), 8, 8), TessalyException);
  EXPECT_THROW(BilinearResize(MakeImage(4, 4, Pattern), 0, 8), TessalyException);
}

}  // namespace
}  // namespace lupendo
