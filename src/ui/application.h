#pragma once
// The application object: message loop with a chainable hook that sees every queued
// message of the thread before it is dispatched, termination, minimize and restore, and
// the standard report of an exception.
#include <windows.h>

#include <functional>
#include <string>

namespace lupendo::ui {

class TApplication {
 public:
  // Sets handled to skip translation and dispatch. A new hook that wants the old one to
  // keep working stores the previous value and calls it.
  using TMessageHook = std::function<void(MSG& msg, bool& handled)>;

  TMessageHook OnMessage;
  // Replaces the message box of the standard report when set (tests, logging).
  std::function<void(const std::string& text)> OnException;
  std::string Title = "Lupendo";

  // Runs the loop until Terminate; shows nothing by itself.
  void Run();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // Handles every message waiting in the queue and returns.
  void ProcessMessages();
  // Handles one message, waiting for it; false after WM_QUIT.
  bool HandleMessage();

  void SetMainWindow(HWND wnd) { FMainWindow = wnd; }
  HWND MainWindow() const { return FMainWindow; }
  void Minimize();
  void Restore();

  // The standard report: a message box with the text (a final "." added), caption Title.
  void ShowException(const std::string& message);

 private:
  bool ProcessMessage(MSG& msg);
  bool FTerminated = false;
  HWND FMainWindow = nullptr;
};

TApplication& Application();

}  // namespace lupendo::ui
