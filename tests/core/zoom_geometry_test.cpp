// View geometry, frame layout, frame colours and button shapes.
#include "magnifier/zoom_geometry.h"

#include <gtest/gtest.h>

#include "controls/region_runs.h"
#include "dib_fixtures.h"
#include "magnifier/frame_layout.h"

namespace lupendo {
namespace {

TEST(ViewRect, WholeBufferAtZoomOne) {
  EXPECT_EQ(ComputeViewRect({-3, -3, 287, 267}, {50, 60}, {10, 10}, 3, 1.0f, 290, 270), (TIntRect{0, 0, 290, 270}));
}

TEST(ViewRect, FocusPixelLandsOnTheViewPoint) {
  // Window 290 x 270, focus 145/135 shown at client 145/135, zoom 2: the middle half of the
  // buffer. Left: round(145 / 2 = 72.5) = 72, moved by round(-3 / 2 = -1.5) = -2 (half to even).
  TIntRect r{-3, -3, 287, 267};
  EXPECT_EQ(ComputeViewRect(r, {145, 135}, {145, 135}, 3, 2.0f, 290, 270), (TIntRect{70, 66, 216, 200}));
  EXPECT_EQ(RoundSingle(2.5f), 2);
  EXPECT_EQ(RoundSingle(3.5f), 4);
  EXPECT_EQ(RoundSingle(-2.5f), -2);
  // Zoom 3 about focus 100/100 at view 40/40: left = round((-3 + 203) / 3) + round(57 / 3).
  EXPECT_EQ(ComputeViewRect(r, {100, 100}, {40, 40}, 3, 3.0f, 290, 270), (TIntRect{86, 86, 182, 176}));
}

TEST(ViewRect, ClientToSourceInvertsTheImagePlacement) {
  TViewState v;
  v.Width = 290;
  v.Height = 270;
  v.Zoom = 2.0f;
  v.Focus = {145, 135};
  v.ViewPoint = {145, 135};
  // The pre-scaled image is drawn at client (0, 26) from source (left, top of the view with
  // the bar row): client (0, 26) maps back to that source pixel.
  TIntRect prepared = PreparedSourceRect(v, v.Focus, v.ViewPoint);
  TIntRect s = ClientToSource(v, {0, 26, 10, 6});
  EXPECT_EQ(s.Left, prepared.Left);
  EXPECT_EQ(s.Top, prepared.Top);
  EXPECT_EQ(s.Right, 5);
  EXPECT_EQ(s.Bottom, 3);
  v.Zoom = 1.0f;
  EXPECT_EQ(ClientToSource(v, {10, 40, 4, 4}), (TIntRect{13, 43, 4, 4}));
}

TEST(ViewRect, PreparedSourceCoversTheZoomAreaPlusARowAboveAndBelow) {
  TViewState v;
  v.Width = 290;
  v.Height = 270;
  v.Zoom = 2.0f;
  TIntRect view = ComputeViewRect({-3, -3, 287, 267}, {145, 135}, {145, 135}, 3, 2.0f, 290, 270);
  TIntRect s = PreparedSourceRect(v, {145, 135}, {145, 135});
  EXPECT_EQ(s.Left, view.Left);
  EXPECT_EQ(s.Right, view.Right);
  EXPECT_EQ(s.Top, view.Top + 15 - 1);
  EXPECT_EQ(s.Bottom, view.Bottom - 15 + 1);
}

TEST(ViewRect, ZoomChangeKeepsTheAnchorPixel) {
  // Snapshot view origin (74, 69) at zoom 2: client point (47, 57) shows pixel (99, 99).
  EXPECT_EQ(FocusUnderAnchor({47, 57}, 2.0f, {74, 69}), (TIntPoint{99, 99}));
  EXPECT_EQ(ZoomText(2.0f), "2.0");
  EXPECT_EQ(ZoomText(3.5f), "3.5");
  EXPECT_EQ(ZoomText(10.0f), "10.0");
}

TEST(FrameLayout, ZoomAreaFollowsBorderPanelAndBar) {
  struct {
    int TopBar, Border;
    bool Panel;
    TIntRect Zoom;
    int BottomBar;
    bool HideMagic;
  } cases[] = {
      {30, 3, true, {3, 30, 287, 240}, 30, false},    {30, 30, true, {30, 30, 260, 240}, 30, false},
      {30, 0, true, {0, 30, 290, 240}, 30, false},    {30, 15, false, {3, 30, 287, 267}, 3, true},
      {3, 15, true, {3, 3, 287, 267}, 3, false},
  };
  for (const auto& c : cases) {
    TFrameInput in;
    in.Width = 290;
    in.Height = 270;
    in.TopBarHeight = c.TopBar;
    in.BorderSetting = c.Border;
    in.Panel = c.Panel;
    TFrameLayout f = ComputeFrameLayout(in);
    EXPECT_EQ(f.ZoomAreaRect, c.Zoom) << c.TopBar << "/" << c.Border << "/" << c.Panel;
    EXPECT_EQ(f.BottomBarHeight, c.BottomBar);
    EXPECT_EQ(f.HideMagicLogo, c.HideMagic);
  }
}

TEST(FrameLayout, PanelTextsMoveIntoTheBarWithoutPanel) {
  TFrameInput in;
  in.Width = 290;
  in.Height = 270;
  TFrameLayout withPanel = ComputeFrameLayout(in);
  EXPECT_EQ(withPanel.PanelText[0], (TIntPoint{15, 241}));
  EXPECT_EQ(withPanel.PanelText[3], (TIntPoint{127, 254}));
  EXPECT_EQ(withPanel.PanelBox2, (TIntRect{122, 241, 320, 270}));
  in.Panel = false;
  in.LogoRight = 36;
  TFrameLayout without = ComputeFrameLayout(in);
  EXPECT_EQ(without.PanelText[1], (TIntPoint{38, 10}));
  EXPECT_EQ(without.PanelText[2], (TIntPoint{38, 10}));
}

TEST(FrameColours, OutermostRingHasHalfTheBrightnessAndRingsBrightenInwards) {
  std::vector<unsigned long> rings = GradientRings(0x00C0FFFF, 30);
  ASSERT_EQ(rings.size(), 30u);
  EXPECT_EQ(rings[0], 0x00608080u);  // 192 / 2 = 96, 255 / 2 = 127.5 -> 128 (half to even)
  for (size_t i = 1; i < rings.size(); ++i) EXPECT_GE(rings[i] & 0xFF, rings[i - 1] & 0xFF);
  EXPECT_GT(rings[29] & 0xFF, 0xF0u);
  EXPECT_EQ(Blend(0x0000FF, 0xFF0000, 2.0), 0xFF0000u);  // t clamped to 1
  EXPECT_EQ(Blend(0x0000FF, 0xFF0000, -1.0), 0x0000FFu);
}

TEST(ButtonShape, RunsOfTheKeyColourAreJoinedPerRow) {
  // Key colour at the top-left; a 4 x 3 picture with one opaque pixel in the middle row.
  TPackedDIB picture = testing::MakeImage(4, 3, [](int x, int y) {
    // stored rows are bottom-up: stored row 1 is picture row 1
    return (x == 2 && y == 1) ? 0x123456u : 0xFF00FFu;
  });
  std::vector<TIntRect> rows = KeyColourRuns(picture).Rows();
  std::vector<TIntRect> expected = {{0, 0, 4, 1}, {0, 1, 2, 2}, {3, 1, 4, 2}, {0, 2, 4, 3}};
  EXPECT_EQ(rows, expected);

  TQRgn rgn;
  rgn.Add({5, 0, 9, 2});
  rgn.Add({0, 1, 6, 2});
  rgn.Add({2, 5, 2, 9});  // empty: dropped
  std::vector<TIntRect> joined = rgn.Rows();
  std::vector<TIntRect> expectedJoined = {{5, 0, 9, 1}, {0, 1, 9, 2}};
  EXPECT_EQ(joined, expectedJoined);
  EXPECT_EQ(rgn.Bounds(), (TIntRect{0, 0, 9, 9}));
}

}  // namespace
}  // namespace lupendo
