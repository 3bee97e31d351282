// The packed DIB layout, replication, grey look and the buffer error texts.
#include "magnifier/packed_dib.h"

#include <gtest/gtest.h>

#include "dib_fixtures.h"

namespace lupendo {
namespace {

using testing::MakeImage;
using testing::Pattern;
using testing::PixelAt;

TEST(PackedDIB, CreateBMWritesTheBmpFileLayout) {
  TDIBInfo info;
  info.Width = 5;
  info.Height = 2;
  info.BytesPerPixel = 3;
  TPackedDIB image = CreateBM(info);
  const uint8_t* p = image.Data();
  EXPECT_EQ(ReadU16(p), 19778);
  EXPECT_EQ(ReadU32(p + 2), image.Size());
  EXPECT_EQ(image.Size(), 2u * 16 + 62);  // stride 15 padded to 16, 54 header and 8 spare bytes
  EXPECT_EQ(ReadU32(p + 10), 54u);
  EXPECT_EQ(ReadU32(p + 14), 40u);
  EXPECT_EQ(ReadI32(p + 18), 5);
  EXPECT_EQ(ReadI32(p + 22), 2);
  EXPECT_EQ(ReadU16(p + 26), 1);
  EXPECT_EQ(ReadU16(p + 28), 24);
  EXPECT_EQ(ReadU32(p + 34), 32u);  // biSizeImage
  EXPECT_EQ(info.Stride, 16);
  EXPECT_EQ(info.BitsOffset, 54u);
}

TEST(PackedDIB, EightBitImagesCarryAGreyTable) {
  TDIBInfo info;
  info.Width = 3;
  info.Height = 1;
  info.BytesPerPixel = 1;
  TPackedDIB image = CreateBM(info);
  EXPECT_EQ(ReadU32(image.Data() + 10), 54u + 1024);
  EXPECT_EQ(info.BitsOffset, 54u + 1024);
  EXPECT_EQ(info.Stride, 4);
  const uint8_t* entry = image.Data() + 54 + 4 * 200;
  EXPECT_EQ(entry[0], 200);
  EXPECT_EQ(entry[1], 200);
  EXPECT_EQ(entry[2], 200);
  EXPECT_EQ(entry[3], 0);
}

TEST(PackedDIB, CreateBMRejectsOtherPixelSizes) {
  TDIBInfo info;
  info.Width = 3;
  info.Height = 1;
  info.BytesPerPixel = 4;
  try {
    CreateBM(info);
    FAIL() << "no error";
  } catch (const TessalyException& e) {
    EXPECT_STREQ(e.what(), "CreateBM: invalid planes=4");
  }
}

TEST(PackedDIB, ColourCountFollowsTheBitCount) {
  struct {
    uint32_t ClrUsed, BitCount, Compression, Expected;
  } cases[] = {{0, 1, 0, 2},  {0, 4, 0, 16}, {0, 8, 0, 256}, {0, 16, 3, 3}, {0, 32, 3, 3},
               {0, 16, 0, 0}, {0, 24, 0, 0}, {12, 8, 0, 12}, {0, 24, 3, 0}};
  for (const auto& c : cases)
    EXPECT_EQ(ColourCount(c.ClrUsed, c.BitCount, c.Compression), c.Expected) << c.BitCount << "/" << c.Compression;
}

TEST(PackedDIB, DescribeRejectsTruncatedBlocks) {
  TPackedDIB image = MakeImage(4, 4, Pattern);
  image.Bytes().resize(image.Size() - 20);
  EXPECT_THROW(DescribeDIB(image), TessalyException);
  EXPECT_THROW(DescribeDIB(TPackedDIB(std::vector<uint8_t>(30))), TessalyException);
}

TEST(ScaleDIB, EverySourcePixelBecomesAnExactBlock) {
  for (int factor : {1, 2, 3, 4, 7}) {
    TPackedDIB image = MakeImage(10, 6, Pattern);
    TPackedDIB scaled = ScaleDIB(image, TIntRect{0, 0, 10, 6}, static_cast<float>(factor));
    TDIBInfo info = DescribeDIB(scaled);
    ASSERT_EQ(info.Width, 10 * factor);
    ASSERT_EQ(info.Height, 6 * factor);
    for (int y = 0; y < info.Height; ++y)
      for (int x = 0; x < info.Width; ++x)
        ASSERT_EQ(PixelAt(scaled, x, y), Pattern(x / factor, y / factor)) << "factor " << factor << " at " << x << ","
                                                                          << y;
  }
}

TEST(ScaleDIB, RefusesWhatItCannotReplicate) {
  struct {
    float Factor;
    TIntRect Source;
    const char* Message;
  } cases[] = {
      {2.5f, {0, 0, 10, 10}, "Unable to zoom non Integer values."},
      {2.0f, {0, 0, 0, 10}, "Image is too small"},
      {2.0f, {0, 0, 10, 7}, "Invalid Destination Height."},
  };
  for (const auto& c : cases) {
    try {
      ScaleDIB(MakeImage(10, 10, Pattern), c.Source, c.Factor);
      ADD_FAILURE() << "no error for " << c.Message;
    } catch (const TessalyException& e) {
      EXPECT_STREQ(e.what(), c.Message);
    }
  }
}

TEST(GreyBitmap, GreyLevelIsTheChannelMeanPlusOffsetCappedAt240) {
  TPackedDIB image = MakeImage(4, 1, [](int x, int) {
    const uint32_t colours[] = {0x000000, 0xFF0000, 0x102030, 0xFFFFFF};
    return colours[x];
  });
  GreyBitmap(image, 10);
  EXPECT_EQ(PixelAt(image, 0, 0), 0x0A0A0Au);
  EXPECT_EQ(PixelAt(image, 1, 0), 0x5F5F5Fu);  // 255 / 3 + 10 = 95
  EXPECT_EQ(PixelAt(image, 2, 0), 0x2A2A2Au);  // (16 + 32 + 48) / 3 + 10 = 42
  EXPECT_EQ(PixelAt(image, 3, 0), 0xF0F0F0u);
  LightenBitmap(image, 0.20);
  EXPECT_EQ(PixelAt(image, 0, 0), 0x3B3B3Bu);  // 10 + round(245 * 0.2) = 59
}

TEST(FreeMemory, MegabytesOrKilobytesWithTwoDecimals) {
  EXPECT_EQ(FormatFreeMemory(3u * 1024 * 1024 + 512 * 1024), "3.50 MB");
  EXPECT_EQ(FormatFreeMemory(1024 * 1024), "1.00 MB");
  EXPECT_EQ(FormatFreeMemory(1536), "1.50 KB");
  EXPECT_EQ(FormatFreeMemory(0), "0.00 KB");
}

}  // namespace
}  // namespace lupendo
