// How the user steers the magnifier: key commands, the wheel, clicks and double-clicks,
// dragging the loupe over the screen, the two button menus and the quick zoom presets.
#include <windows.h>

#include <windowsx.h>

#include <cmath>

#include "app/command_ids.h"
#include "app/resource_ids.h"
#include "config/mini_file.h"
#include "magnifier/kvzoom.h"
#include "settings/options_form.h"
#include "ui/cursors.h"

namespace lupendo {

namespace {

bool Down(const BYTE keyState[256], int vk) { return (keyState[vk] & 0x80) != 0; }

// Tags of TimerActivate for the border commands.
constexpr int kTagTop = 33, kTagBottom = 34, kTagLeft = 37, kTagRight = 39, kTagEnter = 13;

}  // namespace

void TKvZoom::KeyCommand(WORD key, const BYTE keyState[256]) {
  const bool shift = Down(keyState, VK_SHIFT), ctrl = Down(keyState, VK_CONTROL), alt = Down(keyState, VK_MENU);
  const bool smooth = SmoothZoomChecked();
  const bool measuring = sbDistance && sbDistance->Toggled;
  (void)shift;
  auto startAlign = [&](int tag) {
    TimerActivate.Tag = tag;
    TimerActivate.SetEnabled(true);
  };

  if (key == 'H') {
    ToggleBar();
  } else if (key == VK_F1) {
    Help1Click();
  } else if (key == VK_F5) {
    FSizeMoveStartRect = RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight};
    RefreshSnapshot(true);
  } else if (key == VK_OEM_PLUS || key == VK_ADD) {
    ChangeZoom(true, 1.0f);
  } else if (key == VK_OEM_MINUS || key == VK_SUBTRACT) {
    ChangeZoom(true, -1.0f);
  } else if (key == 'A' && measuring) {
    // Closing the measured line comes with measurement.
  } else if (key == 'B') {
    if (OptionsForm) {
      OptionsForm->SetChecked(IDC_cbBottomPane, !OptionsForm->Checked(IDC_cbBottomPane));
      OpenConfigFile("")->WriteBool("Options", "BottomPane", OptionsForm->Checked(IDC_cbBottomPane));
    }
  } else if (key == 'M' && !alt) {
    ToggleTopAlignment();
  } else if (key == VK_ESCAPE) {
    CancelTools(nullptr);
  } else if (key == 'Z') {
    SmoothZoom1Click();
  } else if (key == 'P') {
    // Removing the last measure point comes with measurement.
  } else if (key == 'D') {
    sbDistance->Toggled = !sbDistance->Toggled;
    sbDistanceClick();
  } else if (key == VK_DELETE) {
    CancelTools(nullptr);
  } else if (key == 'C' && ctrl) {
    CaptureClick(false);
  } else if (key == 'C') {
    ibCursor->Toggled = !ibCursor->Toggled;
    ibCursorClick();
  } else if (key == VK_PRIOR) {
    startAlign(kTagTop);
  } else if (key == VK_NEXT) {
    startAlign(kTagBottom);
  } else if (key == VK_UP && smooth && !ctrl) {
    if (OptionsForm) {
      TSlider& slider = OptionsForm->Slider();
      slider.SetPosition(slider.Position() + 10);
      if (slider.Position() >= 90) {
        FZoom = std::trunc(FZoom) + 1;
        slider.SetPosition(0);
      }
      ResetTools();
      OpenConfigFile("")->WriteInteger("Options", "Sliderpos", slider.Position());
    }
  } else if (key == VK_DOWN && smooth && !ctrl) {
    if (OptionsForm && FZoom > 1.0f) {
      TSlider& slider = OptionsForm->Slider();
      if (slider.Position() > 4) {
        slider.SetPosition(slider.Position() - 10);
      } else {
        slider.SetPosition(90);
        FZoom = std::trunc(FZoom) - 1;
      }
      ResetTools();
      OpenConfigFile("")->WriteInteger("Options", "Sliderpos", slider.Position());
    }
  } else if (key == VK_RETURN) {
    startAlign(kTagEnter);
  } else if (ctrl) {
    POINT to{FLeft, FTop};
    switch (key) {
      case VK_DOWN: to.y += 1; break;
      case VK_UP: to.y -= 1; break;
      case VK_LEFT: to.x -= 1; break;
      case VK_RIGHT: to.x += 1; break;
      default: return;
    }
    FDragOrigin = POINT{FLeft, FTop};
    DragStep(to.x, to.y);
  } else if (key == VK_LEFT) {
    startAlign(kTagLeft);
  } else if (key == VK_RIGHT) {
    startAlign(kTagRight);
  }
}

