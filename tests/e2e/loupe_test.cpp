// The real Lupendo over a known picture: what its zoom area shows, zooming, moving, the
// frame and buttons, and what survives a restart.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>

#include "app/command_ids.h"
#include "harness.h"
#include "test_picture.h"
#include "zoom_check.h"

using namespace e2e;
using testpic::PatternColour;

namespace {

// The picture lies under everything the tests start.
class LoupeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetInstallPath("C:\\Lupendo");
    // The mouse rests far from the loupe: no hover picture or tooltip covers the view.
    SetCursorPos(1250, 1000);
    FPicture = std::make_unique<testpic::TTestPicture>(RECT{0, 0, 1000, 900});
  }
  void TearDown() override { FPicture.reset(); }

  // Starts the program at (x, y, w, h) with extra configuration lines; waits until it has
  // re-read the screen after its first activation.
  HWND Start(TProgram& program, TProgramFolder& folder, RECT bounds, const std::string& extra = "") {
    char text[256];
    std::snprintf(text, sizeof text, "[KvZoom]\r\nFirstTime=0\r\nx=%ld\r\ny=%ld\r\nw=%ld\r\nh=%ld\r\n", bounds.left,
                  bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
    folder.WriteConfigText(text + extra);
    program.Start(folder);
    HWND wnd = program.WaitForWindow("TKvZoom");
    testpic::Pump(800);
    return wnd;
  }

  static testpic::TLoupe Loupe(HWND wnd, float zoom, POINT focus, int variant = 0) {
    testpic::TLoupe loupe;
    loupe.Window = WindowRect(wnd);
    loupe.ZoomArea = testpic::DefaultZoomArea(loupe.Window.right - loupe.Window.left,
                                              loupe.Window.bottom - loupe.Window.top);
    loupe.Zoom = zoom;
    loupe.Focus = loupe.ViewPoint = focus;
    loupe.Variant = variant;
    return loupe;
  }

  // Waits until the zoom area shows what the loupe describes; reports the first difference.
  static void ExpectShows(const testpic::TLoupe& loupe, const std::string& what) {
    std::string first;
    int wrong = 0;
    WaitUntil([&] { return (wrong = testpic::WrongZoomPixels(loupe, &first)) == 0; }, 5s);
    EXPECT_EQ(wrong, 0) << what << ": " << first;
  }

  static std::string ConfigValue(const TProgramFolder& folder, const std::string& key) {
    std::smatch match;
    std::string text = folder.ConfigText();
    if (std::regex_search(text, match, std::regex("(^|\\n)" + key + "=([^\\r\\n]*)"))) return match[2];
    return "";
  }

  // Length of the run of equal pixels through (x, y) along the row: the zoom factor inside a
  // block-zoomed view.
  static int BlockWidthAt(int x, int y) {
    testpic::TScreenPixels row = testpic::ReadScreen(RECT{x - 40, y, x + 40, y + 1});
    uint32_t c = row.At(x, y);
    int left = x, right = x;
    while (left - 1 >= x - 40 && row.At(left - 1, y) == c) --left;
    while (right + 1 < x + 40 && row.At(right + 1, y) == c) ++right;
    return right - left + 1;
  }

  std::unique_ptr<testpic::TTestPicture> FPicture;
};

TEST_F(LoupeTest, ShowsTheScreenUnderItAtZoomOneAndExactBlocksAtWholeFactors) {
  for (float zoom : {1.0f, 2.0f, 3.0f, 5.0f}) {
    TProgramFolder folder;
    TProgram program;
    char extra[128];
    std::snprintf(extra, sizeof extra, "Zoom=%g\r\nPointX=120\r\nPointY=140\r\n", zoom);
    HWND wnd = Start(program, folder, RECT{210, 170, 510, 430}, extra);
    ASSERT_NE(wnd, nullptr);
    ExpectShows(Loupe(wnd, zoom, POINT{120, 140}), "zoom " + std::to_string(zoom));
    EXPECT_EQ(program.CloseMagnifier(), 0u);
  }
}

