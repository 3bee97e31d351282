#pragma once
// Message timers of the UI thread with a callback. A timer restarts only when its interval
// changes or it is switched on again after being off; one-shot users switch it off in
// their callback.
#include <windows.h>

#include <functional>

namespace lupendo::ui {

class TTimer {
 public:
  explicit TTimer(UINT interval = 1000, std::function<void()> onTimer = {});
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  void SetEnabled(bool enabled);
  bool Enabled() const { return FEnabled; }
  void SetInterval(UINT interval);
  UINT Interval() const { return FInterval; }

  std::function<void()> OnTimer;
  // Free for the owner: tells one callback what it was started for.
  int Tag = 0;

 private:
  void Update();
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
  UINT FInterval;
  bool FEnabled = false;
  UINT_PTR FId = 0;
};

}  // namespace lupendo::ui