void TKvZoom::ToggleBar() {
  if (FTopBarHeight == 30) {
    FTopBarHeight = FBottomBarHeight = FBorderWidth = FFrameWidth;
  } else {
    FTopBarHeight = FBottomBarHeight = 30;
    FBorderWidth = BorderOption();
  }
  for (auto& b : FButtons)
    if (b.get() != sbMagicLogo) b->Visible = FTopBarHeight == 30;
  UpdateToolTips();
  LayoutFrame();
  PrepareZoomedImage(FSnapshot.get(), FFocus, FViewPoint);
  RepaintZoom(true);
}

void TKvZoom::ToggleTopAlignment() {
  sbNavigate->PressPoint = FDocked ? POINT{sbNavigate->Width / 2, sbNavigate->Height / 2}
                                   : POINT{sbNavigate->Width / 2, 0};
  FDragOrigin = POINT{-1, -1};
  sbNavigateClick();
}

void TKvZoom::CancelTools(TKvSpeedButton* sender) {
  if (FModeCursor == LUPENDO_CURSOR_FRAME) {
    if (sender != sbCapture) sbCapture->Toggled = !sbCapture->Toggled;
    CaptureCancelClick();
  }
  if (ibCursor->Toggled && sender != ibCursor) {
    ibCursor->Toggled = false;
    ibCursorClick();
  }
  if (sbDistance->Toggled && sender != sbDistance) {
    sbDistance->Toggled = false;
    sbDistanceClick();
  }
}

bool TKvZoom::CursorInZoomArea(int& x, int& y) {
  POINT p{};
  GetCursorPos(&p);
  ScreenToClient(Handle(), &p);
  FCursorClient = p;
  x = p.x;
  y = p.y;
  return PtInRegion(FZoomRgn.Get(), p.x + FFrameWidth, p.y + FFrameWidth) != 0;
}

void TKvZoom::DragStep(int x, int y) {
  const POINT d{x - FDragOrigin.x, y - FDragOrigin.y};
  if ((d.x == 0 && d.y == 0) || !FSnapshot) return;
  if (sbDistance->Toggled && FMeasureBuffer) FSnapshot->CopyFrom(*FMeasureBuffer);
  // What lay under both places stays valid; it moves against the window.
  FSnapshot->Shift(d, *FSpareBuffer);
  const RECT oldRect{FLeft, FTop, FLeft + FWidth, FTop + FHeight};
  const int left = FLeft + d.x, top = FTop + d.y;
  if (d.x > 0)
    GrabScreenRect(*FSnapshot, RECT{left + FWidth - d.x, top, d.x, FHeight}, POINT{FWidth - d.x, 0});
  else if (d.x < 0)
    GrabScreenRect(*FSnapshot, RECT{left, top, -d.x, FHeight}, POINT{0, 0});
  if (d.y > 0)
    GrabScreenRect(*FSnapshot, RECT{left, top + FHeight - d.y, FWidth, d.y}, POINT{0, FHeight - d.y});
  else if (d.y < 0)
    GrabScreenRect(*FSnapshot, RECT{left, top, FWidth, -d.y}, POINT{0, 0});
  SetBounds(left, top, FWidth, FHeight);

  PaintFrame();
  // The strips the window left must show what lies under them again.
  const RECT newRect{FLeft, FTop, FLeft + FWidth, FTop + FHeight};
  {
    ui::TRegionHandle uncovered(CreateRectRgnIndirect(&oldRect));
    ui::TRegionHandle covered(CreateRectRgnIndirect(&newRect));
    CombineRgn(uncovered.Get(), uncovered.Get(), covered.Get(), RGN_DIFF);
    RepaintWindowsBelow(uncovered.Get());
  }

  if (HRGN visible = FSnapshot->ClipToScreen(newRect)) {
    DeleteObject(visible);
    SelectClipRgn(FSnapshot->DC(), nullptr);
  }
  if (sbDistance->Toggled && FMeasureBuffer) FMeasureBuffer->CopyFrom(*FSnapshot);
  PrepareZoomedImage(FSnapshot.get(), FFocus, FViewPoint);
  PaintZoom(false);
}

