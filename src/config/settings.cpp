#include "config/settings.h"

#include <string>

#include "app/resource_ids.h"
#include "config/mini_file.h"
#include "magnifier/kvzoom.h"
#include "settings/options_form.h"

namespace lupendo {

namespace {
constexpr const char* kOptions = "Options";
constexpr const char* kKvZoom = "KvZoom";

// Sets OptionsLoading for the life of a load, also on an early return or an error.
struct TLoadingGuard {
  TLoadingGuard() { OptionsLoading = true; }
  ~TLoadingGuard() { OptionsLoading = false; }
};

void LoadCheck(TMIniFile& config, const char* section, const char* key, int id) {
  OptionsForm->SetChecked(id, config.ReadBool(section, key, OptionsForm->Checked(id)));
}
void SaveCheck(TMIniFile& config, const char* section, const char* key, int id) {
  config.WriteBool(section, key, OptionsForm->Checked(id));
}
}  // namespace

void LoadOptions() {
  TLoadingGuard loading;
  TMIniFile& config = *OpenConfigFile("");
  ActiveColor = static_cast<unsigned long>(
      config.ReadInteger(kOptions, "UseCol", static_cast<int32_t>(ActiveColor)));
  InactiveColor = static_cast<unsigned long>(
      config.ReadInteger(kOptions, "InactiveCol", static_cast<int32_t>(InactiveColor)));
  if (KvZoom) KvZoom->RefreshTimer().SetInterval(static_cast<UINT>(config.ReadInteger(kOptions, "Rate", 100)));
  if (!OptionsForm) return;
  TOptionsForm& form = *OptionsForm;

  LoadCheck(config, kKvZoom, "ZoomLevel", IDC_cbLevel);
  LoadCheck(config, kKvZoom, "MouseXY", IDC_cbMouseXY);
  LoadCheck(config, kKvZoom, "ShowZFocus", IDC_cbShowZFocus);
  LoadCheck(config, kKvZoom, "DirectDraw", IDC_cbUseDirectDraw);

  form.SetChecked(IDC_rbInteger, config.ReadBool(kOptions, "Integer", false));
  form.SetChecked(IDC_rbHex, config.ReadBool(kOptions, "Hex", true));
  form.SetChecked(IDC_rbRGB, config.ReadBool(kOptions, "RGB", true));
  form.SetChecked(IDC_rbHSV, config.ReadBool(kOptions, "HSV", false));

  if (KvZoom) form.SetSpinValue(IDC_seRate, static_cast<int>(KvZoom->RefreshTimer().Interval()));

  // The colour box shows the colour its radio button selects; its handler fills R, G and B.
  form.SetBoxColour(form.Checked(IDC_rbInactiveColor) ? InactiveColor : ActiveColor);
  form.HSVBox1Change();

  form.SetTrackPosition(IDC_tbJpgQuality, config.ReadInteger(kOptions, "JpgQuality", 70));

  form.SetChecked(IDC_rbNone, config.ReadBool(kOptions, "TIFNone", false));
  form.SetChecked(IDC_rbPackbits, config.ReadBool(kOptions, "TIFPackBits", true));
  form.SetChecked(IDC_rbJpeg, config.ReadBool(kOptions, "TIFJPeg", false));

  form.SetSpinValue(IDC_seBW, config.ReadInteger(kOptions, "MyWBrdrW", form.SpinValue(IDC_seBW)));
  LoadCheck(config, kOptions, "BottomPane", IDC_cbBottomPane);
  form.SetControlEnabled(IDC_seBW, form.Checked(IDC_cbBottomPane));
  form.SetControlEnabled(IDC_seBW_Spin, form.Checked(IDC_cbBottomPane));

  LoadCheck(config, kOptions, "Status", IDC_cbStatus);
  LoadCheck(config, kOptions, "Texts", IDC_cbText);
  form.SetChecked(IDC_cbShowCursor, config.ReadBool(kOptions, "ShowCoursor", true));
}

void SaveOptions() {
  TMIniFile& config = *OpenConfigFile("");
  if (OptionsForm) {
    TOptionsForm& form = *OptionsForm;
    if (KvZoom) KvZoom->RefreshTimer().SetInterval(static_cast<UINT>(form.SpinValue(IDC_seRate)));
    SaveCheck(config, kKvZoom, "ZoomLevel", IDC_cbLevel);
    SaveCheck(config, kKvZoom, "MouseXY", IDC_cbMouseXY);
    SaveCheck(config, kKvZoom, "ShowZFocus", IDC_cbShowZFocus);
    SaveCheck(config, kKvZoom, "DirectDraw", IDC_cbUseDirectDraw);
    SaveCheck(config, kOptions, "Integer", IDC_rbInteger);
    SaveCheck(config, kOptions, "Hex", IDC_rbHex);
    SaveCheck(config, kOptions, "RGB", IDC_rbRGB);
    SaveCheck(config, kOptions, "HSV", IDC_rbHSV);
    config.WriteInteger(kOptions, "JpgQuality", form.TrackPosition(IDC_tbJpgQuality));
    SaveCheck(config, kOptions, "TIFNone", IDC_rbNone);
    SaveCheck(config, kOptions, "TIFPackBits", IDC_rbPackbits);
    SaveCheck(config, kOptions, "TIFJPeg", IDC_rbJpeg);
    config.WriteInteger(kOptions, "MyWBrdrW", form.SpinValue(IDC_seBW));
    SaveCheck(config, kOptions, "BottomPane", IDC_cbBottomPane);
    SaveCheck(config, kOptions, "Status", IDC_cbStatus);
    SaveCheck(config, kOptions, "Texts", IDC_cbText);
    SaveCheck(config, kOptions, "ShowCoursor", IDC_cbShowCursor);
  }
  if (KvZoom) config.WriteInteger(kOptions, "Rate", static_cast<int32_t>(KvZoom->RefreshTimer().Interval()));
  config.WriteInteger(kOptions, "UseCol", static_cast<int32_t>(ActiveColor));
  config.WriteInteger(kOptions, "InactiveCol", static_cast<int32_t>(InactiveColor));
}

}  // namespace lupendo
