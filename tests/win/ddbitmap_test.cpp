// The screen bitmap buffer and the image speed button on a real GDI.
#include "magnifier/ddbitmap.h"

#include <gtest/gtest.h>

#include "controls/kv_speed_button.h"
#include "ui/handles.h"

using namespace lupendo;

namespace {

void Fill(TDDBitmap& b, const RECT& r, COLORREF colour) {
  ui::TBrushHandle brush(CreateSolidBrush(colour));
  FillRect(b.DC(), &r, brush.Get());
}
COLORREF At(const TDDBitmap& b, int x, int y) { return GetPixel(b.DC(), x, y) & 0xFFFFFF; }

// Column x of a 20 x 10 buffer gets colour RGB(x * 10, 0, 0).
void Stripes(TDDBitmap& b) {
  for (int x = 0; x < b.Width(); ++x) Fill(b, RECT{x, 0, x + 1, b.Height()}, RGB(x * 10, 0, 0));
}

TEST(DDBitmap, ZeroSizeBecomesOnePixel) {
  TDDBitmap b(nullptr, 0, 0);
  EXPECT_EQ(b.Width(), 1);
  EXPECT_EQ(b.Height(), 1);
  EXPECT_EQ(b.SourceRect().right, 1);
}

TEST(DDBitmap, ShiftMovesTheContentAndKeepsTheTemporaryPixelsBehind) {
  TDDBitmap b(nullptr, 20, 10), temp(nullptr, 20, 10);
  Stripes(b);
  Fill(temp, RECT{0, 0, 20, 10}, RGB(0, 0, 255));
  b.Shift(POINT{5, 0}, temp);
  EXPECT_EQ(At(b, 0, 3), RGB(50, 0, 0));
  EXPECT_EQ(At(b, 14, 3), RGB(190, 0, 0));
  for (int x = 15; x < 20; ++x) EXPECT_EQ(At(b, x, 3), RGB(0, 0, 255)) << x;
  b.Shift(POINT{-3, 0}, temp);
  EXPECT_EQ(At(b, 3, 3), RGB(50, 0, 0));
}

TEST(DDBitmap, ClipToScreenBlackensTheOffScreenPart) {
  TDDBitmap b(nullptr, 20, 10);
  Fill(b, RECT{0, 0, 20, 10}, RGB(200, 100, 50));
  HRGN visible = b.ClipToScreen(RECT{-10, 0, 10, 10});
  ASSERT_NE(visible, nullptr);
  RECT box{};
  GetRgnBox(visible, &box);
  EXPECT_EQ(box.left, 10);
  EXPECT_EQ(box.right, 20);
  EXPECT_EQ(At(b, 5, 5), 0u);
  EXPECT_EQ(At(b, 15, 5), RGB(200, 100, 50));
  DeleteObject(visible);
  EXPECT_EQ(b.ClipToScreen(RECT{0, 0, 20, 10}), nullptr) << "wholly on the screen";
}

TEST(DDBitmap, MaskMakesTheBottomLeftColourTransparent) {
  TDDBitmap picture(nullptr, 4, 4), target(nullptr, 4, 4);
  Fill(picture, RECT{0, 0, 4, 4}, RGB(255, 0, 255));
  Fill(picture, RECT{1, 1, 3, 3}, RGB(10, 20, 30));
  picture.CreateMask(nullptr);
  ASSERT_TRUE(picture.HasMask());
  Fill(target, RECT{0, 0, 4, 4}, RGB(0, 128, 0));
  picture.Draw(target.DC(), RECT{0, 0, 4, 4}, POINT{0, 0});
  EXPECT_EQ(At(target, 0, 0), RGB(0, 128, 0));
  EXPECT_EQ(At(target, 3, 3), RGB(0, 128, 0));
  EXPECT_EQ(At(target, 1, 1), RGB(10, 20, 30));
}

TEST(DDBitmap, PackedDibHoldsTheScreenFormatBottomUp) {
  TDDBitmap b(nullptr, 20, 10);
  Stripes(b);
  Fill(b, RECT{0, 0, 20, 1}, RGB(1, 2, 3));  // top row
  TPackedDIB dib = EnsureDIB24(b.AsPackedDIB(), 3, 3);
  TDIBInfo info = DescribeDIB(dib);
  ASSERT_EQ(info.Width, 20);
  ASSERT_EQ(info.Height, 10);
  ASSERT_EQ(info.BytesPerPixel, 3);
  const uint8_t* top = dib.Data() + info.BitsOffset + 9 * info.Stride;  // last stored row
  EXPECT_EQ(top[0], 3);
  EXPECT_EQ(top[1], 2);
  EXPECT_EQ(top[2], 1);
  const uint8_t* bottom = dib.Data() + info.BitsOffset + 3 * 7;  // first stored row, column 7
  EXPECT_EQ(bottom[2], 70);
  EXPECT_EQ(ReadU16(dib.Data()), 19778);
}

TEST(DDBitmap, AsBitmapCopiesThePixels) {
  TDDBitmap b(nullptr, 20, 10);
  Stripes(b);
  ui::TBitmapHandle copy(b.AsBitmap());
  ASSERT_TRUE(copy);
  ui::TMemoryDC dc(CreateCompatibleDC(nullptr));
  ui::TSelectObject selected(dc.Get(), copy.Get());
  EXPECT_EQ(GetPixel(dc.Get(), 7, 4) & 0xFFFFFF, RGB(70, 0, 0));
  EXPECT_EQ(GetPixel(dc.Get(), 19, 0) & 0xFFFFFF, RGB(190, 0, 0));
}

TEST(DDBitmap, FloodFillStopsAtTheSurfaceColour) {
  TDDBitmap b(nullptr, 20, 10);
  Fill(b, RECT{0, 0, 20, 10}, RGB(255, 255, 255));
  Fill(b, RECT{10, 0, 11, 10}, RGB(0, 0, 0));  // a wall
  b.FloodFill(POINT{2, 2}, RGB(255, 255, 255), RGB(0, 200, 0));
  EXPECT_EQ(At(b, 0, 0), RGB(0, 200, 0));
  EXPECT_EQ(At(b, 9, 9), RGB(0, 200, 0));
  EXPECT_EQ(At(b, 10, 5), RGB(0, 0, 0));
  EXPECT_EQ(At(b, 15, 5), RGB(255, 255, 255));
}

TEST(DDBitmap, BlitFromARefusedSourceRaises) {
  TDDBitmap b(nullptr, 4, 4);
  try {
    b.BlitFrom(reinterpret_cast<HDC>(static_cast<uintptr_t>(0x1234)), POINT{0, 0}, RECT{0, 0, 4, 4});
    FAIL() << "no error";
  } catch (const TessalyException& e) {
    EXPECT_EQ(std::string(e.what()).substr(0, 12), "Blit failed:");
  }
}

// A 20 x 20 picture: magenta key colour with an opaque 10 x 10 square of the given colour.
HBITMAP Picture(COLORREF colour) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 20, 20);
  ReleaseDC(nullptr, screen);
  ui::TMemoryDC dc(CreateCompatibleDC(nullptr));
  ui::TSelectObject selected(dc.Get(), bitmap);
  ui::TBrushHandle key(CreateSolidBrush(RGB(255, 0, 255))), fill(CreateSolidBrush(colour));
  RECT all{0, 0, 20, 20}, square{5, 5, 15, 15};
  FillRect(dc.Get(), &all, key.Get());
  FillRect(dc.Get(), &square, fill.Get());
  return bitmap;
}

