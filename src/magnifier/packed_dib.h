#pragma once
// The packed DIB: exactly the bytes of a ".bmp" file (14-byte file header, 40-byte info
// header, masks or colour table, bottom-up rows padded to four bytes, pixels blue, green,
// red). It is the exchange format of all image code; the owner holds the bytes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "magnifier/tessaly_exception.h"

namespace lupendo {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr uint16_t kBitmapType = 19778;  // "BM"
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;

// Leaves new elements uninitialised: image blocks are written completely by their makers,
// and clearing megabytes first would cost a whole extra pass.
template <typename T>
struct TDefaultInitAllocator : std::allocator<T> {
  template <typename U>
  struct rebind {
    using other = TDefaultInitAllocator<U>;
  };
  TDefaultInitAllocator() = default;
  template <typename U>
  TDefaultInitAllocator(const TDefaultInitAllocator<U>&) noexcept {}
  template <typename U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};
using TByteBuffer = std::vector<uint8_t, TDefaultInitAllocator<uint8_t>>;

class TPackedDIB {
 public:
  TPackedDIB() = default;
  explicit TPackedDIB(TByteBuffer bytes) : FBytes(std::move(bytes)) {}
  explicit TPackedDIB(const std::vector<uint8_t>& bytes) : FBytes(bytes.begin(), bytes.end()) {}

  bool Empty() const { return FBytes.empty(); }
  size_t Size() const { return FBytes.size(); }
  uint8_t* Data() { return FBytes.data(); }
  const uint8_t* Data() const { return FBytes.data(); }
  TByteBuffer& Bytes() { return FBytes; }
  const TByteBuffer& Bytes() const { return FBytes; }
  // The info header starts right after the file header.
  uint8_t* Header() { return FBytes.data() + kFileHeaderSize; }
  const uint8_t* Header() const { return FBytes.data() + kFileHeaderSize; }

 private:
  TByteBuffer FBytes;
};

// Describes one packed DIB. Offsets count from the start of the block.
struct TDIBInfo {
  size_t HeaderOffset = kFileHeaderSize;
  size_t BitsOffset = 0;
  int Width = 0;
  int Height = 0;
  int BytesPerPixel = 0;  // bit count div 8
  int Stride = 0;
  uint32_t BitCount = 0;
  uint32_t Compression = 0;
  uint32_t ClrUsed = 0;
};

// Little-endian field access inside a block.
uint16_t ReadU16(const uint8_t* p);
uint32_t ReadU32(const uint8_t* p);
int32_t ReadI32(const uint8_t* p);
void WriteU16(uint8_t* p, uint16_t v);
void WriteU32(uint8_t* p, uint32_t v);

// Colour-table entries (or the three masks) that follow the info header.
uint32_t ColourCount(uint32_t clrUsed, uint32_t bitCount, uint32_t compression);
int RowStride(int width, int bytesPerPixel);

// Reads the record of a packed DIB; throws TessalyException for a block too short to hold
// the headers and the rows they announce.
TDIBInfo DescribeDIB(const TPackedDIB& image);

// A new empty packed DIB of info.Width x info.Height with info.BytesPerPixel 1 or 3. A model
// header announcing 256 colours gives a 3-byte image the grey table as well. Pixels are not
// initialised; row padding and the spare bytes at the end are zero. info describes the new
// image afterwards.
TPackedDIB CreateBM(TDIBInfo& info, uint32_t modelClrUsed = 0);

// Integer enlargement by pixel replication. source: (left, top, right, bottom) of the part
// whose size sets the factor check (the whole image in the program).
struct TIntRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const TIntRect&) const = default;
};
TPackedDIB ScaleDIB(const TPackedDIB& image, const TIntRect& source, float factor);

// Bilinear resize of a 24-bit packed DIB (see resample.cpp for the exact sampling).
TPackedDIB BilinearResize(const TPackedDIB& image, int targetWidth, int targetHeight);

// The disabled look: every pixel grey, min((r + g + b) div 3 + offset, 240), then lightened
// by 20 % towards white. Works on a 24-bit packed DIB in place.
void GreyBitmap(TPackedDIB& image, int offset);
void LightenBitmap(TPackedDIB& image, double amount);

// "Free Memory: " figure: megabytes with two decimals and " MB", or below one megabyte
// kilobytes with two decimals and " KB".
std::string FormatFreeMemory(uint64_t bytes);

}  // namespace lupendo
