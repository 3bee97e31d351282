#include "settings/options_form.h"

#include <oleauto.h>
#include <shellapi.h>

#include <cstdio>
#include <iterator>
#include <stdexcept>

#include "app/globals.h"
#include "app/resource_ids.h"
#include "config/mini_file.h"
#include "config/settings.h"
#include "install/uninstall.h"
#include "magnifier/kvzoom.h"
#include "settings/colour_picker.h"
#include "settings/slider_control.h"
#include "ui/application.h"
#include "ui/com.h"
#include "ui/handles.h"

namespace lupendo {

TOptionsForm* OptionsForm = nullptr;
unsigned long ActiveColor = 0x00C0FFFF;
unsigned long InactiveColor = 0x00F0F0F0;
bool OptionsLoading = false;

namespace {
constexpr int kPages[] = {IDD_PAGE_GENERAL, IDD_PAGE_CURSOR, IDD_PAGE_CAPTURE,
                          IDD_PAGE_APPEARANCE, IDD_PAGE_INFO, IDD_PAGE_INSTALL};
// Tree nodes in order; the index is what "LastSelected" stores.
const char* const kNodes[] = {"General", "Zoom at Cursor", "Capture to File", "Appearance", "System Info", "Install"};
// Page of a node's text (index into kPages).
struct TPageOfNode {
  const char* Text;
  size_t Page;
};
const TPageOfNode kPageOfNode[] = {{"Appearance", 3},     {"General", 0},     {"Capture to File", 2},
                                   {"Zoom at Cursor", 1}, {"System Info", 4}, {"Install", 5}};
constexpr const char* kOptions = "Options";

// Whole numbers as the edits take them: an optional sign and decimal digits.
int ParseInteger(const std::string& text) {
  const std::string error = "'" + text + "' is not a valid integer value";
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) throw std::runtime_error(error);
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') throw std::runtime_error(error);
    value = value * 10 + (text[i] - '0');
    if (value > 0x80000000LL) throw std::runtime_error(error);
  }
  if (!negative && value > 0x7FFFFFFFLL) throw std::runtime_error(error);
  return static_cast<int>(negative ? -value : value);
}

RECT ChildRect(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}
}  // namespace

