#include "zoom_check.h"

#include <cstdio>

#include "magnifier/packed_dib.h"
#include "magnifier/zoom_geometry.h"
#include "test_picture.h"

namespace testpic {

RECT DefaultZoomArea(int width, int height) { return RECT{3, 30, width - 3, height - 30}; }

int WrongZoomPixels(const TLoupe& loupe, std::string* first) {
  using namespace lupendo;
  const int left = loupe.Window.left, top = loupe.Window.top;
  const int width = loupe.Window.right - left, height = loupe.Window.bottom - top;
  RECT area = loupe.ZoomArea;
  OffsetRect(&area, left, top);
  TScreenPixels shown = ReadScreen(area);

  TViewState v;
  v.Width = width;
  v.Height = height;
  v.TopBarHeight = loupe.TopBarHeight;
  v.BottomBarHeight = loupe.BottomBarHeight;
  v.Zoom = loupe.Zoom;
  TIntPoint focus{loupe.Focus.x, loupe.Focus.y}, view{loupe.ViewPoint.x, loupe.ViewPoint.y};
  if (loupe.Smooth && loupe.Zoom != static_cast<float>(static_cast<int>(loupe.Zoom)))
    focus = view = TIntPoint{width / 2, height / 2};
  TIntRect s = PreparedSourceRect(v, focus, view);
  const int imageLeft = left + 3, imageTop = top + loupe.TopBarHeight - 1;

  // The smooth image, made from the picture the way the program makes it from the screen.
  TPackedDIB smooth;
  TDIBInfo smoothInfo;
  if (loupe.Smooth && loupe.Zoom != 1.0f) {
    TDIBInfo info;
    info.Width = s.Right - s.Left;
    info.Height = s.Bottom - s.Top;
    info.BytesPerPixel = 3;
    TPackedDIB source = CreateBM(info);
    for (int y = 0; y < info.Height; ++y)
      for (int x = 0; x < info.Width; ++x) {
        uint32_t c = PatternColour(left + s.Left + x, top + s.Top + y, loupe.Variant);
        uint8_t* p = source.Data() + info.BitsOffset + static_cast<size_t>(info.Height - 1 - y) * info.Stride + 3 * x;
        p[0] = static_cast<uint8_t>(c);
        p[1] = static_cast<uint8_t>(c >> 8);
        p[2] = static_cast<uint8_t>(c >> 16);
      }
    smooth = BilinearResize(source, RoundSingle(loupe.Zoom * static_cast<float>(info.Width)),
                            RoundSingle(loupe.Zoom * static_cast<float>(info.Height)));
    smoothInfo = DescribeDIB(smooth);
  }

  int wrong = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) {
      uint32_t expected;
      if (loupe.Zoom == 1.0f) {
        expected = PatternColour(x, y, loupe.Variant);
      } else if (loupe.Smooth) {
        int ix = x - imageLeft, iy = y - imageTop;
        if (ix >= smoothInfo.Width || iy >= smoothInfo.Height) continue;  // beyond the image: not drawn
        const uint8_t* p =
            smooth.Data() + smoothInfo.BitsOffset + static_cast<size_t>(smoothInfo.Height - 1 - iy) * smoothInfo.Stride +
            3 * ix;
        expected = p[0] | (p[1] << 8) | (p[2] << 16);
      } else {
        const int z = static_cast<int>(loupe.Zoom);
        expected = PatternColour(left + s.Left + (x - imageLeft) / z, top + s.Top + (y - imageTop) / z, loupe.Variant);
      }
      if (shown.At(x, y) != expected && wrong++ == 0 && first) {
        char text[160];
        std::snprintf(text, sizeof text, "at screen %d,%d shown %06x, expected %06x", x, y, shown.At(x, y), expected);
        *first = text;
      }
    }
  return wrong;
}

}  // namespace testpic
