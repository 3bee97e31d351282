#pragma once
// Geometry of the magnifier's own frame: button bar, bottom panel, side borders and the
// zoom area they enclose, all in window coordinates.
#include "magnifier/zoom_geometry.h"

namespace lupendo {

struct TFrameInput {
  int Width = 0, Height = 0;
  int TopBarHeight = 30;  // equals FrameWidth while the bar is hidden
  int FrameWidth = 3;
  int BorderSetting = 3;  // the border-width option
  bool Panel = true;      // the bottom-panel option
  int LogoRight = 0;      // right edge of the zoom-factor logo, client coordinates
};

struct TFrameLayout {
  int BorderWidth = 0;
  int BottomBarHeight = 0;
  TIntRect WindowRect, TopBarRect, BottomBarRect, ZoomAreaRect;
  // The border ring is the window minus (b, b, W - b, H - b).
  int BorderRingInset = 0;
  bool HideMagicLogo = false;
  // Text places of the bottom panel: boxes 1 and 2 and four text positions.
  TIntRect PanelBox1, PanelBox2;
  TIntPoint PanelText[4];
  // Bounding rectangle of a capture frame in client coordinates.
  TIntRect CaptureBounds;
};

TFrameLayout ComputeFrameLayout(const TFrameInput& in);

// The hole cut into the window region while the screen under the zoom area is read.
TIntRect ZoomHole(int width, int height, int borderWidth, int topBarHeight, int bottomBarHeight);

}  // namespace lupendo
