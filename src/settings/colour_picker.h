#pragma once
// The settings dialog's colour picker: a square of saturation (left to right) and value
// (top to bottom) for the current hue, and a hue bar beside it. It works with the mouse
// (press or drag in either part) and the keyboard (arrows: saturation and value, Page Up and
// Page Down: hue, with Ctrl in steps of 16 and 30), and reports changes through OnChange.
// The colour set from outside comes back exactly.
#include <windows.h>

#include <functional>

#include "settings/colour_model.h"
#include "ui/window.h"

namespace lupendo {

class TColourPicker : public ui::TWindow {
 public:
  static constexpr const char* kClassName = "LupendoColourPicker";
  static constexpr int kGap = 6, kHueWidth = 16;
  static constexpr int kWidth = TColourPickerModel::kSquare + kGap + kHueWidth + 2;
  static constexpr int kHeight = TColourPickerModel::kSquare + 2;

  // A child window of parent at (x, y).
  TColourPicker(HWND parent, int x, int y, int id);
  ~TColourPicker() override;

  // 0x00BBGGRR; setting does not call OnChange.
  void SetColour(COLORREF colour);
  COLORREF Colour() const { return FModel.Colour(); }
  const TColourPickerModel& Model() const { return FModel; }
  std::function<void()> OnChange;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc);
  void MouseAt(POINT p, bool pressed);
  void Changed(bool changed);
  void BuildSquare();
  HBITMAP FSquare = nullptr;  // the saturation/value square of FSquareHue
  int FSquareHue = -1;
  enum class TDrag { None, Square, Hue } FDrag = TDrag::None;
  TColourPickerModel FModel;
};

}  // namespace lupendo
