// The window's own values in section "KvZoom" of the configuration.
#include "app/globals.h"
#include "config/mini_file.h"
#include "magnifier/kvzoom.h"

namespace lupendo {

namespace {
constexpr const char* kSection = "KvZoom";
}

void TKvZoom::LoadMainSettings(TMIniFile& config) {
  SetBounds(config.ReadInteger(kSection, "x", 100), config.ReadInteger(kSection, "y", 300),
            config.ReadInteger(kSection, "w", 290), config.ReadInteger(kSection, "h", 270));
  // A factor below 1 (or not a number) in a hand-edited file would divide the view by zero or
  // turn it over: such a value keeps the current factor like a malformed one.
  const float zoom = static_cast<float>(config.ReadFloat(kSection, "Zoom", FZoom));
  if (zoom >= 1.0f && zoom <= 1.0e6f) FZoom = zoom;
  FFocus.x = config.ReadInteger(kSection, "PointX", FFocus.x);
  FFocus.y = config.ReadInteger(kSection, "PointY", FFocus.y);
  FKeptMousePoint.x = config.ReadInteger(kSection, "MousePX", FKeptMousePoint.x);
  FKeptMousePoint.y = config.ReadInteger(kSection, "MousePY", FKeptMousePoint.y);
  FSaveDir = config.ReadString(kSection, "SaveDir", FSaveDir);
  FDocked = config.ReadBool(kSection, "isScA", false);
  FDockSide = static_cast<BYTE>(config.ReadInteger(kSection, "ScreenAlign", FDockSide));
  ui::TMenuItem* smooth = FPopupSettings.Find("SmoothZoom1");
  smooth->Checked = config.ReadBool(kSection, "SmoothZoom", smooth->Checked);
  ui::TMenuItem* onTop = FPopupSettings.Find("StayonTop1");
  onTop->Checked = config.ReadBool(kSection, "TopLevel", onTop->Checked);
  FirstRun = config.ReadBool(kSection, "FirstTime", true);
}

void TKvZoom::SaveMainSettings(TMIniFile& config) {
  config.WriteInteger(kSection, "x", FLeft);
  config.WriteInteger(kSection, "y", FTop);
  config.WriteInteger(kSection, "w", FWidth);
  config.WriteInteger(kSection, "h", FHeight);
  config.WriteFloat(kSection, "Zoom", static_cast<double>(FZoom));
  config.WriteInteger(kSection, "PointX", FFocus.x);
  config.WriteInteger(kSection, "PointY", FFocus.y);
  config.WriteInteger(kSection, "MousePX", FKeptMousePoint.x);
  config.WriteInteger(kSection, "MousePY", FKeptMousePoint.y);
  config.WriteString(kSection, "SaveDir", FSaveDir);
  config.WriteBool(kSection, "isScA", FDocked);
  config.WriteInteger(kSection, "ScreenAlign", FDockSide);
  config.WriteBool(kSection, "SmoothZoom", FPopupSettings.Find("SmoothZoom1")->Checked);
  config.WriteBool(kSection, "TopLevel", FPopupSettings.Find("StayonTop1")->Checked);
  config.WriteInteger(kSection, "iCurUnit", FCurUnitIndex);
  config.WriteFloat(kSection, "GaugeVal", FPixelsPerUnit);
  config.WriteInteger(kSection, "GaugeUnit", FGaugeUnit & 0x7F);
  config.WriteInteger(kSection, "CurrentUnit", FCurrentUnit);
  config.WriteBool(kSection, "FirstTime", FirstRun);
  config.UpdateFile();
}

}  // namespace lupendo
