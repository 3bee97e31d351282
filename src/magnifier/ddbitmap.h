#pragma once
// The off-screen pixel buffer: a screen-compatible bitmap selected into its own memory DC
// for the buffer's whole life, so screen contents are copied in and out with plain blits.
// Rectangles named (x, y, w, h) carry width and height in right and bottom.
#include <windows.h>

#include "magnifier/packed_dib.h"
#include "magnifier/zoom_geometry.h"

namespace lupendo {

class TDDBitmap {
 public:
  // wnd: the window whose DC gives the format (nullptr = the screen). A size of 0 becomes 1.
  // Throws TessalyException when GDI cannot make the bitmap or the DC.
  TDDBitmap(HWND wnd, int width, int height);
  ~TDDBitmap();
  TDDBitmap(const TDDBitmap&) = delete;
  TDDBitmap& operator=(const TDDBitmap&) = delete;

  // Lets the next count creations fail as if GDI had run out of resources (for tests of the
  // failure paths; GDI limits cannot be reached on purpose).
  static void FailNextCreations(int count);

  HDC DC() const { return FDC; }
  HBITMAP Bitmap() const { return FBitmap; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  POINT Origin() const { return FOrigin; }
  const RECT& SourceRect() const { return FSourceRect; }
  const RECT& ViewRect() const { return FViewRect; }  // (x, y, w, h)
  bool HasMask() const { return FMask != nullptr; }

  // Copies source (x, y, w, h) of wnd's DC (nullptr = screen) to destPoint; a failing blit
  // leaves the old pixels.
  void GrabFrom(HWND wnd, POINT destPoint, const RECT& source);
  // The same from a DC; throws "Blit failed:" + system text.
  void BlitFrom(HDC sourceDC, POINT destPoint, const RECT& source);
  // Draws into dest (x, y, w, h) from sourcePoint, through the mask when there is one.
  void Draw(HDC destDC, const RECT& dest, POINT sourcePoint) const;
  // Monochrome mask keyed to the colour of the bottom-left pixel.
  void CreateMask(HWND wnd);
  // The whole content as a packed DIB in the screen's own format (24 bits on screens of 8
  // bits or less, read pixel by pixel).
  TPackedDIB AsPackedDIB();
  // A new bitmap (a DIB section the caller deletes) with the buffer's pixels.
  HBITMAP AsBitmap();
  void CopyFrom(const TDDBitmap& source);
  // Copies r (left, top, right, bottom) of source to (0, 0).
  void CopyRect(const TDDBitmap& source, const RECT& r);
  // Moves the content so that the pixel at offset lands at (0, 0), through temp.
  void Shift(POINT offset, TDDBitmap& temp);
  // Blackens what of the screen rectangle source lies off the screen and clips the DC to
  // the rest; returns that region (caller deletes it) or nullptr when nothing is off-screen.
  HRGN ClipToScreen(const RECT& source);
  void FloodFill(POINT point, COLORREF surfaceColor, COLORREF fillColor);

  // Zoom view (see zoom_geometry.h): r is (left, top, right, bottom) in client coordinates.
  RECT ComputeViewRect(const RECT& r, POINT focus, POINT viewPoint, int a, float zoom) const;
  void SetViewRect(const RECT& r, POINT focus, POINT viewPoint, int a, float zoom);
  // Stretches the view into r of destDC. A factor the driver refuses is lowered (zoom is the
  // caller's variable) and the paint tried once more.
  void StretchPaint(HDC destDC, const RECT& r, DWORD rop, float& zoom, int a, POINT focus, POINT viewPoint);

 private:
  HBITMAP FBitmap = nullptr;
  HBITMAP FMask = nullptr;
  HDC FDC = nullptr;
  HDC FMaskDC = nullptr;
  int FWidth = 1, FHeight = 1;
  POINT FOrigin{};
  RECT FSourceRect{};
  HGDIOBJ FOldBitmap = nullptr, FOldMask = nullptr;
  RECT FViewRect{};
  int FScreenWidth = 0, FScreenHeight = 0;
  RECT FScreenRect{};
};

// Packed DIB helpers of the Win32 side.
TPackedDIB EnsureDIB24(TPackedDIB image, int a, int b);
// A DIB section holding the packed DIB's picture (caller owns it).
HBITMAP DIBToBitmap(const TPackedDIB& image);

}  // namespace lupendo

namespace lupendo {
// The same test on a byte stream holding a packed DIB; a converted stream is replaced.
void EnsureStream24(std::vector<uint8_t>& stream, int a, int b);
}  // namespace lupendo
