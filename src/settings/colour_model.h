#pragma once
// The model behind the dialog's hue/saturation/value colour picker. The colour set from
// outside (the R, G, B edits) is kept exactly; hue, saturation and value are derived from it
// for the picture and change it only when the user picks in the picker itself.
// Colours are 0x00BBGGRR like the frame colours.
#include <cstdint>

namespace lupendo {

struct THsv {
  int H = 0;  // 0 ... 359 degrees
  int S = 0;  // 0 ... 255
  int V = 0;  // 0 ... 255
  bool operator==(const THsv&) const = default;
};

THsv RgbToHsv(uint32_t colour);
uint32_t HsvToRgb(const THsv& hsv);

class TColourPickerModel {
 public:
  // Geometry of the picture: a square of saturation (x) and value (y, bright at the top)
  // for the current hue, and a hue bar beside it (hue grows downwards).
  static constexpr int kSquare = 128;
  static constexpr int kHueBarHeight = 128;

  void SetColour(uint32_t colour);
  uint32_t Colour() const { return FColour; }
  const THsv& Hsv() const { return FHsv; }

  // Picking; each returns whether the colour changed.
  bool PickSquare(int x, int y);  // x, y within the square, clamped
  bool PickHue(int y);            // y along the hue bar, clamped
  // Keys: arrows move saturation and value by step, Page Up/Down the hue by step degrees.
  bool StepSaturation(int step);
  bool StepValue(int step);
  bool StepHue(int step);

  // Where the marks are drawn for the current hue, saturation and value.
  int SquareX() const;
  int SquareY() const;
  int HueY() const;

 private:
  bool SetHsv(const THsv& hsv);
  uint32_t FColour = 0;
  THsv FHsv;
};

}  // namespace lupendo
