// Bilinear resize used by smooth zoom.
//
// Sampling: sx = ((source width - 1) << 16) div target width, sy likewise for the height.
// Target pixel (x, y) samples the source at (x * sx, y * sy) in 16.16 fixed point: with
// integer parts (ix, iy) and fractions (wx, wy), the 2 x 2 pixels at columns ix, ix + 1 and
// rows iy, iy + 1 (each clamped to the last column or row) are mixed per channel.
//
// Truncation of the intermediate mixes: the horizontal mix of each of the two rows is
// truncated to a whole channel value, h = (p0 * (65536 - wx) + p1 * wx) >> 16; the output is
// the vertical mix of the two truncated values, (h0 * (65536 - wy) + h1 * wy) >> 16. Rows are
// counted in the stored (bottom-up) order of the DIB.
//
// Speed: each horizontally mixed source row is computed once and cached as 16-bit values; an
// output row then costs one vertical mix of two cached rows (or a plain copy when wy is 0).
// With SSE2 the vertical mix runs eight channels at a time and gives the same numbers: the
// two 24-bit products are formed from their high and low 16-bit halves and added with the
// carry of the low halves.
#include <cstring>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define LUPENDO_SSE2 1
#endif

#include "magnifier/packed_dib.h"

namespace lupendo {

namespace {

void MixRowHorizontally(const uint8_t* in, const int* offsets, const uint32_t* weights, int targetWidth,
                        uint16_t* out) {
  // (p0 * (65536 - w) + p1 * w) >> 16 is p0 + floor((p1 - p0) * w / 65536): one product per
  // channel, the same numbers (the shift of a negative product rounds down).
  for (int x = 0; x < targetWidth; ++x) {
    const uint8_t* p0 = in + offsets[2 * x];
    const uint8_t* p1 = in + offsets[2 * x + 1];
    const int32_t w = static_cast<int32_t>(weights[x]);
    out[3 * x] = static_cast<uint16_t>(p0[0] + (((p1[0] - p0[0]) * w) >> 16));
    out[3 * x + 1] = static_cast<uint16_t>(p0[1] + (((p1[1] - p0[1]) * w) >> 16));
    out[3 * x + 2] = static_cast<uint16_t>(p0[2] + (((p1[2] - p0[2]) * w) >> 16));
  }
}

// out[i] = (a[i] * (65536 - w1) + b[i] * w1) >> 16 for 0 < w1 < 65536.
void MixRowsVertically(const uint16_t* a, const uint16_t* b, uint32_t w1, size_t count, uint8_t* out) {
  const uint32_t w0 = 65536 - w1;
  size_t i = 0;
#ifdef LUPENDO_SSE2
  const __m128i weight0 = _mm_set1_epi16(static_cast<short>(w0));
  const __m128i weight1 = _mm_set1_epi16(static_cast<short>(w1));
  const __m128i sign = _mm_set1_epi16(static_cast<short>(0x8000));
  auto mix8 = [&](size_t at) {
    const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + at));
    const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + at));
    const __m128i aHigh = _mm_mulhi_epu16(va, weight0), aLow = _mm_mullo_epi16(va, weight0);
    const __m128i bHigh = _mm_mulhi_epu16(vb, weight1), bLow = _mm_mullo_epi16(vb, weight1);
    const __m128i low = _mm_add_epi16(aLow, bLow);
    // The low halves overflowed where their sum is below one of them (unsigned compare).
    const __m128i carry = _mm_cmplt_epi16(_mm_xor_si128(low, sign), _mm_xor_si128(aLow, sign));
    return _mm_sub_epi16(_mm_add_epi16(aHigh, bHigh), carry);
  };
  for (; i + 16 <= count; i += 16) {
    __m128i packed = _mm_packus_epi16(mix8(i), mix8(i + 8));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), packed);
  }
#endif
  for (; i < count; ++i) out[i] = static_cast<uint8_t>((a[i] * w0 + b[i] * w1) >> 16);
}

}  // namespace

TPackedDIB BilinearResize(const TPackedDIB& image, int targetWidth, int targetHeight) {
  TDIBInfo src = DescribeDIB(image);
  if (src.BytesPerPixel != 3) throw TessalyException("Bilinear resize: 24-bit image expected");
  if (src.Width < 1 || src.Height < 1 || targetWidth < 1 || targetHeight < 1)
    throw TessalyException("Image is too small");
  TDIBInfo dst;
  dst.Width = targetWidth;
  dst.Height = targetHeight;
  dst.BytesPerPixel = 3;
  TPackedDIB result = CreateBM(dst);

  const uint32_t sx = (static_cast<uint32_t>(src.Width - 1) << 16) / static_cast<uint32_t>(targetWidth);
  const uint32_t sy = (static_cast<uint32_t>(src.Height - 1) << 16) / static_cast<uint32_t>(targetHeight);

  std::vector<int> offsets(2 * static_cast<size_t>(targetWidth));
  std::vector<uint32_t> weights(targetWidth);
  for (int x = 0; x < targetWidth; ++x) {
    uint32_t fx = static_cast<uint32_t>(x) * sx;
    int ix = static_cast<int>(fx >> 16);
    int ix1 = ix + 1 < src.Width ? ix + 1 : src.Width - 1;
    offsets[2 * x] = 3 * ix;
    offsets[2 * x + 1] = 3 * ix1;
    weights[x] = fx & 0xFFFF;
  }

  const size_t channels = 3 * static_cast<size_t>(targetWidth);
  std::vector<uint16_t> cacheA(channels), cacheB(channels);
  uint16_t* row0 = cacheA.data();
  uint16_t* row1 = cacheB.data();
  int cached0 = -1, cached1 = -1;
  auto sourceRow = [&](int r) { return image.Data() + src.BitsOffset + static_cast<size_t>(r) * src.Stride; };

  for (int y = 0; y < targetHeight; ++y) {
    uint32_t fy = static_cast<uint32_t>(y) * sy;
    int iy = static_cast<int>(fy >> 16);
    int iy1 = iy + 1 < src.Height ? iy + 1 : src.Height - 1;
    uint32_t w1 = fy & 0xFFFF;
    if (cached0 != iy) {
      if (cached1 == iy) {
        std::swap(row0, row1);
        std::swap(cached0, cached1);
      } else {
        MixRowHorizontally(sourceRow(iy), offsets.data(), weights.data(), targetWidth, row0);
        cached0 = iy;
      }
    }
    uint8_t* out = result.Data() + dst.BitsOffset + static_cast<size_t>(y) * dst.Stride;
    if (w1 == 0) {
      for (size_t i = 0; i < channels; ++i) out[i] = static_cast<uint8_t>(row0[i]);
      continue;
    }
    if (cached1 != iy1) {
      MixRowHorizontally(sourceRow(iy1), offsets.data(), weights.data(), targetWidth, row1);
      cached1 = iy1;
    }
    MixRowsVertically(row0, row1, w1, channels, out);
  }
  return result;
}

}  // namespace lupendo
