#pragma once
// Geometry of the zoom view, in single precision with round-half-to-even as the window
// computes it. Rectangles are (left, top, right, bottom) unless a name says otherwise.
#include "magnifier/packed_dib.h"

namespace lupendo {

struct TIntPoint {
  int X = 0, Y = 0;
  bool operator==(const TIntPoint&) const = default;
};

// Round half to even of a single-precision value.
int RoundSingle(float value);

// Source rectangle (buffer coordinates) shown in destination r (client coordinates) when the
// buffer pixel focus appears at client point view, with offset a and factor zoom. At zoom 1
// the whole buffer (bufferWidth x bufferHeight) is the source.
TIntRect ComputeViewRect(const TIntRect& r, TIntPoint focus, TIntPoint view, int a, float zoom, int bufferWidth,
                         int bufferHeight);

// The zoom factor as the logo shows it: one decimal, "." as separator (2.0, 3.5).
std::string ZoomText(float zoom);

// Inputs of the window's view geometry.
struct TViewState {
  int Width = 0, Height = 0;  // window size
  int TopBarHeight = 30, BottomBarHeight = 30, FrameWidth = 3;
  float Zoom = 2.0f;
  TIntPoint Focus, ViewPoint;
};

// The snapshot part behind the zoom area between the bars, one source row more above and
// below, that the pre-scaled image is made of.
TIntRect PreparedSourceRect(const TViewState& v, TIntPoint focus, TIntPoint viewPoint);

// Maps (x, y, w, h) in zoom-image client coordinates to snapshot pixels (x, y, w, h).
TIntRect ClientToSource(const TViewState& v, const TIntRect& r);

// The snapshot pixel under client point p before a zoom change, with (originX, originY) the
// origin of the snapshot's last view rectangle.
TIntPoint FocusUnderAnchor(TIntPoint p, float oldZoom, TIntPoint origin);

// Blend(a, b, t): per channel Round((1 - t) * a + t * b), t clamped to 0..1 ($00BBGGRR).
unsigned long Blend(unsigned long a, unsigned long b, double t);
// Colours of the c gradient rings of the frame, outermost first.
std::vector<unsigned long> GradientRings(unsigned long base, int c);

}  // namespace lupendo
