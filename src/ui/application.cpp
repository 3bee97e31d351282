#include "ui/application.h"

namespace lupendo::ui {

TApplication& Application() {
  static TApplication application;
  return application;
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (msg.message == WM_QUIT) {
    FTerminated = true;
    return false;
  }
  bool handled = false;
  if (OnMessage) {
    try {
      OnMessage(msg, handled);
    } catch (const std::exception& e) {
      ShowException(e.what());
    } catch (...) {
      ShowException("Unknown error");
    }
  }
  if (!handled) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

bool TApplication::HandleMessage() {
  MSG msg;
  BOOL got = GetMessageA(&msg, nullptr, 0, 0);
  if (got == -1) return false;
  if (got == 0) {
    FTerminated = true;
    return false;
  }
  return ProcessMessage(msg);
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!ProcessMessage(msg)) {
      // Leave the quit request for the main loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
  }
}

void TApplication::Run() {
  while (!FTerminated && HandleMessage()) {
  }
}

void TApplication::Terminate() {
  if (!FTerminated) PostQuitMessage(0);
  FTerminated = true;
}

void TApplication::Minimize() {
  if (FMainWindow) ShowWindow(FMainWindow, SW_MINIMIZE);
}

void TApplication::Restore() {
  if (FMainWindow && IsIconic(FMainWindow)) ShowWindow(FMainWindow, SW_RESTORE);
}

void TApplication::ShowException(const std::string& message) {
  std::string text = message;
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  if (OnException) {
    OnException(text);
    return;
  }
  MessageBoxA(FMainWindow && IsWindowVisible(FMainWindow) ? FMainWindow : nullptr, text.c_str(), Title.c_str(),
              MB_OK | MB_ICONSTOP);
}

}  // namespace lupendo::ui