TEST_F(LoupeTest, SmoothZoomShowsTheBilinearImage) {
  {
    TProgramFolder folder;
    TProgram program;
    HWND wnd = Start(program, folder, RECT{210, 170, 510, 430},
                     "Zoom=2\r\nPointX=120\r\nPointY=140\r\nSmoothZoom=1\r\n[Options]\r\nSliderpos=0\r\n");
    ASSERT_NE(wnd, nullptr);
    testpic::TLoupe loupe = Loupe(wnd, 2.0f, POINT{120, 140});
    loupe.Smooth = true;
    ExpectShows(loupe, "smooth 2.0");
    EXPECT_EQ(program.CloseMagnifier(), 0u);
  }
  {
    // A stored 3.37 keeps its whole part and takes the slider's hundredths: 3.5, about the
    // window centre.
    TProgramFolder folder;
    TProgram program;
    HWND wnd = Start(program, folder, RECT{210, 170, 510, 430},
                     "Zoom=3.37\r\nPointX=40\r\nPointY=60\r\nSmoothZoom=1\r\n[Options]\r\nSliderpos=50\r\n");
    ASSERT_NE(wnd, nullptr);
    testpic::TLoupe loupe = Loupe(wnd, 3.5f, POINT{40, 60});
    loupe.Smooth = true;
    ExpectShows(loupe, "smooth 3.5");
    EXPECT_EQ(program.CloseMagnifier(), 0u);
    EXPECT_EQ(ConfigValue(folder, "Zoom"), "3.5");
  }
}

TEST_F(LoupeTest, KeysAndWheelZoomAboutTheMouse) {
  TProgramFolder folder;
  TProgram program;
  HWND wnd = Start(program, folder, RECT{210, 170, 510, 430}, "Zoom=2\r\nPointX=150\r\nPointY=130\r\n");
  ASSERT_NE(wnd, nullptr);
  const POINT mouse{210 + 97, 170 + 111};
  SetCursorPos(mouse.x, mouse.y);
  testpic::Pump(200);
  auto shownAtMouse = [&] { return testpic::ReadScreen(RECT{mouse.x, mouse.y, mouse.x + 1, mouse.y + 1}).Pixels[0]; };
  // The picture pixel shown under the mouse: its colour is unique in the neighbourhood.
  auto sourceUnderMouse = [&](POINT& source) {
    uint32_t shown = shownAtMouse();
    for (int y = mouse.y - 60; y <= mouse.y + 60; ++y)
      for (int x = mouse.x - 60; x <= mouse.x + 60; ++x)
        if (PatternColour(x, y) == shown) {
          source = POINT{x, y};
          return true;
        }
    return false;
  };
  POINT before{};
  ASSERT_TRUE(sourceUnderMouse(before));
  ASSERT_EQ(BlockWidthAt(mouse.x, mouse.y), 2);
  // After each step the mouse shows the same picture pixel, give or take the rounding of one
  // pixel of the view geometry.
  auto expectSameSource = [&](const std::string& what) {
    POINT after{};
    ASSERT_TRUE(sourceUnderMouse(after)) << what;
    EXPECT_LE(std::abs(after.x - before.x), 1) << what << ": " << before.x << " -> " << after.x;
    EXPECT_LE(std::abs(after.y - before.y), 1) << what << ": " << before.y << " -> " << after.y;
    before = after;
  };

  struct {
    WPARAM Key;
    int Zoom;
  } steps[] = {{VK_ADD, 3}, {VK_OEM_PLUS, 4}, {VK_SUBTRACT, 3}, {VK_OEM_MINUS, 2}};
  for (const auto& step : steps) {
    PostMessageA(wnd, WM_KEYDOWN, step.Key, 1);
    EXPECT_TRUE(WaitUntil([&] { return BlockWidthAt(mouse.x, mouse.y) == step.Zoom; }, 5s))
        << "key " << step.Key << " to zoom " << step.Zoom;
    expectSameSource("key " + std::to_string(step.Key));
  }

  // The wheel: after a zoom change the accumulator stands at 5, so two notches make a step.
  auto notch = [&](int delta) {
    PostMessageA(wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(mouse.x, mouse.y));
    testpic::Pump(300);
  };
  notch(120);
  EXPECT_EQ(BlockWidthAt(mouse.x, mouse.y), 2) << "one notch is not enough";
  notch(120);
  EXPECT_TRUE(WaitUntil([&] { return BlockWidthAt(mouse.x, mouse.y) == 3; }, 5s));
  expectSameSource("wheel forward");
  notch(-120);
  notch(-120);
  EXPECT_TRUE(WaitUntil([&] { return BlockWidthAt(mouse.x, mouse.y) == 2; }, 5s));
  expectSameSource("wheel backward");

  // Outside the zoom area the wheel does nothing.
  SetCursorPos(600, 600);
  notch(120);
  notch(120);
  EXPECT_EQ(BlockWidthAt(mouse.x, mouse.y), 2);
  EXPECT_EQ(program.CloseMagnifier(), 0u);
  EXPECT_EQ(ConfigValue(folder, "Zoom"), "2");
}

