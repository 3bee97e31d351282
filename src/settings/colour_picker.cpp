#include "settings/colour_picker.h"

#include <windowsx.h>

#include "ui/handles.h"

namespace lupendo {

namespace {
constexpr int kSquare = TColourPickerModel::kSquare;
constexpr int kHueLeft = 1 + kSquare + TColourPicker::kGap;

HBITMAP TopDownSection(int width, int height, uint32_t** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* data = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &data, nullptr, 0);
  *bits = static_cast<uint32_t*>(data);
  return bitmap;
}

// 0x00BBGGRR to the 0x00RRGGBB of a 32-bit DIB.
uint32_t DibPixel(uint32_t colour) {
  return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}
}  // namespace

TColourPicker::TColourPicker(HWND parent, int x, int y, int id) {
  RegisterWindowClass(kClassName, 0, nullptr, LoadCursor(nullptr, IDC_CROSS));
  CreateHandle(kClassName, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, x, y, kWidth, kHeight, parent);
  if (HandleAllocated()) SetWindowLongPtrA(Handle(), GWLP_ID, id);
}

TColourPicker::~TColourPicker() {
  DestroyHandle();
  if (FSquare) DeleteObject(FSquare);
}

void TColourPicker::SetColour(COLORREF colour) {
  FModel.SetColour(colour);
  if (HandleAllocated()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TColourPicker::BuildSquare() {
  if (FSquare && FSquareHue == FModel.Hsv().H) return;
  if (FSquare) DeleteObject(FSquare);
  uint32_t* bits = nullptr;
  FSquare = TopDownSection(kSquare, kSquare, &bits);
  FSquareHue = FModel.Hsv().H;
  if (!FSquare) return;
  for (int y = 0; y < kSquare; ++y)
    for (int x = 0; x < kSquare; ++x) {
      THsv hsv{FSquareHue, x * 255 / (kSquare - 1), 255 - y * 255 / (kSquare - 1)};
      bits[y * kSquare + x] = DibPixel(HsvToRgb(hsv));
    }
  GdiFlush();
}

void TColourPicker::Paint(HDC dc) {
  RECT client{};
  GetClientRect(Handle(), &client);
  // Drawn off the screen first and copied in one go: no flicker while dragging.
  ui::TMemoryDC memory(CreateCompatibleDC(dc));
  ui::TBitmapHandle canvas(CreateCompatibleBitmap(dc, client.right, client.bottom));
  ui::TSelectObject selectCanvas(memory.Get(), canvas.Get());
  HDC m = memory.Get();
  FillRect(m, &client, GetSysColorBrush(COLOR_BTNFACE));
  BuildSquare();
  if (FSquare) {
    ui::TMemoryDC source(CreateCompatibleDC(dc));
    ui::TSelectObject selected(source.Get(), FSquare);
    BitBlt(m, 1, 1, kSquare, kSquare, source.Get(), 0, 0, SRCCOPY);
  }
  for (int y = 0; y < kSquare; ++y) {
    ui::TPenHandle pen(CreatePen(PS_SOLID, 1, HsvToRgb(THsv{y * 359 / (kSquare - 1), 255, 255})));
    ui::TSelectObject selected(m, pen.Get());
    MoveToEx(m, kHueLeft, 1 + y, nullptr);
    LineTo(m, kHueLeft + kHueWidth, 1 + y);
  }
  const bool focused = GetFocus() == Handle();
  RECT squareFrame{0, 0, kSquare + 2, kSquare + 2}, hueFrame{kHueLeft - 1, 0, kHueLeft + kHueWidth + 1, kSquare + 2};
  FrameRect(m, &squareFrame, GetSysColorBrush(focused ? COLOR_HIGHLIGHT : COLOR_BTNSHADOW));
  FrameRect(m, &hueFrame, GetSysColorBrush(COLOR_BTNSHADOW));
  // Marks: a ring in the square, a pair of ticks at the hue.
  const int sx = 1 + FModel.SquareX(), sy = 1 + FModel.SquareY(), hy = 1 + FModel.HueY();
  const THsv& hsv = FModel.Hsv();
  ui::TPenHandle ring(CreatePen(PS_SOLID, 1, hsv.V > 160 && hsv.S < 100 ? RGB(0, 0, 0) : RGB(255, 255, 255)));
  {
    ui::TSelectObject selectedPen(m, ring.Get());
    ui::TSelectObject selectedBrush(m, GetStockObject(NULL_BRUSH));
    Ellipse(m, sx - 4, sy - 4, sx + 5, sy + 5);
  }
  ui::TPenHandle tick(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  {
    ui::TSelectObject selectedPen(m, tick.Get());
    MoveToEx(m, kHueLeft - 3, hy, nullptr);
    LineTo(m, kHueLeft + 2, hy);
    MoveToEx(m, kHueLeft + kHueWidth - 2, hy, nullptr);
    LineTo(m, kHueLeft + kHueWidth + 3, hy);
  }
  BitBlt(dc, 0, 0, client.right, client.bottom, m, 0, 0, SRCCOPY);
}

void TColourPicker::Changed(bool changed) {
  InvalidateRect(Handle(), nullptr, FALSE);
  if (changed && OnChange) OnChange();
}

void TColourPicker::MouseAt(POINT p, bool pressed) {
  if (pressed) FDrag = p.x >= kHueLeft - 2 ? TDrag::Hue : TDrag::Square;
  if (FDrag == TDrag::Square) Changed(FModel.PickSquare(p.x - 1, p.y - 1));
  if (FDrag == TDrag::Hue) Changed(FModel.PickHue(p.y - 1));
}

LRESULT TColourPicker::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      ui::TPaintDC dc(Handle());
      Paint(dc.Get());
      return 0;
    }
    case WM_LBUTTONDOWN:
      SetFocus(Handle());
      SetCapture(Handle());
      MouseAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, true);
      return 0;
    case WM_MOUSEMOVE:
      if ((wParam & MK_LBUTTON) && FDrag != TDrag::None)
        MouseAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, false);
      return 0;
    case WM_LBUTTONUP:
      FDrag = TDrag::None;
      ReleaseCapture();
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_KEYDOWN: {
      const int step = (GetKeyState(VK_CONTROL) & 0x8000) ? 16 : 1;
      switch (wParam) {
        case VK_LEFT: Changed(FModel.StepSaturation(-step)); return 0;
        case VK_RIGHT: Changed(FModel.StepSaturation(step)); return 0;
        case VK_UP: Changed(FModel.StepValue(step)); return 0;
        case VK_DOWN: Changed(FModel.StepValue(-step)); return 0;
        case VK_PRIOR: Changed(FModel.StepHue(step == 1 ? -1 : -30)); return 0;
        case VK_NEXT: Changed(FModel.StepHue(step == 1 ? 1 : 30)); return 0;
      }
      break;
    }
  }
  return DefaultHandler(msg, wParam, lParam);
}

}  // namespace lupendo
