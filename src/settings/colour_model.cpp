#include "settings/colour_model.h"

#include <algorithm>

namespace lupendo {

namespace {
int Clamp(int v, int lo, int hi) { return std::min(std::max(v, lo), hi); }
int Red(uint32_t c) { return static_cast<int>(c & 0xFF); }
int Green(uint32_t c) { return static_cast<int>((c >> 8) & 0xFF); }
int Blue(uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); }
uint32_t Rgb(int r, int g, int b) {
  return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}
// Division rounded to the nearest whole number for non-negative operands.
int DivRound(int a, int b) { return (2 * a + b) / (2 * b); }
}  // namespace

THsv RgbToHsv(uint32_t colour) {
  const int r = Red(colour), g = Green(colour), b = Blue(colour);
  const int high = std::max({r, g, b}), low = std::min({r, g, b}), diff = high - low;
  THsv hsv;
  hsv.V = high;
  hsv.S = high == 0 ? 0 : DivRound(diff * 255, high);
  if (diff == 0) return hsv;
  int h;
  if (high == r)
    h = DivRound(std::abs(g - b) * 60, diff) * (g >= b ? 1 : -1);
  else if (high == g)
    h = 120 + DivRound(std::abs(b - r) * 60, diff) * (b >= r ? 1 : -1);
  else
    h = 240 + DivRound(std::abs(r - g) * 60, diff) * (r >= g ? 1 : -1);
  hsv.H = (h + 360) % 360;
  return hsv;
}

uint32_t HsvToRgb(const THsv& hsv) {
  const int h = ((hsv.H % 360) + 360) % 360, s = Clamp(hsv.S, 0, 255), v = Clamp(hsv.V, 0, 255);
  if (s == 0) return Rgb(v, v, v);
  const int sector = h / 60, within = h % 60;  // 0 ... 59 degrees into the sector
  const int p = DivRound(v * (255 - s), 255);
  const int q = DivRound(v * (255 * 60 - s * within), 255 * 60);
  const int t = DivRound(v * (255 * 60 - s * (60 - within)), 255 * 60);
  switch (sector) {
    case 0: return Rgb(v, t, p);
    case 1: return Rgb(q, v, p);
    case 2: return Rgb(p, v, t);
    case 3: return Rgb(p, q, v);
    case 4: return Rgb(t, p, v);
    default: return Rgb(v, p, q);
  }
}

void TColourPickerModel::SetColour(uint32_t colour) {
  FColour = colour & 0x00FFFFFF;
  THsv derived = RgbToHsv(FColour);
  // A grey has no hue of its own: the picture keeps the hue it showed.
  if (derived.S == 0) derived.H = FHsv.H;
  FHsv = derived;
}

bool TColourPickerModel::SetHsv(const THsv& hsv) {
  const uint32_t before = FColour;
  FHsv = hsv;
  FColour = HsvToRgb(hsv);
  return FColour != before;
}

bool TColourPickerModel::PickSquare(int x, int y) {
  THsv hsv = FHsv;
  hsv.S = DivRound(Clamp(x, 0, kSquare - 1) * 255, kSquare - 1);
  hsv.V = 255 - DivRound(Clamp(y, 0, kSquare - 1) * 255, kSquare - 1);
  return SetHsv(hsv);
}

bool TColourPickerModel::PickHue(int y) {
  THsv hsv = FHsv;
  hsv.H = Clamp(y, 0, kHueBarHeight - 1) * 359 / (kHueBarHeight - 1);
  return SetHsv(hsv);
}

bool TColourPickerModel::StepSaturation(int step) {
  THsv hsv = FHsv;
  hsv.S = Clamp(hsv.S + step, 0, 255);
  return SetHsv(hsv);
}

bool TColourPickerModel::StepValue(int step) {
  THsv hsv = FHsv;
  hsv.V = Clamp(hsv.V + step, 0, 255);
  return SetHsv(hsv);
}

bool TColourPickerModel::StepHue(int step) {
  THsv hsv = FHsv;
  hsv.H = ((hsv.H + step) % 360 + 360) % 360;
  return SetHsv(hsv);
}

int TColourPickerModel::SquareX() const { return DivRound(FHsv.S * (kSquare - 1), 255); }
int TColourPickerModel::SquareY() const { return DivRound((255 - FHsv.V) * (kSquare - 1), 255); }
int TColourPickerModel::HueY() const { return DivRound(FHsv.H * (kHueBarHeight - 1), 359); }

}  // namespace lupendo
