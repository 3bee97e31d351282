#pragma once
// The image speed button: a lightweight control of the magnifier window, painted and
// hit-tested by its parent (no window of its own). It draws one of three pictures (normal,
// hover, disabled) through a mask over what the parent painted, keeps a toggle state flipped
// by every press, remembers where it was pressed, can write a short text over its picture
// and hands out the shape of its opaque pixels.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "magnifier/ddbitmap.h"

namespace lupendo {

class TKvSpeedButton {
 public:
  TKvSpeedButton(std::string name, int left, int top, int width, int height);
  ~TKvSpeedButton();
  TKvSpeedButton(const TKvSpeedButton&) = delete;
  TKvSpeedButton& operator=(const TKvSpeedButton&) = delete;

  std::string Name;
  int Left, Top, Width, Height;  // client coordinates of the parent
  int Tag = 0;
  bool Visible = true;
  bool Enabled = true;
  bool Static = false;
  bool JumpMM = true;
  bool AnchorRight = false, AnchorBottom = false;
  std::string Hint;
  bool ShowHint = true;
  HFONT Font = nullptr;  // not owned; nullptr = the DC's font

  bool MouseInside = false;
  bool Toggled = false;
  bool Pressed = false;
  POINT PressPoint{};
  std::string OverlayText;

  std::function<void()> OnClick;
  std::function<void(int button, POINT at)> OnMouseDown;
  std::function<void(int button, POINT at)> OnMouseUp;

  // Pictures: a copy is kept and turned into a screen surface with a mask. A null bitmap is
  // ignored; an empty one (width 0) is kept but leaves the old surface.
  void SetImageD(HWND parent, HBITMAP picture);
  void SetImageU(HWND parent, HBITMAP picture);
  bool HasNormalSurface() const { return FNormal != nullptr; }
  bool HasHoverSurface() const { return FHover != nullptr; }
  bool HasDisabledSurface() const { return FDisabled != nullptr; }

  bool Contains(POINT client) const {
    return Visible && client.x >= Left && client.x < Left + Width && client.y >= Top && client.y < Top + Height;
  }
  // The shape of the picture shown now, in button coordinates (caller deletes), or nullptr.
  HRGN ShapeRegion();

  // Paints at the button's place: dc's origin is the parent's client origin shifted by
  // (originX, originY).
  void Paint(HWND parent, HDC dc, int originX, int originY);

  // Mouse events of the control; the parent calls them.
  void MouseEnter() { MouseInside = true; }
  void MouseLeave() {
    MouseInside = false;
    Pressed = false;
  }
  void MouseDown(int button, POINT at);
  // button: 0 left, 1 right, 2 middle. Returns true when the release lies inside; OnClick
  // runs for a left release there.
  bool MouseUp(int button, POINT at);

 private:
  struct TPicture {
    TPackedDIB Pixels;  // 24-bit copy of the picture
    int Width = 0, Height = 0;
    HRGN Shape = nullptr;  // cached, built on first need
  };
  void SetPicture(HWND parent, HBITMAP picture, TPicture& store, std::unique_ptr<TDDBitmap>& surface);
  HRGN PictureShape(TPicture& picture);
  void MakeDisabledSurface(HWND parent);

  TPicture FImageD, FImageU;
  std::unique_ptr<TDDBitmap> FNormal, FHover, FDisabled;
};

// A 24-bit packed DIB of a bitmap's pixels.
TPackedDIB BitmapPixels24(HBITMAP bitmap);
// A system region of the rectangles of a run list (see TQRgn); throws "No RectRgn" when the
// system's region data of a plain rectangle does not come back as rectangles.
HRGN RegionFromRuns(const std::vector<TIntRect>& rows, const TIntRect& bounds);

}  // namespace lupendo
