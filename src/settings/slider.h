#pragma once
// The intermediate-zoom slider of the settings dialog: its position, in hundredths of a zoom
// step, is the live value of the smooth-zoom fraction.
namespace lupendo {

class TSlider {
 public:
  int Min() const { return FMin; }
  int Max() const { return FMax; }
  int Position() const { return FPosition; }
  void SetRange(int min, int max) {
    FMin = min;
    FMax = max < min ? min : max;
    SetPosition(FPosition);
  }
  // Positions outside the range are held at its ends.
  void SetPosition(int position) { FPosition = position < FMin ? FMin : position > FMax ? FMax : position; }

 private:
  int FMin = 0, FMax = 94, FPosition = 0;
};

}  // namespace lupendo