TEST(SpeedButton, PressFlipsToggledAndOnlyAReleaseInsideClicks) {
  TKvSpeedButton b("b", 0, 0, 23, 22);
  int clicks = 0;
  b.OnClick = [&] { ++clicks; };
  b.MouseDown(0, POINT{4, 5});
  EXPECT_TRUE(b.Toggled);
  EXPECT_TRUE(b.Pressed);
  EXPECT_EQ(b.PressPoint.x, 4);
  b.MouseUp(0, POINT{40, 5});  // released outside: no click, the toggle stays
  EXPECT_TRUE(b.Toggled);
  EXPECT_FALSE(b.Pressed);
  EXPECT_EQ(clicks, 0);
  b.MouseDown(0, POINT{4, 5});
  b.MouseUp(0, POINT{4, 5});
  EXPECT_FALSE(b.Toggled);
  EXPECT_EQ(clicks, 1);
  b.MouseDown(1, POINT{4, 5});
  b.MouseUp(1, POINT{4, 5});
  EXPECT_EQ(clicks, 1) << "the right button does not click";
}

TEST(SpeedButton, ShapeIsTheOpaquePartOfThePictureShown) {
  TKvSpeedButton b("b", 0, 0, 23, 22);
  EXPECT_EQ(b.ShapeRegion(), nullptr) << "no picture, no shape";
  ui::TBitmapHandle normal(Picture(RGB(0, 0, 200))), hover(Picture(RGB(0, 200, 0)));
  b.SetImageD(nullptr, normal.Get());
  b.SetImageU(nullptr, hover.Get());
  ui::TRegionHandle shape(b.ShapeRegion());
  RECT box{};
  EXPECT_EQ(GetRgnBox(shape.Get(), &box), SIMPLEREGION);
  EXPECT_EQ(box.left, 7);  // the square at (5, 5), moved to the picture's place (2, 2)
  EXPECT_EQ(box.right, 17);
  b.SetImageD(nullptr, nullptr);  // a null picture changes nothing
  EXPECT_TRUE(b.HasNormalSurface());
}

