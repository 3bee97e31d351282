// The magnifier window of the real program: style, bounds, stay on top, moving.
#include <gtest/gtest.h>

#include "app/command_ids.h"
#include "harness.h"

using namespace e2e;

TEST(MagnifierWindow, OpensAtTheDefaultBoundsAsACaptionlessSizingPopup) {
  SetInstallPath("C:\\Lupendo");
  TProgramFolder folder;
  folder.MarkInstalled();
  TProgram program;
  program.Start(folder);
  HWND wnd = program.WaitForWindow("TKvZoom");
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(WindowBounds(wnd), (TBounds{100, 300, 290, 270}));
  LONG style = GetWindowLongA(wnd, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_TRUE(style & WS_THICKFRAME);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_SYSMENU);
  EXPECT_NE(style & WS_CAPTION, WS_CAPTION);
  EXPECT_FALSE(style & WS_DLGFRAME);
  EXPECT_FALSE(style & WS_CLIPCHILDREN);
  LONG exStyle = GetWindowLongA(wnd, GWL_EXSTYLE);
  EXPECT_FALSE(exStyle & WS_EX_TOPMOST);
  EXPECT_FALSE(exStyle & WS_EX_TOOLWINDOW);

  // The frame cannot be made smaller than 100 x 100.
  SetWindowPos(wnd, nullptr, 0, 0, 50, 40, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(WaitUntil([&] { return WindowBounds(wnd) == TBounds{100, 300, 100, 100}; }, 3s))
      << "minimum size";
  EXPECT_EQ(program.CloseMagnifier(), 0u);
}

TEST(MagnifierWindow, StaysOnTopFromItsFirstAppearanceWhenStoredSo) {
  SetInstallPath("C:\\Lupendo");
  struct {
    const char* Config;
    bool Topmost;
  } cases[] = {
      {"[KvZoom]\r\nTopLevel=1\r\nFirstTime=0\r\n", true},
      {"[KvZoom]\r\nTopLevel=0\r\nFirstTime=0\r\n", false},
      {"[KvZoom]\r\nFirstTime=0\r\n", false},
  };
  for (const auto& c : cases) {
    TProgramFolder folder;
    folder.WriteConfigText(c.Config);
    TProgram program;
    program.Start(folder);
    HWND wnd = program.WaitForWindow("TKvZoom");
    ASSERT_NE(wnd, nullptr);
    EXPECT_EQ((GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, c.Topmost) << c.Config;
    EXPECT_EQ(program.CloseMagnifier(), 0u);
  }
}

TEST(MagnifierWindow, StoredBoundsAreUsed) {
  SetInstallPath("C:\\Lupendo");
  TProgramFolder folder;
  folder.WriteConfigText("[KvZoom]\r\nx=40\r\ny=$50\r\nw=300\r\nh=200\r\nFirstTime=0\r\n");
  TProgram program;
  program.Start(folder);
  HWND wnd = program.WaitForWindow("TKvZoom");
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(WindowBounds(wnd), (TBounds{40, 80, 300, 200}));
  EXPECT_EQ(program.CloseMagnifier(), 0u);
}

TEST(MagnifierWindow, EveryMenuCommandIdIsHandledWithoutHarm) {
  SetInstallPath("C:\\Lupendo");
  TProgramFolder folder;
  folder.MarkInstalled();
  TProgram program;
  program.Start(folder);
  HWND wnd = program.WaitForWindow("TKvZoom");
  ASSERT_NE(wnd, nullptr);
  // Commands of features that are still empty must leave the window working.
  for (UINT id : {CM_SMOOTHZOOM, CM_STAYONTOP, CM_SETTINGS, CM_CAPTURESCREEN, CM_ZOOMATCURSOR, CM_MEASUREDISTANCE,
                  CM_CANCELCAPTURE, CM_GAUGE1, CM_SETDEFAULT1, CM_ZOOM10, CM_ZOOM50})
    SendMessageA(wnd, WM_COMMAND, id, 0);
  EXPECT_TRUE(program.Running());
  EXPECT_TRUE(IsWindowVisible(wnd));
  EXPECT_EQ(program.CloseMagnifier(), 0u);
}
