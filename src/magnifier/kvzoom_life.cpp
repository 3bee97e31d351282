// Creation, showing, closing and destruction of the magnifier window, its window style and
// the messages it handles itself.
#include <windows.h>

#include <windowsx.h>

#include <stdexcept>

#include "app/command_ids.h"
#include "config/mini_file.h"
#include "config/settings.h"
#include "magnifier/kvzoom.h"
#include "magnifier/zoom_geometry.h"
#include "app/resource_ids.h"
#include "ui/application.h"
#include "ui/cursors.h"
#include "ui/handles.h"

namespace lupendo {

TKvZoom* KvZoom = nullptr;

namespace {
// The default style of a sizeable form with system menu, minimize and maximize boxes.
constexpr DWORD kFormStyle =
    WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD kToggledStyle = WS_CLIPCHILDREN | WS_MAXIMIZEBOX | WS_SYSMENU | WS_CAPTION | WS_POPUP;
}  // namespace

TKvZoom::TKvZoom() {
  KvZoom = this;
  Timer1.OnTimer = [this] { Timer1Timer(); };
  TimerMinimized.OnTimer = [this] { TimerMinimizedTimer(); };
  TimerOptions.OnTimer = [this] { TimerOptionsTimer(); };
  TimerActivate.OnTimer = [this] { TimerActivateTimer(); };
  TimerMouseXY.OnTimer = [this] { TimerMouseXYTimer(); };
  // design bounds of the form; creation moves it at once
  FLeft = 247;
  FTop = 102;
  FWidth = 311;
  FHeight = 213;
  CreateMenus();
  CreateButtons();
  FormCreate();
}

TKvZoom::~TKvZoom() {
  FormDestroy();
  DestroyHandle();
  if (KvZoom == this) KvZoom = nullptr;
}

void TKvZoom::FormCreate() {
  FHookLibrary = nullptr;
  FHookEntry = nullptr;
  FKeyboardHook = nullptr;
  FHookLoadTried = false;
  FScanPhase = 0;
  FKeepBuffers = false;
  FChangedPixel = POINT{-10000, -10000};
  FInSizeMove = false;

  FZoom = 2.0f;
  FFrameWidth = 3;
  FBorderWidth = 15;
  FTopBarHeight = 30;
  FBottomBarHeight = 30;

  SetBounds(0, 350, 330, 240);
  FFocus = POINT{FWidth / 2, FHeight / 2};

  ui::Screen().SetCursor(LUPENDO_CURSOR_FRAME, LoadCursorA(GetModuleHandleA(nullptr), "CURFRAME"));
  ui::Screen().SetCursor(LUPENDO_CURSOR_LINE, LoadCursorA(GetModuleHandleA(nullptr), "LINE"));

  LoadMainSettings(*OpenConfigFile(""));
  LoadOptions();

  FZoom = static_cast<float>(static_cast<int>(FZoom));
  if (FPopupSettings.Find("SmoothZoom1")->Checked)
    FZoom += static_cast<float>(OpenConfigFile("")->ReadInteger("Options", "Sliderpos", 0)) / 100.0f;

  FViewPoint = FFocus;

  auto previous = ui::Application().OnMessage;
  ui::Application().OnMessage = [this, previous](MSG& msg, bool& handled) {
    AppMessage(msg);
    if (previous) previous(msg, handled);
  };

  InitMeasurement();

  sbMagicLogo->Left = FWidth - sbMagicLogo->Width - 7;
  sbMagicLogo->Top = FHeight - sbMagicLogo->Height - 7;

  FCtrlDown = false;
  FTargetWindow = nullptr;
  FTargetRect = RECT{-1, -1, -1, -1};
  FKeepTarget = false;
}

void TKvZoom::CreateParams(DWORD& style, DWORD& exStyle) {
  style = kFormStyle;
  exStyle = 0;
  if (!FHandleCreatedOnce) {
    FHandleCreatedOnce = true;
    FStayOnTop = OpenConfigFile("")->ReadBool("KvZoom", "TopLevel", false);
  }
  style ^= kToggledStyle;
  if (FStayOnTop) exStyle |= WS_EX_TOPMOST;
  ZoomShown = false;
  FReady = false;
}

void TKvZoom::EnsureHandle() {
  if (HandleAllocated()) return;
  DWORD style = 0, exStyle = 0;
  CreateParams(style, exStyle);
  RegisterWindowClass(kClassName, CS_DBLCLKS, LoadIconA(GetModuleHandleA(nullptr), "MAINICON"),
                      LoadCursor(nullptr, IDC_ARROW));
  if (!CreateHandle(kClassName, "Vitrela", style, exStyle, FLeft, FTop, FWidth, FHeight, nullptr))
    throw std::runtime_error("Error creating window");
  ui::Application().SetMainWindow(Handle());
}

void TKvZoom::Show() {
  EnsureHandle();
  FormShow();
  ShowWindow(Handle(), SW_SHOWNORMAL);
  SetForegroundWindow(Handle());
  SetFocus(Handle());
}

void TKvZoom::FormShow() {
  if (ZoomShown) return;
  LoadButtonPictures();
  LayoutFrame();
  // A window region from the start: the frame is the window's own, never a window manager's
  // (Wine hands the frame of an unshaped sizing window to the X window manager).
  RECT inner{};
  SetWindowShape(true, inner);
  RecreateBuffers(true);
  FReady = true;
  SetFocus(Handle());
  ZoomShown = true;
  SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &FSavedDragFullWindows, 0);
  FDragFullWindowsRead = true;
  // The bar ends 15 pixels from the right edge; its anchors keep it there.
  const int delta = FWidth - (XitBtn->Left + XitBtn->Width) - 15;
  for (auto& b : FButtons)
    if (b->Tag == 1) b->Left += delta;
  UpdateToolTips();
  sbLogo->OverlayText = ZoomText(FZoom);
  if (FDocked) MoveDockedNeighbours(false);
  TimerMouseXY.SetEnabled(OptionChecked(IDC_cbMouseXY, false));
}

