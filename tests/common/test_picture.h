#pragma once
// A known picture on the screen for the tests that read what the magnifier shows: a
// borderless window whose pixel at screen point (x, y) has a colour computed from x, y and a
// variant number, and a reader of screen pixels.
#include <windows.h>

#include <cstdint>
#include <vector>

namespace testpic {

// 0x00RRGGBB of the picture's pixel at screen point (x, y). Neighbours always differ.
uint32_t PatternColour(int x, int y, int variant = 0);

class TTestPicture {
 public:
  // Covers the screen rectangle bounds; shown at once, below windows created later.
  explicit TTestPicture(RECT bounds, int variant = 0);
  ~TTestPicture();
  TTestPicture(const TTestPicture&) = delete;
  TTestPicture& operator=(const TTestPicture&) = delete;
  // Paints another variant (and lets the window repaint now).
  void SetVariant(int variant);
  HWND Handle() const { return FWnd; }

 private:
  static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void Render();
  RECT FBounds;
  int FVariant;
  HWND FWnd = nullptr;
  HBITMAP FBitmap = nullptr;
  uint32_t* FBits = nullptr;
};

// The screen's pixels in a rectangle, 0x00RRGGBB, row by row from the top.
struct TScreenPixels {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  std::vector<uint32_t> Pixels;
  uint32_t At(int screenX, int screenY) const {
    return Pixels[static_cast<size_t>(screenY - Top) * Width + (screenX - Left)];
  }
};
TScreenPixels ReadScreen(RECT r);

// Handles the messages of this thread for a while (picture windows paint meanwhile).
void Pump(DWORD milliseconds);

}  // namespace testpic