TEST_F(LoupeTest, QuickZoomPresetsReachOneFiveAndTen) {
  TProgramFolder folder;
  TProgram program;
  HWND wnd = Start(program, folder, RECT{210, 170, 510, 430}, "Zoom=2\r\nPointX=150\r\nPointY=130\r\n");
  ASSERT_NE(wnd, nullptr);
  SetCursorPos(800, 800);  // the presets zoom about the last anchor, not the mouse
  const POINT centre{210 + 150, 170 + 140};
  struct {
    UINT Command;
    int Zoom;
  } presets[] = {{CM_ZOOM50, 5}, {CM_ZOOM100, 10}, {CM_ZOOM50, 5}};
  for (const auto& p : presets) {
    PostMessageA(wnd, WM_COMMAND, p.Command, 0);
    EXPECT_TRUE(WaitUntil([&] { return BlockWidthAt(centre.x, centre.y) == p.Zoom; }, 5s)) << p.Zoom;
  }
  PostMessageA(wnd, WM_COMMAND, CM_ZOOM10, 0);
  testpic::Pump(500);
  // Zoom 1: the zoom area is the screen itself.
  ExpectShows(Loupe(wnd, 1.0f, POINT{0, 0}), "zoom 1.0 preset");
  EXPECT_EQ(program.CloseMagnifier(), 0u);
  EXPECT_EQ(ConfigValue(folder, "Zoom"), "1");
}

TEST_F(LoupeTest, MovingReadsTheScreenAtTheNewPlace) {
  TProgramFolder folder;
  TProgram program;
  HWND wnd = Start(program, folder, RECT{210, 170, 510, 430}, "Zoom=2\r\nPointX=150\r\nPointY=130\r\n");
  ASSERT_NE(wnd, nullptr);
  const POINT focus{150, 130};

  // The end of a move by the frame: the picture changed meanwhile, the new one appears.
  SendMessageA(wnd, WM_ENTERSIZEMOVE, 0, 0);
  FPicture->SetVariant(1);
  SetWindowPos(wnd, nullptr, 260, 200, 300, 260, SWP_NOZORDER | SWP_NOACTIVATE);
  PostMessageA(wnd, WM_EXITSIZEMOVE, 0, 0);
  ExpectShows(Loupe(wnd, 2.0f, focus, 1), "after a move by the frame");

  // Dragging the zoom area moves the window with the mouse and shows what lies there.
  SetForegroundWindow(wnd);
  MouseMove(400, 330);
  testpic::Pump(200);
  MouseButton(true);
  for (int step = 1; step <= 5; ++step) {
    MouseMove(400 + 5 * step, 330 + 3 * step);
    testpic::Pump(60);
  }
  MouseButton(false);
  EXPECT_TRUE(WaitUntil([&] { return WindowRect(wnd).left == 285 && WindowRect(wnd).top == 215; }, 5s))
      << WindowRect(wnd).left << "," << WindowRect(wnd).top;
  ExpectShows(Loupe(wnd, 2.0f, focus, 1), "after dragging the zoom area");

  // Ctrl+Right moves it by one pixel.
  SetForegroundWindow(wnd);
  testpic::Pump(200);
  INPUT keys[4] = {};
  for (INPUT& k : keys) k.type = INPUT_KEYBOARD;
  keys[0].ki.wVk = VK_CONTROL;
  keys[1].ki.wVk = VK_RIGHT;
  keys[2].ki.wVk = VK_RIGHT;
  keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
  keys[3].ki.wVk = VK_CONTROL;
  keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, keys, sizeof(INPUT));
  EXPECT_TRUE(WaitUntil([&] { return WindowRect(wnd).left == 286; }, 5s)) << WindowRect(wnd).left;
  ExpectShows(Loupe(wnd, 2.0f, focus, 1), "after Ctrl+Right");

  // Shrinking from the bottom-right keeps the content: the picture that changed meanwhile
  // does not appear.
  SendMessageA(wnd, WM_ENTERSIZEMOVE, 0, 0);
  FPicture->SetVariant(2);
  RECT r = WindowRect(wnd);
  SetWindowPos(wnd, nullptr, r.left, r.top, 260, 230, SWP_NOZORDER | SWP_NOACTIVATE);
  PostMessageA(wnd, WM_EXITSIZEMOVE, 0, 0);
  testpic::Pump(500);
  ExpectShows(Loupe(wnd, 2.0f, focus, 1), "after shrinking");
  // The button bar keeps its place at the right edge: the red cross ends 15 pixels from it.
  int red = 0;
  for (uint32_t p : testpic::ReadScreen(RECT{r.left + 260 - 36, r.top, r.left + 260 - 15, r.top + 26}).Pixels)
    red += p == 0xC83232u;
  EXPECT_GT(red, 30);
  EXPECT_EQ(program.CloseMagnifier(), 0u);
}

