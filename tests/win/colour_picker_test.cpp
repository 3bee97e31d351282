// The colour picker control with the mouse and the keyboard.
#include "settings/colour_picker.h"

#include <gtest/gtest.h>

using namespace lupendo;

namespace {

struct TParent {
  HWND Wnd = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr, nullptr,
                             nullptr, nullptr);
  ~TParent() { DestroyWindow(Wnd); }
};

TEST(ColourPicker, KeepsTheColourItIsGivenAndReportsPicks) {
  TParent parent;
  TColourPicker picker(parent.Wnd, 10, 10, 1000);
  ASSERT_TRUE(picker.HandleAllocated());
  int changes = 0;
  picker.OnChange = [&] { ++changes; };
  picker.SetColour(RGB(12, 200, 77));
  EXPECT_EQ(picker.Colour(), RGB(12, 200, 77));
  EXPECT_EQ(changes, 0) << "setting is not a change";

  // A press at the top-left corner of the square: no saturation, full value.
  SendMessageA(picker.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  SendMessageA(picker.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
  EXPECT_EQ(picker.Colour(), RGB(255, 255, 255));
  EXPECT_EQ(changes, 1);

  // Dragging from the square's bottom right (black) keeps picking in the square.
  SendMessageA(picker.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(128, 128));
  EXPECT_EQ(picker.Colour(), RGB(0, 0, 0));
  SendMessageA(picker.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(128, 1));
  SendMessageA(picker.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(128, 1));
  const THsv hsv = picker.Model().Hsv();
  EXPECT_EQ(hsv.S, 255);
  EXPECT_EQ(hsv.V, 255);

  // The hue bar: its top is red.
  SendMessageA(picker.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(TColourPicker::kWidth - 5, 1));
  SendMessageA(picker.Handle(), WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(picker.Colour(), RGB(255, 0, 0));

  // Keys: Down lowers the value, Page Down turns the hue.
  SendMessageA(picker.Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(picker.Model().Hsv().V, 254);
  SendMessageA(picker.Handle(), WM_KEYDOWN, VK_NEXT, 0);
  EXPECT_EQ(picker.Model().Hsv().H, 1);
  EXPECT_EQ(SendMessageA(picker.Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
  EXPECT_GE(changes, 5);
}

}  // namespace
