// The settings dialog of the real program, driven through its controls.
#include <windows.h>

#include <commctrl.h>
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
    FPicture = std::make_unique<testpic::TTestPicture>(RECT{0, 0, 1000, 900});
  }
  void TearDown() override { FPicture.reset(); }
  std::unique_ptr<testpic::TTestPicture> FPicture;
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
  static HWND Item(HWND dialog, int id) { return DialogItem(dialog, id); }
  static bool IsChecked(HWND dialog, int id) {
    return SendMessageA(Item(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  static void Click(HWND dialog, int id) {
    SendMessageA(Item(dialog, id), BM_CLICK, 0, 0);
    testpic::Pump(100);
  }
  static void Type(HWND dialog, int id, const char* text) {
    SendMessageA(Item(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    testpic::Pump(100);
  }
  static std::string TextOf(HWND dialog, int id) {
    char text[128] = {};
    SendMessageA(Item(dialog, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
  }
  std::string ConfigValue(const std::string& section, const std::string& key) const {
    std::string text = FFolder.ConfigText(), header = "[" + section + "]";
    size_t at = text.find(header);
    if (at == std::string::npos) return "<absent>";
    size_t end = text.find("\r\n[", at + 1);
    std::string part = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
    size_t k = part.find("\n" + key + "=");
    if (k == std::string::npos) return "<absent>";
    size_t start = k + key.size() + 2;
    return part.substr(start, part.find('\r', start) - start);
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
  FinishInstallDialog(FProgram);
  HWND wnd = FProgram.WaitForWindow("TKvZoom");
  ASSERT_NE(wnd, nullptr);
  testpic::Pump(500);
  HWND dialog = OpenSettings(wnd);
  ASSERT_NE(dialog, nullptr);
  PressMessageBoxButton(dialog, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5s));
  EXPECT_EQ(FProgram.CloseMagnifier(), 0u);
}

TEST_F(SettingsTest, ControlsFollowTheirRules) {
  HWND wnd = Start();
  ASSERT_NE(wnd, nullptr);
  HWND dialog = OpenSettings(wnd);
  ASSERT_NE(dialog, nullptr);
  // The two coordinate options stay opposite.
  ASSERT_TRUE(IsChecked(dialog, IDC_cbLevel));
  Click(dialog, IDC_cbMouseXY);
  EXPECT_TRUE(IsChecked(dialog, IDC_cbMouseXY));
  EXPECT_FALSE(IsChecked(dialog, IDC_cbLevel));
  Click(dialog, IDC_cbLevel);
  EXPECT_TRUE(IsChecked(dialog, IDC_cbLevel));
  EXPECT_FALSE(IsChecked(dialog, IDC_cbMouseXY));
  // HSV values are integers.
  ASSERT_TRUE(IsChecked(dialog, IDC_rbHex));
  Click(dialog, IDC_rbHSV);
  EXPECT_TRUE(IsChecked(dialog, IDC_rbInteger));
  EXPECT_FALSE(IsChecked(dialog, IDC_rbHex));
  // Red: 300 is held at 255, an empty edit leaves the colour alone.
  Type(dialog, IDC_EditR, "300");
  EXPECT_EQ(TextOf(dialog, IDC_EditR), "255");
  EXPECT_EQ(TextOf(dialog, IDC_EditB), "192");  // the active colour $00C0FFFF
  Type(dialog, IDC_EditR, "");
  Type(dialog, IDC_EditG, "17");
  // Not a number: the standard error report, and the colour stays.
  Type(dialog, IDC_EditB, "");  // emptied first: no report
  // Posted, not sent: the report is a modal box inside the program.
  PostMessageA(Item(dialog, IDC_EditB), WM_CHAR, 'x', 1);
  HWND report = FProgram.WaitForMessageBox("Lupendo", 5s);
  ASSERT_NE(report, nullptr);
  EXPECT_EQ(MessageBoxText(report), "'x' is not a valid integer value.");
  PressMessageBoxButton(report, IDOK);
  testpic::Pump(300);
  EXPECT_EQ(TextOf(dialog, IDC_EditR), "255");
  EXPECT_EQ(TextOf(dialog, IDC_EditG), "17");
  // The bottom panel remembers the border width it had.
  Type(dialog, IDC_seBW, "7");
  Click(dialog, IDC_cbBottomPane);
  EXPECT_EQ(TextOf(dialog, IDC_seBW), "3");
  EXPECT_FALSE(IsWindowEnabled(Item(dialog, IDC_seBW)));
  Click(dialog, IDC_cbBottomPane);
  EXPECT_EQ(TextOf(dialog, IDC_seBW), "7");
  EXPECT_TRUE(IsWindowEnabled(Item(dialog, IDC_seBW)));
  Click(dialog, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5s));
  EXPECT_EQ(FProgram.CloseMagnifier(), 0u);
  EXPECT_EQ(ConfigValue("Options", "OldMyBrdrW"), "7");
  EXPECT_EQ(ConfigValue("Options", "MyWBrdrW"), "7");
  EXPECT_EQ(ConfigValue("Options", "HSV"), "1");
  EXPECT_EQ(ConfigValue("Options", "Integer"), "1");
  EXPECT_EQ(ConfigValue("Options", "UseCol"), std::to_string(0x00C011FF)) << "blue kept after the bad text";
}

TEST_F(SettingsTest, CancelPutsTheStoredValuesBackAndOkThenKillLeavesTheFile) {
  HWND wnd = Start("[Options]\r\nMyWBrdrW=10\r\n");
  ASSERT_NE(wnd, nullptr);
  HWND dialog = OpenSettings(wnd);
  ASSERT_NE(dialog, nullptr);
  Type(dialog, IDC_seBW, "25");
  testpic::Pump(300);
  // The loupe is laid out with the new border at once: its zoom area starts at 25.
  const uint32_t rim = testpic::ReadScreen(RECT{200 + 24, 150 + 100, 200 + 25, 150 + 101}).Pixels[0];
  EXPECT_EQ(rim, 0u) << std::hex << rim;
  // The inactive colour and the bottom panel change as well.
  Click(dialog, IDC_rbInactiveColor);
  Type(dialog, IDC_EditR, "1");
  Click(dialog, IDC_cbBottomPane);
  Click(dialog, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5s));
  testpic::Pump(300);
  EXPECT_EQ(testpic::ReadScreen(RECT{200 + 9, 150 + 100, 200 + 10, 150 + 101}).Pixels[0], 0u) << "rim at 10 again";
  // The panel is back: the bottom bar's outer ring in the inactive grey or active colour.
  dialog = OpenSettings(wnd);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsChecked(dialog, IDC_cbBottomPane));
  Click(dialog, IDC_rbInactiveColor);
  EXPECT_EQ(TextOf(dialog, IDC_EditR), "240") << "the stored inactive colour";
  Click(dialog, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5s));

  // OK stores in the document only: killing the program leaves the file as it was.
  const std::vector<uint8_t> before = FFolder.ReadBytes("Lupendo.kfg");
  dialog = OpenSettings(wnd);
  ASSERT_NE(dialog, nullptr);
  Type(dialog, IDC_seBW, "20");
  Click(dialog, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5s));
  FProgram.Kill();
  EXPECT_EQ(FFolder.ReadBytes("Lupendo.kfg"), before);
}

TEST_F(SettingsTest, SliderChangesTheZoomFractionAtOnceAndCancelPutsItBack) {
  HWND wnd = Start("Zoom=2\r\nSmoothZoom=1\r\n");
  ASSERT_NE(wnd, nullptr);
  const RECT area{200 + 3, 150 + 30, 200 + 287, 150 + 240};
  HWND dialog = OpenSettings(wnd);
  ASSERT_NE(dialog, nullptr);
  const std::vector<uint32_t> before = testpic::ReadScreen(area).Pixels;
  HWND slider = Item(dialog, IDC_ImgSlBar + 1000);
  ASSERT_NE(slider, nullptr);
  // A press on the bar at 72 of its 136 pixels: Round(72 / 136 * 94) = 50.
  RECT bounds{};
  GetClientRect(slider, &bounds);
  SendMessageA(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(72, bounds.bottom / 2));
  SendMessageA(slider, WM_LBUTTONUP, 0, MAKELPARAM(72, bounds.bottom / 2));
  testpic::Pump(300);
  EXPECT_EQ(TextOf(dialog, IDC_lbSlider), "0.5");
  EXPECT_NE(testpic::ReadScreen(area).Pixels, before) << "the loupe zooms by 2.5 at once";
  Click(dialog, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5s));
  EXPECT_EQ(FProgram.CloseMagnifier(), 0u);
  EXPECT_EQ(ConfigValue("KvZoom", "Zoom"), "2");

  // The same with OK: the fraction and the slider are kept.
  TProgram again;
  again.Start(FFolder);
  wnd = again.WaitForWindow("TKvZoom");
  ASSERT_NE(wnd, nullptr);
  testpic::Pump(500);
  PostMessageA(wnd, WM_COMMAND, CM_SETTINGS, 0);
  dialog = again.WaitForMessageBox("  Settings");
  ASSERT_NE(dialog, nullptr);
  slider = Item(dialog, IDC_ImgSlBar + 1000);
  SendMessageA(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(72, bounds.bottom / 2));
  SendMessageA(slider, WM_LBUTTONUP, 0, MAKELPARAM(72, bounds.bottom / 2));
  Click(dialog, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5s));
  EXPECT_EQ(again.CloseMagnifier(), 0u);
  EXPECT_EQ(ConfigValue("KvZoom", "Zoom"), "2.5");
  EXPECT_EQ(ConfigValue("Options", "Sliderpos"), "50");
}

