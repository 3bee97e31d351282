#include "ui/window.h"

#include <exception>

#include "ui/application.h"

namespace lupendo::ui {

TWindow::~TWindow() { DestroyHandle(); }

void TWindow::RegisterWindowClass(const char* className, UINT style, HICON icon, HCURSOR cursor) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(GetModuleHandleA(nullptr), className, &existing)) return;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = &TWindow::StaticWndProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = icon;
  wc.hIconSm = icon;
  wc.hCursor = cursor ? cursor : LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = nullptr;  // the windows paint every pixel themselves
  wc.lpszClassName = className;
  RegisterClassExA(&wc);
}

HWND TWindow::CreateHandle(const char* className, const char* caption, DWORD style, DWORD exStyle, int x, int y,
                           int width, int height, HWND parent) {
  CreateWindowExA(exStyle, className, caption, style, x, y, width, height, parent, nullptr,
                  GetModuleHandleA(nullptr), this);
  return FHandle;
}

void TWindow::DestroyHandle() {
  if (FHandle) DestroyWindow(FHandle);
}

LRESULT TWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) { return DefaultHandler(msg, wParam, lParam); }

LRESULT TWindow::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(FHandle, msg, wParam, lParam);
}

LRESULT CALLBACK TWindow::StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWindow* self = nullptr;
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    self = static_cast<TWindow*>(create->lpCreateParams);
    self->FHandle = wnd;
    SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<TWindow*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcA(wnd, msg, wParam, lParam);

  LRESULT result = 0;
  try {
    result = self->HandleMessage(msg, wParam, lParam);
  } catch (const std::exception& e) {
    Application().ShowException(e.what());
  } catch (...) {
    Application().ShowException("Unknown error");
  }
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
    self->FHandle = nullptr;
    try {
      self->HandleDestroyed();
    } catch (...) {
    }
  }
  return result;
}

}  // namespace lupendo::ui
