// The zoom engine: screen snapshots under the window, the pre-scaled zoom image and its
// paint, zoom changes and the smooth-zoom switch.
#include <windows.h>

#include <cmath>

#include "app/resource_ids.h"
#include "magnifier/kvzoom.h"
#include "magnifier/zoom_geometry.h"
#include "settings/options_form.h"
#include "ui/application.h"

namespace lupendo {

namespace {

constexpr const char* kSmoothDepthMessage = "Unable to smooth zoom with display settings less than HighColor(16 bit)";

RECT ToRect(const TIntRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

// Sets a flag for the life of a scope, also when it is left by an exception.
struct TBusyGuard {
  bool& Flag;
  explicit TBusyGuard(bool& flag) : Flag(flag) { Flag = true; }
  ~TBusyGuard() { Flag = false; }
};

}  // namespace

TViewState TKvZoom::ViewState() const {
  TViewState v;
  v.Width = FWidth;
  v.Height = FHeight;
  v.TopBarHeight = FTopBarHeight;
  v.BottomBarHeight = FBottomBarHeight;
  v.FrameWidth = FFrameWidth;
  v.Zoom = FZoom;
  v.Focus = TIntPoint{FFocus.x, FFocus.y};
  v.ViewPoint = TIntPoint{FViewPoint.x, FViewPoint.y};
  return v;
}

RECT TKvZoom::ClientToSource(const RECT& r) const {
  return ToRect(lupendo::ClientToSource(ViewState(), TIntRect{r.left, r.top, r.right, r.bottom}));
}

void TKvZoom::GrabScreenRect(TDDBitmap& buffer, const RECT& source, POINT destPoint) {
  buffer.GrabFrom(nullptr, destPoint, source);
}

bool TKvZoom::CheckColorDepth(const std::string& message, TPackedDIB& image) {
  {
    HDC screen = GetDC(nullptr);
    FScreenBits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
  }
  ui::TMenuItem* smooth = FPopupSettings.Find("SmoothZoom1");
  if (FScreenBits >= 16) {
    if (FScreenBits != 24 && !image.Empty()) image = EnsureDIB24(std::move(image), 3, 3);
    smooth->Enabled = true;
    return true;
  }
  image = TPackedDIB();
  FSmoothUnavailable = true;
  smooth->Checked = false;
  smooth->Enabled = false;
  if (!message.empty())
    MessageBoxA(Handle(), message.c_str(), ui::Application().Title.c_str(), MB_ICONERROR | MB_OK);
  return false;
}

void TKvZoom::PrepareZoomedImage(TDDBitmap* buffer, POINT focus, POINT viewPoint) {
  if (!buffer) return;
  FZoomedImage = TPackedDIB();
  if (FSmoothUnavailable) return;
  const bool smooth = SmoothZoomChecked();
  FZoom = std::trunc(FZoom);
  if (smooth) FZoom += static_cast<float>(SliderPosition()) / 100.0f;

  TIntRect s;
  if (buffer == FSnapshot.get()) {
    TIntPoint f{focus.x, focus.y}, p{viewPoint.x, viewPoint.y};
    if (smooth && FZoom != std::trunc(FZoom)) {
      // An intermediate factor always zooms about the window centre.
      f = p = TIntPoint{buffer->Width() / 2, buffer->Height() / 2};
      if (OptionsForm) OptionsForm->SetChecked(IDC_cbShowZFocus, false);
    }
    s = PreparedSourceRect(ViewState(), f, p);
  } else {
    const RECT& view = buffer->ViewRect();
    s = TIntRect{view.left, view.top, view.left + view.right, view.top + view.bottom};
  }
  FViewRect = ToRect(s);
  if (FZoom == 1.0f) return;

  const int width = s.Right - s.Left, height = s.Bottom - s.Top;
  if (width < 1 || height < 1) return;
  TDDBitmap part(Handle(), width, height);
  part.CopyRect(*buffer, ToRect(s));
  TPackedDIB dib = part.AsPackedDIB();
  if (!CheckColorDepth(kSmoothDepthMessage, dib)) return;
  if (smooth)
    FZoomedImage = BilinearResize(dib, RoundSingle(FZoom * static_cast<float>(width)),
                                  RoundSingle(FZoom * static_cast<float>(height)));
  else
    FZoomedImage = ScaleDIB(dib, TIntRect{0, 0, width, height}, FZoom);
}

void TKvZoom::PaintZoom(bool withFrame) {
  if (!FReady || FFramePainting || !HandleAllocated()) return;
  if (withFrame) PaintFrame();
  ui::TWindowDC dc(Handle());
  if (!dc) return;
  FPaintDC = dc.Get();
  struct TReset {
    HDC& DC;
    ~TReset() { DC = nullptr; }
  } reset{FPaintDC};

  // Without an update region (a paint from a mouse handler) the whole client area is due.
  ui::TRegionHandle clip(CreateRectRgn(0, 0, FWidth - 2 * FFrameWidth, FHeight - 2 * FFrameWidth));
  if (FUpdateRgn) CombineRgn(clip.Get(), FUpdateRgn, nullptr, RGN_COPY);
  ui::TRegionHandle frame(CreateRectRgn(0, 0, 0, 0));
  CombineRgn(frame.Get(), FFrameRgn.Get(), nullptr, RGN_COPY);
  OffsetRgn(frame.Get(), -FFrameWidth, -FFrameWidth);
  CombineRgn(clip.Get(), clip.Get(), frame.Get(), RGN_DIFF);
  SelectClipRgn(FPaintDC, clip.Get());

  RECT r{-3, -3, FWidth - 3, FHeight - 3};
  const bool cursorMode = ibCursor && ibCursor->Toggled;
  if (!FZoomedImage.Empty() && FZoom > 1.0f) {
    if (FSnapshot) FSnapshot->SetViewRect(r, FFocus, FViewPoint, 3, FZoom);
    TDIBInfo info = DescribeDIB(FZoomedImage);
    int top = FTopBarHeight - FFrameWidth - 1;
    SetDIBitsToDevice(FPaintDC, 0, top, static_cast<DWORD>(info.Width), static_cast<DWORD>(info.Height), 0, 0, 0,
                      static_cast<UINT>(info.Height), FZoomedImage.Data() + info.BitsOffset,
                      reinterpret_cast<const BITMAPINFO*>(FZoomedImage.Header()), DIB_RGB_COLORS);
    FImageTop = top;
  } else {
    FImageTop = 3;
    if (!cursorMode) {
      if (FSnapshot) FSnapshot->StretchPaint(FPaintDC, r, SRCCOPY, FZoom, 3, FFocus, FViewPoint);
    } else if (FGrabBuffer) {
      if (FZoom != 1.0f) {
        POINT c{FGrabBuffer->Width() / 2, FGrabBuffer->Height() / 2};
        FGrabBuffer->SetViewRect(RECT{0, 0, FGrabBuffer->Width(), FGrabBuffer->Height()}, c, c, 3, FZoom);
        FGrabBuffer->StretchPaint(FPaintDC, RECT{0, FTopBarHeight - FFrameWidth, FWidth - 6, FHeight - 6}, SRCCOPY,
                                  FZoom, 3, c, c);
      } else {
        FGrabBuffer->Draw(FPaintDC, RECT{0, FTopBarHeight - FFrameWidth, FGrabBuffer->Width(), FGrabBuffer->Height()},
                          POINT{0, 0});
      }
    }
  }
  SelectClipRgn(FPaintDC, nullptr);
}

void TKvZoom::RepaintZoom(bool withFrame) {
  ui::TRegionHandle update(CreateRectRgn(0, 0, FWidth - 2 * FFrameWidth, FHeight - 2 * FFrameWidth));
  HRGN saved = FUpdateRgn;
  FUpdateRgn = update.Get();
  struct TRestore {
    HRGN& Field;
    HRGN Saved;
    ~TRestore() { Field = Saved; }
  } restore{FUpdateRgn, saved};
  PaintZoom(withFrame);
}

void TKvZoom::ChangeZoom(bool useMouse, float delta) {
  if (SmoothZoomChecked() && delta < 0 && FZoom < 2.0f) return;
  const float oldZoom = FZoom;
  const int clientWidth = FWidth - 2 * FFrameWidth, clientHeight = FHeight - 2 * FFrameWidth;
  POINT p = FZoomAnchor;
  if (useMouse) {
    POINT mouse{};
    GetCursorPos(&mouse);
    ScreenToClient(Handle(), &mouse);
    auto inside = [&](POINT q) { return q.x >= 0 && q.y >= 0 && q.x < clientWidth && q.y < clientHeight; };
    p = inside(mouse) ? mouse : inside(FZoomAnchor) ? FZoomAnchor : POINT{FWidth / 2, FHeight / 2};
  }
  FZoomAnchor = p;
  FViewPoint = p;
  FWheelCount = 5;
  POINT origin{};
  if (FSnapshot) origin = POINT{FSnapshot->ViewRect().left, FSnapshot->ViewRect().top};
  TIntPoint focus = FocusUnderAnchor(TIntPoint{p.x, p.y}, oldZoom, TIntPoint{origin.x, origin.y});
  FFocus = POINT{focus.X, focus.Y};

  FZoom = FZoom + delta;
  if (FZoom < 1.0f) {
    FZoom = 1.0f;
    if (SmoothZoomChecked()) FZoom += static_cast<float>(SliderPosition()) / 100.0f;
  }
  sbLogo->OverlayText = ZoomText(FZoom);
  FZoomedImage = TPackedDIB();
  PrepareZoomedImage(FSnapshot.get(), FFocus, FViewPoint);
  RepaintZoom(true);
  PanelZoomChanged(p);
}

void TKvZoom::SmoothZoom1Click() {
  if (FSmoothUnavailable) return;
  ui::TMenuItem* smooth = FPopupSettings.Find("SmoothZoom1");
  smooth->Checked = !smooth->Checked;
  FZoom = std::trunc(FZoom);
  if (smooth->Checked) FZoom += static_cast<float>(SliderPosition()) / 100.0f;
  sbLogo->OverlayText = ZoomText(FZoom);
  PrepareZoomedImage(FSnapshot.get(), FFocus, FViewPoint);
  RepaintZoom(true);
}

void TKvZoom::ResetTools() {
  FreeCaptureFrame();
  sbDistance->Toggled = false;
  sbCapture->Toggled = false;
  if (FFormCursor != 0) sbDistanceClick();
  PrepareZoomedImage(FSnapshot.get(), FFocus, FViewPoint);
  sbLogo->OverlayText = ZoomText(FZoom);
  RepaintPanel();
  RepaintControls();
  RepaintZoom(false);
}

void TKvZoom::RecreateBuffers(bool grab) {
  FReady = false;
  if (FKeepBuffers) return;
  // The new pair is complete before the old one goes: a failure keeps the old buffers.
  auto snapshot = std::make_unique<TDDBitmap>(Handle(), FWidth, FHeight);
  auto spare = std::make_unique<TDDBitmap>(Handle(), FWidth, FHeight);
  FSnapshot = std::move(snapshot);
  FSpareBuffer = std::move(spare);
  FSnapshot->SetViewRect(RECT{-3, -3, FWidth - 3, FHeight - 3}, FFocus, FViewPoint, 3, FZoom);
  if (grab) {
    GrabScreenRect(*FSnapshot, RECT{FLeft, FTop, FWidth, FHeight}, POINT{0, 0});
    PrepareZoomedImage(FSnapshot.get(), FFocus, FViewPoint);
  }
}

void TKvZoom::RepaintWindowsBelow(HRGN area) {
  ui::TRegionHandle uncovered(CreateRectRgn(0, 0, 0, 0));
  CombineRgn(uncovered.Get(), area, nullptr, RGN_COPY);
  int count = 0;
  for (HWND wnd = GetWindow(Handle(), GW_HWNDNEXT); wnd && count < 2000;
       wnd = GetWindow(wnd, GW_HWNDNEXT), ++count) {
    if (!IsWindowVisible(wnd)) continue;
    RECT bounds{};
    GetWindowRect(wnd, &bounds);
    if (!RectInRegion(uncovered.Get(), &bounds)) continue;
    ui::TRegionHandle part(CreateRectRgnIndirect(&bounds));
    CombineRgn(part.Get(), part.Get(), uncovered.Get(), RGN_AND);
    OffsetRgn(part.Get(), -bounds.left, -bounds.top);
    RedrawWindow(wnd, nullptr, part.Get(),
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
    ui::TRegionHandle covered(CreateRectRgnIndirect(&bounds));
    if (CombineRgn(uncovered.Get(), uncovered.Get(), covered.Get(), RGN_DIFF) == NULLREGION) break;
  }
  // Whatever no window covers is the desktop's.
  RedrawWindow(GetDesktopWindow(), nullptr, area, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW);
  GdiFlush();
}

void TKvZoom::RefreshSnapshot(bool force) {
  TBusyGuard busy(RegrabBusy);
  FZoomedImage = TPackedDIB();
  const RECT& start = FSizeMoveStartRect;
  const int oldWidth = start.right - start.left, oldHeight = start.bottom - start.top;
  const bool moved = FLeft != start.left || FTop != start.top;
  const bool grew = FWidth > oldWidth || FHeight > oldHeight;
  if (grew || force || moved) {
    RECT area = force ? start : RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight};
    // Whatever fails below, the window comes back whole and paints again.
    struct TShowAgain {
      TKvZoom& Zoom;
      bool Armed = true;
      ~TShowAgain() {
        if (!Armed) return;
        RECT full{};
        Zoom.FReady = true;
        Zoom.SetWindowShape(true, full);
        InvalidateRect(Zoom.Handle(), nullptr, FALSE);
      }
    } showAgain{*this};
    // The window "hides" behind an empty region: the screen shows what lies under it, while
    // activation, focus, mouse capture and the place in the Z order stay as they are (really
    // hiding the active window would hand the activation to another window and put that one
    // above the loupe).
    {
      ui::TRegionHandle nothing(CreateRectRgn(0, 0, 0, 0));
      if (SetWindowRgn(Handle(), nothing.Get(), FALSE)) nothing.Release();
    }
    {
      ui::TRegionHandle below(CreateRectRgnIndirect(&area));
      RepaintWindowsBelow(below.Get());
    }
    RecreateBuffers(false);
    GrabScreenRect(*FSnapshot, RECT{FLeft, FTop, FWidth, FTopBarHeight}, POINT{0, 0});
    GrabScreenRect(*FSnapshot, RECT{FLeft, FTop, FBorderWidth, FHeight}, POINT{0, 0});
    GrabScreenRect(*FSnapshot, RECT{FLeft + FWidth - FBorderWidth, FTop, FBorderWidth, FHeight},
                   POINT{FWidth - FBorderWidth, 0});
    GrabScreenRect(*FSnapshot, RECT{FLeft, FTop + FHeight - FBottomBarHeight, FWidth, FBottomBarHeight},
                   POINT{0, FHeight - FBottomBarHeight});
    FReady = true;
    LayoutFrame();
    RECT inner{};
    SetWindowShape(false, inner);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    RepaintControls();
    GdiFlush();
    GrabScreenRect(*FSnapshot,
                   RECT{FLeft + inner.left, FTop + inner.top, FWidth - 2 * FBorderWidth,
                        FHeight - FBottomBarHeight - FTopBarHeight},
                   POINT{inner.left, inner.top});
    PrepareZoomedImage(FSnapshot.get(), FFocus, FViewPoint);
    SetWindowShape(true, inner);
    showAgain.Armed = false;
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  } else {
    FSpareBuffer->CopyFrom(*FSnapshot);
    auto snapshot = std::make_unique<TDDBitmap>(Handle(), FWidth, FHeight);
    auto spare = std::make_unique<TDDBitmap>(Handle(), FWidth, FHeight);
    RECT keep{FLeft - start.left, FTop - start.top, FLeft - start.left + FWidth, FTop - start.top + FHeight};
    snapshot->CopyRect(*FSpareBuffer, keep);
    FSnapshot = std::move(snapshot);
    FSpareBuffer = std::move(spare);
    LayoutFrame();
    if (FFocus.x < 3 || FFocus.y < FTopBarHeight + 3 || FFocus.x >= FWidth - 3 || FFocus.y >= FHeight - 3) {
      FFocus = POINT{FWidth / 2, FHeight - FTopBarHeight / 2};
      FViewPoint = FFocus;
      FSnapshot->SetViewRect(RECT{-3, -3, FWidth - 3, FHeight - 3}, FFocus, FViewPoint, 3, FZoom);
    }
    PrepareZoomedImage(FSnapshot.get(), FFocus, FViewPoint);
    InvalidateRect(Handle(), nullptr, FALSE);
  }
  if (sbDistance && sbDistance->Toggled && FSnapshot) {
    FMeasureBuffer = std::make_unique<TDDBitmap>(Handle(), FSnapshot->Width(), FSnapshot->Height());
    FMeasureBuffer->CopyFrom(*FSnapshot);
  }
}

}  // namespace lupendo
