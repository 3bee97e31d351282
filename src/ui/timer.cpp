#include "ui/timer.h"

#include <exception>
#include <map>

#include "ui/application.h"

namespace lupendo::ui {

namespace {
// Thread timers carry no user data: their ids map back to the objects.
std::map<UINT_PTR, TTimer*>& Timers() {
  static std::map<UINT_PTR, TTimer*> timers;
  return timers;
}
}  // namespace

TTimer::TTimer(UINT interval, std::function<void()> onTimer) : OnTimer(std::move(onTimer)), FInterval(interval) {}

TTimer::~TTimer() {
  FEnabled = false;
  Update();
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  Update();
}

void TTimer::SetInterval(UINT interval) {
  if (interval == FInterval) return;
  FInterval = interval;
  Update();
}

void TTimer::Update() {
  if (FId) {
    KillTimer(nullptr, FId);
    Timers().erase(FId);
    FId = 0;
  }
  if (FEnabled && FInterval > 0) {
    FId = SetTimer(nullptr, 0, FInterval, &TTimer::TimerProc);
    if (FId) Timers()[FId] = this;
  }
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  auto it = Timers().find(id);
  if (it == Timers().end()) return;
  TTimer* timer = it->second;
  try {
    if (timer->OnTimer) timer->OnTimer();
  } catch (const std::exception& e) {
    Application().ShowException(e.what());
  } catch (...) {
    Application().ShowException("Unknown error");
  }
}

}  // namespace lupendo::ui
