#include "settings/slider_control.h"

#include <windowsx.h>

#include "ui/handles.h"

namespace lupendo {

namespace {
// A surface with a mask from a bitmap resource of the program (nullptr when it is missing).
std::unique_ptr<TDDBitmap> Picture(HWND wnd, const char* name) {
  ui::TBitmapHandle bitmap(
      static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!bitmap) return nullptr;
  BITMAP info{};
  GetObjectA(bitmap.Get(), sizeof info, &info);
  auto surface = std::make_unique<TDDBitmap>(wnd, info.bmWidth, info.bmHeight);
  ui::TMemoryDC dc(CreateCompatibleDC(surface->DC()));
  ui::TSelectObject selected(dc.Get(), bitmap.Get());
  BitBlt(surface->DC(), 0, 0, info.bmWidth, info.bmHeight, dc.Get(), 0, 0, SRCCOPY);
  surface->CreateMask(wnd);
  return surface;
}
}  // namespace

TSliderControl::TSliderControl(HWND parent, int x, int y, int id, TSlider& slider) : FSlider(slider) {
  RegisterWindowClass(kClassName, 0, nullptr, LoadCursor(nullptr, IDC_ARROW));
  CreateHandle(kClassName, "", WS_CHILD | WS_VISIBLE, 0, x, y, 1, 1, parent);
  if (!HandleAllocated()) return;
  SetWindowLongPtrA(Handle(), GWLP_ID, id);
  FBar = Picture(Handle(), "SLIDER_BAR");
  FThumb = Picture(Handle(), "SLIDER_THUMB");
  const int barWidth = FBar ? FBar->Width() : 136, barHeight = FBar ? FBar->Height() : 9;
  const int thumbWidth = FThumb ? FThumb->Width() : 11, thumbHeight = FThumb ? FThumb->Height() : 11;
  // The thumb is one pixel taller than its picture and centred on the bar: room for both.
  const int top = thumbHeight + 1 > barHeight ? (thumbHeight + 1 - barHeight + 1) / 2 : 0;
  // The stored position, read while the slider is still inactive, is put on the track.
  const int position = FSlider.Position();
  FSlider.SetBar(0, top, barWidth, barHeight);
  FSlider.SetThumbPicture(thumbWidth, thumbHeight);
  FSlider.SetActive(true);
  FSlider.AdjustToBar();
  FSlider.SetPosition(position);
  SetWindowPos(Handle(), nullptr, 0, 0, barWidth, std::max(barHeight, thumbHeight + 1) + top + 1,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TSliderControl::~TSliderControl() { DestroyHandle(); }

LRESULT TSliderControl::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  auto onThumb = [&] {
    return p.x >= FSlider.ThumbLeft() && p.x < FSlider.ThumbLeft() + FSlider.ThumbWidth() &&
           p.y >= FSlider.ThumbTop() && p.y < FSlider.ThumbTop() + FSlider.ThumbHeight();
  };
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      ui::TPaintDC dc(Handle());
      RECT client{};
      GetClientRect(Handle(), &client);
      ui::TMemoryDC memory(CreateCompatibleDC(dc.Get()));
      ui::TBitmapHandle canvas(CreateCompatibleBitmap(dc.Get(), client.right, client.bottom));
      ui::TSelectObject selected(memory.Get(), canvas.Get());
      FillRect(memory.Get(), &client, GetSysColorBrush(COLOR_BTNFACE));
      if (FBar)
        FBar->Draw(memory.Get(), RECT{FSlider.BarLeft(), FSlider.BarTop(), FBar->Width(), FBar->Height()},
                   POINT{0, 0});
      if (FThumb)
        FThumb->Draw(memory.Get(), RECT{FSlider.ThumbLeft(), FSlider.ThumbTop(), FThumb->Width(), FThumb->Height()},
                     POINT{0, 0});
      BitBlt(dc.Get(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
      return 0;
    }
    case WM_LBUTTONDOWN:
      SetCapture(Handle());
      if (onThumb()) {
        FSlider.MouseDown(true, p.x - FSlider.ThumbLeft(), p.y - FSlider.ThumbTop());
      } else if (OnBarMouseDown) {
        OnBarMouseDown(p.x - FSlider.BarLeft());
      }
      Refresh();
      return 0;
    case WM_MOUSEMOVE:
      if (wParam & MK_LBUTTON) {
        FSlider.MouseMove(true, p.x - FSlider.ThumbLeft());
        Refresh();
      }
      return 0;
    case WM_LBUTTONUP:
      ReleaseCapture();
      FSlider.MouseUp(true);
      if (OnMouseUp) OnMouseUp();
      Refresh();
      return 0;
  }
  return DefaultHandler(msg, wParam, lParam);
}

}  // namespace lupendo
