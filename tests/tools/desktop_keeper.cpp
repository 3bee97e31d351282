// Keeps Wine's desktop alive for a whole test run. Wine ends its desktop process a few
// seconds after the last program with windows has gone, and the next test program starts it
// again; that new desktop process inherits the test's output pipe, so the test runner waits
// for it to end before it sees the test end. One hidden window held for the run avoids both.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = instance;
  wc.lpszClassName = "LupendoDesktopKeeper";
  RegisterClassA(&wc);
  CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
