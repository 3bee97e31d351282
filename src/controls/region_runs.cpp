#include "controls/region_runs.h"

#include <algorithm>

namespace lupendo {

void TQRgn::Add(const TIntRect& r) {
  if (FRects.size() == FRects.capacity()) FRects.reserve(FRects.size() + kGrowBy);
  if (FRects.empty()) {
    FBounds = r;
  } else {
    FBounds.Left = std::min(FBounds.Left, r.Left);
    FBounds.Top = std::min(FBounds.Top, r.Top);
    FBounds.Right = std::max(FBounds.Right, r.Right);
    FBounds.Bottom = std::max(FBounds.Bottom, r.Bottom);
  }
  FRects.push_back(r);
}

std::vector<TIntRect> TQRgn::Rows() const {
  std::vector<TIntRect> rows;
  for (const TIntRect& r : FRects) {
    if (r.Right <= r.Left || r.Bottom <= r.Top) continue;
    for (int y = r.Top; y < r.Bottom; ++y) rows.push_back(TIntRect{r.Left, y, r.Right, y + 1});
  }
  std::sort(rows.begin(), rows.end(), [](const TIntRect& a, const TIntRect& b) {
    return a.Top != b.Top ? a.Top < b.Top : a.Left < b.Left;
  });
  std::vector<TIntRect> joined;
  for (const TIntRect& r : rows) {
    if (!joined.empty() && joined.back().Top == r.Top && r.Left <= joined.back().Right)
      joined.back().Right = std::max(joined.back().Right, r.Right);
    else
      joined.push_back(r);
  }
  return joined;
}

TQRgn KeyColourRuns(const TPackedDIB& picture) {
  TDIBInfo info = DescribeDIB(picture);
  if (info.BytesPerPixel != 3) throw TessalyException("Shape: 24-bit picture expected");
  TQRgn runs;
  if (info.Width == 0 || info.Height == 0) return runs;
  auto row = [&](int y) {  // picture row y, top first, in a bottom-up DIB
    return picture.Data() + info.BitsOffset + static_cast<size_t>(info.Height - 1 - y) * info.Stride;
  };
  const uint8_t* key = row(0);
  for (int y = 0; y < info.Height; ++y) {
    const uint8_t* p = row(y);
    int x = 0;
    while (x < info.Width) {
      auto matches = [&](int i) {
        return p[3 * i] == key[0] && p[3 * i + 1] == key[1] && p[3 * i + 2] == key[2];
      };
      if (!matches(x)) {
        ++x;
        continue;
      }
      int start = x;
      while (x < info.Width && matches(x)) ++x;
      runs.Add(TIntRect{start, y, x, y + 1});
    }
  }
  return runs;
}

}  // namespace lupendo
