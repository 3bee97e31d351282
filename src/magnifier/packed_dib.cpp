#include "magnifier/packed_dib.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

namespace lupendo {

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t ReadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}
int32_t ReadI32(const uint8_t* p) { return static_cast<int32_t>(ReadU32(p)); }
void WriteU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
void WriteU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t ColourCount(uint32_t clrUsed, uint32_t bitCount, uint32_t compression) {
  if (clrUsed != 0) return clrUsed;
  switch (bitCount) {
    case 1:
      return 2;
    case 4:
      return 16;
    case 8:
      return 256;
    case 16:
    case 32:
      return compression == kBiBitfields ? 3 : 0;
    default:
      return 0;
  }
}

int RowStride(int width, int bytesPerPixel) { return (width * bytesPerPixel + 3) & ~3; }

TDIBInfo DescribeDIB(const TPackedDIB& image) {
  if (image.Size() < kFileHeaderSize + kInfoHeaderSize) throw TessalyException("Invalid bitmap: header missing");
  const uint8_t* h = image.Header();
  TDIBInfo info;
  uint32_t biSize = ReadU32(h);
  info.Width = ReadI32(h + 4);
  info.Height = ReadI32(h + 8);
  info.BitCount = ReadU16(h + 14);
  info.Compression = ReadU32(h + 16);
  info.ClrUsed = ReadU32(h + 32);
  info.BytesPerPixel = static_cast<int>(info.BitCount / 8);
  if (biSize < kInfoHeaderSize || biSize > image.Size() || info.Width < 0 || info.Width > (1 << 20) ||
      info.Height < 0 || info.Height > (1 << 20) || info.ClrUsed > 256)
    throw TessalyException("Invalid bitmap header");
  info.Stride = RowStride(info.Width, info.BytesPerPixel);
  info.BitsOffset = kFileHeaderSize + biSize + 4 * ColourCount(info.ClrUsed, info.BitCount, info.Compression);
  if (info.BitsOffset + static_cast<size_t>(info.Stride) * static_cast<size_t>(info.Height) > image.Size())
    throw TessalyException("Invalid bitmap: pixels missing");
  return info;
}

TPackedDIB CreateBM(TDIBInfo& info, uint32_t modelClrUsed) {
  int stride = 0;
  uint32_t colours = 0;
  if (info.BytesPerPixel == 1) {
    stride = RowStride(info.Width, 1);
    colours = 256;
  } else if (info.BytesPerPixel == 3) {
    stride = RowStride(info.Width, 3);
    colours = modelClrUsed == 256 ? 256 : 0;
  } else {
    throw TessalyException("CreateBM: invalid planes=" + std::to_string(info.BytesPerPixel));
  }
  size_t imageSize = static_cast<size_t>(info.Height) * static_cast<size_t>(stride);
  size_t size = imageSize + 4 * colours + 62;  // 54 header bytes and 8 spare bytes
  TByteBuffer bytes;
  try {
    bytes.resize(size);
  } catch (const std::bad_alloc&) {
    throw TessalyException("CreateBM:\r\nNot enough memory is available to process this command.");
  }
  uint8_t* p = bytes.data();
  std::memset(p, 0, 54 + 4 * colours);
  std::memset(p + size - 8, 0, 8);
  const size_t rowBytes = static_cast<size_t>(info.Width) * static_cast<size_t>(info.BytesPerPixel);
  if (static_cast<size_t>(stride) > rowBytes)
    for (int y = 0; y < info.Height; ++y)
      std::memset(p + 54 + 4 * colours + static_cast<size_t>(y) * stride + rowBytes, 0, stride - rowBytes);
  WriteU16(p, kBitmapType);
  WriteU32(p + 2, static_cast<uint32_t>(size));
  WriteU32(p + 10, static_cast<uint32_t>(54 + 4 * colours));
  uint8_t* h = p + kFileHeaderSize;
  WriteU32(h, kInfoHeaderSize);
  WriteU32(h + 4, static_cast<uint32_t>(info.Width));
  WriteU32(h + 8, static_cast<uint32_t>(info.Height));
  WriteU16(h + 12, 1);
  WriteU16(h + 14, static_cast<uint16_t>(8 * info.BytesPerPixel));
  WriteU32(h + 16, kBiRgb);
  WriteU32(h + 20, static_cast<uint32_t>(imageSize));
  WriteU32(h + 32, colours);
  uint8_t* table = h + kInfoHeaderSize;
  for (uint32_t i = 0; i < colours; ++i) {
    table[4 * i] = table[4 * i + 1] = table[4 * i + 2] = static_cast<uint8_t>(i);
    table[4 * i + 3] = 0;
  }
  TPackedDIB result(std::move(bytes));
  int bytesPerPixel = info.BytesPerPixel;
  info = DescribeDIB(result);
  info.BytesPerPixel = bytesPerPixel;
  return result;
}

namespace {

// Writes every pixel but the last of a 24-bit row n times (N fixed at compile time, or 0 for
// the run-time n); returns where the last pixel goes. Two copies at a time with overlapping
// 8-byte stores (6 bytes used): the output needs 8 bytes of room after the last pixel.
template <int N>
uint8_t* WidenRow(const uint8_t* in, int width, uint8_t* o, int n = N) {
  const int copies = N ? N : n;
  for (int x = 0; x + 1 < width; ++x) {
    uint32_t pixel;
    std::memcpy(&pixel, in + 3 * x, 4);  // the fourth byte belongs to the next pixel
    const uint64_t one = pixel & 0xFFFFFFu;
    const uint64_t two = one | (one << 24);
    int k = 0;
    for (; k + 2 <= copies; k += 2, o += 6) std::memcpy(o, &two, 8);
    if (k < copies) {
      std::memcpy(o, &two, 8);
      o += 3;
    }
  }
  return o;
}

}  // namespace

