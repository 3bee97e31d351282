// The magnifier window inside the test process: the hook library and the menus.
#include "magnifier/kvzoom.h"

#include <gtest/gtest.h>

#include "app/command_ids.h"
#include "app/globals.h"
#include "config/mini_file.h"
#include "ui/application.h"

using namespace lupendo;

namespace {

std::string WindowsPath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path[0] == '\\' ? "Z:" + path : path;
}

class KvZoomTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    // The window's configuration goes to a file of its own, away from the test program.
    SetExecutablePath(std::string(temp) + "lupendo-kvzoom-test.exe");
    DeleteFileA(DefaultConfigFileName().c_str());
    FHookPath = ProgramFolder() + "KvHk.dll";
    DeleteFileA(FHookPath.c_str());
    ui::Application().OnException = [this](const std::string& text) { FReports.push_back(text); };
  }
  void TearDown() override {
    ui::Application().OnException = nullptr;
    ReleaseAllConfigFiles();
    DeleteFileA(DefaultConfigFileName().c_str());
    DeleteFileA(FHookPath.c_str());
  }
  std::string FHookPath;
  std::vector<std::string> FReports;
};

void PumpFor(DWORD milliseconds) {
  DWORD end = GetTickCount() + milliseconds;
  while (GetTickCount() < end) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    ui::Application().ProcessMessages();
  }
}

DWORD WINAPI SendKeys(LPVOID keys) {
  SendInput(2, static_cast<INPUT*>(keys), sizeof(INPUT));
  return 0;
}

}  // namespace

TEST_F(KvZoomTest, MissingHookLibraryIsReportedOnceAndNotRetried) {
  TKvZoom zoom;
  zoom.Show();
  try {
    zoom.CheckKeyDll();
    FAIL() << "no error for a missing library";
  } catch (const std::exception& e) {
    std::string text = e.what();
    std::string expected = "Unable to load module:" + FHookPath + "\r\n";
    EXPECT_EQ(text.substr(0, expected.size()), expected);
    EXPECT_GT(text.size(), expected.size()) << "the system's reason follows";
  }
  // The library appears later: the window does not try again.
  ASSERT_TRUE(CopyFileA(WindowsPath(LUPENDO_HOOK_DLL).c_str(), FHookPath.c_str(), FALSE));
  EXPECT_NO_THROW(zoom.CheckKeyDll());
  EXPECT_EQ(zoom.HookLibrary(), nullptr);
}

TEST_F(KvZoomTest, LibraryWithoutEntryPointIsReported) {
  ASSERT_TRUE(CopyFileA(WindowsPath(LUPENDO_NOHOOK_DLL).c_str(), FHookPath.c_str(), FALSE));
  TKvZoom zoom;
  zoom.Show();
  try {
    zoom.CheckKeyDll();
    FAIL() << "no error for a library without SHEntry";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "Procedure not found in KvHk.dll.");
  }
}

TEST_F(KvZoomTest, HookLibraryLoadsOnceAndHooksTheKeyboard) {
  ASSERT_TRUE(CopyFileA(WindowsPath(LUPENDO_HOOK_DLL).c_str(), FHookPath.c_str(), FALSE));
  {
    TKvZoom zoom;
    zoom.Show();
    zoom.CheckKeyDll();
    EXPECT_NE(zoom.HookLibrary(), nullptr);
    EXPECT_NE(zoom.KeyboardHook(), nullptr);
    HHOOK hook = zoom.KeyboardHook();
    zoom.CheckKeyDll();
    EXPECT_EQ(zoom.KeyboardHook(), hook);
  }
  // The window removed the hook and freed the library when it went.
  EXPECT_EQ(GetModuleHandleA(FHookPath.c_str()), nullptr);
  EXPECT_TRUE(FReports.empty());
}

