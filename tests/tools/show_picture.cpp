// Shows the tests' known picture over most of the screen until the window is closed, so a
// person can look at the magnifier over it (and take screenshots for the documentation).
#include <windows.h>

#include "test_picture.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  testpic::TTestPicture picture(RECT{0, 0, 1000, 900});
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
