#include "config/settings.h"

#include "config/mini_file.h"
#include "magnifier/kvzoom.h"
#include "settings/options_form.h"

namespace lupendo {

namespace {
constexpr const char* kOptions = "Options";

// Sets OptionsLoading for the life of a load, also on an early return or an error.
struct TLoadingGuard {
  TLoadingGuard() { OptionsLoading = true; }
  ~TLoadingGuard() { OptionsLoading = false; }
};
}  // namespace

void LoadOptions() {
  TLoadingGuard loading;
  TMIniFile& config = *OpenConfigFile("");
  ActiveColor = static_cast<unsigned long>(
      config.ReadInteger(kOptions, "UseCol", static_cast<int32_t>(ActiveColor)));
  InactiveColor = static_cast<unsigned long>(
      config.ReadInteger(kOptions, "InactiveCol", static_cast<int32_t>(InactiveColor)));
  if (KvZoom) KvZoom->RefreshTimer().SetInterval(static_cast<UINT>(config.ReadInteger(kOptions, "Rate", 100)));
  // The dialog's controls are not there yet.
  if (!OptionsForm) return;
}

void SaveOptions() {
  TMIniFile& config = *OpenConfigFile("");
  if (KvZoom) config.WriteInteger(kOptions, "Rate", static_cast<int32_t>(KvZoom->RefreshTimer().Interval()));
  config.WriteInteger(kOptions, "UseCol", static_cast<int32_t>(ActiveColor));
  config.WriteInteger(kOptions, "InactiveCol", static_cast<int32_t>(InactiveColor));
}

}  // namespace lupendo
