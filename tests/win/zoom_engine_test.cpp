// The zoom engine inside the test process, over a known picture: what the zoom area shows at
// each factor, zooming about the mouse, moving, and the GDI objects it leaves behind.
#include <gtest/gtest.h>

#include "app/command_ids.h"
#include "app/globals.h"
#include "app/resource_ids.h"
#include "config/mini_file.h"
#include "magnifier/kvzoom.h"
#include "magnifier/tessaly_exception.h"
#include "magnifier/zoom_geometry.h"
#include "settings/options_form.h"
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
    // The mouse rests far from the window: no hover picture or tooltip covers the view.
    SetCursorPos(1250, 1000);
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


// Drags the zoom area by (dx, dy) with the window's own mouse messages.
void Drag(TKvZoom& zoom, int dx, int dy) {
  SendMessageA(zoom.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
  // The window follows the mouse, so the mouse stays at the same client point after a step.
  SendMessageA(zoom.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100 + dx, 100 + dy));
  SendMessageA(zoom.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
}

TEST_F(ZoomEngineTest, DraggingShowsThePictureAtTheNewPlace) {
  TKvZoom zoom;
  zoom.Show();
  Pump(500);
  struct {
    int Dx, Dy;
  } steps[] = {{5, 3}, {-7, 0}, {0, -4}, {30, 20}, {-1, 1}};
  for (const auto& step : steps) {
    const int left = zoom.Left(), top = zoom.Top();
    Drag(zoom, step.Dx, step.Dy);
    Pump(100);
    ASSERT_EQ(zoom.Left(), left + step.Dx);
    ASSERT_EQ(zoom.Top(), top + step.Dy);
    std::string first;
    EXPECT_EQ(testpic::WrongZoomPixels(LoupeOf(zoom), &first), 0)
        << "after a step of " << step.Dx << "," << step.Dy << ": " << first;
  }
}

TEST_F(ZoomEngineTest, DraggingOffTheScreenBlackensWhatLiesOutside) {
  TKvZoom zoom;
  zoom.Show();
  Pump(500);
  Drag(zoom, -zoom.Left() - 50, 0);  // 50 pixels beyond the left screen edge
  Pump(100);
  ASSERT_EQ(zoom.Left(), -50);
  TDDBitmap* snapshot = zoom.Snapshot();
  ASSERT_NE(snapshot, nullptr);
  EXPECT_EQ(GetPixel(snapshot->DC(), 10, 100) & 0xFFFFFF, 0u) << "off the screen";
  COLORREF on = GetPixel(snapshot->DC(), 60, 100);
  uint32_t expected = PatternColour(10, zoom.Top() + 100);
  EXPECT_EQ(GetRValue(on) << 16 | GetGValue(on) << 8 | GetBValue(on), expected) << "on the screen";
}

TEST_F(ZoomEngineTest, ZoomingRefreshingTogglingAndDraggingLeaveNoGdiObjects) {
  TKvZoom zoom;
  zoom.Show();
  Pump(500);
  // Caches that are made once (button surfaces and shapes, fonts) exist after a first round.
  zoom.ChangeZoom(false, 1.0f);
  zoom.RefreshSnapshot(true);
  BYTE keys[256] = {};
  zoom.KeyCommand('H', keys);
  zoom.KeyCommand('H', keys);
  Drag(zoom, 1, 0);
  Pump(100);
  const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);

  for (int i = 0; i < 500; ++i) zoom.ChangeZoom(false, i % 8 < 4 ? 1.0f : -1.0f);
  for (int i = 0; i < 100; ++i) zoom.RefreshSnapshot(i % 2 == 0);
  for (int i = 0; i < 100; ++i) zoom.KeyCommand('H', keys);
  for (int i = 0; i < 100; ++i) Drag(zoom, i % 2 ? 1 : -1, i % 4 < 2 ? 1 : -1);
  Pump(200);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user);
}

