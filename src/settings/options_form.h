#pragma once
// The settings dialog. It is created once and kept hidden; its controls hold the live option
// values the rest of the program reads. In install mode it is the first-run dialog.
#include <windows.h>

#include <memory>
#include <vector>

#include "settings/slider.h"

namespace lupendo {

class TOptionsForm {
 public:
  TOptionsForm();
  virtual ~TOptionsForm();
  TOptionsForm(const TOptionsForm&) = delete;
  TOptionsForm& operator=(const TOptionsForm&) = delete;

  bool InstallMode = false;
  // Shows the dialog modally and returns when it closes.
  virtual void ShowModal();

  HWND Handle() const { return FHandle; }
  bool Visible() const { return FHandle && IsWindowVisible(FHandle); }

  // Controls by their resource id, whichever page holds them.
  HWND Control(int id) const;
  bool Checked(int id) const;
  // A radio button that becomes checked unchecks the others of its group.
  void SetChecked(int id, bool checked);
  // A spin edit is an edit with its up-down control at the next id.
  int SpinValue(int editId) const;
  void SetSpinValue(int editId, int value);
  void SetSpinMinimum(int editId, int minimum);
  int TrackPosition(int id) const;
  void SetTrackPosition(int id, int position);
  void SetControlEnabled(int id, bool enabled);
  void SetText(int id, const char* text);
  TSlider& Slider() { return FSlider; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND FHandle = nullptr;
  std::vector<HWND> FPages;
  TSlider FSlider;
};

// Creates the one settings dialog of the program.
std::unique_ptr<TOptionsForm> CreateOptionsForm();

// The settings dialog in use (owned by the program entry).
extern TOptionsForm* OptionsForm;

// Frame colours of the magnifier window while active and inactive ($00BBGGRR).
extern unsigned long ActiveColor;
extern unsigned long InactiveColor;
// True while the options are being loaded into the dialog.
extern bool OptionsLoading;

}  // namespace lupendo