void TKvZoom::sbOptionsClick() {
  bool showHint = sbOptions->ShowHint;
  sbOptions->ShowHint = false;
  POINT at{sbOptions->Left, sbOptions->Top + sbOptions->Height};
  ClientToScreen(Handle(), &at);
  FPopupSettings.Popup(Handle(), at.x, at.y);
  sbOptions->ShowHint = showHint;
}

void TKvZoom::sbLogoMouseUp() {
  struct {
    const char* Name;
    float Zoom;
  } presets[] = {{"Zoom101", 1.0f}, {"Zoom501", 5.0f}, {"Zoom1001", 10.0f}};
  for (const auto& p : presets) FPopupQuickZoom.Find(p.Name)->Checked = FZoom == p.Zoom;
  POINT at{sbLogo->Left, sbLogo->Top + sbLogo->Height};
  ClientToScreen(Handle(), &at);
  FPopupQuickZoom.Popup(Handle(), at.x, at.y);
}

void TKvZoom::Zoom101Click(float zoom) {
  if (!FSnapshot) return;
  // Each loop stops when a step changes nothing (smooth zoom keeps factors below 2).
  auto stepDownToOne = [this] {
    while (FZoom > 1.0f) {
      float before = FZoom;
      ChangeZoom(false, -1.0f);
      if (FZoom == before) break;
    }
  };
  if (FZoom > 20.0f) {
    FZoom = 2.0f;
    ChangeZoom(false, -1.0f);
  }
  if (zoom == 1.0f) {
    stepDownToOne();
  } else if (FZoom != zoom) {
    stepDownToOne();
    for (int i = 1; i < static_cast<int>(zoom); ++i) ChangeZoom(false, 1.0f);
  }
}

void TKvZoom::TimerActivateTimer() {
  TimerActivate.SetEnabled(false);
  if (TimerActivate.Tag != 0) {
    // Border docking by key comes with the placement modes.
    TimerActivate.Tag = 0;
    return;
  }
  TKvSpeedButton* found = nullptr;
  for (auto& b : FButtons)
    if (b->MouseInside) {
      found = b->OnClick ? b.get() : nullptr;
      break;
    }
  auto replay = [this](TKvSpeedButton& b) {
    b.Toggled = true;
    b.Pressed = true;
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(Handle(), &p);
    b.PressPoint = POINT{p.x - b.Left, p.y - b.Top};
    b.OnClick();
  };
  if (found && (found == sbNavigate || found == XitBtn || found == sbMinimize)) {
    replay(*found);
    return;
  }
  FSizeMoveStartRect = RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight};
  RefreshSnapshot(true);
  if (found) replay(*found);
}

// Mouse messages of the window: a button under the mouse gets them first.
void TKvZoom::WmMouseMove(WPARAM keys, POINT pt) {
  if (!FTrackingLeave) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
    FTrackingLeave = TrackMouseEvent(&track) != 0;
  }
  if (FButtonCapture) return;
  TKvSpeedButton* hit = ButtonAt(pt);
  if (hit && !hit->MouseInside) {
    // Leaving one button for another: the old one first.
    for (auto& b : FButtons)
      if (b.get() != hit && b->MouseInside) {
        b->MouseLeave();
        RepaintButtonArea(*b);
      }
    hit->MouseEnter();
    RepaintButtonArea(*hit);
    return;
  }
  if (hit) return;
  FormMouseMove(keys, pt);
}