TEST_F(LoupeTest, FrameGradientFollowsActivation) {
  TProgramFolder folder;
  TProgram program;
  HWND wnd = Start(program, folder, RECT{210, 170, 510, 430}, "Zoom=2\r\n[Options]\r\nUseCol=$00C0FFFF\r\n");
  ASSERT_NE(wnd, nullptr);
  SetCursorPos(800, 800);
  SetForegroundWindow(wnd);
  // A column through the bar: half brightness outside, brighter towards the inside.
  auto column = [&] { return testpic::ReadScreen(RECT{210 + 100, 170, 210 + 101, 170 + 30}); };
  EXPECT_TRUE(WaitUntil([&] { return column().Pixels[0] == 0x808060u; }, 5s))
      << std::hex << column().Pixels[0] << " active";
  testpic::TScreenPixels active = column();
  for (int y = 1; y < 29; ++y) EXPECT_GE(active.Pixels[y] & 0xFF, active.Pixels[y - 1] & 0xFF) << y;

  // Another window takes the focus: the frame turns to the inactive colour.
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 700, 700, 50, 50, nullptr, nullptr,
                               nullptr, nullptr);
  SetForegroundWindow(other);
  EXPECT_TRUE(WaitUntil([&] { return column().Pixels[0] == 0x787878u; }, 5s))
      << std::hex << column().Pixels[0] << " inactive";
  DestroyWindow(other);
  EXPECT_EQ(program.CloseMagnifier(), 0u);
}

TEST_F(LoupeTest, FocusMarkTicksTheViewPointOnTheFrame) {
  TProgramFolder folder;
  TProgram program;
  HWND wnd = Start(program, folder, RECT{210, 170, 510, 430}, "Zoom=2\r\nPointX=120\r\nPointY=140\r\nShowZFocus=1\r\n");
  ASSERT_NE(wnd, nullptr);
  testpic::TScreenPixels frame = testpic::ReadScreen(RECT{210, 170, 510, 430});
  auto at = [&](int x, int y) { return frame.At(210 + x, 170 + y); };
  const int vx = 123, vy = 143;  // the view point in window coordinates
  for (int x : {0, 1, 2, 297, 298, 299}) EXPECT_EQ(at(x, vy), 0u) << "side tick at " << x;
  for (int y : {26, 27, 28, 29}) EXPECT_EQ(at(vx, y), 0u) << "top tick at " << y;
  for (int y : {231, 232, 233, 234}) EXPECT_EQ(at(vx, y), 0u) << "bottom tick at " << y;
  EXPECT_NE(at(vx, 24), 0u);
  EXPECT_NE(at(vx + 2, 27), 0u);
  EXPECT_EQ(program.CloseMagnifier(), 0u);
}

