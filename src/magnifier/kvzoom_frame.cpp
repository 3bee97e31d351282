// The magnifier's own frame: geometry of bar, panel, borders and zoom area, the window
// shape with its hole, the gradient frame and the buttons painted over it.
#include <windows.h>

#include <commctrl.h>

#include "app/resource_ids.h"
#include "magnifier/frame_layout.h"
#include "magnifier/kvzoom.h"
#include "settings/options_form.h"

namespace lupendo {

namespace {

RECT ToRect(const TIntRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

struct TButtonDesign {
  const char* Name;
  int Left, Top, Width, Height, Tag;
  const char* Hint;
  const char* Normal;
  const char* Hover;
};
// Places in client coordinates as designed; the bar is moved to the right edge at show time.
const TButtonDesign kButtons[] = {
    {"sbDistance", 64, 0, 22, 22, 1, "Measure Distance", "BTN_DISTANCE", "BTN_DISTANCE_HOVER"},
    {"ibCursor", 88, 0, 23, 22, 1, "Zoom at Screen Cursor ", "BTN_CURSOR", "BTN_CURSOR_HOVER"},
    {"sbCapture", 111, 0, 22, 22, 1, "Capture Image", "BTN_CAPTURE", "BTN_CAPTURE_HOVER"},
    {"sbNavigate", 136, 0, 23, 23, 1, "Align to Screen Borders", "BTN_NAVIGATE", "BTN_NAVIGATE_HOVER"},
    {"sbOptions", 166, 0, 22, 22, 1, "Show Mainmenu", "BTN_OPTIONS", "BTN_OPTIONS_HOVER"},
    {"sbMinimize", 196, 0, 18, 20, 1, "Minimize", "BTN_MINIMIZE", "BTN_MINIMIZE_HOVER"},
    {"XitBtn", 211, 0, 21, 20, 1, "Close", "BTN_CLOSE", "BTN_CLOSE_HOVER"},
    {"sbLogo", 8, -2, 28, 28, 0, "Quickzoom", "BTN_LOGO", nullptr},
    {"sbMagicLogo", 131, 155, 130, 26, 0, "", "BTN_MAGICLOGO", nullptr},
};

// Clears FFramePainting on every exit of a frame paint.
struct TFlagGuard {
  bool& Flag;
  explicit TFlagGuard(bool& flag) : Flag(flag) { Flag = true; }
  ~TFlagGuard() { Flag = false; }
};

void DrawEdgeFrame(HDC dc, int w, int h) {
  RECT inner{1, 1, w - 1, h - 1};
  DrawEdge(dc, &inner, EDGE_BUMP, BF_RECT);
  RECT outer{0, 0, w, h};
  DrawEdge(dc, &outer, EDGE_RAISED, BF_RECT);
}

void FrameWith(HDC dc, const RECT& r, COLORREF colour) {
  ui::TBrushHandle brush(CreateSolidBrush(colour));
  FrameRect(dc, &r, brush.Get());
}

}  // namespace

bool TKvZoom::OptionChecked(int id, bool designDefault) const {
  return OptionsForm ? OptionsForm->Checked(id) : designDefault;
}
int TKvZoom::BorderOption() const { return OptionsForm ? OptionsForm->SpinValue(IDC_seBW) : 3; }
int TKvZoom::SliderPosition() const { return OptionsForm ? OptionsForm->Slider().Position() : 0; }
bool TKvZoom::SmoothZoomChecked() { return FPopupSettings.Find("SmoothZoom1")->Checked; }

TKvSpeedButton* TKvZoom::Button(const std::string& name) const {
  for (const auto& b : FButtons)
    if (b->Name == name) return b.get();
  return nullptr;
}

void TKvZoom::CreateButtons() {
  for (const TButtonDesign& d : kButtons) {
    auto button = std::make_unique<TKvSpeedButton>(d.Name, d.Left, d.Top, d.Width, d.Height);
    button->Tag = d.Tag;
    button->Hint = d.Hint;
    button->AnchorRight = d.Tag == 1;
    button->JumpMM = d.Tag == 1;
    FButtons.push_back(std::move(button));
  }
  sbDistance = Button("sbDistance");
  ibCursor = Button("ibCursor");
  sbCapture = Button("sbCapture");
  sbNavigate = Button("sbNavigate");
  sbOptions = Button("sbOptions");
  sbMinimize = Button("sbMinimize");
  XitBtn = Button("XitBtn");
  sbLogo = Button("sbLogo");
  sbMagicLogo = Button("sbMagicLogo");
  sbLogo->Static = true;
  sbMagicLogo->Static = true;
  sbMagicLogo->Visible = false;
  sbMagicLogo->AnchorRight = sbMagicLogo->AnchorBottom = true;

  sbDistance->OnClick = [this] { sbDistanceClick(); };
  ibCursor->OnClick = [this] { ibCursorClick(); };
  sbCapture->OnClick = [this] { sbDoCaptureClick(); };
  sbNavigate->OnClick = [this] { sbNavigateClick(); };
  sbOptions->OnClick = [this] { sbOptionsClick(); };
  sbMinimize->OnClick = [this] { sbMinimizeClick(); };
  XitBtn->OnClick = [this] { XitBtnClick(); };
  sbLogo->OnMouseUp = [this](int, POINT) { sbLogoMouseUp(); };

  // Small Fonts, 9 pixels: the zoom factor written across the logo.
  FLogoFont.Reset(CreateFontA(-9, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, "Small Fonts"));
  sbLogo->Font = FLogoFont.Get();
}

// Pictures need the window (their surfaces take its format); made once per handle.
void TKvZoom::LoadButtonPictures() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  auto load = [&](const char* name) -> HBITMAP {
    if (!name) return nullptr;
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(instance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap) FPictures.emplace_back(bitmap);
    return bitmap;
  };
  for (size_t i = 0; i < FButtons.size(); ++i) {
    TKvSpeedButton& b = *FButtons[i];
    if (b.HasNormalSurface()) continue;
    b.SetImageD(Handle(), load(kButtons[i].Normal));
    b.SetImageU(Handle(), load(kButtons[i].Hover));
  }
}

void TKvZoom::ApplyAnchors(int oldWidth, int oldHeight) {
  int dx = FWidth - oldWidth, dy = FHeight - oldHeight;
  if (dx == 0 && dy == 0) return;
  for (auto& b : FButtons) {
    if (b->AnchorRight) b->Left += dx;
    if (b->AnchorBottom) b->Top += dy;
  }
  UpdateToolTips();
}

void TKvZoom::UpdateToolTips() {
  if (!HandleAllocated()) return;
  if (!FToolTip) {
    FToolTip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    if (!FToolTip) return;
    for (size_t i = 0; i < FButtons.size(); ++i) {
      TOOLINFOA tool{};
      tool.cbSize = sizeof tool;
      tool.uFlags = TTF_SUBCLASS;
      tool.hwnd = Handle();
      tool.uId = i + 1;
      tool.lpszText = const_cast<char*>(FButtons[i]->Hint.c_str());
      SendMessageA(FToolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
  }
  for (size_t i = 0; i < FButtons.size(); ++i) {
    const TKvSpeedButton& b = *FButtons[i];
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = Handle();
    tool.uId = i + 1;
    // A hidden button or one without a hint gets an empty rectangle: no tip.
    if (b.Visible && b.ShowHint && !b.Hint.empty()) tool.rect = RECT{b.Left, b.Top, b.Left + b.Width, b.Top + b.Height};
    SendMessageA(FToolTip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void TKvZoom::LayoutFrame() {
  TFrameInput in;
  in.Width = FWidth;
  in.Height = FHeight;
  in.TopBarHeight = FTopBarHeight;
  in.FrameWidth = FFrameWidth;
  in.BorderSetting = BorderOption();
  in.Panel = OptionChecked(IDC_cbBottomPane, true);
  in.LogoRight = sbLogo->Left + sbLogo->Width;
  TFrameLayout f = ComputeFrameLayout(in);

  FBorderWidth = f.BorderWidth;
  FBottomBarHeight = f.BottomBarHeight;
  FTopBarRect = ToRect(f.TopBarRect);
  FBottomBarRect = ToRect(f.BottomBarRect);
  FZoomAreaRect = ToRect(f.ZoomAreaRect);
  FWindowRect = ToRect(f.WindowRect);
  if (f.HideMagicLogo) sbMagicLogo->Visible = false;

  FTopBarRgn.Reset(CreateRectRgnIndirect(&FTopBarRect));
  FZoomRgn.Reset(CreateRectRgnIndirect(&FZoomAreaRect));
  FFrameRgn.Reset(CreateRectRgnIndirect(&FWindowRect));
  CombineRgn(FFrameRgn.Get(), FFrameRgn.Get(), FZoomRgn.Get(), RGN_DIFF);
  int b = f.BorderRingInset;
  FBorderRgn.Reset(CreateRectRgnIndirect(&FWindowRect));
  ui::TRegionHandle inner(CreateRectRgn(b, b, FWidth - b, FHeight - b));
  CombineRgn(FBorderRgn.Get(), FBorderRgn.Get(), inner.Get(), RGN_DIFF);
  FBottomBarRgn.Reset(CreateRectRgnIndirect(&FBottomBarRect));

  FPanelBox1 = ToRect(f.PanelBox1);
  FPanelBox2 = ToRect(f.PanelBox2);
  for (int i = 0; i < 4; ++i) FPanelText[i] = POINT{f.PanelText[i].X, f.PanelText[i].Y};
}

void TKvZoom::SetWindowShape(bool full, RECT& inner) {
  ui::TRegionHandle region(CreateRectRgn(0, 0, FWidth, FHeight));
  if (!full) {
    TIntRect hole = ZoomHole(FWidth, FHeight, FBorderWidth, FTopBarHeight, FBottomBarHeight);
    inner = ToRect(hole);
    ui::TRegionHandle holeRgn(CreateRectRgnIndirect(&inner));
    CombineRgn(region.Get(), region.Get(), holeRgn.Get(), RGN_DIFF);
  } else {
    inner = RECT{0, 0, FWidth, FHeight};
  }
  // The system owns the region once the call succeeded.
  if (SetWindowRgn(Handle(), region.Get(), FALSE)) region.Release();
}

void TKvZoom::PaintFrame() {
  if (!FReady || FFramePainting || !HandleAllocated()) return;
  TFlagGuard painting(FFramePainting);
  const int w = FWidth, h = FHeight;
  {
    ui::TWindowDC dc(Handle(), true);
    if (!dc) return;
    if (FTopBarHeight == FFrameWidth) {
      SelectClipRgn(dc.Get(), FBorderRgn.Get());
      DrawEdgeFrame(dc.Get(), w, h);
      SelectClipRgn(dc.Get(), nullptr);
      return;
    }
    const bool panel = OptionChecked(IDC_cbBottomPane, true);
    // 1. The frame without the buttons' pictures, limited to what changed, plus the outer ring.
    ui::TRegionHandle paint(CreateRectRgn(0, 0, 0, 0));
    CombineRgn(paint.Get(), FFrameRgn.Get(), nullptr, RGN_COPY);
    for (auto& b : FButtons) {
      if (!b->Visible) continue;
      ui::TRegionHandle shape(b->ShapeRegion());
      if (!shape) continue;
      OffsetRgn(shape.Get(), b->Left + FFrameWidth, b->Top + FFrameWidth);
      CombineRgn(paint.Get(), paint.Get(), shape.Get(), RGN_DIFF);
    }
    if (FUpdateRgn) {
      ui::TRegionHandle update(CreateRectRgn(0, 0, 0, 0));
      CombineRgn(update.Get(), FUpdateRgn, nullptr, RGN_COPY);
      OffsetRgn(update.Get(), FFrameWidth, FFrameWidth);
      CombineRgn(paint.Get(), paint.Get(), update.Get(), RGN_AND);
    }
    ui::TRegionHandle ring(CreateRectRgn(0, 0, w, h));
    ui::TRegionHandle ringInner(CreateRectRgn(3, 3, w - 3, h - 3));
    CombineRgn(ring.Get(), ring.Get(), ringInner.Get(), RGN_DIFF);
    CombineRgn(paint.Get(), paint.Get(), ring.Get(), RGN_OR);

    // 2. Thin borders get the system's edge look.
    if (FBorderWidth == FFrameWidth || !panel) {
      ui::TRegionHandle edge(CreateRectRgn(0, 0, 0, 0));
      CombineRgn(edge.Get(), FBorderRgn.Get(), nullptr, RGN_COPY);
      ui::TRegionHandle bar(CreateRectRgn(0, 0, w, FTopBarHeight));
      CombineRgn(edge.Get(), edge.Get(), bar.Get(), RGN_DIFF);
      if (panel) {
        ui::TRegionHandle bottom(CreateRectRgn(0, h - FBottomBarHeight, w, h));
        CombineRgn(edge.Get(), edge.Get(), bottom.Get(), RGN_DIFF);
      }
      SelectClipRgn(dc.Get(), edge.Get());
      DrawEdgeFrame(dc.Get(), w, h);
      CombineRgn(paint.Get(), paint.Get(), edge.Get(), RGN_DIFF);
    }

    // 3. Gradient rings, half brightness outside, brighter towards the inside.
    SelectClipRgn(dc.Get(), paint.Get());
    unsigned long base = FActive ? ActiveColor : InactiveColor;
    if (OptionsForm && OptionsForm->Visible())
      base = OptionsForm->Checked(IDC_rbActiveColor) ? ActiveColor : InactiveColor;
    const int c = FTopBarHeight;
    std::vector<unsigned long> rings = GradientRings(base, c);
    for (int i = 0; i < c; ++i) FrameWith(dc.Get(), RECT{i, i, w - i, h - i}, static_cast<COLORREF>(rings[i]));
    const bool status = OptionChecked(IDC_cbStatus, false);
    RECT zoomFrame = !panel ? RECT{FFrameWidth - 1, c - 1, w - FFrameWidth + 1, h - c + 1}
                     : status ? RECT{FBorderWidth, c - 1, w - FBorderWidth, h - c}
                              : RECT{FBorderWidth - 1, c - 1, w - FBorderWidth + 1, h - c + 1};
    FrameWith(dc.Get(), zoomFrame, RGB(0, 0, 0));
    if (status) {
      for (RECT box : {FPanelBox1, FPanelBox2}) {
        if (box.left == FPanelBox2.left) box.right = w + 5;
        for (int pass = 0; pass < 2; ++pass) {
          ui::TPenHandle pen(CreatePen(PS_SOLID, 1, pass == 0 ? RGB(0x80, 0x80, 0x80) : RGB(0, 0, 0)));
          ui::TSelectObject selected(dc.Get(), pen.Get());
          int dx = -pass, dy = pass;
          MoveToEx(dc.Get(), box.left + dx, box.top + dy, nullptr);
          LineTo(dc.Get(), box.right + dx, box.top + dy);
          LineTo(dc.Get(), box.right + dx, box.bottom + dy);
        }
      }
    }
    SelectClipRgn(dc.Get(), nullptr);
  }
  // 4. Buttons touched by the update, the panel texts and the focus marker.
  {
    ui::TWindowDC dc(Handle(), true);
    PaintButtons(dc.Get(), FUpdateRgn);
  }
  RepaintPanel();
  DrawFocusMarker();
}

void TKvZoom::PaintButtons(HDC windowDC, HRGN onlyCornersIn) {
  for (auto& b : FButtons) {
    if (!b->Visible) continue;
    if (onlyCornersIn) {
      // The update region is in client coordinates, the corners in window coordinates.
      int left = b->Left + FFrameWidth, top = b->Top + FFrameWidth;
      bool touched = PtInRegion(onlyCornersIn, left - FFrameWidth, top - FFrameWidth) ||
                     PtInRegion(onlyCornersIn, left + b->Width - 1 - FFrameWidth, top + b->Height - 1 - FFrameWidth);
      if (!touched) continue;
    }
    b->Paint(Handle(), windowDC, FFrameWidth, FFrameWidth);
  }
}

void TKvZoom::RepaintButtonArea(const TKvSpeedButton& button) {
  ui::TRegionHandle update(
      CreateRectRgn(button.Left, button.Top, button.Left + button.Width, button.Top + button.Height));
  HRGN saved = FUpdateRgn;
  FUpdateRgn = update.Get();
  PaintFrame();
  FUpdateRgn = saved;
}

void TKvZoom::DrawFocusMarker() {
  if (!OptionChecked(IDC_cbShowZFocus, false) || !HandleAllocated()) return;
  ui::TWindowDC dc(Handle(), true);
  const int w = FWidth, h = FHeight;
  const bool panel = OptionChecked(IDC_cbBottomPane, true);
  const bool bar = FTopBarHeight != FFrameWidth;
  const int vx = FViewPoint.x + 3, vy = FViewPoint.y + 3;
  const int s = panel ? FBorderWidth : FFrameWidth;
  const COLORREF black = RGB(0, 0, 0);
  for (int x : {s - 1, s - 2, s - 3}) SetPixel(dc.Get(), x, vy, black);
  for (int x : {w - s, w - s + 1, w - s + 2, w - s + 3}) SetPixel(dc.Get(), x, vy, black);
  if (bar)
    for (int y = FTopBarHeight - 1; y >= FTopBarHeight - 4; --y) SetPixel(dc.Get(), vx, y, black);
  else
    for (int y = 2; y >= -1; --y) SetPixel(dc.Get(), vx, y, black);
  if (bar && panel)
    for (int y = h - FTopBarHeight + 1; y <= h - FTopBarHeight + 4; ++y) SetPixel(dc.Get(), vx, y, black);
  else
    for (int y = h - 3; y <= h; ++y) SetPixel(dc.Get(), vx, y, black);
}

void TKvZoom::RepaintControls() {
  if (!HandleAllocated()) return;
  ui::TWindowDC dc(Handle(), true);
  PaintButtons(dc.Get(), nullptr);
}

TKvSpeedButton* TKvZoom::ButtonAt(POINT client) const {
  for (const auto& b : FButtons)
    if (b->Contains(client)) return b.get();
  return nullptr;
}

}  // namespace lupendo