TEST_F(SettingsTest, LastPageComesBackAndTheDialogAvoidsTheRightEdge) {
  HWND wnd = Start();
  ASSERT_NE(wnd, nullptr);
  HWND dialog = OpenSettings(wnd);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsWindowVisible(Item(dialog, IDC_cbLevel))) << "the general page first";
  HWND tree = Item(dialog, IDC_TreeView1);
  LPARAM node = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
  node = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, node);
  node = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, node);  // "Capture to File"
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, node);
  testpic::Pump(200);
  EXPECT_TRUE(IsWindowVisible(Item(dialog, IDC_tbJpgQuality)));
  EXPECT_FALSE(IsWindowVisible(Item(dialog, IDC_cbLevel)));
  EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 5) << "no install page in normal use";
  Click(dialog, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5s));

  // Near the right screen edge the dialog opens on the loupe's left.
  SendMessageA(wnd, WM_ENTERSIZEMOVE, 0, 0);
  SetWindowPos(wnd, nullptr, 950, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  PostMessageA(wnd, WM_EXITSIZEMOVE, 0, 0);
  testpic::Pump(500);
  dialog = OpenSettings(wnd);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowRect(dialog).right, 950);
  EXPECT_TRUE(IsWindowVisible(Item(dialog, IDC_tbJpgQuality))) << "the page shown last";
  Click(dialog, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5s));
  EXPECT_EQ(FProgram.CloseMagnifier(), 0u);
  EXPECT_EQ(ConfigValue("Options", "LastSelected"), "2");
}

}  // namespace
