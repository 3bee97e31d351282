#include "magnifier/ddbitmap.h"

#include <cstring>
#include <string>

#include "app/globals.h"
#include "ui/handles.h"

namespace lupendo {

namespace {

std::string FreeMemoryText() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  GlobalMemoryStatusEx(&status);
  return "Free Memory: " + FormatFreeMemory(status.ullAvailPhys);
}

RECT Xywh(int x, int y, int w, int h) { return RECT{x, y, w, h}; }

int FailingCreations = 0;

}  // namespace

void TDDBitmap::FailNextCreations(int count) { FailingCreations = count; }

TDDBitmap::TDDBitmap(HWND wnd, int width, int height) {
  if (width == 0) width = 1;
  if (height == 0) height = 1;
  HDC dc = GetDC(wnd);
  if (FailingCreations > 0) {
    --FailingCreations;
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  } else {
    FBitmap = CreateCompatibleBitmap(dc, width, height);
  }
  if (!FBitmap) {
    DWORD error = GetLastError();
    ReleaseDC(wnd, dc);
    throw TessalyException("Could not create Bitmap. Size:" + std::to_string(width) + "," + std::to_string(height) +
                           "\rSysMsg:" + SystemErrorText(error) + "\r\n" + FreeMemoryText());
  }
  FDC = CreateCompatibleDC(dc);
  if (!FDC) {
    DWORD error = GetLastError();
    ReleaseDC(wnd, dc);
    DeleteObject(FBitmap);
    throw TessalyException("Could not get DeviceContext\r\nSysMsg:" + SystemErrorText(error) + "\r\n" +
                           FreeMemoryText());
  }
  FOldBitmap = SelectObject(FDC, FBitmap);
  FWidth = width;
  FHeight = height;
  FSourceRect = Xywh(0, 0, width, height);
  ReleaseDC(wnd, dc);
  FScreenWidth = GetSystemMetrics(SM_CXSCREEN);
  FScreenHeight = GetSystemMetrics(SM_CYSCREEN);
  FScreenRect = RECT{0, 0, FScreenWidth, FScreenHeight};
}

TDDBitmap::~TDDBitmap() {
  SelectObject(FDC, FOldBitmap);
  DeleteObject(FBitmap);
  if (FMaskDC) {
    SelectObject(FMaskDC, FOldMask);
    DeleteDC(FMaskDC);
  }
  if (FMask) DeleteObject(FMask);
  DeleteDC(FDC);
}

