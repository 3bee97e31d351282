// The colour picker's model: conversions, exact colours from the edits, picking and keys.
#include "settings/colour_model.h"

#include <gtest/gtest.h>

namespace lupendo {
namespace {

constexpr uint32_t Rgb(int r, int g, int b) {
  return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}

TEST(ColourModel, KnownColoursConvert) {
  struct {
    uint32_t Colour;
    THsv Hsv;
  } cases[] = {{Rgb(255, 0, 0), {0, 255, 255}},     {Rgb(0, 255, 0), {120, 255, 255}},
               {Rgb(0, 0, 255), {240, 255, 255}},   {Rgb(255, 255, 0), {60, 255, 255}},
               {Rgb(0, 0, 0), {0, 0, 0}},           {Rgb(255, 255, 255), {0, 0, 255}},
               {Rgb(128, 128, 128), {0, 0, 128}},   {Rgb(255, 0, 128), {330, 255, 255}}};
  for (const auto& c : cases) {
    EXPECT_EQ(RgbToHsv(c.Colour), c.Hsv) << std::hex << c.Colour;
    EXPECT_EQ(HsvToRgb(c.Hsv), c.Colour) << std::hex << c.Colour;
  }
}

TEST(ColourModel, ConversionBackIsCloseForEveryColourOfAGrid) {
  for (int r = 0; r < 256; r += 15)
    for (int g = 0; g < 256; g += 15)
      for (int b = 0; b < 256; b += 15) {
        uint32_t back = HsvToRgb(RgbToHsv(Rgb(r, g, b)));
        EXPECT_LE(std::abs(static_cast<int>(back & 0xFF) - r), 4) << r << "," << g << "," << b;
        EXPECT_LE(std::abs(static_cast<int>((back >> 8) & 0xFF) - g), 4) << r << "," << g << "," << b;
        EXPECT_LE(std::abs(static_cast<int>((back >> 16) & 0xFF) - b), 4) << r << "," << g << "," << b;
      }
}

TEST(ColourModel, ColourFromTheEditsComesBackExactly) {
  TColourPickerModel model;
  for (uint32_t c = 0; c < 0x01000000; c += 0x010305) {
    model.SetColour(c);
    ASSERT_EQ(model.Colour(), c);
  }
  model.SetColour(Rgb(200, 201, 202));
  EXPECT_EQ(model.Colour(), Rgb(200, 201, 202));
}

TEST(ColourModel, PickingAndKeysChangeTheColour) {
  TColourPickerModel model;
  model.SetColour(Rgb(255, 0, 0));
  EXPECT_EQ(model.SquareX(), 127);
  EXPECT_EQ(model.SquareY(), 0);
  EXPECT_TRUE(model.PickSquare(0, 0));  // no saturation, full value: white
  EXPECT_EQ(model.Colour(), Rgb(255, 255, 255));
  EXPECT_TRUE(model.PickSquare(500, 127));  // clamped: full saturation, no value
  EXPECT_EQ(model.Colour(), Rgb(0, 0, 0));
  EXPECT_FALSE(model.StepValue(-10)) << "already black";
  EXPECT_TRUE(model.StepValue(255));
  EXPECT_EQ(model.Colour(), Rgb(255, 0, 0));
  EXPECT_TRUE(model.PickHue(0 + 127 / 3));
  EXPECT_EQ(model.Hsv().H, 42 * 359 / 127);
  EXPECT_TRUE(model.StepHue(-400));  // wraps around the circle
  EXPECT_GE(model.Hsv().H, 0);
  EXPECT_LT(model.Hsv().H, 360);
  model.SetColour(Rgb(90, 90, 90));  // a grey keeps the hue the picture showed
  EXPECT_EQ(model.Hsv().S, 0);
  EXPECT_TRUE(model.StepSaturation(255));
  EXPECT_NE(model.Colour() & 0xFF, (model.Colour() >> 8) & 0xFF);
}

}  // namespace
}  // namespace lupendo