TOptionsForm::TOptionsForm() {
  // The one dialog of the program: the options it loads below go into these controls.
  OptionsForm = this;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
  const LPARAM self = reinterpret_cast<LPARAM>(this);
  FHandle = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_OPTIONS), nullptr,
                               &TOptionsForm::DialogProc, self);
  if (!FHandle) throw std::runtime_error("Could not create the settings dialog");
  const RECT pageArea = ChildRect(GetDlgItem(FHandle, IDC_plParent));
  for (int page : kPages) {
    HWND wnd = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(page), FHandle,
                                  &TOptionsForm::DialogProc, self);
    if (!wnd) throw std::runtime_error("Could not create a settings page");
    SetWindowPos(wnd, nullptr, pageArea.left, pageArea.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    FPages.push_back(wnd);
  }
  FOkPlace = ChildRect(GetDlgItem(FHandle, IDOK));
  FCancelPlace = ChildRect(GetDlgItem(FHandle, IDCANCEL));
  FillTree(false);

  // Our colour picker in the place the page keeps for it.
  {
    const RECT box = ChildRect(Control(IDC_HSVBox1));
    FColourBox = std::make_unique<TColourPicker>(GetParent(Control(IDC_HSVBox1)), box.left, box.top, IDC_HSVBox1 + 1000);
    FColourBox->OnChange = [this] { HSVBox1Change(); };
  }

  // Design values of the controls.
  SendMessageA(Control(IDC_seBW_Spin), UDM_SETRANGE32, 0, 30);
  SetSpinValue(IDC_seBW, 3);
  SendMessageA(Control(IDC_seRate_Spin), UDM_SETRANGE32, 0, 0x7FFFFFFF);
  static UDACCEL rateStep{0, 10};  // steps of 10 ms
  SendMessageA(Control(IDC_seRate_Spin), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&rateStep));
  SetSpinValue(IDC_seRate, 100);
  SendMessageA(Control(IDC_tbJpgQuality), TBM_SETRANGE, FALSE, MAKELPARAM(1, 100));
  SendMessageA(Control(IDC_tbJpgQuality), TBM_SETLINESIZE, 0, 10);
  SendMessageA(Control(IDC_tbJpgQuality), TBM_SETTICFREQ, 10, 0);
  SetTrackPosition(IDC_tbJpgQuality, 70);
  for (int id : {IDC_rbActiveColor, IDC_cbBottomPane, IDC_cbLevel, IDC_cbColor, IDC_rbHex, IDC_rbRGB,
                 IDC_rbPackbits, IDC_cbText, IDC_cbShowCursor, IDC_cbShortCut, IDC_cbProgramFolder})
    SendMessageA(Control(id), BM_SETCHECK, BST_CHECKED, 0);
  FSlider.SetMin(0);
  FSlider.SetMax(94);

  // The border width keeps its range 0 ... 30: the up-down control clamps what it reads to
  // its range, so a minimum raised to the dialog-frame width would turn a stored 0 into 3.
  LoadOptions();

  // The slider on the general page, in the place of its bar picture; its events are attached
  // after the stored position is set, so creating it reports no change.
  FSlider.SetPosition(OpenConfigFile("")->ReadInteger(kOptions, "Sliderpos", 0));
  {
    const RECT bar = ChildRect(Control(IDC_ImgSlBar));
    ShowWindow(Control(IDC_ImgSlBar), SW_HIDE);
    FSliderControl = std::make_unique<TSliderControl>(GetParent(Control(IDC_ImgSlBar)), bar.left, bar.top,
                                                      IDC_ImgSlBar + 1000, FSlider);
    FSliderControl->OnBarMouseDown = [this](int x) { ImgSlBarMouseDown(x); };
    FSliderControl->OnMouseUp = [this] { SliderChanged(); };
    RECT placed = ChildRect(FSliderControl->Handle());
    const RECT label = ChildRect(Control(IDC_lbSlider));
    SetWindowPos(Control(IDC_lbSlider), nullptr, placed.right + 3, label.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  FSlider.OnMove = [this] { SliderChanged(); };
  SliderChanged();
}

TOptionsForm::~TOptionsForm() {
  if (OptionsForm == this) OptionsForm = nullptr;
  FSliderControl.reset();
  FColourBox.reset();
  if (FHandle) DestroyWindow(FHandle);
}

std::unique_ptr<TOptionsForm> CreateOptionsForm() { return std::make_unique<TOptionsForm>(); }

// ---- controls ----

HWND TOptionsForm::Control(int id) const {
  for (HWND page : FPages)
    if (HWND wnd = GetDlgItem(page, id)) return wnd;
  return GetDlgItem(FHandle, id);
}

bool TOptionsForm::Checked(int id) const { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TOptionsForm::SetChecked(int id, bool checked) {
  HWND wnd = Control(id);
  if (!wnd) return;
  const bool was = Checked(id);
  LONG style = GetWindowLongA(wnd, GWL_STYLE) & 0x0F;
  const bool radio = style == BS_AUTORADIOBUTTON || style == BS_RADIOBUTTON;
  if (checked && radio) {
    HWND page = GetParent(wnd);
    for (HWND other = GetNextDlgGroupItem(page, wnd, FALSE); other && other != wnd;
         other = GetNextDlgGroupItem(page, other, FALSE))
      SendMessageA(other, BM_SETCHECK, BST_UNCHECKED, 0);
  }
  SendMessageA(wnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  // As with a click: check boxes report every change, radio buttons becoming checked.
  if (was != checked && (!radio || checked)) Command(id, BN_CLICKED);
}

int TOptionsForm::SpinValue(int editId) const {
  BOOL error = FALSE;
  return static_cast<int>(SendMessageA(Control(editId + 1), UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error)));
}

void TOptionsForm::SetSpinValue(int editId, int value) { SendMessageA(Control(editId + 1), UDM_SETPOS32, 0, value); }

void TOptionsForm::SetSpinMinimum(int editId, int minimum) {
  int low = 0, high = 0;
  SendMessageA(Control(editId + 1), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
  SendMessageA(Control(editId + 1), UDM_SETRANGE32, minimum, high);
}

int TOptionsForm::TrackPosition(int id) const { return static_cast<int>(SendMessageA(Control(id), TBM_GETPOS, 0, 0)); }
void TOptionsForm::SetTrackPosition(int id, int position) {
  SendMessageA(Control(id), TBM_SETPOS, TRUE, position);
  if (id == IDC_tbJpgQuality) tbJpgQualityChange();
}
void TOptionsForm::SetControlEnabled(int id, bool enabled) { EnableWindow(Control(id), enabled); }
void TOptionsForm::SetText(int id, const char* text) { SetWindowTextA(Control(id), text); }
std::string TOptionsForm::Text(int id) const {
  char text[256] = {};
  GetWindowTextA(Control(id), text, sizeof text);
  return text;
}

unsigned long TOptionsForm::BoxColour() const { return FColourBox ? FColourBox->Colour() : 0; }
void TOptionsForm::SetBoxColour(unsigned long colour) {
  if (FColourBox) FColourBox->SetColour(static_cast<COLORREF>(colour));
}

// ---- messages ----

INT_PTR CALLBACK TOptionsForm::DialogProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) SetWindowLongPtrA(wnd, DWLP_USER, lParam);
  auto* form = reinterpret_cast<TOptionsForm*>(GetWindowLongPtrA(wnd, DWLP_USER));
  if (!form) return msg == WM_INITDIALOG ? TRUE : FALSE;
  try {
    return form->HandleMessage(wnd, msg, wParam, lParam);
  } catch (const std::exception& e) {
    ui::Application().ShowException(e.what());
  } catch (...) {
    ui::Application().ShowException("Unknown error");
  }
  return TRUE;
}

INT_PTR TOptionsForm::HandleMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      Command(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lParam) == Control(IDC_tbJpgQuality)) tbJpgQualityChange();
      return TRUE;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->idFrom == IDC_TreeView1 && header->code == TVN_SELCHANGEDA) TreeView1Change();
      return TRUE;
    }
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (item->CtlID == IDC_plShowCol) {
        ui::TBrushHandle brush(CreateSolidBrush(static_cast<COLORREF>(BoxColour())));
        FillRect(item->hDC, &item->rcItem, brush.Get());
        FrameRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_BTNSHADOW));
      }
      return TRUE;
    }
    case WM_CLOSE:
      // The close box: what took effect stays, nothing is stored.
      if (wnd == FHandle) EndModal(0);
      return TRUE;
  }
  return FALSE;
}

