// The zoom engine inside the test process, over a known picture: what the zoom area shows at
// each factor, zooming about the mouse, moving, and the GDI objects it leaves behind.
#include <gtest/gtest.h>

#include "app/globals.h"
#include "config/mini_file.h"
#include "magnifier/kvzoom.h"
#include "magnifier/zoom_geometry.h"
#include "test_picture.h"
#include "zoom_check.h"
#include "ui/application.h"

using namespace lupendo;
using testpic::PatternColour;

namespace {

class ZoomEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    SetExecutablePath(std::string(temp) + "lupendo-zoom-engine-test.exe");
    DeleteFileA(DefaultConfigFileName().c_str());
    ui::Application().OnException = [this](const std::string& text) { FReports.push_back(text); };
    FPicture = std::make_unique<testpic::TTestPicture>(RECT{0, 0, 900, 800});
  }
  void TearDown() override {
    FPicture.reset();
    ui::Application().OnException = nullptr;
    ReleaseAllConfigFiles();
    DeleteFileA(DefaultConfigFileName().c_str());
    EXPECT_TRUE(FReports.empty()) << FReports.front();
  }
  static void Pump(DWORD milliseconds) {
    DWORD end = GetTickCount() + milliseconds;
    do {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      ui::Application().ProcessMessages();
    } while (static_cast<int>(end - GetTickCount()) > 0);
  }
  std::unique_ptr<testpic::TTestPicture> FPicture;
  std::vector<std::string> FReports;
};

TEST_F(ZoomEngineTest, ZoomOneShowsTheScreenUnderTheZoomArea) {
  TKvZoom zoom;
  zoom.Show();
  Pump(500);
  zoom.Zoom101Click(1.0f);
  Pump(300);
  ASSERT_EQ(zoom.Zoom(), 1.0f);
  RECT area = zoom.ZoomAreaRect();
  OffsetRect(&area, zoom.Left(), zoom.Top());
  testpic::TScreenPixels shown = testpic::ReadScreen(area);
  int wrong = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (shown.At(x, y) != PatternColour(x, y)) ++wrong;
  EXPECT_EQ(wrong, 0) << "first " << std::hex << shown.At(area.left, area.top) << " expected "
                      << PatternColour(area.left, area.top);
}


testpic::TLoupe LoupeOf(const TKvZoom& zoom) {
  testpic::TLoupe loupe;
  loupe.Window = RECT{zoom.Left(), zoom.Top(), zoom.Left() + zoom.Width(), zoom.Top() + zoom.Height()};
  loupe.TopBarHeight = zoom.TopBarHeight();
  loupe.BottomBarHeight = zoom.BottomBarHeight();
  loupe.ZoomArea = zoom.ZoomAreaRect();
  loupe.Zoom = zoom.Zoom();
  loupe.Focus = zoom.Focus();
  loupe.ViewPoint = zoom.ViewPoint();
  return loupe;
}

TEST_F(ZoomEngineTest, WholeFactorsShowEachScreenPixelAsABlock) {
  TKvZoom zoom;
  zoom.Show();
  Pump(500);
  for (float factor : {2.0f, 3.0f, 5.0f}) {
    while (zoom.Zoom() < factor) zoom.ChangeZoom(false, 1.0f);
    Pump(200);
    ASSERT_EQ(zoom.Zoom(), factor);
    std::string first;
    EXPECT_EQ(testpic::WrongZoomPixels(LoupeOf(zoom), &first), 0) << "zoom " << factor << ": " << first;
  }
}

}  // namespace
