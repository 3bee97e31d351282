// The magnifier's popup menus and the window-level commands.
#include <windows.h>

#include <shellapi.h>

#include "app/command_ids.h"
#include "app/resource_ids.h"
#include "config/mini_file.h"
#include "ui/application.h"
#include "app/globals.h"
#include "app/startup_args.h"
#include "magnifier/kvzoom.h"
#include "settings/options_form.h"

namespace lupendo {

void TKvZoom::CreateMenus() {
  auto item = [](const char* name, const char* caption, UINT id, std::function<void()> onClick,
                 bool visible = true) {
    ui::TMenuItem result;
    result.Name = name;
    result.Caption = caption;
    result.Id = id;
    result.OnClick = std::move(onClick);
    result.Visible = visible;
    return result;
  };

  FPopupSettings.Add(item("SmoothZoom1", "Smooth &Zoom", CM_SMOOTHZOOM, [this] { SmoothZoom1Click(); }));
  FPopupSettings.Add(item("StayonTop1", "Stay on &Top", CM_STAYONTOP, [this] { StayonTop1Click(); }));
  FPopupSettings.Add(item("Settings1", "&Settings..", CM_SETTINGS, [this] { Settings1Click(); }));
  FPopupSettings.Add(item("CaptureScreen1", "Capture &Image", CM_CAPTURESCREEN, [this] { CaptureScreen1Click(); }));
  FPopupSettings.Add(
      item("ZoomatScreenCursor1", "Zoom at Screen &Cursor", CM_ZOOMATCURSOR, [this] { ZoomatScreenCursor1Click(); }));
  FPopupSettings.Add(
      item("Measuredistance1", "Measure &Distance", CM_MEASUREDISTANCE, [this] { Measuredistance1Click(); }));
  FPopupSettings.Add(item("Gauge2", "    &Gauge Distance", CM_GAUGE2, [this] { Gauge1Click(); }, false));
  FPopupSettings.Add(item("Units1", "    Select &Unit", CM_UNITS1, nullptr, false));
  FPopupSettings.Add(item("SetDefault2", "    Set Default", CM_SETDEFAULT2, [this] { SetDefault1Click(); }, false));
  FPopupSettings.Add(item("Help1", "&Help", CM_HELP, [this] { Help1Click(); }));
  FPopupSettings.Add(item("Exit1", "&Exit", CM_EXIT, [this] { XitBtnClick(); }));

  FPopupFrame.Add(item("Cancel1", "Cancel Capture", CM_CANCELCAPTURE, [this] { CaptureCancelClick(); }));
  FPopupFrame.Add(
      item("ToClipboad1", "Capture to Clipboard  <CTRL> + C", CM_TOCLIPBOARD, [this] { CaptureClick(false); }));
  FPopupFrame.Add(item("Tofile1", "Capture to File..", CM_TOFILE, [this] { CaptureClick(true); }));

  FPopupLine.Add(item("Gauge1", "Gauge Distance", CM_GAUGE1, [this] { Gauge1Click(); }));
  FPopupLine.Add(item("Selectunit1", "Select Unit", CM_SELECTUNIT1, nullptr));
  FPopupLine.Add(item("SetDefault1", "Set Default", CM_SETDEFAULT1, [this] { SetDefault1Click(); }));

  FPopupQuickZoom.Add(item("Zoom101", "Zoom 1.0", CM_ZOOM10, [this] { Zoom101Click(1.0f); }));
  FPopupQuickZoom.Add(item("Zoom501", "Zoom 5.0", CM_ZOOM50, [this] { Zoom101Click(5.0f); }));
  FPopupQuickZoom.Add(item("Zoom1001", "Zoom 10.0", CM_ZOOM100, [this] { Zoom101Click(10.0f); }));
  FPopupQuickZoom.Add(item("Exit2", "Exit", CM_EXIT2, [this] { XitBtnClick(); }));
}

bool TKvZoom::ExecuteCommand(UINT id) {
  for (ui::TPopupMenu* menu : {&FPopupSettings, &FPopupFrame, &FPopupLine, &FPopupQuickZoom})
    if (menu->Dispatch(id)) return true;
  return false;
}

void TKvZoom::XitBtnClick() { Close(); }

void TKvZoom::Help1Click() {
  std::string path = ProgramFolder() + kHelpFileName;
  ShellExecuteA(Handle(), "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// The dialog opens from its timer, outside the menu's message loop.
void TKvZoom::Settings1Click() { TimerOptions.SetEnabled(true); }

void TKvZoom::TimerOptionsTimer() {
  RegrabBusy = true;
  TimerOptions.SetEnabled(false);
  FKeepBuffers = true;
  // The dialog must not lie under a topmost magnifier.
  if (FStayOnTop) {
    FStayOnTop = false;
    SetWindowPos(Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  struct TAfterwards {
    TKvZoom& Zoom;
    ~TAfterwards() {
      Zoom.FStayOnTop = OpenConfigFile("")->ReadBool("KvZoom", "TopLevel", false);
      if (Zoom.FStayOnTop)
        SetWindowPos(Zoom.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      Zoom.TimerMinimized.SetEnabled(true);
      Zoom.FKeepBuffers = false;
    }
  } afterwards{*this};
  ui::Application().ProcessMessages();
  if (OptionsForm) {
    OptionsForm->ShowModal();
    TimerMouseXY.SetEnabled(OptionsForm->Checked(IDC_cbMouseXY));
  }
}

}  // namespace lupendo
