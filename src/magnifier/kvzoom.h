#pragma once
// The magnifier window: a captionless popup with a sizing frame that paints its own frame
// and shows the screen under itself enlarged. One object holds the state every tool shares;
// its methods are split over files by concern (kvzoom_*.cpp).
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/kv_speed_button.h"
#include "magnifier/ddbitmap.h"
#include "magnifier/zoom_geometry.h"
#include "ui/handles.h"
#include "ui/popup_menu.h"
#include "ui/timer.h"
#include "ui/window.h"

namespace lupendo {

class TMIniFile;

class TKvZoom : public ui::TWindow {
 public:
  static constexpr const char* kClassName = "TKvZoom";

  TKvZoom();
  ~TKvZoom() override;

  // Creates the window handle if needed, runs the show initialisation and makes it visible.
  void Show();
  // Asks the window to close (the close handler saves the settings; the program ends).
  void Close();

  void SetBounds(int left, int top, int width, int height);
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }

  // Loads the keyboard hook library once while the window lives.
  void CheckKeyDll();
  void ResetTools();

  // Runs the handler of a menu item by its command id; false for an unknown id.
  bool ExecuteCommand(UINT id);
  ui::TPopupMenu& PopupSettings() { return FPopupSettings; }
  ui::TPopupMenu& PopupFrame() { return FPopupFrame; }
  ui::TPopupMenu& PopupLine() { return FPopupLine; }
  ui::TPopupMenu& PopupQuickZoom() { return FPopupQuickZoom; }

  // Settings moved between the window and the configuration.
  void LoadMainSettings(TMIniFile& config);
  void SaveMainSettings(TMIniFile& config);

  float Zoom() const { return FZoom; }
  POINT Focus() const { return FFocus; }
  POINT ViewPoint() const { return FViewPoint; }
  int TopBarHeight() const { return FTopBarHeight; }
  int BottomBarHeight() const { return FBottomBarHeight; }
  int BorderWidth() const { return FBorderWidth; }
  RECT ZoomAreaRect() const { return FZoomAreaRect; }
  TDDBitmap* Snapshot() const { return FSnapshot.get(); }
  const TPackedDIB& ZoomedImage() const { return FZoomedImage; }
  bool SmoothUnavailable() const { return FSmoothUnavailable; }
  // The window's buttons, in creation order (tests and the settings dialog look them up).
  TKvSpeedButton* Button(const std::string& name) const;

  // Zoom engine (kvzoom_zoom.cpp).
  void ChangeZoom(bool useMouse, float delta);
  void PrepareZoomedImage(TDDBitmap* buffer, POINT focus, POINT viewPoint);
  void PaintZoom(bool withFrame);
  void RepaintZoom(bool withFrame);
  void RecreateBuffers(bool grab);
  void RefreshSnapshot(bool force);
  void GrabScreenRect(TDDBitmap& buffer, const RECT& source, POINT destPoint);
  bool CheckColorDepth(const std::string& message, TPackedDIB& image);
  // (x, y, w, h) in zoom-image client coordinates to snapshot pixels (x, y, w, h).
  RECT ClientToSource(const RECT& r) const;
  void SmoothZoom1Click();
  // Rebuilds the zoom image of the snapshot for the current focus and view point.
  void PrepareView() { PrepareZoomedImage(FSnapshot.get(), FFocus, FViewPoint); }

  // Frame (kvzoom_frame.cpp).
  void LayoutFrame();
  void PaintFrame();
  void SetWindowShape(bool full, RECT& inner);
  void RepaintControls();

