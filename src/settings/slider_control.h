#pragma once
// The slider as the dialog shows it: one child window holding the bar picture and the thumb
// picture over it. A press on the thumb drags it (TSlider); a press elsewhere on the bar sets
// the position under the mouse.
#include <windows.h>

#include <functional>
#include <memory>

#include "magnifier/ddbitmap.h"
#include "settings/slider.h"
#include "ui/window.h"

namespace lupendo {

class TSliderControl : public ui::TWindow {
 public:
  static constexpr const char* kClassName = "LupendoSlider";

  // Placed at (x, y) of parent, sized from the pictures; slider is the model it drives.
  TSliderControl(HWND parent, int x, int y, int id, TSlider& slider);
  ~TSliderControl() override;

  // Press on the bar outside the thumb (x relative to the bar).
  std::function<void(int x)> OnBarMouseDown;
  std::function<void()> OnMouseUp;
  void Refresh() { InvalidateRect(Handle(), nullptr, FALSE); }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  TSlider& FSlider;
  std::unique_ptr<TDDBitmap> FBar, FThumb;
};

}  // namespace lupendo
