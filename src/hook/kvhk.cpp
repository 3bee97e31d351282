// KvHk.dll: tells the magnifier window about keys pressed and released in any program.
// SHEntry installs a low-level keyboard hook for the window; each key event is posted to it
// as WM_USER + 50 with the virtual key in wParam and bit 7 of lParam set on release.
#include <windows.h>

namespace {

HWND TargetWindow = nullptr;
HHOOK Hook = nullptr;
constexpr UINT kHookKeyMessage = WM_USER + 50;

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && TargetWindow) {
    const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    bool released = wParam == WM_KEYUP || wParam == WM_SYSKEYUP;
    LPARAM flags = (info->flags & 0x7F) | (released ? 0x80 : 0);
    PostMessageA(TargetWindow, kHookKeyMessage, info->vkCode, flags);
  }
  return CallNextHookEx(Hook, code, wParam, lParam);
}

}  // namespace

extern "C" __declspec(dllexport) HHOOK WINAPI SHEntry(HWND window) {
  TargetWindow = window;
  Hook = SetWindowsHookExA(WH_KEYBOARD_LL, &KeyboardProc, GetModuleHandleA("KvHk.dll"), 0);
  return Hook;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