TEST_F(LoupeTest, BorderWidthAndHiddenBarSetTheZoomArea) {
  {
    TProgramFolder folder;
    TProgram program;
    HWND wnd = Start(program, folder, RECT{210, 170, 510, 430}, "Zoom=1\r\n[Options]\r\nMyWBrdrW=30\r\n");
    ASSERT_NE(wnd, nullptr);
    testpic::TLoupe loupe = Loupe(wnd, 1.0f, POINT{0, 0});
    loupe.ZoomArea = RECT{30, 30, 270, 230};
    ExpectShows(loupe, "border 30");
    // The black rim lies just outside the zoom area.
    EXPECT_EQ(testpic::ReadScreen(RECT{210 + 29, 300, 210 + 30, 301}).Pixels[0], 0u);
    EXPECT_EQ(program.CloseMagnifier(), 0u);
  }
  {
    TProgramFolder folder;
    TProgram program;
    HWND wnd = Start(program, folder, RECT{210, 170, 510, 430}, "Zoom=1\r\n[Options]\r\nMyWBrdrW=0\r\n");
    ASSERT_NE(wnd, nullptr);
    testpic::TLoupe loupe = Loupe(wnd, 1.0f, POINT{0, 0});
    // The zoom area reaches the window's sides; its outer 3 pixels are the frame's ring, which
    // is always painted, with no edge frame: the view starts inside it.
    loupe.ZoomArea = RECT{3, 30, 297, 230};
    ExpectShows(loupe, "border 0");
    const uint32_t ring = testpic::ReadScreen(RECT{210, 170 + 100, 211, 170 + 101}).Pixels[0];
    EXPECT_TRUE(ring == 0x808060u || ring == 0x787878u) << std::hex << ring;

    // H hides the bar: the zoom area fills the window but for the 3-pixel edge.
    PostMessageA(wnd, WM_KEYDOWN, 'H', 1);
    testpic::Pump(500);
    loupe.ZoomArea = RECT{3, 3, 297, 257};
    loupe.TopBarHeight = loupe.BottomBarHeight = 3;
    ExpectShows(loupe, "bar hidden");
    PostMessageA(wnd, WM_KEYDOWN, 'H', 1);
    testpic::Pump(500);
    loupe.ZoomArea = RECT{3, 30, 297, 230};
    loupe.TopBarHeight = loupe.BottomBarHeight = 30;
    ExpectShows(loupe, "bar shown again");
    EXPECT_EQ(program.CloseMagnifier(), 0u);
  }
}

TEST_F(LoupeTest, ButtonsShowTheirHoverPictureOnlyUnderTheMouse) {
  TProgramFolder folder;
  TProgram program;
  HWND wnd = Start(program, folder, RECT{210, 170, 510, 430}, "Zoom=2\r\n");
  ASSERT_NE(wnd, nullptr);
  // The close button ends 15 pixels from the right edge (window coordinates 264 to 285).
  const RECT button{210 + 264, 170, 210 + 285, 170 + 26};
  auto count = [&](uint32_t colour) {
    int n = 0;
    for (uint32_t p : testpic::ReadScreen(button).Pixels) n += p == colour;
    return n;
  };
  const uint32_t plate = 0xEAF2FF, red = 0xC83232;
  SetCursorPos(800, 800);
  // The cross as painted once the window has settled (two equal reads in a row).
  int redPixels = -1;
  EXPECT_TRUE(WaitUntil(
      [&] {
        int now = count(red), before = redPixels;
        redPixels = now;
        return now > 30 && now == before && count(plate) == 0;
      },
      5s))
      << redPixels;

  MouseMove(210 + 274, 170 + 12);
  EXPECT_TRUE(WaitUntil([&] { return count(plate) > 100; }, 5s)) << "hover picture";
  EXPECT_EQ(count(red), redPixels) << "the cross keeps its pixels";

  MouseMove(210 + 150, 170 + 120);
  EXPECT_TRUE(WaitUntil([&] { return count(plate) == 0; }, 5s)) << "normal picture again";
  EXPECT_EQ(count(red), redPixels);

  // A repaint of the whole frame leaves the pictures alone.
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  testpic::Pump(300);
  EXPECT_EQ(count(red), redPixels);
  EXPECT_EQ(program.CloseMagnifier(), 0u);
}

