#include "controls/kv_speed_button.h"

#include <cstring>
#include <stdexcept>

#include "controls/region_runs.h"
#include "ui/handles.h"

namespace lupendo {

TPackedDIB BitmapPixels24(HBITMAP bitmap) {
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  TDIBInfo dib;
  dib.Width = info.bmWidth;
  dib.Height = info.bmHeight;
  dib.BytesPerPixel = 3;
  TPackedDIB pixels = CreateBM(dib);
  if (dib.Width == 0 || dib.Height == 0) return pixels;
  ui::TMemoryDC dc(CreateCompatibleDC(nullptr));
  GetDIBits(dc.Get(), bitmap, 0, static_cast<UINT>(dib.Height), pixels.Data() + dib.BitsOffset,
            reinterpret_cast<BITMAPINFO*>(pixels.Header()), DIB_RGB_COLORS);
  return pixels;
}

HRGN RegionFromRuns(const std::vector<TIntRect>& rows, const TIntRect& bounds) {
  {
    // The system must describe a plain rectangle with rectangle-type data.
    ui::TRegionHandle probe(CreateRectRgn(0, 0, 1, 1));
    DWORD size = GetRegionData(probe.Get(), 0, nullptr);
    std::vector<uint8_t> data(size);
    if (!size || !GetRegionData(probe.Get(), size, reinterpret_cast<RGNDATA*>(data.data())) ||
        reinterpret_cast<RGNDATA*>(data.data())->rdh.iType != RDH_RECTANGLES)
      throw std::runtime_error("No RectRgn");
  }
  std::vector<uint8_t> block(sizeof(RGNDATAHEADER) + rows.size() * sizeof(RECT));
  auto* header = reinterpret_cast<RGNDATAHEADER*>(block.data());
  header->dwSize = sizeof(RGNDATAHEADER);
  header->iType = RDH_RECTANGLES;
  header->nCount = static_cast<DWORD>(rows.size());
  header->nRgnSize = static_cast<DWORD>(rows.size() * sizeof(RECT));
  header->rcBound = RECT{bounds.Left, bounds.Top, bounds.Right, bounds.Bottom};
  auto* rects = reinterpret_cast<RECT*>(block.data() + sizeof(RGNDATAHEADER));
  for (size_t i = 0; i < rows.size(); ++i) rects[i] = RECT{rows[i].Left, rows[i].Top, rows[i].Right, rows[i].Bottom};
  if (rows.empty()) return CreateRectRgn(0, 0, 0, 0);
  return ExtCreateRegion(nullptr, static_cast<DWORD>(block.size()), reinterpret_cast<RGNDATA*>(block.data()));
}

TKvSpeedButton::TKvSpeedButton(std::string name, int left, int top, int width, int height)
    : Name(std::move(name)), Left(left), Top(top), Width(width), Height(height) {}

TKvSpeedButton::~TKvSpeedButton() {
  if (FImageD.Shape) DeleteObject(FImageD.Shape);
  if (FImageU.Shape) DeleteObject(FImageU.Shape);
}

void TKvSpeedButton::SetImageD(HWND parent, HBITMAP picture) { SetPicture(parent, picture, FImageD, FNormal); }
void TKvSpeedButton::SetImageU(HWND parent, HBITMAP picture) { SetPicture(parent, picture, FImageU, FHover); }

void TKvSpeedButton::SetPicture(HWND parent, HBITMAP picture, TPicture& store, std::unique_ptr<TDDBitmap>& surface) {
  if (!picture) return;
  TPackedDIB pixels = BitmapPixels24(picture);
  TDIBInfo info = DescribeDIB(pixels);
  store.Pixels = std::move(pixels);
  store.Width = info.Width;
  store.Height = info.Height;
  if (info.Width == 0) return;
  surface.reset();
  if (store.Shape) {
    DeleteObject(store.Shape);
    store.Shape = nullptr;
  }
  auto next = std::make_unique<TDDBitmap>(parent, info.Width, info.Height);
  SetDIBitsToDevice(next->DC(), 0, 0, static_cast<DWORD>(info.Width), static_cast<DWORD>(info.Height), 0, 0, 0,
                    static_cast<UINT>(info.Height), store.Pixels.Data() + info.BitsOffset,
                    reinterpret_cast<const BITMAPINFO*>(store.Pixels.Header()), DIB_RGB_COLORS);
  next->CreateMask(parent);
  surface = std::move(next);
}

HRGN TKvSpeedButton::PictureShape(TPicture& picture) {
  if (!picture.Shape) {
    TQRgn runs = KeyColourRuns(picture.Pixels);
    ui::TRegionHandle transparent(RegionFromRuns(runs.Rows(), runs.Bounds()));
    HRGN shape = CreateRectRgn(0, 0, picture.Width, picture.Height);
    CombineRgn(shape, shape, transparent.Get(), RGN_DIFF);
    picture.Shape = shape;
  }
  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  CombineRgn(copy, picture.Shape, nullptr, RGN_COPY);
  return copy;
}

HRGN TKvSpeedButton::ShapeRegion() {
  if (MouseInside && FHover) {
    // Drawn at (2, 2) like the normal picture, so its shape lies there too.
    HRGN shape = PictureShape(FImageU);
    OffsetRgn(shape, 2, 2);
    return shape;
  }
  if (FNormal) {
    HRGN shape = PictureShape(FImageD);
    OffsetRgn(shape, 2, 2);
    return shape;
  }
  return nullptr;
}

void TKvSpeedButton::MakeDisabledSurface(HWND parent) {
  if (!FHover) return;
  TPackedDIB pixels = EnsureDIB24(FHover->AsPackedDIB(), 3, 3);
  GreyBitmap(pixels, 10);
  LightenBitmap(pixels, 0.20);
  TDIBInfo info = DescribeDIB(pixels);
  auto surface = std::make_unique<TDDBitmap>(parent, info.Width, info.Height);
  // Blitting into a surface of the screen's format gives the nearest colour it can show.
  SetDIBitsToDevice(surface->DC(), 0, 0, static_cast<DWORD>(info.Width), static_cast<DWORD>(info.Height), 0, 0, 0,
                    static_cast<UINT>(info.Height), pixels.Data() + info.BitsOffset,
                    reinterpret_cast<const BITMAPINFO*>(pixels.Header()), DIB_RGB_COLORS);
  surface->CreateMask(parent);
  FDisabled = std::move(surface);
}

void TKvSpeedButton::Paint(HWND parent, HDC dc, int originX, int originY) {
  if (!Visible) return;
  const int x = originX + Left, y = originY + Top;
  if (Pressed && !Static) {
    RECT frame{x, y, x + Width, y + Height};
    DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
  }
  if (!Enabled) {
    if (!FDisabled) MakeDisabledSurface(parent);
    if (FDisabled) FDisabled->Draw(dc, RECT{x + 2, y + 2, FDisabled->Width(), FDisabled->Height()}, POINT{0, 0});
    return;
  }
  if (MouseInside && FHover && !Static)
    FHover->Draw(dc, RECT{x + 2, y + 2, FHover->Width(), FHover->Height()}, POINT{0, 0});
  else if (FNormal)
    FNormal->Draw(dc, RECT{x + 2, y + 2, FNormal->Width(), FNormal->Height()}, POINT{0, 0});
  if (!OverlayText.empty() && FNormal) {
    int oldMode = SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = Font ? SelectObject(dc, Font) : nullptr;
    SIZE size{};
    GetTextExtentPoint32A(dc, OverlayText.c_str(), static_cast<int>(OverlayText.size()), &size);
    int tx = (FNormal->Width() - size.cx) / 2 + 1;
    int ty = (FNormal->Height() - size.cy) / 2 + 2;
    TextOutA(dc, x + tx, y + ty, OverlayText.c_str(), static_cast<int>(OverlayText.size()));
    if (oldFont) SelectObject(dc, oldFont);
    SetBkMode(dc, oldMode);
  }
}

void TKvSpeedButton::MouseDown(int button, POINT at) {
  Pressed = true;
  Toggled = !Toggled;
  PressPoint = at;
  if (OnMouseDown) OnMouseDown(button, at);
}

bool TKvSpeedButton::MouseUp(int button, POINT at) {
  Pressed = false;
  if (OnMouseUp) OnMouseUp(button, at);
  bool inside = at.x >= 0 && at.x < Width && at.y >= 0 && at.y < Height;
  if (inside && button == 0 && OnClick) OnClick();
  return inside;
}

}  // namespace lupendo
