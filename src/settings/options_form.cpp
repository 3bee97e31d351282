#include "settings/options_form.h"

#include <commctrl.h>

#include <stdexcept>

#include "app/resource_ids.h"
#include "config/mini_file.h"
#include "config/settings.h"

namespace lupendo {

TOptionsForm* OptionsForm = nullptr;
unsigned long ActiveColor = 0x00C0FFFF;
unsigned long InactiveColor = 0x00F0F0F0;
bool OptionsLoading = false;

namespace {
constexpr int kPages[] = {IDD_PAGE_GENERAL, IDD_PAGE_CURSOR, IDD_PAGE_CAPTURE,
                          IDD_PAGE_APPEARANCE, IDD_PAGE_INFO, IDD_PAGE_INSTALL};

HWND CreateFromTemplate(int id, HWND parent, DLGPROC proc) {
  return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), parent, proc, 0);
}
}  // namespace

INT_PTR CALLBACK TOptionsForm::DialogProc(HWND, UINT msg, WPARAM, LPARAM) {
  // The dialog's own behaviour comes with its handlers; until then it only holds values.
  return msg == WM_INITDIALOG ? TRUE : FALSE;
}

TOptionsForm::TOptionsForm() {
  // The one dialog of the program: the options it loads below go into these controls.
  OptionsForm = this;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
  FHandle = CreateFromTemplate(IDD_OPTIONS, nullptr, &TOptionsForm::DialogProc);
  if (!FHandle) throw std::runtime_error("Could not create the settings dialog");
  for (int page : kPages) {
    HWND wnd = CreateFromTemplate(page, FHandle, &TOptionsForm::DialogProc);
    if (!wnd) throw std::runtime_error("Could not create a settings page");
    FPages.push_back(wnd);
  }
  // Design values of the controls.
  SendMessageA(Control(IDC_seBW_Spin), UDM_SETRANGE32, 0, 30);
  SetSpinValue(IDC_seBW, 3);
  SendMessageA(Control(IDC_seRate_Spin), UDM_SETRANGE32, 0, 0x7FFFFFFF);
  SetSpinValue(IDC_seRate, 100);
  SendMessageA(Control(IDC_tbJpgQuality), TBM_SETRANGE, FALSE, MAKELPARAM(1, 100));
  SendMessageA(Control(IDC_tbJpgQuality), TBM_SETLINESIZE, 0, 10);
  SendMessageA(Control(IDC_tbJpgQuality), TBM_SETTICFREQ, 10, 0);
  SetTrackPosition(IDC_tbJpgQuality, 70);
  for (int id : {IDC_rbActiveColor, IDC_cbBottomPane, IDC_cbLevel, IDC_cbColor, IDC_rbHex, IDC_rbRGB,
                 IDC_rbPackbits, IDC_cbText, IDC_cbShowCursor, IDC_cbShortCut, IDC_cbProgramFolder})
    SetChecked(id, true);
  FSlider.SetMin(0);
  FSlider.SetMax(94);

  LoadOptions();
  FSlider.SetPosition(OpenConfigFile("")->ReadInteger("Options", "Sliderpos", 0));
}

TOptionsForm::~TOptionsForm() {
  if (OptionsForm == this) OptionsForm = nullptr;
  if (FHandle) DestroyWindow(FHandle);
}

// Page behaviour arrives with the dialog's handlers; showing returns at once until then.
void TOptionsForm::ShowModal() {}

HWND TOptionsForm::Control(int id) const {
  for (HWND page : FPages)
    if (HWND wnd = GetDlgItem(page, id)) return wnd;
  return GetDlgItem(FHandle, id);
}

bool TOptionsForm::Checked(int id) const { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TOptionsForm::SetChecked(int id, bool checked) {
  HWND wnd = Control(id);
  if (!wnd) return;
  LONG style = GetWindowLongA(wnd, GWL_STYLE) & 0x0F;
  if (checked && (style == BS_AUTORADIOBUTTON || style == BS_RADIOBUTTON)) {
    HWND page = GetParent(wnd);
    for (HWND other = GetNextDlgGroupItem(page, wnd, FALSE); other && other != wnd;
         other = GetNextDlgGroupItem(page, other, FALSE))
      SendMessageA(other, BM_SETCHECK, BST_UNCHECKED, 0);
  }
  SendMessageA(wnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int TOptionsForm::SpinValue(int editId) const {
  BOOL ok = FALSE;
  int value = static_cast<int>(SendMessageA(Control(editId + 1), UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&ok)));
  return value;
}

void TOptionsForm::SetSpinValue(int editId, int value) {
  SendMessageA(Control(editId + 1), UDM_SETPOS32, 0, value);
}

void TOptionsForm::SetSpinMinimum(int editId, int minimum) {
  int low = 0, high = 0;
  SendMessageA(Control(editId + 1), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
  SendMessageA(Control(editId + 1), UDM_SETRANGE32, minimum, high);
}

int TOptionsForm::TrackPosition(int id) const { return static_cast<int>(SendMessageA(Control(id), TBM_GETPOS, 0, 0)); }
void TOptionsForm::SetTrackPosition(int id, int position) {
  SendMessageA(Control(id), TBM_SETPOS, TRUE, position);
}
void TOptionsForm::SetControlEnabled(int id, bool enabled) { EnableWindow(Control(id), enabled); }
void TOptionsForm::SetText(int id, const char* text) { SetWindowTextA(Control(id), text); }

std::unique_ptr<TOptionsForm> CreateOptionsForm() { return std::make_unique<TOptionsForm>(); }

}  // namespace lupendo