TEST_F(LoupeTest, PlaceSizeZoomFocusAndSmoothZoomSurviveARestart) {
  TProgramFolder folder;
  {
    TProgram program;
    HWND wnd = Start(program, folder, RECT{210, 170, 510, 430}, "Zoom=2\r\nPointX=150\r\nPointY=130\r\n");
    ASSERT_NE(wnd, nullptr);
    SendMessageA(wnd, WM_ENTERSIZEMOVE, 0, 0);
    SetWindowPos(wnd, nullptr, 240, 190, 320, 280, SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageA(wnd, WM_EXITSIZEMOVE, 0, 0);
    testpic::Pump(500);
    PostMessageA(wnd, WM_COMMAND, CM_ZOOM50, 0);
    PostMessageA(wnd, WM_COMMAND, CM_SMOOTHZOOM, 0);
    testpic::Pump(800);
    EXPECT_EQ(program.CloseMagnifier(), 0u);
  }
  EXPECT_EQ(ConfigValue(folder, "Zoom"), "5");
  EXPECT_EQ(ConfigValue(folder, "SmoothZoom"), "1");
  const std::string pointX = ConfigValue(folder, "PointX"), pointY = ConfigValue(folder, "PointY");
  {
    TProgram program;
    program.Start(folder);
    HWND wnd = program.WaitForWindow("TKvZoom");
    ASSERT_NE(wnd, nullptr);
    EXPECT_EQ(WindowBounds(wnd), (TBounds{240, 190, 320, 280}));
    testpic::Pump(800);
    testpic::TLoupe loupe = Loupe(wnd, 5.0f, POINT{std::stoi(pointX), std::stoi(pointY)});
    loupe.Smooth = true;
    ExpectShows(loupe, "restored view");
    EXPECT_EQ(program.CloseMagnifier(), 0u);
  }
  EXPECT_EQ(ConfigValue(folder, "Zoom"), "5");
  EXPECT_EQ(ConfigValue(folder, "PointX"), pointX);
  EXPECT_EQ(ConfigValue(folder, "PointY"), pointY);
}

// Clicks a screen point with the left button through the system's input queue.
void Click(int x, int y) {
  MouseMove(x, y);
  testpic::Pump(150);
  MouseButton(true);
  testpic::Pump(50);
  MouseButton(false);
}

void PressKeys(std::initializer_list<std::pair<WORD, bool>> keys) {
  std::vector<INPUT> inputs;
  for (auto [key, up] : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The popup menu window the program shows (class #32768), or nullptr.
HWND OpenMenu(const TProgram& program) { return program.FindWindowOfClass("#32768"); }

TEST_F(LoupeTest, ButtonsOpenTheirMenusBelowThemAndTheCloseButtonEndsTheProgram) {
  TProgramFolder folder;
  TProgram program;
  HWND wnd = Start(program, folder, RECT{210, 170, 510, 430}, "Zoom=5\r\nPointX=150\r\nPointY=130\r\n");
  ASSERT_NE(wnd, nullptr);
  SetForegroundWindow(wnd);
  // The bar ends 15 pixels from the right edge: the menu button lies at client 219.
  Click(210 + 3 + 219 + 11, 170 + 3 + 11);
  HWND menu = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (menu = OpenMenu(program)) != nullptr; }, 5s)) << "main menu";
  RECT r = WindowRect(menu);
  EXPECT_EQ(r.left, 210 + 3 + 219);
  EXPECT_EQ(r.top, 170 + 3 + 22);
  PressKeys({{VK_ESCAPE, false}, {VK_ESCAPE, true}});
  EXPECT_TRUE(WaitUntil([&] { return OpenMenu(program) == nullptr; }, 5s));

  // Alt+M opens the same menu.
  PressKeys({{VK_MENU, false}, {'M', false}, {'M', true}, {VK_MENU, true}});
  ASSERT_TRUE(WaitUntil([&] { return (menu = OpenMenu(program)) != nullptr; }, 5s)) << "Alt+M";
  EXPECT_EQ(WindowRect(menu).left, 210 + 3 + 219);
  PressKeys({{VK_ESCAPE, false}, {VK_ESCAPE, true}});
  EXPECT_TRUE(WaitUntil([&] { return OpenMenu(program) == nullptr; }, 5s));

  // The logo opens the quick zoom menu under itself.
  Click(210 + 3 + 8 + 14, 170 + 3 + 12);
  ASSERT_TRUE(WaitUntil([&] { return (menu = OpenMenu(program)) != nullptr; }, 5s)) << "quick zoom menu";
  EXPECT_EQ(WindowRect(menu).left, 210 + 3 + 8);
  EXPECT_EQ(WindowRect(menu).top, 170 + 3 - 2 + 28);
  PressKeys({{VK_ESCAPE, false}, {VK_ESCAPE, true}});
  EXPECT_TRUE(WaitUntil([&] { return OpenMenu(program) == nullptr; }, 5s));

  // A click on the cross closes the window, which ends the program and saves its settings.
  Click(210 + 3 + 261 + 10, 170 + 3 + 10);
  EXPECT_EQ(program.WaitForExit(), 0u);
  EXPECT_EQ(ConfigValue(folder, "Zoom"), "5");
}

}  // namespace
