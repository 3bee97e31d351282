// Operations of features that are not built yet. The window and its messages work without
// them: each does nothing until its feature arrives.
#include "config/mini_file.h"
#include "magnifier/kvzoom.h"

namespace lupendo {

void TKvZoom::TimerMinimizedTimer() {
  TimerMinimized.SetEnabled(false);
  RegrabBusy = false;
}
void TKvZoom::TimerMouseXYTimer() {}
void TKvZoom::Timer1Timer() {}
void TKvZoom::MoveDockedNeighbours(bool) {}
void TKvZoom::RepaintPanel() {}
void TKvZoom::FreeCaptureFrame() {}
void TKvZoom::EndMeasurement() {}
void TKvZoom::StayonTop1Click() {}
void TKvZoom::CaptureScreen1Click() {}
void TKvZoom::ZoomatScreenCursor1Click() {}
void TKvZoom::Measuredistance1Click() {}
void TKvZoom::Gauge1Click() {}
void TKvZoom::SetDefault1Click() {}
void TKvZoom::CaptureCancelClick() {}
void TKvZoom::CaptureClick(bool) {}
void TKvZoom::sbNavigateClick() {}
void TKvZoom::sbMinimizeClick() {}
void TKvZoom::sbDistanceClick() {}
void TKvZoom::ibCursorClick() {}
void TKvZoom::sbDoCaptureClick() {}
void TKvZoom::PanelZoomChanged(POINT) {}

// The calibration and unit choice are kept as loaded so that they are saved unchanged.
void TKvZoom::InitMeasurement() {
  TMIniFile& config = *OpenConfigFile("");
  HDC screen = GetDC(nullptr);
  double pixelsPerInch = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  FPixelsPerUnit = config.ReadFloat("KvZoom", "GaugeVal", pixelsPerInch / 2.54);
  FCurUnitIndex = config.ReadInteger("KvZoom", "iCurUnit", 2);
  FGaugeUnit = static_cast<BYTE>(config.ReadInteger("KvZoom", "GaugeUnit", 3));
  FCurrentUnit = static_cast<BYTE>(config.ReadInteger("KvZoom", "CurrentUnit", 3));
}


}  // namespace lupendo
