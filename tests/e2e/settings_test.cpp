// The settings dialog of the real program, driven through its controls.
#include <gtest/gtest.h>

#include "app/command_ids.h"
#include "app/resource_ids.h"
#include "harness.h"
#include "test_picture.h"

using namespace e2e;

namespace {

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetInstallPath("C:\\Lupendo");
    SetCursorPos(1250, 1000);
  }
  HWND Start(const std::string& extra = "") {
    FFolder.WriteConfigText("[KvZoom]\r\nFirstTime=0\r\nx=200\r\ny=150\r\nw=290\r\nh=270\r\n" + extra);
    FProgram.Start(FFolder);
    HWND wnd = FProgram.WaitForWindow("TKvZoom");
    testpic::Pump(500);
    return wnd;
  }
  HWND OpenSettings(HWND wnd) {
    PostMessageA(wnd, WM_COMMAND, CM_SETTINGS, 0);
    return FProgram.WaitForMessageBox("  Settings");
  }
  TProgramFolder FFolder;
  TProgram FProgram;
};

TEST_F(SettingsTest, OpensRightOfTheLoupeAndCloses) {
  HWND wnd = Start();
  ASSERT_NE(wnd, nullptr);
  HWND dialog = OpenSettings(wnd);
  ASSERT_NE(dialog, nullptr);
  RECT r = WindowRect(dialog);
  EXPECT_EQ(r.left, 200 + 290 + 10);
  EXPECT_EQ(r.top, 150 - 30);
  PressMessageBoxButton(dialog, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5s));
  EXPECT_EQ(FProgram.CloseMagnifier(), 0u);
}

TEST_F(SettingsTest, OpensAfterTheFirstRunDialog) {
  DeleteInstallPath();
  FProgram.Start(FFolder);
  HWND install = FProgram.WaitForMessageBox(" Lupendo installation options");
  ASSERT_NE(install, nullptr);
  PressMessageBoxButton(install, IDOK);
  HWND wnd = FProgram.WaitForWindow("TKvZoom");
  ASSERT_NE(wnd, nullptr);
  testpic::Pump(500);
  HWND dialog = OpenSettings(wnd);
  ASSERT_NE(dialog, nullptr);
  PressMessageBoxButton(dialog, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5s));
  EXPECT_EQ(FProgram.CloseMagnifier(), 0u);
}

}  // namespace
