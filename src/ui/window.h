#pragma once
// Base of every window of the program: the window procedure only finds the object and
// routes the message to it; no exception leaves it.
#include <windows.h>

namespace lupendo::ui {

class TWindow {
 public:
  TWindow() = default;
  virtual ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  HWND Handle() const { return FHandle; }
  bool HandleAllocated() const { return FHandle != nullptr; }

 protected:
  // Registers a class whose procedure routes to TWindow objects (once per name).
  static void RegisterWindowClass(const char* className, UINT style, HICON icon, HCURSOR cursor);
  // Creates the window; the object receives messages from WM_NCCREATE on.
  HWND CreateHandle(const char* className, const char* caption, DWORD style, DWORD exStyle, int x, int y,
                    int width, int height, HWND parent);
  void DestroyHandle();

  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);
  // Called after WM_NCDESTROY, when the handle is gone.
  virtual void HandleDestroyed() {}

 private:
  static LRESULT CALLBACK StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND FHandle = nullptr;
};

}  // namespace lupendo::ui