  // Commands (kvzoom_commands.cpp).
  void KeyCommand(WORD key, const BYTE keyState[256]);
  void DragStep(int x, int y);
  void Zoom101Click(float zoom);
  bool CursorInZoomArea(int& x, int& y);
  void CancelTools(TKvSpeedButton* sender);
  bool StayOnTop() const { return FStayOnTop; }
  HMODULE HookLibrary() const { return FHookLibrary; }
  HHOOK KeyboardHook() const { return FKeyboardHook; }
  // Refresh timer of the zoom at the screen cursor; its interval is the configured rate.
  ui::TTimer& RefreshTimer() { return Timer1; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void HandleDestroyed() override;

 private:
  // life (kvzoom_life.cpp)
  void FormCreate();
  void FormShow();
  void FormClose();
  void FormDestroy();
  void CreateParams(DWORD& style, DWORD& exStyle);
  void EnsureHandle();
  void AppMessage(MSG& msg);
  LRESULT WmActivate(WPARAM wParam, LPARAM lParam);
  LRESULT WmPaint(WPARAM wParam, LPARAM lParam);
  LRESULT WmNcPaint(WPARAM wParam, LPARAM lParam);
  void WmNcLButtonDown();
  void WmEnterSizeMove();
  void WmExitSizeMove();
  void WmWindowPosChanged(const WINDOWPOS& pos);
  LRESULT WmNcCalcSize(WPARAM wParam, LPARAM lParam);
  bool WmSysKeyDown(WPARAM key);
  static POINT MousePoint(LPARAM lParam);
  void RestoreDragFullWindows(UINT flags);

  // menus and commands (kvzoom_menus.cpp)
  void CreateMenus();
  void XitBtnClick();
  void Help1Click();
  void Settings1Click();
  void TimerOptionsTimer();

  // hook library (kvzoom_hook.cpp)
  void HookNotification(WPARAM key, LPARAM flags);
  void FreeHookLibrary();

  // Operations whose features are not built yet (kvzoom_pending.cpp).
  void TimerActivateTimer();
  void TimerMinimizedTimer();
  void TimerMouseXYTimer();
  void Timer1Timer();
  void MoveDockedNeighbours(bool back);
  void RepaintPanel();
  void InitMeasurement();
  void FreeCaptureFrame();
  void EndMeasurement();
  void StayonTop1Click();
  void CaptureScreen1Click();
  void ZoomatScreenCursor1Click();
  void Measuredistance1Click();
  void Gauge1Click();
  void SetDefault1Click();
  void CaptureCancelClick();
  void CaptureClick(bool toFile);

  // The view geometry of the window's current state.
  TViewState ViewState() const;
  // Asks the visible windows below this one that meet area (screen) to repaint their part of
  // it now, then the desktop: the screen then shows what lies under the window.
  void RepaintWindowsBelow(HRGN area);

  // buttons and mouse (kvzoom_frame.cpp, kvzoom_commands.cpp)
  void CreateButtons();
  void LoadButtonPictures();
  void ApplyAnchors(int oldWidth, int oldHeight);
  void UpdateToolTips();
  void RepaintButtonArea(const TKvSpeedButton& button);
  void PaintButtons(HDC windowDC, HRGN onlyCornersIn);
  void DrawFocusMarker();
  TKvSpeedButton* ButtonAt(POINT client) const;
  void WmMouseMove(WPARAM keys, POINT pt);
  void WmMouseDown(int button, WPARAM keys, POINT pt);
  void WmMouseUp(int button, WPARAM keys, POINT pt);
  void WmDoubleClick(int button, WPARAM keys, POINT pt);
  void WmMouseWheel(int delta, WPARAM keys);
  void WmMouseLeave();
  bool WmSetCursor(LPARAM lParam);
  void FormMouseMove(WPARAM keys, POINT pt);
  void FormMouseDown(int button, WPARAM keys, POINT pt);
  void FormMouseUp(int button, WPARAM keys, POINT pt);
  void ToggleBar();
  void ToggleTopAlignment();
  void sbOptionsClick();
  void sbLogoMouseUp();
  void sbNavigateClick();
  void sbMinimizeClick();
  void sbDistanceClick();
  void ibCursorClick();
  void sbDoCaptureClick();
  void PanelZoomChanged(POINT anchor);

  // options held by the settings dialog (design defaults while it does not exist)
  bool OptionChecked(int id, bool designDefault) const;
  int BorderOption() const;
  int SliderPosition() const;
  bool SmoothZoomChecked();

  // bounds as the system reports them
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  bool FBoundsSet = false;

  // shared state
  float FZoom = 2.0f;
  POINT FFocus{};
  POINT FViewPoint{};
  POINT FZoomAnchor{};
  int FTopBarHeight = 30;
  int FBottomBarHeight = 30;
  int FFrameWidth = 3;
  int FBorderWidth = 15;
  HRGN FUpdateRgn = nullptr;
  bool FReady = false;
  bool FFramePainting = false;
  bool FInSizeMove = false;
  BOOL FSavedDragFullWindows = FALSE;
  bool FDragFullWindowsRead = false;
  RECT FSizeMoveStartRect{};
  bool FActive = false;
  bool FStayOnTop = false;
  bool FHandleCreatedOnce = false;
  bool FKeepBuffers = false;
  int FWheelCount = 0;
  HMODULE FHookLibrary = nullptr;
  FARPROC FHookEntry = nullptr;
  HHOOK FKeyboardHook = nullptr;
  bool FHookLoadTried = false;
  bool FForceGrab = false;
  bool FRequeryCursor = false;
  POINT FChangedPixel{-10000, -10000};
  int FScanPhase = 0;
  int FScanStep = 0;
  bool FMouseDown = false;
  // screen cursor number shown over the window; 0 is the default arrow
  int FFormCursor = 0;
  HWND FTargetWindow = nullptr;
  bool FKeepTarget = false;
  bool FCtrlDown = false;
  RECT FTargetRect{-1, -1, -1, -1};

  // zoom engine
  std::unique_ptr<TDDBitmap> FSnapshot, FSpareBuffer, FGrabBuffer, FMeasureBuffer;
  TPackedDIB FZoomedImage, FLastGrabImage;
  int FScreenBits = 0;
  bool FSmoothUnavailable = false;
  int FImageTop = 3;
  // source rectangle (left, top, right, bottom) of the current pre-scaled image
  RECT FViewRect{};
  HDC FPaintDC = nullptr;

  // frame geometry (window coordinates)
  RECT FWindowRect{}, FZoomAreaRect{}, FTopBarRect{}, FBottomBarRect{};
  ui::TRegionHandle FFrameRgn, FZoomRgn, FTopBarRgn, FBottomBarRgn, FBorderRgn;
  POINT FPanelText[4]{};
  RECT FPanelBox1{}, FPanelBox2{};

  // buttons
  std::vector<std::unique_ptr<TKvSpeedButton>> FButtons;
  TKvSpeedButton *sbDistance = nullptr, *ibCursor = nullptr, *sbCapture = nullptr, *sbNavigate = nullptr,
                 *sbOptions = nullptr, *sbMinimize = nullptr, *XitBtn = nullptr, *sbLogo = nullptr,
                 *sbMagicLogo = nullptr;
  std::vector<ui::TBitmapHandle> FPictures;
  ui::TFontHandle FLogoFont;
  HWND FToolTip = nullptr;
  TKvSpeedButton* FButtonCapture = nullptr;
  bool FTrackingLeave = false;

  // commands
  POINT FDragOrigin{-1, -1};
  POINT FLastMousePos{};
  int FModeCursor = 0;
  POINT FCursorClient{};
  bool FMouseInBar = false;

  // placement and other persisted values
  bool FDocked = false;
  BYTE FDockSide = 0;
  POINT FKeptMousePoint{};
  std::string FSaveDir;
  int FCurUnitIndex = 2;
  BYTE FCurrentUnit = 3;
  BYTE FGaugeUnit = 3;
  double FPixelsPerUnit = 0;

  // unit-wide flags of the window
  bool ZoomShown = false;
  bool RegrabBusy = false;
  bool AppMinimized = false;

  ui::TPopupMenu FPopupSettings, FPopupFrame, FPopupLine, FPopupQuickZoom;
  ui::TTimer Timer1{100};
  ui::TTimer TimerMinimized{500};
  ui::TTimer TimerOptions{200};
  ui::TTimer TimerActivate{100};
  ui::TTimer TimerMouseXY{100};
  bool FDestroyed = false;
};

// The one magnifier window of the program.
extern TKvZoom* KvZoom;

}  // namespace lupendo