void TOptionsForm::Command(int id, int code) {
  if (code == EN_CHANGE) {
    if ((id == IDC_EditR || id == IDC_EditG || id == IDC_EditB) && !FFillingEdits) EditKeyUp(id);
    if (id == IDC_seBW) seBWChange();
    return;
  }
  if (code != BN_CLICKED) return;
  switch (id) {
    case IDOK: bbOkClick(); break;
    case IDCANCEL: bbCancelClick(); break;
    case IDC_bbHelp: bbHelpClick(); break;
    case IDC_rbActiveColor: if (Checked(id)) rbActiveColorClick(); break;
    case IDC_rbInactiveColor: if (Checked(id)) rbInactiveColorClick(); break;
    case IDC_cbBottomPane: cbBottomPaneClick(); break;
    case IDC_cbStatus:
    case IDC_cbShowZFocus: cbStatusClick(); break;
    case IDC_cbLevel: cbLevelClick(); break;
    case IDC_cbMouseXY: cbMouseXYClick(); break;
    case IDC_rbHSV: if (Checked(id)) rbHSVClick(); break;
  }
}

// ---- tree and pages ----

void TOptionsForm::FillTree(bool installOnly) {
  HWND tree = GetDlgItem(FHandle, IDC_TreeView1);
  TreeView_DeleteAllItems(tree);
  FNodes.clear();
  for (const char* text : kNodes) {
    if (installOnly && std::string(text) != "Install") continue;
    TVINSERTSTRUCTA insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>(text);
    FNodes.push_back(reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert))));
  }
}

