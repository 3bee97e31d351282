#pragma once
// The settings dialog. It is created once and kept hidden; its controls hold the live option
// values the rest of the program reads. In install mode it is the first-run dialog.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "settings/slider.h"

namespace lupendo {

class TColourPicker;
class TSliderControl;

class TOptionsForm {
 public:
  TOptionsForm();
  virtual ~TOptionsForm();
  TOptionsForm(const TOptionsForm&) = delete;
  TOptionsForm& operator=(const TOptionsForm&) = delete;

  bool InstallMode = false;
  // Shows the dialog modally and returns when it closes: IDOK, IDCANCEL, or 0 for the close
  // box.
  virtual int ShowModal();

  HWND Handle() const { return FHandle; }
  bool Visible() const { return FHandle && IsWindowVisible(FHandle); }

  // Controls by their resource id, whichever page holds them.
  HWND Control(int id) const;
  bool Checked(int id) const;
  // Sets a check box or radio button as the program would: a radio button that becomes
  // checked unchecks the others of its group, and a change runs the control's click handler.
  void SetChecked(int id, bool checked);
  // A spin edit is an edit with its up-down control at the next id.
  int SpinValue(int editId) const;
  void SetSpinValue(int editId, int value);
  void SetSpinMinimum(int editId, int minimum);
  int TrackPosition(int id) const;
  void SetTrackPosition(int id, int position);
  void SetControlEnabled(int id, bool enabled);
  void SetText(int id, const char* text);
  std::string Text(int id) const;
  TSlider& Slider() { return FSlider; }
  // The colour box (0x00BBGGRR).
  unsigned long BoxColour() const;
  void SetBoxColour(unsigned long colour);

  // Handlers, named after their controls.
  void TreeView1Change();
  void HSVBox1Change();
  void EditKeyUp(int id);
  void rbActiveColorClick();
  void rbInactiveColorClick();
  void seBWChange();
  void cbBottomPaneClick();
  void cbStatusClick();
  void cbLevelClick();
  void cbMouseXYClick();
  void rbHSVClick();
  void tbJpgQualityChange();
  void ImgSlBarMouseDown(int x);
  void SliderChanged();
  void bbOkClick();
  void bbCancelClick();
  void bbHelpClick();

 private:
  static INT_PTR CALLBACK DialogProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void Command(int id, int code);
  void FormShow();
  void FormHide();
  void FillTree(bool installOnly);
  int SelectedIndex() const;
  void SelectIndex(int index);
  void EndModal(int result);
  void RedrawMagnifier();
  HWND PageOf(const std::string& text) const;

  HWND FHandle = nullptr;
  std::vector<HWND> FPages;  // general, cursor, capture, appearance, info, install
  std::vector<HTREEITEM> FNodes;
  HWND FCurrentPage = nullptr;
  TSlider FSlider;
  std::unique_ptr<TColourPicker> FColourBox;
  std::unique_ptr<TSliderControl> FSliderControl;
  int FBorderChanged = 0, FBottomPaneChanged = 0;  // change marks of seBW and cbBottomPane
  int FShownSliderPosition = 0;
  // The options as the dialog opened: Cancel falls back on them where nothing is stored.
  struct TShownOptions {
    std::vector<std::pair<int, bool>> Checks;
    int BorderWidth = 0, Rate = 0, JpgQuality = 0;
    unsigned long Active = 0, Inactive = 0;
  } FShown;
  void RememberShownOptions();
  void RestoreShownOptions();
  bool FFillingEdits = false;
  bool FModal = false;
  int FModalResult = 0;
  RECT FOkPlace{}, FCancelPlace{};
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