TEST_F(KvZoomTest, HookLibraryPostsKeyPressesAndReleases) {
  ASSERT_TRUE(CopyFileA(WindowsPath(LUPENDO_HOOK_DLL).c_str(), FHookPath.c_str(), FALSE));
  HMODULE library = LoadLibraryA(FHookPath.c_str());
  ASSERT_NE(library, nullptr);
  auto entry = reinterpret_cast<HHOOK(WINAPI*)(HWND)>(reinterpret_cast<void*>(GetProcAddress(library, "SHEntry")));
  ASSERT_NE(entry, nullptr);
  HWND target = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  HHOOK hook = entry(target);
  ASSERT_NE(hook, nullptr);

  std::vector<std::pair<WPARAM, LPARAM>> seen;
  ui::Application().OnMessage = [&](MSG& msg, bool& handled) {
    if (msg.hwnd == target && msg.message == LUPENDO_MSG_HOOK_KEY) {
      seen.emplace_back(msg.wParam, msg.lParam);
      handled = true;
    }
  };
  INPUT keys[2] = {};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = VK_LCONTROL;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  // The input comes from another thread, as a key press of another program would.
  HANDLE sender = CreateThread(nullptr, 0, &SendKeys, keys, 0, nullptr);
  for (DWORD start = GetTickCount(); seen.size() < 2 && GetTickCount() - start < 3000;) PumpFor(50);
  PumpFor(200);  // nothing more arrives
  WaitForSingleObject(sender, 2000);
  CloseHandle(sender);
  ui::Application().OnMessage = nullptr;
  EXPECT_TRUE(UnhookWindowsHookEx(hook));
  DestroyWindow(target);
  FreeLibrary(library);

  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].first, static_cast<WPARAM>(VK_LCONTROL));
  EXPECT_EQ(seen[0].second & 0x80, 0);
  EXPECT_EQ(seen[1].first, static_cast<WPARAM>(VK_LCONTROL));
  EXPECT_EQ(seen[1].second & 0x80, 0x80);
}

TEST_F(KvZoomTest, MenusHoldEveryItemWithItsCaption) {
  TKvZoom zoom;
  struct {
    ui::TPopupMenu& Menu;
    std::vector<std::pair<const char*, bool>> Items;  // caption, visible
  } menus[] = {
      {zoom.PopupSettings(),
       {{"Smooth &Zoom", true},
        {"Stay on &Top", true},
        {"&Settings..", true},
        {"Capture &Image", true},
        {"Zoom at Screen &Cursor", true},
        {"Measure &Distance", true},
        {"    &Gauge Distance", false},
        {"    Select &Unit", false},
        {"    Set Default", false},
        {"&Help", true},
        {"&Exit", true}}},
      {zoom.PopupFrame(),
       {{"Cancel Capture", true}, {"Capture to Clipboard  <CTRL> + C", true}, {"Capture to File..", true}}},
      {zoom.PopupLine(), {{"Gauge Distance", true}, {"Select Unit", true}, {"Set Default", true}}},
      {zoom.PopupQuickZoom(), {{"Zoom 1.0", true}, {"Zoom 5.0", true}, {"Zoom 10.0", true}, {"Exit", true}}},
  };
  for (auto& m : menus) {
    ASSERT_EQ(m.Menu.Items.size(), m.Items.size());
    for (size_t i = 0; i < m.Items.size(); ++i) {
      EXPECT_EQ(m.Menu.Items[i].Caption, m.Items[i].first);
      EXPECT_EQ(m.Menu.Items[i].Visible, m.Items[i].second) << m.Items[i].first;
    }
  }
}

TEST_F(KvZoomTest, DraggingTheFrameSwitchesOutlineDraggingOffUntilTheEnd) {
  BOOL saved = FALSE;
  SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &saved, 0);
  auto dragFull = [] {
    BOOL on = FALSE;
    SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &on, 0);
    return on;
  };
  SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
  {
    TKvZoom zoom;
    zoom.Show();
    // A press on the frame starts the move or size loop; no loop starts on HTNOWHERE, so the
    // end of the loop is sent by hand.
    SendMessageA(zoom.Handle(), WM_NCLBUTTONDOWN, HTNOWHERE, 0);
    EXPECT_FALSE(dragFull());
    SendMessageA(zoom.Handle(), WM_ENTERSIZEMOVE, 0, 0);
    SendMessageA(zoom.Handle(), WM_EXITSIZEMOVE, 0, 0);
    EXPECT_TRUE(dragFull()) << "restored after the move";
    SendMessageA(zoom.Handle(), WM_NCLBUTTONDOWN, HTNOWHERE, 0);
    EXPECT_FALSE(dragFull());
  }
  EXPECT_TRUE(dragFull()) << "restored when the window goes";
  // A window that never showed has read nothing and changes nothing.
  SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
  { TKvZoom hidden; }
  EXPECT_TRUE(dragFull());
  SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, saved, nullptr, 0);
}

TEST_F(KvZoomTest, ClosingSavesTheWindowSettings) {
  {
    TKvZoom zoom;
    zoom.Show();
    zoom.SetBounds(150, 120, 280, 260);
    zoom.Close();
  }
  TMIniFile saved(DefaultConfigFileName());
  EXPECT_EQ(saved.ReadInteger("KvZoom", "x", 0), 150);
  EXPECT_EQ(saved.ReadInteger("KvZoom", "y", 0), 120);
  EXPECT_EQ(saved.ReadInteger("KvZoom", "w", 0), 280);
  EXPECT_EQ(saved.ReadInteger("KvZoom", "h", 0), 260);
  EXPECT_EQ(saved.ReadString("KvZoom", "Zoom", ""), "2");
  // A quit request was left in the queue by the close; take it out again.
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}
