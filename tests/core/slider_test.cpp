// The intermediate-zoom slider's arithmetic: a 136-pixel bar and an 11-pixel thumb, range
// 0 ... 94 (track 125).
#include "settings/slider.h"

#include <gtest/gtest.h>

namespace lupendo {
namespace {

TSlider ZoomSlider() {
  TSlider s;
  s.SetMin(0);
  s.SetMax(94);
  s.SetBar(20, 40, 136, 9);
  s.SetThumbPicture(11, 11);
  s.SetActive(true);
  s.AdjustToBar();
  return s;
}

TEST(Slider, PositionsMapToThumbPlacesAndBack) {
  TSlider s = ZoomSlider();
  EXPECT_EQ(s.Track(), 125);
  EXPECT_EQ(s.ThumbHeight(), 12);
  EXPECT_EQ(s.ThumbTop(), 40 + (9 - 12) / 2);  // truncated toward zero: 39
  struct {
    int Set, Stored, ThumbOffset;
  } cases[] = {{47, 47, 62}, {94, 94, 125}, {100, 94, 125}, {-5, 0, 0}, {0, 0, 0}};
  for (const auto& c : cases) {
    s.SetPosition(c.Set);
    EXPECT_EQ(s.ThumbLeft() - s.BarLeft(), c.ThumbOffset) << c.Set;
    EXPECT_EQ(s.Position(), c.Stored) << c.Set;
  }
  for (int p = 0; p <= 94; ++p) {
    s.SetPosition(p);
    ASSERT_EQ(s.Position(), p);
  }
}

TEST(Slider, MoveIsReportedOncePerChange) {
  TSlider s = ZoomSlider();
  int moves = 0;
  s.OnMove = [&] { ++moves; };
  s.SetPosition(30);
  s.SetPosition(30);
  EXPECT_EQ(moves, 1);
  s.SetPosition(200);
  s.SetPosition(94);
  EXPECT_EQ(moves, 2);
}

TEST(Slider, InactiveSliderOnlyStores) {
  TSlider s;
  s.SetMin(0);
  s.SetMax(94);
  int moves = 0;
  s.OnMove = [&] { ++moves; };
  s.SetPosition(50);
  EXPECT_EQ(s.Position(), 50);
  EXPECT_EQ(s.ThumbLeft(), 0);
  EXPECT_EQ(moves, 0);
}

TEST(Slider, DraggingFollowsTheMouseAndStopsAtTheEnds) {
  TSlider s = ZoomSlider();
  int moves = 0;
  s.OnMove = [&] { ++moves; };
  s.MouseDown(true, 0, 5);  // the first column does not start a drag
  s.MouseMove(true, 10);
  EXPECT_EQ(s.ThumbLeft(), 20);
  EXPECT_EQ(moves, 0);
  s.MouseDown(true, 5, 5);
  s.MouseMove(true, 45);  // 40 pixels right
  EXPECT_EQ(s.ThumbLeft(), 60);
  EXPECT_EQ(s.Position(), SliderPositionAt(40, 125, 0, 94));
  s.MouseMove(true, 400);  // far past the right end
  EXPECT_EQ(s.ThumbLeft(), 20 + 125);
  EXPECT_EQ(s.Position(), 94);
  s.MouseMove(true, -900);
  EXPECT_EQ(s.ThumbLeft(), 20);
  EXPECT_EQ(moves, 3) << "every move is reported, moved or not";
  s.MouseUp(true);
  EXPECT_FALSE(s.Dragging());
  s.MouseMove(true, 30);
  EXPECT_EQ(moves, 3);
}

TEST(Slider, EmptyRangeAndZeroTrackAreHarmless) {
  TSlider s = ZoomSlider();
  s.SetMax(0);
  s.SetPosition(10);
  EXPECT_EQ(s.Position(), 0);
  EXPECT_EQ(s.ThumbLeft(), s.BarLeft());
  TSlider narrow = ZoomSlider();
  narrow.SetBar(20, 40, 11, 9);
  narrow.SetPosition(40);
  EXPECT_EQ(narrow.ThumbLeft(), 20);
  EXPECT_EQ(narrow.Position(), 0);
}

TEST(Slider, BarPressPositions) {
  EXPECT_EQ(SliderPositionAt(0, 136, 0, 94), 0);
  EXPECT_EQ(SliderPositionAt(68, 136, 0, 94), 47);
  EXPECT_EQ(SliderPositionAt(135, 136, 0, 94), 93);  // a click reaches 93 at most
  EXPECT_EQ(SliderPositionAt(5, 0, 0, 94), 0);
}

}  // namespace
}  // namespace lupendo