TPackedDIB ScaleDIB(const TPackedDIB& image, const TIntRect& source, float factor) {
  TDIBInfo src = DescribeDIB(image);
  TDIBInfo dst;
  dst.Width = static_cast<int>(std::nearbyint(static_cast<float>(src.Width) * factor));
  dst.Height = static_cast<int>(std::nearbyint(static_cast<float>(src.Height) * factor));
  dst.BytesPerPixel = src.BytesPerPixel;
  int sourceWidth = source.Right - source.Left;
  int sourceHeight = source.Bottom - source.Top;
  if (sourceWidth < 1 || sourceHeight < 1) throw TessalyException("Image is too small");
  if (src.BytesPerPixel != 3 && src.BytesPerPixel != 1)
    throw TessalyException("Unable to size images other than 1 or 3 planes");
  TPackedDIB result = CreateBM(dst, src.ClrUsed);
  float f = static_cast<float>(dst.Width) / static_cast<float>(sourceWidth);
  int n = static_cast<int>(f);
  if (f - static_cast<float>(n) != 0.0f) throw TessalyException("Unable to zoom non Integer values.");
  if (static_cast<float>(sourceHeight) != static_cast<float>(dst.Height) / f)
    throw TessalyException("Invalid Destination Height.");
  if (src.BytesPerPixel == 1) {
    // One-byte pixels pass the checks; they are replicated byte by byte.
    for (int r = 0; r < src.Height; ++r) {
      const uint8_t* in = image.Data() + src.BitsOffset + static_cast<size_t>(r) * src.Stride;
      uint8_t* out = result.Data() + dst.BitsOffset + static_cast<size_t>(r) * n * dst.Stride;
      for (int x = 0; x < src.Width; ++x) std::memset(out + x * n, in[x], static_cast<size_t>(n));
      for (int k = 1; k < n; ++k) std::memcpy(out + static_cast<size_t>(k) * dst.Stride, out, dst.Stride);
    }
    return result;
  }
  // Each source row is widened once into a scratch row that stays in the cache, then copied
  // into its n target rows (block copies write memory fastest).
  const size_t rowBytes = static_cast<size_t>(dst.Width) * 3;
  TByteBuffer scratch(rowBytes + 8);
  for (int r = 0; r < src.Height; ++r) {
    const uint8_t* in = image.Data() + src.BitsOffset + static_cast<size_t>(r) * src.Stride;
    uint8_t* out = result.Data() + dst.BitsOffset + static_cast<size_t>(r) * n * dst.Stride;
    const uint8_t* row = in;
    if (n > 1) {
      uint8_t* o = scratch.data();
      if (n == 2)
        o = WidenRow<2>(in, src.Width, o);
      else if (n == 4)
        o = WidenRow<4>(in, src.Width, o);
      else
        o = WidenRow<0>(in, src.Width, o, n);
      const uint8_t* last = in + 3 * (src.Width - 1);
      for (int k = 0; k < n; ++k, o += 3) {
        o[0] = last[0];
        o[1] = last[1];
        o[2] = last[2];
      }
      row = scratch.data();
    }
    for (int k = 0; k < n; ++k) std::memcpy(out + static_cast<size_t>(k) * dst.Stride, row, rowBytes);
  }
  return result;
}

void GreyBitmap(TPackedDIB& image, int offset) {
  TDIBInfo info = DescribeDIB(image);
  if (info.BytesPerPixel != 3) throw TessalyException("GreyBitmap: 24-bit image expected");
  for (int y = 0; y < info.Height; ++y) {
    uint8_t* p = image.Data() + info.BitsOffset + static_cast<size_t>(y) * info.Stride;
    uint32_t lastRgb = 0xFFFFFFFF;
    uint8_t grey = 0;
    for (int x = 0; x < info.Width; ++x, p += 3) {
      uint32_t rgb = p[0] | (p[1] << 8) | (p[2] << 16);
      if (rgb != lastRgb) {  // runs of one colour reuse the last grey
        lastRgb = rgb;
        grey = static_cast<uint8_t>(std::min((p[0] + p[1] + p[2]) / 3 + offset, 240));
      }
      p[0] = p[1] = p[2] = grey;
    }
  }
}

void LightenBitmap(TPackedDIB& image, double amount) {
  TDIBInfo info = DescribeDIB(image);
  if (info.BytesPerPixel != 3) throw TessalyException("LightenBitmap: 24-bit image expected");
  uint8_t table[256];
  for (int c = 0; c < 256; ++c) table[c] = static_cast<uint8_t>(c + std::lround((255 - c) * amount));
  for (int y = 0; y < info.Height; ++y) {
    uint8_t* p = image.Data() + info.BitsOffset + static_cast<size_t>(y) * info.Stride;
    for (int x = 0; x < info.Width * 3; ++x) p[x] = table[p[x]];
  }
}

std::string FormatFreeMemory(uint64_t bytes) {
  char text[64];
  double mb = static_cast<double>(bytes) / (1024.0 * 1024.0);
  if (mb >= 1.0)
    std::snprintf(text, sizeof text, "%.2f MB", mb);
  else
    std::snprintf(text, sizeof text, "%.2f KB", static_cast<double>(bytes) / 1024.0);
  return text;
}

}  // namespace lupendo
