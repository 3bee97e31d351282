// The small window layer: message routing, the exception boundary, the message hook chain,
// timers and handle ownership.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/application.h"
#include "ui/handles.h"
#include "ui/popup_menu.h"
#include "ui/timer.h"
#include "ui/window.h"

using namespace lupendo::ui;

namespace {

constexpr UINT kThrow = WM_APP + 1;
constexpr UINT kPing = WM_APP + 2;

class TTestWindow : public TWindow {
 public:
  TTestWindow() {
    RegisterWindowClass("LupendoTestWindow", 0, nullptr, nullptr);
    CreateHandle("LupendoTestWindow", "test", WS_POPUP, 0, 0, 0, 10, 10, nullptr);
  }
  int Pings = 0;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == kThrow) throw std::runtime_error("Buffer lost");
    if (msg == kPing) {
      ++Pings;
      return 42;
    }
    return TWindow::HandleMessage(msg, wParam, lParam);
  }
};

struct TReportCapture {
  TReportCapture() {
    Application().OnException = [this](const std::string& text) { Reports.push_back(text); };
  }
  ~TReportCapture() { Application().OnException = nullptr; }
  std::vector<std::string> Reports;
};

}  // namespace

TEST(WindowLayer, RoutesMessagesToTheObject) {
  TTestWindow window;
  ASSERT_TRUE(window.HandleAllocated());
  EXPECT_EQ(SendMessageA(window.Handle(), kPing, 0, 0), 42);
  EXPECT_EQ(window.Pings, 1);
}

TEST(WindowLayer, ExceptionsStopAtTheWindowAndAreReportedWithAFinalPeriod) {
  TReportCapture capture;
  TTestWindow window;
  EXPECT_EQ(SendMessageA(window.Handle(), kThrow, 0, 0), 0);
  ASSERT_EQ(capture.Reports.size(), 1u);
  EXPECT_EQ(capture.Reports[0], "Buffer lost.");
  EXPECT_EQ(SendMessageA(window.Handle(), kPing, 0, 0), 42) << "the window keeps working";
}

TEST(WindowLayer, DestroyedWindowForgetsItsHandle) {
  TTestWindow window;
  HWND handle = window.Handle();
  DestroyWindow(handle);
  EXPECT_FALSE(window.HandleAllocated());
  EXPECT_FALSE(IsWindow(handle));
}

TEST(ApplicationHook, ChainedHooksBothSeeMessagesAndHandledStopsDispatch) {
  TTestWindow window;
  std::vector<std::string> seen;
  Application().OnMessage = [&](MSG& msg, bool&) {
    if (msg.message == kPing) seen.push_back("first");
  };
  auto previous = Application().OnMessage;
  Application().OnMessage = [&, previous](MSG& msg, bool& handled) {
    if (msg.message == kPing) {
      seen.push_back("second");
      if (msg.wParam == 1) handled = true;
    }
    previous(msg, handled);
  };
  PostMessageA(window.Handle(), kPing, 0, 0);
  PostMessageA(window.Handle(), kPing, 1, 0);
  Application().ProcessMessages();
  Application().OnMessage = nullptr;
  EXPECT_EQ(seen, (std::vector<std::string>{"second", "first", "second", "first"}));
  EXPECT_EQ(window.Pings, 1) << "the handled message was not dispatched";
}

TEST(Timers, FireWhileEnabledAndReportTheirExceptions) {
  TReportCapture capture;
  int ticks = 0;
  TTimer timer(10, [&] {
    ++ticks;
    if (ticks == 2) throw std::runtime_error("tick failed");
    if (ticks == 3) timer.SetEnabled(false);
  });
  timer.SetEnabled(true);
  DWORD end = GetTickCount() + 5000;
  while (timer.Enabled() && GetTickCount() < end) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    Application().ProcessMessages();
  }
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(capture.Reports, (std::vector<std::string>{"tick failed."}));
  // Disabled: no more ticks.
  DWORD quiet = GetTickCount() + 100;
  while (GetTickCount() < quiet) Application().ProcessMessages();
  EXPECT_EQ(ticks, 3);
}

TEST(Handles, SelectGuardPutsThePreviousObjectBack) {
  TMemoryDC dc(CreateCompatibleDC(nullptr));
  HGDIOBJ original = GetCurrentObject(dc.Get(), OBJ_BRUSH);
  TBrushHandle brush(CreateSolidBrush(RGB(1, 2, 3)));
  {
    TSelectObject select(dc.Get(), brush.Get());
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), brush.Get());
  }
  EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), original);
}

TEST(Handles, OwnersDeleteOnceAndMoveOwnership) {
  TRegionHandle first(CreateRectRgn(0, 0, 5, 5));
  HRGN raw = first.Get();
  TRegionHandle second(std::move(first));
  EXPECT_FALSE(first);
  EXPECT_EQ(second.Get(), raw);
  second.Reset();
  EXPECT_EQ(GetObjectType(raw), 0u) << "region deleted";
  TRegionHandle kept(CreateRectRgn(0, 0, 1, 1));
  HRGN released = kept.Release();
  EXPECT_FALSE(kept);
  EXPECT_EQ(GetObjectType(released), static_cast<DWORD>(OBJ_REGION)) << "released handles are not deleted";
  DeleteObject(released);
}

TEST(PopupMenus, BuildsVisibleItemsWithChecksAndDispatchesById) {
  TPopupMenu menu;
  int clicks = 0;
  menu.Add(TMenuItem{"A", "&Alpha", 11, true, true, true, [&] { ++clicks; }, {}});
  menu.Add(TMenuItem{"B", "Hidden", 12, false, false, true, nullptr, {}});
  menu.Add(TMenuItem{"C", "Gamma", 13, true, false, true, nullptr, {}});
  TMenuHandle built(menu.Build());
  ASSERT_EQ(GetMenuItemCount(built.Get()), 2);
  char text[64] = {};
  GetMenuStringA(built.Get(), 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&Alpha");
  EXPECT_TRUE(GetMenuState(built.Get(), 11, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_FALSE(GetMenuState(built.Get(), 13, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_TRUE(menu.Dispatch(11));
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(menu.Dispatch(99));
}