void TDDBitmap::GrabFrom(HWND wnd, POINT destPoint, const RECT& source) {
  RECT from{source.left, source.top, source.left + source.right, source.top + source.bottom};
  POINT to = destPoint;
  if (!wnd) {
    // Only the part on the desktop is copied (some drivers refuse the whole copy when the
    // source reaches beyond it); the rest keeps what the buffer held.
    RECT desktop{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
    desktop.right = desktop.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    desktop.bottom = desktop.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    RECT visible{};
    IntersectRect(&visible, &from, &desktop);
    to.x += visible.left - from.left;
    to.y += visible.top - from.top;
    from = visible;
  }
  HDC dc = GetDC(wnd);
  if (from.right > from.left && from.bottom > from.top)
    BitBlt(FDC, to.x, to.y, from.right - from.left, from.bottom - from.top, dc, from.left, from.top, SRCCOPY);
  FOrigin = POINT{source.left, source.top};
  FSourceRect = source;
  ReleaseDC(wnd, dc);
}

void TDDBitmap::BlitFrom(HDC sourceDC, POINT destPoint, const RECT& source) {
  if (!BitBlt(FDC, destPoint.x, destPoint.y, source.right, source.bottom, sourceDC, source.left, source.top,
              SRCCOPY))
    throw TessalyException("Blit failed:" + SystemErrorText(GetLastError()));
  FOrigin = POINT{source.left, source.top};
  FSourceRect = source;
}

void TDDBitmap::Draw(HDC destDC, const RECT& dest, POINT sourcePoint) const {
  if (FMask) {
    // Mask bits of 1 are the transparent colour: keep the destination there.
    if (!MaskBlt(destDC, dest.left, dest.top, dest.right, dest.bottom, FDC, sourcePoint.x, sourcePoint.y, FMask,
                 sourcePoint.x, sourcePoint.y, MAKEROP4(0x00AA0029, SRCCOPY))) {
      COLORREF oldText = SetTextColor(destDC, RGB(0, 0, 0));
      COLORREF oldBack = SetBkColor(destDC, RGB(255, 255, 255));
      BitBlt(destDC, dest.left, dest.top, dest.right, dest.bottom, FMaskDC, sourcePoint.x, sourcePoint.y, SRCAND);
      ui::TMemoryDC tempDC(CreateCompatibleDC(FDC));
      ui::TBitmapHandle temp(CreateCompatibleBitmap(FDC, dest.right, dest.bottom));
      ui::TSelectObject selected(tempDC.Get(), temp.Get());
      BitBlt(tempDC.Get(), 0, 0, dest.right, dest.bottom, FDC, sourcePoint.x, sourcePoint.y, SRCCOPY);
      SetTextColor(tempDC.Get(), RGB(255, 255, 255));
      SetBkColor(tempDC.Get(), RGB(0, 0, 0));
      BitBlt(tempDC.Get(), 0, 0, dest.right, dest.bottom, FMaskDC, sourcePoint.x, sourcePoint.y, SRCAND);
      BitBlt(destDC, dest.left, dest.top, dest.right, dest.bottom, tempDC.Get(), 0, 0, SRCPAINT);
      SetTextColor(destDC, oldText);
      SetBkColor(destDC, oldBack);
    }
  } else if (FBitmap) {
    BitBlt(destDC, dest.left, dest.top, dest.right, dest.bottom, FDC, sourcePoint.x, sourcePoint.y, SRCCOPY);
  }
}

void TDDBitmap::CreateMask(HWND wnd) {
  HDC dc = GetDC(wnd);
  FMaskDC = CreateCompatibleDC(dc);
  DWORD error = GetLastError();
  ReleaseDC(wnd, dc);
  if (!FMaskDC)
    throw TessalyException("Could not get DeviceContext\r\nSysMsg:" + SystemErrorText(error) + "\r\n" +
                           FreeMemoryText());
  FMask = CreateBitmap(FWidth, FHeight, 1, 1, nullptr);
  if (!FMask) return;
  FOldMask = SelectObject(FMaskDC, FMask);
  COLORREF key = GetPixel(FDC, 0, FHeight - 1);
  COLORREF oldBack = SetBkColor(FDC, key);
  BitBlt(FMaskDC, 0, 0, FWidth, FHeight, FDC, 0, 0, SRCCOPY);
  SetBkColor(FDC, oldBack);
}

TPackedDIB TDDBitmap::AsPackedDIB() {
  SelectObject(FDC, FOldBitmap);  // GetDIBits wants the bitmap unselected
  struct TReselect {
    HDC DC;
    HBITMAP Bitmap;
    ~TReselect() { SelectObject(DC, Bitmap); }
  } reselect{FDC, FBitmap};

  struct {
    BITMAPINFOHEADER Header;
    DWORD Masks[256];
  } query{};
  query.Header.biSize = sizeof(BITMAPINFOHEADER);
  query.Header.biBitCount = 0;
  bool usable = GetDIBits(FDC, FBitmap, 0, static_cast<UINT>(FHeight), nullptr,
                          reinterpret_cast<BITMAPINFO*>(&query), DIB_RGB_COLORS) != 0 &&
                query.Header.biBitCount > 8;
  if (usable) {
    BITMAPINFOHEADER header = query.Header;
    size_t masks = (header.biBitCount == 16 || header.biBitCount == 32) && header.biCompression == BI_BITFIELDS ? 12 : 0;
    size_t imageSize = header.biSizeImage
                           ? header.biSizeImage
                           : static_cast<size_t>(RowStride(FWidth, header.biBitCount / 8)) * FHeight;
    TByteBuffer bytes(masks + imageSize + 54, 0);
    WriteU16(bytes.data(), kBitmapType);
    WriteU32(bytes.data() + 2, static_cast<uint32_t>(bytes.size()));
    WriteU32(bytes.data() + 10, static_cast<uint32_t>(54 + masks));
    header.biSizeImage = static_cast<DWORD>(imageSize);
    header.biClrUsed = 0;
    std::memcpy(bytes.data() + 14, &header, sizeof header);
    if (GetDIBits(FDC, FBitmap, 0, static_cast<UINT>(FHeight), bytes.data() + 54 + masks,
                  reinterpret_cast<BITMAPINFO*>(bytes.data() + 14), DIB_RGB_COLORS) != 0)
      return TPackedDIB(std::move(bytes));
  }
  // Palette screens (or a refused query): read the pixels one by one into a 24-bit image.
  SelectObject(FDC, FBitmap);
  TDIBInfo info;
  info.Width = FWidth;
  info.Height = FHeight;
  info.BytesPerPixel = 3;
  TPackedDIB image = CreateBM(info);
  WriteU32(image.Data() + 2, static_cast<uint32_t>(54 + info.Height * info.Stride));
  for (int y = 0; y < FHeight; ++y) {
    uint8_t* row = image.Data() + info.BitsOffset + static_cast<size_t>(FHeight - 1 - y) * info.Stride;
    for (int x = 0; x < FWidth; ++x) {
      COLORREF c = GetPixel(FDC, x, y);
      row[3 * x] = GetBValue(c);
      row[3 * x + 1] = GetGValue(c);
      row[3 * x + 2] = GetRValue(c);
    }
  }
  return image;
}

HBITMAP TDDBitmap::AsBitmap() { return DIBToBitmap(AsPackedDIB()); }

void TDDBitmap::CopyFrom(const TDDBitmap& source) {
  BitBlt(FDC, 0, 0, FWidth, FHeight, source.FDC, 0, 0, SRCCOPY);
  FOrigin = source.FOrigin;
  FWidth = source.FWidth;
  FHeight = source.FHeight;
}

void TDDBitmap::CopyRect(const TDDBitmap& source, const RECT& r) {
  BitBlt(FDC, 0, 0, r.right - r.left, r.bottom - r.top, source.FDC, r.left, r.top, SRCCOPY);
  FOrigin = POINT{0, 0};
  FSourceRect = Xywh(0, 0, r.right - r.left, r.bottom - r.top);
}

void TDDBitmap::Shift(POINT offset, TDDBitmap& temp) {
  if (offset.x == 0 && offset.y == 0) return;
  int a = offset.x, b = offset.y;
  BitBlt(temp.FDC, a < 0 ? -a : 0, b < 0 ? -b : 0, FWidth - std::abs(a), FHeight - std::abs(b), FDC, a < 0 ? 0 : a,
         b < 0 ? 0 : b, SRCCOPY);
  BitBlt(FDC, 0, 0, FWidth, FHeight, temp.FDC, 0, 0, SRCCOPY);
}

HRGN TDDBitmap::ClipToScreen(const RECT& source) {
  RECT v{};
  if (!IntersectRect(&v, &source, &FScreenRect) || EqualRect(&v, &source)) return nullptr;
  OffsetRect(&v, -source.left, -source.top);
  HRGN visible = CreateRectRgnIndirect(&v);
  ui::TRegionHandle rest(CreateRectRgn(0, 0, source.right - source.left, source.bottom - source.top));
  CombineRgn(rest.Get(), rest.Get(), visible, RGN_DIFF);
  SelectClipRgn(FDC, rest.Get());
  BitBlt(FDC, 0, 0, FWidth, FHeight, nullptr, 0, 0, BLACKNESS);
  SelectClipRgn(FDC, visible);
  return visible;
}

void TDDBitmap::FloodFill(POINT point, COLORREF surfaceColor, COLORREF fillColor) {
  ui::TBrushHandle brush(CreateSolidBrush(fillColor));
  ui::TSelectObject selected(FDC, brush.Get());
  ExtFloodFill(FDC, point.x, point.y, surfaceColor, FLOODFILLSURFACE);
}

RECT TDDBitmap::ComputeViewRect(const RECT& r, POINT focus, POINT viewPoint, int a, float zoom) const {
  TIntRect s = lupendo::ComputeViewRect(TIntRect{r.left, r.top, r.right, r.bottom}, TIntPoint{focus.x, focus.y},
                                        TIntPoint{viewPoint.x, viewPoint.y}, a, zoom, FWidth, FHeight);
  return RECT{s.Left, s.Top, s.Right, s.Bottom};
}

void TDDBitmap::SetViewRect(const RECT& r, POINT focus, POINT viewPoint, int a, float zoom) {
  RECT s = ComputeViewRect(r, focus, viewPoint, a, zoom);
  FViewRect = Xywh(s.left, s.top, s.right - s.left, s.bottom - s.top);
}

void TDDBitmap::StretchPaint(HDC destDC, const RECT& r, DWORD rop, float& zoom, int a, POINT focus,
                             POINT viewPoint) {
  // A factor the driver cannot stretch drops by one step, twice at most.
  for (int retries = 0;; ++retries) {
    RECT s = ComputeViewRect(r, focus, viewPoint, a, zoom);
    FViewRect = Xywh(s.left, s.top, s.right - s.left, s.bottom - s.top);
    if (StretchBlt(destDC, r.left, r.top, r.right - r.left, r.bottom - r.top, FDC, s.left, s.top, s.right - s.left,
                   s.bottom - s.top, rop))
      return;
    zoom = zoom - 1 < 1 ? 1 : zoom - 1;
    if (retries + 1 >= 2) return;
  }
}

HBITMAP DIBToBitmap(const TPackedDIB& image) {
  TDIBInfo info = DescribeDIB(image);
  const auto* bmi = reinterpret_cast<const BITMAPINFO*>(image.Header());
  HDC screen = GetDC(nullptr);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (!bitmap) throw TessalyException("Could not create Bitmap. SysMsg:" + SystemErrorText(GetLastError()));
  std::memcpy(bits, image.Data() + info.BitsOffset, static_cast<size_t>(info.Stride) * info.Height);
  return bitmap;
}

TPackedDIB EnsureDIB24(TPackedDIB image, int a, int b) {
  TDIBInfo info = DescribeDIB(image);
  if (info.BytesPerPixel == a || info.BytesPerPixel == b) return image;
  // Draw the picture into a 24-bit DIB section: GDI converts every format it can show.
  TDIBInfo target;
  target.Width = info.Width;
  target.Height = info.Height;
  target.BytesPerPixel = 3;
  TPackedDIB result = CreateBM(target);
  ui::TBitmapHandle section(DIBToBitmap(result));
  ui::TMemoryDC dc(CreateCompatibleDC(nullptr));
  {
    ui::TSelectObject selected(dc.Get(), section.Get());
    SetDIBitsToDevice(dc.Get(), 0, 0, static_cast<DWORD>(info.Width), static_cast<DWORD>(info.Height), 0, 0, 0,
                      static_cast<UINT>(info.Height), image.Data() + info.BitsOffset,
                      reinterpret_cast<const BITMAPINFO*>(image.Header()), DIB_RGB_COLORS);
    GdiFlush();
  }
  DIBSECTION ds{};
  GetObjectA(section.Get(), sizeof ds, &ds);
  std::memcpy(result.Data() + target.BitsOffset, ds.dsBm.bmBits, static_cast<size_t>(target.Stride) * target.Height);
  return result;
}

void EnsureStream24(std::vector<uint8_t>& stream, int a, int b) {
  TPackedDIB image(stream);
  image = EnsureDIB24(std::move(image), a, b);
  stream.assign(image.Bytes().begin(), image.Bytes().end());
}

}  // namespace lupendo