int TOptionsForm::SelectedIndex() const {
  HTREEITEM selected = TreeView_GetSelection(GetDlgItem(FHandle, IDC_TreeView1));
  for (size_t i = 0; i < FNodes.size(); ++i)
    if (FNodes[i] == selected) return static_cast<int>(i);
  return -1;
}

void TOptionsForm::SelectIndex(int index) {
  // A stored page that no longer exists shows the first one.
  if (index < 0 || index >= static_cast<int>(FNodes.size())) index = 0;
  if (!FNodes.empty()) TreeView_SelectItem(GetDlgItem(FHandle, IDC_TreeView1), FNodes[static_cast<size_t>(index)]);
}

HWND TOptionsForm::PageOf(const std::string& text) const {
  for (const TPageOfNode& p : kPageOfNode)
    if (text == p.Text) return FPages[p.Page];
  return nullptr;
}

void TOptionsForm::TreeView1Change() {
  if (FCurrentPage) ShowWindow(FCurrentPage, SW_HIDE);
  FCurrentPage = nullptr;
  HWND tree = GetDlgItem(FHandle, IDC_TreeView1);
  HTREEITEM selected = TreeView_GetSelection(tree);
  if (!selected) return;
  char text[64] = {};
  TVITEMA item{};
  item.mask = TVIF_TEXT;
  item.hItem = selected;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  FCurrentPage = PageOf(text);
  if (FCurrentPage) ShowWindow(FCurrentPage, SW_SHOW);
}

// ---- showing ----

