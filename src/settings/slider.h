#pragma once
// The intermediate-zoom slider: a thumb dragged along a bar. It keeps an integer position
// between a minimum and a maximum; while active, the position lives in the thumb's place
// (reads are computed from where the thumb is) and moves are reported through OnMove.
// Geometry is in pixels of the parent; the drawing is the dialog's.
#include <functional>

namespace lupendo {

class TSlider {
 public:
  std::function<void()> OnMove;

  // The range setters only store the value; nothing moves.
  void SetMax(int value) { FMax = value; }
  void SetMin(int value) { FMin = value; }
  int Max() const { return FMax; }
  int Min() const { return FMin; }

  // Layout and positioning are live only while active.
  void SetActive(bool active) { FActive = active; }
  bool Active() const { return FActive; }

  // Bar and thumb geometry; AdjustToBar puts the thumb at the bar's left and centres it on the
  // bar's height (the thumb is one pixel taller than its picture).
  void SetBar(int left, int top, int width, int height);
  void SetThumbPicture(int width, int height);
  void AdjustToBar();
  int BarLeft() const { return FBarLeft; }
  int BarTop() const { return FBarTop; }
  int BarWidth() const { return FBarWidth; }
  int BarHeight() const { return FBarHeight; }
  int ThumbLeft() const { return FThumbLeft; }
  int ThumbTop() const { return FThumbTop; }
  int ThumbWidth() const { return FThumbWidth; }
  int ThumbHeight() const { return FThumbHeight; }
  int Track() const { return FBarWidth - FThumbWidth; }

  // Clamps to the range (the minimum wins over the maximum), moves the thumb and reports a
  // changed position.
  void SetPosition(int value);
  int Position() const;

  // Mouse on the thumb, x and y in thumb coordinates.
  void MouseDown(bool left, int x, int y);
  void MouseUp(bool left);
  void MouseMove(bool leftHeld, int x);
  bool Dragging() const { return FGrabX > 0; }

 private:
  int FMax = 94, FMin = 0, FPosition = 0;
  bool FActive = false;
  int FBarLeft = 0, FBarTop = 0, FBarWidth = 0, FBarHeight = 0;
  int FThumbLeft = 0, FThumbTop = 0, FThumbWidth = 0, FThumbHeight = 0;
  int FThumbPictureWidth = 0, FThumbPictureHeight = 0;
  int FGrabX = 0, FGrabY = 0;
};

// Position the bar picture gives for a press at x (relative to the bar): minimum +
// Round(x / bar width * (maximum - minimum)), single precision, half to even.
int SliderPositionAt(int x, int barWidth, int min, int max);

}  // namespace lupendo
