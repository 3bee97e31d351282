#include "magnifier/frame_layout.h"

namespace lupendo {

TFrameLayout ComputeFrameLayout(const TFrameInput& in) {
  TFrameLayout f;
  const int w = in.Width, h = in.Height, fw = in.FrameWidth;
  f.BorderWidth = in.BorderSetting;
  f.BottomBarHeight = in.TopBarHeight;
  if (in.TopBarHeight != fw) {
    f.TopBarRect = TIntRect{0, 0, w, in.TopBarHeight};
    if (in.Panel) {
      f.BottomBarHeight = in.TopBarHeight;
      f.BottomBarRect = TIntRect{0, h - f.BottomBarHeight, w, h};
      f.ZoomAreaRect = TIntRect{f.BorderWidth, in.TopBarHeight, w - f.BorderWidth, h - f.BottomBarHeight};
    } else {
      f.BottomBarHeight = fw;
      f.BottomBarRect = TIntRect{0, 0, w, 0};
      f.ZoomAreaRect = TIntRect{fw, in.TopBarHeight, w - fw, h - fw};
      f.HideMagicLogo = true;
    }
  } else {
    // The bottom bar keeps the height it had; hiding the bar sets it to the frame width.
    f.BottomBarHeight = fw;
    f.TopBarRect = TIntRect{0, 0, w, 0};
    f.BottomBarRect = TIntRect{0, 0, 0, h};
    f.ZoomAreaRect = TIntRect{fw, fw, w - fw, h - fw};
  }
  f.WindowRect = TIntRect{0, 0, w, h};
  f.BorderRingInset = in.Panel ? f.BorderWidth : fw;

  f.PanelBox1 = TIntRect{0, h - f.BottomBarHeight + 1, 120, h};
  f.PanelBox2 = TIntRect{122, h - f.BottomBarHeight + 1, 320, h};
  if (in.Panel) {
    int row1 = h - in.TopBarHeight + 1, row2 = h - in.TopBarHeight + 14;
    f.PanelText[0] = TIntPoint{f.PanelBox1.Left + 15, row1};
    f.PanelText[1] = TIntPoint{f.PanelBox1.Left + 15, row2};
    f.PanelText[2] = TIntPoint{f.PanelBox2.Left + 5, row1};
    f.PanelText[3] = TIntPoint{f.PanelBox2.Left + 5, row2};
  } else {
    int row1 = h - in.TopBarHeight + 1;
    f.PanelText[0] = TIntPoint{f.PanelBox1.Left + 15, row1};
    f.PanelText[1] = TIntPoint{in.LogoRight + 2, 10};
    f.PanelText[2] = TIntPoint{in.LogoRight + 2, 10};
    f.PanelText[3] = TIntPoint{f.PanelBox2.Left + 5, 10};
  }
  f.CaptureBounds = TIntRect{f.BorderWidth - 3, in.TopBarHeight - 3, w - f.BorderWidth - 3, h - f.BottomBarHeight - 3};
  return f;
}

TIntRect ZoomHole(int width, int height, int borderWidth, int topBarHeight, int bottomBarHeight) {
  return TIntRect{borderWidth, topBarHeight, width - borderWidth, height - bottomBarHeight};
}

}  // namespace lupendo