TEST(SpeedButton, PaintsNormalHoverDisabledAndOverlayText) {
  TDDBitmap canvas(nullptr, 30, 30);
  TKvSpeedButton b("b", 0, 0, 23, 22);
  ui::TBitmapHandle normal(Picture(RGB(0, 0, 200))), hover(Picture(RGB(0, 200, 0)));
  b.SetImageD(nullptr, normal.Get());
  b.SetImageU(nullptr, hover.Get());
  auto paint = [&] {
    Fill(canvas, RECT{0, 0, 30, 30}, RGB(90, 90, 90));
    b.Paint(nullptr, canvas.DC(), 0, 0);
  };
  paint();
  EXPECT_EQ(At(canvas, 10, 10), RGB(0, 0, 200));
  EXPECT_EQ(At(canvas, 3, 3), RGB(90, 90, 90)) << "the key colour is transparent";
  b.MouseEnter();
  paint();
  EXPECT_EQ(At(canvas, 10, 10), RGB(0, 200, 0));
  b.Static = true;
  paint();
  EXPECT_EQ(At(canvas, 10, 10), RGB(0, 0, 200)) << "a static button never shows the hover picture";
  // The text is centred on the normal picture, then one pixel right and two down.
  b.MouseLeave();
  b.OverlayText.assign(1, '8');
  paint();
  SIZE text{};
  GetTextExtentPoint32A(canvas.DC(), "8", 1, &text);
  const int textLeft = (20 - text.cx) / 2 + 1, textTop = (20 - text.cy) / 2 + 2;
  int inside = 0, left = 0;
  for (int y = textTop; y < textTop + text.cy; ++y) {
    for (int x = textLeft; x < textLeft + text.cx; ++x) inside += At(canvas, x, y) == 0;
    for (int x = 0; x < textLeft; ++x) left += At(canvas, x, y) == 0;
  }
  EXPECT_GT(inside, 3);
  EXPECT_EQ(left, 0);
  b.Static = false;
  b.Enabled = false;
  paint();
  // Grey of the hover picture: 200 / 3 + 10 = 76, lightened by 20 %: 76 + round(179 * 0.2) = 112.
  EXPECT_EQ(At(canvas, 10, 10), RGB(112, 112, 112));
  EXPECT_EQ(At(canvas, 3, 3), RGB(90, 90, 90));
  int black = 0;
  for (int y = 0; y < 22; ++y)
    for (int x = 0; x < 23; ++x) black += At(canvas, x, y) == 0;
  EXPECT_EQ(black, 0) << "a disabled button writes no text";
}

}  // namespace
