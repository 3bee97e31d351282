#include "magnifier/zoom_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace lupendo {

int RoundSingle(float value) { return static_cast<int>(std::nearbyint(value)); }

TIntRect ComputeViewRect(const TIntRect& r, TIntPoint focus, TIntPoint view, int a, float zoom, int bufferWidth,
                         int bufferHeight) {
  if (zoom == 1.0f) return TIntRect{0, 0, bufferWidth, bufferHeight};
  const float fx = static_cast<float>(focus.X), fy = static_cast<float>(focus.Y);
  const float offX = fx * zoom - fx + static_cast<float>(a);
  const float offY = fy * zoom - fy + static_cast<float>(a);
  TIntRect s{RoundSingle((static_cast<float>(r.Left) + offX) / zoom),
             RoundSingle((static_cast<float>(r.Top) + offY) / zoom),
             RoundSingle((static_cast<float>(r.Right) + offX) / zoom),
             RoundSingle((static_cast<float>(r.Bottom) + offY) / zoom)};
  int dx = RoundSingle(static_cast<float>(focus.X - view.X - a) / zoom);
  int dy = RoundSingle(static_cast<float>(focus.Y - view.Y - a) / zoom);
  return TIntRect{s.Left + dx, s.Top + dy, s.Right + dx, s.Bottom + dy};
}

std::string ZoomText(float zoom) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", static_cast<double>(zoom));
  return text;
}

TIntRect PreparedSourceRect(const TViewState& v, TIntPoint focus, TIntPoint viewPoint) {
  TIntRect whole{-3, -3, v.Width - 3, v.Height - 3};
  TIntRect s = ComputeViewRect(whole, focus, viewPoint, v.FrameWidth, v.Zoom, v.Width, v.Height);
  s.Top = s.Top + RoundSingle(static_cast<float>(v.TopBarHeight) / v.Zoom) - 1;
  s.Bottom = s.Bottom - RoundSingle(static_cast<float>(v.BottomBarHeight) / v.Zoom) + 1;
  return s;
}

TIntRect ClientToSource(const TViewState& v, const TIntRect& r) {
  const float z = v.Zoom;
  int x = r.Left;
  if (z == 1.0f) x += 3;
  int y = r.Top - (v.TopBarHeight - v.FrameWidth - 1);
  TIntRect view =
      ComputeViewRect(TIntRect{-3, -3, v.Width - 3, v.Height - 3}, v.Focus, v.ViewPoint, 3, z, v.Width, v.Height);
  view.Top = RoundSingle(static_cast<float>(v.TopBarHeight) / z) + view.Top - 1;
  return TIntRect{RoundSingle(static_cast<float>(x) / z) + view.Left, RoundSingle(static_cast<float>(y) / z) + view.Top,
                  RoundSingle(static_cast<float>(r.Right) / z), RoundSingle(static_cast<float>(r.Bottom) / z)};
}

TIntPoint FocusUnderAnchor(TIntPoint p, float oldZoom, TIntPoint origin) {
  return TIntPoint{RoundSingle(static_cast<float>(p.X + 3) / oldZoom) + origin.X,
                   RoundSingle(static_cast<float>(p.Y + 3) / oldZoom) + origin.Y};
}

unsigned long Blend(unsigned long a, unsigned long b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  unsigned long result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    double ca = static_cast<double>((a >> shift) & 0xFF), cb = static_cast<double>((b >> shift) & 0xFF);
    long c = std::lround(std::nearbyint((1 - t) * ca + t * cb));
    result |= static_cast<unsigned long>(std::clamp(c, 0L, 255L)) << shift;
  }
  return result;
}

std::vector<unsigned long> GradientRings(unsigned long base, int c) {
  std::vector<unsigned long> rings;
  double t = 0.5;
  const double factor = 1.0 - 3.5 / c;
  for (int i = 0; i < c; ++i) {
    rings.push_back(Blend(base, 0, t));
    t *= factor;
  }
  return rings;
}

}  // namespace lupendo