void TKvZoom::FormMouseMove(WPARAM keys, POINT pt) {
  const bool held = (keys & (MK_LBUTTON | MK_RBUTTON)) != 0;
  if (held && TimerActivate.Enabled() && TimerActivate.Tag == 0) TimerActivateTimer();
  if (held && FDragOrigin.x >= 0) {
    DragStep(pt.x, pt.y);
    FLastMousePos = pt;
    return;
  }
  const POINT window{pt.x + FFrameWidth, pt.y + FFrameWidth};
  const bool inBar = PtInRect(&FTopBarRect, window) != 0;
  if (inBar && !FMouseInBar) {
    FModeCursor = FFormCursor;
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    if (keys & MK_LBUTTON) PostMessageA(Handle(), WM_LBUTTONUP, keys & ~MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
  } else if (!inBar && FMouseInBar && FModeCursor != FFormCursor) {
    FFormCursor = FModeCursor;
  }
  FMouseInBar = inBar;
  // A button the mouse left without a leave message gives up its hover look.
  for (auto& b : FButtons)
    if (b->MouseInside) {
      b->MouseLeave();
      RepaintButtonArea(*b);
      break;
    }
  FLastMousePos = pt;
}

void TKvZoom::WmMouseLeave() {
  FTrackingLeave = false;
  if (FButtonCapture) return;
  for (auto& b : FButtons)
    if (b->MouseInside) {
      b->MouseLeave();
      RepaintButtonArea(*b);
    }
}

void TKvZoom::WmMouseDown(int button, WPARAM keys, POINT pt) {
  if (TKvSpeedButton* hit = ButtonAt(pt)) {
    FButtonCapture = hit;
    SetCapture(Handle());
    hit->MouseInside = true;
    hit->MouseDown(button, POINT{pt.x - hit->Left, pt.y - hit->Top});
    RepaintButtonArea(*hit);
    return;
  }
  FormMouseDown(button, keys, pt);
}

void TKvZoom::FormMouseDown(int, WPARAM, POINT pt) {
  FDragOrigin = pt;
  FMouseDown = true;
  SetCapture(Handle());
}

void TKvZoom::WmMouseUp(int button, WPARAM keys, POINT pt) {
  if (TKvSpeedButton* b = FButtonCapture) {
    FButtonCapture = nullptr;
    ReleaseCapture();
    POINT local{pt.x - b->Left, pt.y - b->Top};
    bool inside = b->Contains(pt);
    if (!inside) b->MouseLeave();
    RepaintButtonArea(*b);
    b->MouseUp(button, local);
    return;
  }
  FormMouseUp(button, keys, pt);
}

void TKvZoom::FormMouseUp(int, WPARAM, POINT) {
  FMouseDown = false;
  if (GetCapture() == Handle()) ReleaseCapture();
}

void TKvZoom::WmDoubleClick(int button, WPARAM keys, POINT pt) {
  if (ButtonAt(pt)) {
    // The second press of a double-click is a press like the first.
    WmMouseDown(button, keys, pt);
    return;
  }
  const bool inZoom = PtInRegion(FZoomRgn.Get(), pt.x + FFrameWidth, pt.y + FFrameWidth) != 0;
  if (button == 0) {
    if (pt.y + FFrameWidth < FTopBarHeight)
      ToggleTopAlignment();
    else if (!inZoom) {
      // The gauge entry box comes with measurement.
    } else
      ChangeZoom(true, 1.0f);
  } else if (button == 1 && inZoom) {
    ChangeZoom(true, -1.0f);
  }
  FormMouseDown(button, keys, pt);
}

void TKvZoom::WmMouseWheel(int delta, WPARAM) {
  int x = 0, y = 0;
  if (!CursorInZoomArea(x, y)) return;
  if (delta > 0) {
    FWheelCount += 3;
    if (FWheelCount >= 10) ChangeZoom(true, 1.0f);
  } else if (delta < 0) {
    FWheelCount -= 3;
    if (FWheelCount <= 0) ChangeZoom(true, -1.0f);
  }
}

bool TKvZoom::WmSetCursor(LPARAM lParam) {
  if (LOWORD(lParam) != HTCLIENT) return false;
  POINT p{};
  GetCursorPos(&p);
  ScreenToClient(Handle(), &p);
  const POINT window{p.x + FFrameWidth, p.y + FFrameWidth};
  if (PtInRect(&FTopBarRect, window) || FFormCursor == 0)
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
  else
    SetCursor(ui::Screen().Cursor(FFormCursor));
  return true;
}

}  // namespace lupendo