void TKvZoom::Close() {
  if (!HandleAllocated()) return;
  FormClose();
  ui::Application().Terminate();
}

void TKvZoom::FormClose() { SaveMainSettings(*OpenConfigFile("")); }

void TKvZoom::FormDestroy() {
  if (FDestroyed) return;
  FDestroyed = true;
  if (FDocked) MoveDockedNeighbours(true);
  RestoreDragFullWindows(SPIF_SENDCHANGE);
  FreeHookLibrary();
  FreeCaptureFrame();
  Timer1.SetEnabled(false);
  TimerMinimized.SetEnabled(false);
  TimerOptions.SetEnabled(false);
  TimerActivate.SetEnabled(false);
  TimerMouseXY.SetEnabled(false);
  ui::Application().OnMessage = nullptr;
}

void TKvZoom::RestoreDragFullWindows(UINT flags) {
  // Only a value read from the system is put back; a window that never showed read none.
  if (!FDragFullWindowsRead) return;
  // Telling every window about a setting that did not change only costs time (the broadcast
  // waits for each top-level window, up to seconds for a busy one).
  BOOL current = FALSE;
  if ((flags & SPIF_SENDCHANGE) && SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &current, 0) &&
      (current != FALSE) == (FSavedDragFullWindows != FALSE))
    return;
  SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, FSavedDragFullWindows, nullptr, flags);
}

void TKvZoom::SetBounds(int left, int top, int width, int height) {
  if (FBoundsSet && left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  FBoundsSet = true;
  if (HandleAllocated() && !IsIconic(Handle())) {
    // No redraw and no copied bits: the window repaints itself from its own buffers.
    SetWindowPos(Handle(), nullptr, left, top, width, height,
                 SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    return;
  }
  const int oldWidth = FWidth, oldHeight = FHeight;
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  ApplyAnchors(oldWidth, oldHeight);
  if (HandleAllocated()) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(Handle(), &placement);
    placement.rcNormalPosition = RECT{left, top, left + width, top + height};
    SetWindowPlacement(Handle(), &placement);
  }
}

void TKvZoom::WmWindowPosChanged(const WINDOWPOS& pos) {
  if (IsIconic(Handle())) return;
  if (!(pos.flags & SWP_NOMOVE)) {
    FLeft = pos.x;
    FTop = pos.y;
  }
  if (!(pos.flags & SWP_NOSIZE)) {
    const int oldWidth = FWidth, oldHeight = FHeight;
    FWidth = pos.cx;
    FHeight = pos.cy;
    ApplyAnchors(oldWidth, oldHeight);
  }
}

LRESULT TKvZoom::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      return WmPaint(wParam, lParam);
    case WM_NCPAINT:
      return WmNcPaint(wParam, lParam);
    case WM_ACTIVATE:
      return WmActivate(wParam, lParam);
    case WM_NCLBUTTONDOWN:
      WmNcLButtonDown();
      break;
    case WM_ENTERSIZEMOVE:
      WmEnterSizeMove();
      break;
    case WM_EXITSIZEMOVE:
      WmExitSizeMove();
      break;
    case LUPENDO_MSG_HOOK_KEY:
      HookNotification(wParam, lParam);
      return 0;
    case WM_WINDOWPOSCHANGED:
      WmWindowPosChanged(*reinterpret_cast<const WINDOWPOS*>(lParam));
      break;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{100, 100};
      return 0;
    case WM_NCCALCSIZE:
      return WmNcCalcSize(wParam, lParam);
    case WM_MOUSEMOVE:
      WmMouseMove(wParam, MousePoint(lParam));
      return 0;
    case WM_LBUTTONDOWN:
      WmMouseDown(0, wParam, MousePoint(lParam));
      return 0;
    case WM_RBUTTONDOWN:
      WmMouseDown(1, wParam, MousePoint(lParam));
      return 0;
    case WM_LBUTTONUP:
      WmMouseUp(0, wParam, MousePoint(lParam));
      return 0;
    case WM_RBUTTONUP:
      WmMouseUp(1, wParam, MousePoint(lParam));
      return 0;
    case WM_LBUTTONDBLCLK:
      WmDoubleClick(0, wParam, MousePoint(lParam));
      return 0;
    case WM_RBUTTONDBLCLK:
      WmDoubleClick(1, wParam, MousePoint(lParam));
      return 0;
    case WM_MOUSEWHEEL:
      WmMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam), wParam);
      return 0;
    case WM_MOUSELEAVE:
      WmMouseLeave();
      return 0;
    case WM_CAPTURECHANGED:
      if (FButtonCapture && reinterpret_cast<HWND>(lParam) != Handle()) {
        FButtonCapture->Pressed = false;
        FButtonCapture = nullptr;
      }
      break;
    case WM_SETCURSOR:
      if (WmSetCursor(lParam)) return TRUE;
      break;
    case WM_SYSKEYDOWN:
      if (WmSysKeyDown(wParam)) return 0;
      break;
    case WM_COMMAND:
      if (lParam == 0 && ExecuteCommand(LOWORD(wParam))) return 0;
      break;
    case WM_CLOSE:
      Close();
      return 0;
  }
  return DefaultHandler(msg, wParam, lParam);
}