void TOptionsForm::FormShow() {
  RECT own{};
  GetWindowRect(FHandle, &own);
  const int width = own.right - own.left, height = own.bottom - own.top;
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  int left = 0, top = 0, index = 0;
  if (!InstallMode) {
    if (!FNodes.empty() && FNodes.size() == std::size(kNodes)) {
      // The first normal showing drops the install page from the tree.
      TreeView_DeleteItem(GetDlgItem(FHandle, IDC_TreeView1), FNodes.back());
      FNodes.pop_back();
    }
    if (KvZoom) {
      left = KvZoom->Left() + KvZoom->Width() + 10;
      if (left + width > screenWidth) left = KvZoom->Left() - width;
      top = KvZoom->Top() - 30;
    }
    HDC screen = GetDC(nullptr);
    const double pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    char ppi[32];
    std::snprintf(ppi, sizeof ppi, "%.2f PPI", pixelsPerInch);
    SetText(IDC_lbPPI, ppi);
    // Inside the work area: the screen without the taskbar.
    RECT work{0, 0, screenWidth, screenHeight};
    if (HWND tray = FindWindowA("Shell_TrayWnd", nullptr)) {
      RECT bar{};
      GetWindowRect(tray, &bar);
      if (bar.top > 0) work.bottom = bar.top;
      else if (bar.bottom < screenHeight && bar.right >= screenWidth) work.top = bar.bottom;
      else if (bar.left > 0) work.right = bar.left;
      else if (bar.right < screenWidth) work.left = bar.right;
    }
    if (left < work.left) left = work.left + 10;
    if (top < work.top) top = work.top + 10;
    if (left + width > work.right) left = work.right - width - 10;
    if (top + height > work.bottom) top = work.bottom - height - 10;
    index = OpenConfigFile("")->ReadInteger(kOptions, "LastSelected", 0);
    SetWindowTextA(FHandle, "  Settings");
  } else {
    MessageBeep(MB_OK);
    left = (screenWidth - width) / 2;
    top = (screenHeight - height) / 2;
    FillTree(true);
    SetWindowTextA(FHandle, " Lupendo installation options");
    ShowWindow(GetDlgItem(FHandle, IDC_bbHelp), SW_HIDE);
    ShowWindow(GetDlgItem(FHandle, IDCANCEL), SW_HIDE);
    SetWindowPos(GetDlgItem(FHandle, IDOK), nullptr, FCancelPlace.left, FCancelPlace.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowTextA(GetDlgItem(FHandle, IDOK), "Finish");
    index = 0;
  }
  SetWindowPos(FHandle, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  FBorderChanged = FBottomPaneChanged = 0;
  FShownSliderPosition = FSlider.Position();
  RememberShownOptions();
  SelectIndex(index);
  TreeView1Change();
}

void TOptionsForm::FormHide() {
  if (FCurrentPage) ShowWindow(FCurrentPage, SW_HIDE);
  if (!InstallMode) OpenConfigFile("")->WriteInteger(kOptions, "LastSelected", SelectedIndex());
}

int TOptionsForm::ShowModal() {
  FormShow();
  HWND owner = KvZoom && KvZoom->HandleAllocated() ? KvZoom->Handle() : nullptr;
  if (owner) EnableWindow(owner, FALSE);
  ShowWindow(FHandle, SW_SHOW);
  SetForegroundWindow(FHandle);
  FModal = true;
  FModalResult = -1;
  bool quit = false;
  WPARAM quitCode = 0;
  while (FModalResult == -1) {
    MSG msg;
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
      quit = true;
      quitCode = msg.wParam;
      break;
    }
    bool handled = false;
    // Every key of the program's windows reaches the magnifier's commands, also here.
    if (ui::Application().OnMessage) ui::Application().OnMessage(msg, handled);
    if (handled) continue;
    if (!IsDialogMessageA(FHandle, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  FModal = false;
  if (owner) EnableWindow(owner, TRUE);
  FormHide();
  ShowWindow(FHandle, SW_HIDE);
  if (owner) SetForegroundWindow(owner);
  if (quit) PostQuitMessage(static_cast<int>(quitCode));
  return FModalResult == -1 ? 0 : FModalResult;
}

void TOptionsForm::EndModal(int result) {
  if (!FModal) return;
  FModalResult = result;
  // Wakes the modal loop, which may be waiting for a posted message (a click sent from
  // another program arrives as a sent one).
  PostMessageA(FHandle, WM_NULL, 0, 0);
}

void TOptionsForm::RedrawMagnifier() {
  if (KvZoom && KvZoom->HandleAllocated())
    RedrawWindow(KvZoom->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// ---- colour ----

void TOptionsForm::HSVBox1Change() {
  const unsigned long colour = BoxColour();
  FFillingEdits = true;
  SetText(IDC_EditR, std::to_string(colour & 0xFF).c_str());
  SetText(IDC_EditG, std::to_string((colour >> 8) & 0xFF).c_str());
  SetText(IDC_EditB, std::to_string((colour >> 16) & 0xFF).c_str());
  FFillingEdits = false;
  InvalidateRect(Control(IDC_plShowCol), nullptr, FALSE);
  if (Checked(IDC_rbActiveColor))
    ActiveColor = colour;
  else
    InactiveColor = colour;
  if (Visible()) RedrawMagnifier();
}

void TOptionsForm::EditKeyUp(int id) {
  const std::string text = Text(id);
  if (text.empty()) return;
  int value = ParseInteger(text);
  value = value < 0 ? 0 : value > 255 ? 255 : value;
  unsigned long colour = BoxColour();
  const int shift = id == IDC_EditR ? 0 : id == IDC_EditG ? 8 : 16;
  colour = (colour & ~(0xFFul << shift)) | (static_cast<unsigned long>(value) << shift);
  SetBoxColour(colour);
  HSVBox1Change();
}

void TOptionsForm::rbActiveColorClick() {
  SetBoxColour(ActiveColor);
  HSVBox1Change();
}

void TOptionsForm::rbInactiveColorClick() {
  SetBoxColour(InactiveColor);
  HSVBox1Change();
}

// ---- frame and panel ----

void TOptionsForm::seBWChange() {
  if (OptionsLoading || !KvZoom) return;
  KvZoom->LayoutFrame();
  RedrawMagnifier();
  FBorderChanged = 1;
}

void TOptionsForm::cbBottomPaneClick() {
  if (OptionsLoading) return;
  TMIniFile& config = *OpenConfigFile("");
  if (Checked(IDC_cbBottomPane)) {
    SetSpinValue(IDC_seBW, config.ReadInteger(kOptions, "OldMyBrdrW", 15));
    SetControlEnabled(IDC_seBW, true);
    SetControlEnabled(IDC_seBW_Spin, true);
  } else {
    config.WriteInteger(kOptions, "OldMyBrdrW", SpinValue(IDC_seBW));
    SetSpinValue(IDC_seBW, 3);
    SetControlEnabled(IDC_seBW, false);
    SetControlEnabled(IDC_seBW_Spin, false);
  }
  if (KvZoom) {
    KvZoom->LayoutFrame();
    FBottomPaneChanged = 1;
    KvZoom->PrepareView();
    RedrawMagnifier();
  }
}

void TOptionsForm::cbStatusClick() { RedrawMagnifier(); }

// ---- general page ----

void TOptionsForm::cbLevelClick() {
  const bool level = Checked(IDC_cbLevel);
  if (Checked(IDC_cbMouseXY) == level) SetChecked(IDC_cbMouseXY, !level);
}

void TOptionsForm::cbMouseXYClick() {
  const bool mouse = Checked(IDC_cbMouseXY);
  if (Checked(IDC_cbLevel) == mouse) SetChecked(IDC_cbLevel, !mouse);
}

void TOptionsForm::rbHSVClick() { SetChecked(IDC_rbInteger, true); }

void TOptionsForm::tbJpgQualityChange() {
  SetText(IDC_lbJpgQ, std::to_string(TrackPosition(IDC_tbJpgQuality)).c_str());
}

// ---- slider ----

void TOptionsForm::ImgSlBarMouseDown(int x) {
  FSlider.SetPosition(SliderPositionAt(x, FSlider.BarWidth(), FSlider.Min(), FSlider.Max()));
  SliderChanged();
}

void TOptionsForm::SliderChanged() {
  char text[16];
  std::snprintf(text, sizeof text, "%.1f", FSlider.Position() / 100.0);
  SetText(IDC_lbSlider, text);
  if (FSliderControl) FSliderControl->Refresh();
  if (Visible() && KvZoom) KvZoom->ResetTools();
}

// ---- buttons ----

void TOptionsForm::bbOkClick() {
  if (InstallMode) {
    // A failed step is reported and the program starts anyway; without "Path" written, the
    // next start offers the installation again.
    try {
      RunInstallation(Checked(IDC_cbShortCut), Checked(IDC_cbProgramFolder));
    } catch (const std::exception& e) {
      ui::Application().ShowException(e.what());
    }
  } else {
    SaveOptions();
    OpenConfigFile("")->WriteInteger(kOptions, "Sliderpos", FSlider.Position());
  }
  EndModal(IDOK);
}

namespace {
const int kStoredChecks[] = {IDC_cbLevel,   IDC_cbMouseXY,  IDC_cbShowZFocus, IDC_cbUseDirectDraw, IDC_rbInteger,
                             IDC_rbHex,     IDC_rbRGB,      IDC_rbHSV,        IDC_rbNone,          IDC_rbPackbits,
                             IDC_rbJpeg,    IDC_cbBottomPane, IDC_cbStatus,   IDC_cbText,          IDC_cbShowCursor};
}  // namespace

void TOptionsForm::RememberShownOptions() {
  FShown.Checks.clear();
  for (int id : kStoredChecks) FShown.Checks.emplace_back(id, Checked(id));
  FShown.BorderWidth = SpinValue(IDC_seBW);
  FShown.Rate = SpinValue(IDC_seRate);
  FShown.JpgQuality = TrackPosition(IDC_tbJpgQuality);
  FShown.Active = ActiveColor;
  FShown.Inactive = InactiveColor;
}

// The controls as the dialog opened, without running their handlers.
void TOptionsForm::RestoreShownOptions() {
  OptionsLoading = true;
  struct TReset {
    ~TReset() { OptionsLoading = false; }
  } reset;
  for (auto [id, checked] : FShown.Checks)
    SendMessageA(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  SetSpinValue(IDC_seBW, FShown.BorderWidth);
  SetSpinValue(IDC_seRate, FShown.Rate);
  SetTrackPosition(IDC_tbJpgQuality, FShown.JpgQuality);
  ActiveColor = FShown.Active;
  InactiveColor = FShown.Inactive;
}

void TOptionsForm::bbCancelClick() {
  if (InstallMode) return;  // there is no Cancel in install mode
  // Stored values come back; where nothing is stored, the values the dialog opened with.
  RestoreShownOptions();
  LoadOptions();
  // Without a stored position the one the dialog opened with comes back.
  const int stored = OpenConfigFile("")->ReadInteger(kOptions, "Sliderpos", FShownSliderPosition);
  if (stored != FSlider.Position()) FSlider.SetPosition(stored);
  // The panel switch takes the remembered width when it is on again; the width loaded above
  // is the one to keep.
  const int width = SpinValue(IDC_seBW);
  if (FBottomPaneChanged) cbBottomPaneClick();
  if (Checked(IDC_cbBottomPane) && SpinValue(IDC_seBW) != width) SetSpinValue(IDC_seBW, width);
  if (FBorderChanged) seBWChange();
  EndModal(IDCANCEL);
}

void TOptionsForm::bbHelpClick() {
  const std::string address = ProgramFolder() + "help2z.htm#7";
  bool shown = false;
  // The browser's automation object, if the system has one.
  {
    ui::TComApartment apartment;
    CLSID clsid{};
    ui::TComPtr<IDispatch> browser;
    if (SUCCEEDED(CLSIDFromProgID(L"InternetExplorer.Application", &clsid)) &&
        SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER, IID_IDispatch,
                                   browser.Out())) &&
        browser) {
      auto call = [&](const wchar_t* name, WORD kind, VARIANT* arg) {
        DISPID id = 0;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        if (FAILED(browser->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return false;
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS params{arg, kind == DISPATCH_PROPERTYPUT ? &named : nullptr, 1,
                          kind == DISPATCH_PROPERTYPUT ? 1u : 0u};
        return SUCCEEDED(browser->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, nullptr, nullptr, nullptr));
      };
      VARIANT visible;
      VariantInit(&visible);
      visible.vt = VT_BOOL;
      visible.boolVal = VARIANT_TRUE;
      std::wstring wide(address.begin(), address.end());
      VARIANT url;
      VariantInit(&url);
      url.vt = VT_BSTR;
      url.bstrVal = SysAllocString(wide.c_str());
      shown = call(L"Visible", DISPATCH_PROPERTYPUT, &visible) && call(L"Navigate", DISPATCH_METHOD, &url);
      VariantClear(&url);
    }
  }
  if (!shown) {
    const std::string help = ProgramFolder() + "helpz.htm";
    ShellExecuteA(FHandle, "open", help.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }
}

}  // namespace lupendo
