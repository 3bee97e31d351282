#pragma once
// The rectangle list behind a button's shape region: rectangles are collected, then cut
// into one-pixel rows, sorted by top and left, and touching or overlapping runs of a row
// joined, ready to be handed to the system as one region-data block.
#include <vector>

#include "magnifier/packed_dib.h"

namespace lupendo {

class TQRgn {
 public:
  static constexpr size_t kGrowBy = 40000;

  TQRgn() { FRects.reserve(kGrowBy); }
  void Add(const TIntRect& r);
  const TIntRect& Bounds() const { return FBounds; }
  // The normalised rows; empty rectangles are dropped.
  std::vector<TIntRect> Rows() const;

 private:
  std::vector<TIntRect> FRects;
  TIntRect FBounds;
};

// Rectangles, one pixel high, of the pixels of a 24-bit packed DIB that match its top-left
// pixel exactly, in picture coordinates (top row first).
TQRgn KeyColourRuns(const TPackedDIB& picture);

}  // namespace lupendo
