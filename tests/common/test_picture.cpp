#include "test_picture.h"

#include <cstring>

namespace testpic {

uint32_t PatternColour(int x, int y, int variant) {
  uint32_t r = static_cast<uint32_t>(x * 3 + variant * 101) & 0xFF;
  uint32_t g = static_cast<uint32_t>(y * 3 + variant * 53) & 0xFF;
  uint32_t b = static_cast<uint32_t>((x / 7 + y / 5) * 29 + variant * 71) & 0xFF;
  return (r << 16) | (g << 8) | b;
}

namespace {
constexpr const char* kClass = "LupendoTestPicture";

HBITMAP CreateTopDownSection(int width, int height, uint32_t** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* data = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &data, nullptr, 0);
  *bits = static_cast<uint32_t*>(data);
  return bitmap;
}
}  // namespace

LRESULT CALLBACK TTestPicture::WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TTestPicture*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
  if (msg == WM_ERASEBKGND) return 1;
  if (msg == WM_PAINT && self) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, self->FBitmap);
    BitBlt(dc, 0, 0, self->FBounds.right - self->FBounds.left, self->FBounds.bottom - self->FBounds.top, mem, 0, 0,
           SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    EndPaint(wnd, &ps);
    return 0;
  }
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

TTestPicture::TTestPicture(RECT bounds, int variant) : FBounds(bounds), FVariant(variant) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = &TTestPicture::WndProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kClass;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  RegisterClassA(&wc);
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  FBitmap = CreateTopDownSection(width, height, &FBits);
  Render();
  FWnd = CreateWindowExA(WS_EX_NOACTIVATE, kClass, "", WS_POPUP, bounds.left, bounds.top, width, height, nullptr,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(FWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ShowWindow(FWnd, SW_SHOWNOACTIVATE);
  UpdateWindow(FWnd);
  Pump(300);
}

TTestPicture::~TTestPicture() {
  if (FWnd) DestroyWindow(FWnd);
  if (FBitmap) DeleteObject(FBitmap);
  Pump(100);
}

void TTestPicture::Render() {
  const int width = FBounds.right - FBounds.left, height = FBounds.bottom - FBounds.top;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      FBits[static_cast<size_t>(y) * width + x] = PatternColour(FBounds.left + x, FBounds.top + y, FVariant);
  GdiFlush();
}

void TTestPicture::SetVariant(int variant) {
  FVariant = variant;
  Render();
  RedrawWindow(FWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Pump(200);
}

TScreenPixels ReadScreen(RECT r) {
  TScreenPixels out;
  out.Left = r.left;
  out.Top = r.top;
  out.Width = r.right - r.left;
  out.Height = r.bottom - r.top;
  uint32_t* bits = nullptr;
  HBITMAP section = CreateTopDownSection(out.Width, out.Height, &bits);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, section);
  BitBlt(mem, 0, 0, out.Width, out.Height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  out.Pixels.assign(bits, bits + static_cast<size_t>(out.Width) * out.Height);
  for (uint32_t& p : out.Pixels) p &= 0x00FFFFFF;
  SelectObject(mem, old);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  DeleteObject(section);
  return out;
}

void Pump(DWORD milliseconds) {
  DWORD end = GetTickCount() + milliseconds;
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  } while (static_cast<int>(end - GetTickCount()) > 0);
}

}  // namespace testpic
