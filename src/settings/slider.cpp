#include "settings/slider.h"

#include <cmath>

namespace lupendo {

namespace {
int RoundHalfEven(float value) { return static_cast<int>(std::nearbyint(value)); }
}  // namespace

void TSlider::SetBar(int left, int top, int width, int height) {
  FBarLeft = left;
  FBarTop = top;
  FBarWidth = width;
  FBarHeight = height;
}

void TSlider::SetThumbPicture(int width, int height) {
  FThumbPictureWidth = width;
  FThumbPictureHeight = height;
}

void TSlider::AdjustToBar() {
  if (!FActive) return;
  FThumbWidth = FThumbPictureWidth;
  FThumbHeight = FThumbPictureHeight + 1;
  FThumbTop = FBarTop + (FBarHeight - FThumbHeight) / 2;
  FThumbLeft = FBarLeft;
}

void TSlider::SetPosition(int value) {
  if (value > FMax) value = FMax;
  if (value < FMin) value = FMin;
  const int old = FPosition;
  FPosition = value;
  if (!FActive) return;
  // An empty range or a bar no wider than the thumb keeps the thumb at the bar's left.
  if (FMax != FMin && Track() > 0) {
    const float share = static_cast<float>(value - FMin) / static_cast<float>(FMax - FMin);
    FThumbLeft = FBarLeft + RoundHalfEven(share * static_cast<float>(Track()));
  } else {
    FThumbLeft = FBarLeft;
  }
  if (FPosition != old && OnMove) OnMove();
}

int TSlider::Position() const {
  if (!FActive) return FPosition;
  if (FMin == FMax || Track() <= 0) return FMin == FMax ? 0 : FMin;
  const float share = static_cast<float>(FThumbLeft - FBarLeft) / static_cast<float>(Track());
  return FMin + RoundHalfEven(share * static_cast<float>(FMax - FMin));
}

void TSlider::MouseDown(bool left, int x, int y) {
  if (!left) return;
  FGrabX = x;
  FGrabY = y;
}

void TSlider::MouseUp(bool left) {
  if (!left) return;
  FGrabX = -1;
}

void TSlider::MouseMove(bool leftHeld, int x) {
  if (!leftHeld || FGrabX <= 0) return;
  int d = x - FGrabX;
  if (FBarWidth > 0) {
    if (FThumbLeft + d + FThumbWidth > FBarLeft + FBarWidth) d = FBarLeft + FBarWidth - FThumbLeft - FThumbWidth;
    if (FThumbLeft + d < FBarLeft) d = FBarLeft - FThumbLeft;
  }
  FThumbLeft += d;
  if (OnMove) OnMove();
}

int SliderPositionAt(int x, int barWidth, int min, int max) {
  if (barWidth <= 0) return min;
  const float share = static_cast<float>(x) / static_cast<float>(barWidth);
  return min + RoundHalfEven(share * static_cast<float>(max - min));
}

}  // namespace lupendo
