#pragma once
// What the magnifier's zoom area must show over the known picture, pixel for pixel.
#include <windows.h>

#include <string>

namespace testpic {

// The window's view as the checks need it (window bounds and view fields).
struct TLoupe {
  RECT Window{};  // screen
  int TopBarHeight = 30, BottomBarHeight = 30;
  RECT ZoomArea{};  // window coordinates
  float Zoom = 2.0f;
  POINT Focus{}, ViewPoint{};
  int Variant = 0;  // picture variant that lay under the window at the last re-read
  bool Smooth = false;
};

// Number of zoom-area pixels that differ from the expected picture; the first difference is
// described in *first. Zoom 1 expects the screen itself; whole factors z x z blocks; smooth
// zoom the bilinear image of the visible source.
int WrongZoomPixels(const TLoupe& loupe, std::string* first);

// The window's zoom area for the usual frame (border 3, bar and panel shown).
RECT DefaultZoomArea(int width, int height);

}  // namespace testpic