void TKvZoom::HandleDestroyed() { FToolTip = nullptr; }

POINT TKvZoom::MousePoint(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// The client area is the window less exactly FFrameWidth on every side, whatever sizing
// frame the system would draw: all frame and zoom geometry counts on it.
LRESULT TKvZoom::WmNcCalcSize(WPARAM wParam, LPARAM lParam) {
  RECT& r = wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : *reinterpret_cast<RECT*>(lParam);
  InflateRect(&r, -FFrameWidth, -FFrameWidth);
  return 0;
}

// Alt+M opens the main menu as its button does (keys with Alt come as system keys).
bool TKvZoom::WmSysKeyDown(WPARAM key) {
  if (key != 'M') return false;
  sbOptionsClick();
  return true;
}

LRESULT TKvZoom::WmPaint(WPARAM wParam, LPARAM lParam) {
  if (!FReady) {
    // The first paint only asks for the frame.
    FReady = true;
    PostMessageA(Handle(), WM_NCPAINT, 1, 0);
    return 0;
  }
  ui::TRegionHandle update(CreateRectRgn(0, 0, 0, 0));
  GetUpdateRgn(Handle(), update.Get(), FALSE);
  FUpdateRgn = update.Get();
  // In cursor mode the refresh timer paints the zoom; a paint message only needs the frame.
  if (ibCursor->Toggled)
    PaintFrame();
  else
    PaintZoom(true);
  FUpdateRgn = nullptr;
  update.Reset();
  ui::TPaintDC validate(Handle());
  (void)wParam;
  (void)lParam;
  return 0;
}

LRESULT TKvZoom::WmNcPaint(WPARAM, LPARAM) {
  if (AppMinimized) return 0;
  ui::TRegionHandle update(CreateRectRgn(0, 0, FWidth, FHeight));
  OffsetRgn(update.Get(), -FFrameWidth, -FFrameWidth);
  FUpdateRgn = update.Get();
  PaintFrame();
  FUpdateRgn = nullptr;
  return 0;
}

LRESULT TKvZoom::WmActivate(WPARAM wParam, LPARAM lParam) {
  WORD state = LOWORD(wParam);
  FActive = state == WA_ACTIVE || state == WA_CLICKACTIVE;
  if (AppMinimized && !FKeepTarget) FTargetWindow = nullptr;
  FKeepTarget = false;
  if (AppMinimized && !RegrabBusy) {
    RecreateBuffers(true);
    RegrabBusy = true;
    TimerMinimized.SetEnabled(true);
  } else if (state != WA_INACTIVE && ZoomShown && !RegrabBusy) {
    TimerActivate.SetEnabled(true);
  } else {
    ui::TRegionHandle update(CreateRectRgn(0, 0, FWidth, FHeight));
    FUpdateRgn = update.Get();
    PaintFrame();
    FUpdateRgn = nullptr;
  }
  return DefaultHandler(WM_ACTIVATE, wParam, lParam);
}

void TKvZoom::WmNcLButtonDown() {
  // The window's content is a snapshot re-read after the move: drag an outline only.
  SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &FSavedDragFullWindows, 0);
  FDragFullWindowsRead = true;
  SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, FALSE, nullptr, 0);
}

void TKvZoom::WmEnterSizeMove() {
  FInSizeMove = true;
  FSizeMoveStartRect = RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight};
}

void TKvZoom::WmExitSizeMove() {
  RestoreDragFullWindows(0);
  FInSizeMove = false;
  RefreshSnapshot(false);
}

void TKvZoom::AppMessage(MSG& msg) {
  try {
    if (msg.message == WM_KEYDOWN) {
      BYTE keyState[256] = {};
      GetKeyboardState(keyState);
      KeyCommand(LOWORD(msg.wParam), keyState);
    } else if (msg.message == LUPENDO_MSG_RESTORE) {
      if (AppMinimized) ui::Application().Restore();
      SetForegroundWindow(Handle());
      AppMinimized = false;
    }
  } catch (...) {
    // Application messages never report errors.
  }
}

}  // namespace lupendo