TEST_F(ZoomEngineTest, BufferThatCannotBeMadeIsReportedAndTheWindowGoesOn) {
  TKvZoom zoom;
  zoom.Show();
  Pump(500);
  try {
    TDDBitmap huge(zoom.Handle(), 200000, 200000);
    FAIL() << "a 200000 x 200000 bitmap was made";
  } catch (const TessalyException& e) {
    std::string text = e.what();
    const std::string start = "Could not create Bitmap. Size:200000,200000\rSysMsg:";
    EXPECT_EQ(text.substr(0, start.size()), start) << text;
    size_t memory = text.find("\r\nFree Memory: ");
    ASSERT_NE(memory, std::string::npos) << text;
    std::string unit = text.substr(text.size() - 3);
    EXPECT_TRUE(unit == " MB" || unit == " KB") << text;
  }
  // The re-read after a move cannot make its buffers: the buffer's message is reported, the
  // window stays shown with its old buffers and keeps zooming.
  TDDBitmap* before = zoom.Snapshot();
  SendMessageA(zoom.Handle(), WM_ENTERSIZEMOVE, 0, 0);
  SetWindowPos(zoom.Handle(), nullptr, 30, 40, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
  TDDBitmap::FailNextCreations(1);
  SendMessageA(zoom.Handle(), WM_EXITSIZEMOVE, 0, 0);
  ASSERT_EQ(FReports.size(), 1u);
  EXPECT_EQ(FReports[0].substr(0, 33), "Could not create Bitmap. Size:290") << FReports[0];
  FReports.clear();
  EXPECT_EQ(zoom.Snapshot(), before);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(zoom.Handle(), region), SIMPLEREGION) << "the whole window shows again";
  DeleteObject(region);
  SetWindowPos(zoom.Handle(), nullptr, 0, 0, 290, 270, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  EXPECT_TRUE(IsWindowVisible(zoom.Handle()));
  zoom.RefreshSnapshot(true);
  zoom.ChangeZoom(false, 1.0f);
  Pump(200);
  std::string first;
  EXPECT_EQ(testpic::WrongZoomPixels(LoupeOf(zoom), &first), 0) << first;
}

TEST_F(ZoomEngineTest, IntermediateSmoothZoomCentresTheViewAndUnticksTheFocusMark) {
  TKvZoom zoom;
  TOptionsForm options;
  options.SetChecked(IDC_cbShowZFocus, true);
  options.Slider().SetPosition(40);
  zoom.Show();
  Pump(500);
  ASSERT_EQ(zoom.Zoom(), 2.0f);
  zoom.ChangeZoom(false, 1.0f);
  EXPECT_TRUE(options.Checked(IDC_cbShowZFocus)) << "a whole factor keeps the mark";
  // Smooth zoom on at level 3 with the slider at 40: 3.4, about the window centre.
  PostMessageA(zoom.Handle(), WM_COMMAND, CM_SMOOTHZOOM, 0);
  Pump(300);
  EXPECT_FLOAT_EQ(zoom.Zoom(), 3.4f);
  EXPECT_EQ(zoom.Button("sbLogo")->OverlayText, "3.4");
  EXPECT_FALSE(options.Checked(IDC_cbShowZFocus));
  testpic::TLoupe loupe = LoupeOf(zoom);
  loupe.Smooth = true;
  std::string first;
  EXPECT_EQ(testpic::WrongZoomPixels(loupe, &first), 0) << first;
  // Zooming out below 2 is refused in smooth mode; off again gives the whole factor.
  zoom.ChangeZoom(false, -1.0f);
  zoom.ChangeZoom(false, -1.0f);
  EXPECT_FLOAT_EQ(zoom.Zoom(), 1.4f);
  zoom.ChangeZoom(false, -1.0f);
  EXPECT_FLOAT_EQ(zoom.Zoom(), 1.4f);
  PostMessageA(zoom.Handle(), WM_COMMAND, CM_SMOOTHZOOM, 0);
  Pump(300);
  EXPECT_EQ(zoom.Zoom(), 1.0f);
  EXPECT_EQ(zoom.Button("sbLogo")->OverlayText, "1.0");
}

// The mouse rests on a button when the window is activated: 100 ms later the click that
// activated it is replayed on that button.
TEST_F(ZoomEngineTest, ActivationReplaysTheClickOnTheButtonUnderTheMouse) {
  TKvZoom zoom;
  zoom.Show();
  Pump(500);
  for (const char* name : {"sbMinimize", "sbDistance"}) {
    TKvSpeedButton* button = zoom.Button(name);
    ASSERT_NE(button, nullptr);
    button->Toggled = false;
    POINT centre{button->Left + button->Width / 2, button->Top + button->Height / 2};
    POINT screen = centre;
    ClientToScreen(zoom.Handle(), &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageA(zoom.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
    ASSERT_TRUE(button->MouseInside) << name;
    SendMessageA(zoom.Handle(), WM_ACTIVATE, WA_CLICKACTIVE, 0);
    Pump(400);
    EXPECT_TRUE(button->Toggled) << name;
    EXPECT_TRUE(button->Pressed) << name;
    EXPECT_EQ(button->PressPoint.x, button->Width / 2) << name;
    button->Pressed = false;
    SendMessageA(zoom.Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(button->MouseInside) << name;
  }
}

TEST_F(ZoomEngineTest, StoredZoomBelowOneOrNotANumberKeepsTheStartFactor) {
  struct {
    const char* Stored;
    float Zoom;
  } cases[] = {{"-5", 2.0f}, {"0", 2.0f}, {"0.5", 2.0f}, {"nan", 2.0f}, {"inf", 2.0f}, {"1", 1.0f}, {"7.9", 7.0f}};
  for (const auto& c : cases) {
    OpenConfigFile("")->WriteString("KvZoom", "Zoom", c.Stored);
    TKvZoom zoom;
    EXPECT_EQ(zoom.Zoom(), c.Zoom) << c.Stored;
  }
  OpenConfigFile("")->WriteString("KvZoom", "Zoom", "-5");
  TKvZoom zoom;
  zoom.Show();
  Pump(300);
  std::string first;
  EXPECT_EQ(testpic::WrongZoomPixels(LoupeOf(zoom), &first), 0) << first;
}

TEST_F(ZoomEngineTest, PanelAndSmoothZoomKeysWorkThroughTheDialogsControls) {
  TKvZoom zoom;
  TOptionsForm options;
  zoom.Show();
  Pump(400);
  BYTE keys[256] = {};
  // B switches the bottom panel and stores the choice at once.
  ASSERT_TRUE(options.Checked(IDC_cbBottomPane));
  zoom.KeyCommand('B', keys);
  EXPECT_FALSE(options.Checked(IDC_cbBottomPane));
  EXPECT_FALSE(OpenConfigFile("")->ReadBool("Options", "BottomPane", true));
  EXPECT_EQ(zoom.ZoomAreaRect().bottom, zoom.Height() - 3) << "the zoom area reaches down to the edge";
  zoom.KeyCommand('B', keys);
  EXPECT_TRUE(options.Checked(IDC_cbBottomPane));

  // With smooth zoom on, Up from 80 rolls over to the next whole factor; Down from 0 at 3.0
  // gives 2.9.
  PostMessageA(zoom.Handle(), WM_COMMAND, CM_SMOOTHZOOM, 0);
  Pump(200);
  options.Slider().SetPosition(80);
  zoom.KeyCommand(VK_UP, keys);
  EXPECT_EQ(options.Slider().Position(), 0);
  EXPECT_FLOAT_EQ(zoom.Zoom(), 3.0f);
  EXPECT_EQ(OpenConfigFile("")->ReadInteger("Options", "Sliderpos", -1), 0);
  zoom.KeyCommand(VK_DOWN, keys);
  EXPECT_EQ(options.Slider().Position(), 90);
  EXPECT_FLOAT_EQ(zoom.Zoom(), 2.9f);
  zoom.KeyCommand(VK_DOWN, keys);
  EXPECT_EQ(options.Slider().Position(), 80);
  EXPECT_FLOAT_EQ(zoom.Zoom(), 2.8f);
}

}  // namespace
