// The program's start: command-line dispatch, installation check, single-instance guard,
// configuration, first run, and the message loop.
#include "app/program.h"

#include <windows.h>

#include <clocale>
#include <locale>
#include <memory>

#include "app/globals.h"
#include "app/startup_args.h"
#include "config/mini_file.h"
#include "config/win_config_storage.h"
#include "install/install_plan.h"
#include "install/install_system.h"
#include "install/uninstall.h"
#include "magnifier/kvzoom.h"
#include "settings/options_form.h"
#include "ui/application.h"
#include "ui/handles.h"

namespace lupendo {

namespace {

// Read-only access: any user may read it, and any failure means "not installed".
std::string ReadInstallPath() {
  try {
    return ReadRegistryValue(HKEY_LOCAL_MACHINE, kInstallKey, "Path");
  } catch (...) {
    return {};
  }
}

void ReportConfigFailure(const std::string& report) {
  MessageBoxA(nullptr, report.c_str(), kConfigFailureCaption, MB_OK | MB_ICONERROR);
  ui::Application().Terminate();
}

}  // namespace

int RunProgram() {
  AppName = kAppName;
  // Every number the program writes or shows uses "." whatever the user's locale says.
  std::setlocale(LC_ALL, "C");
  std::locale::global(std::locale::classic());

  SetExecutablePath(ProgramPath());
  SetDefaultConfigStorage(std::make_unique<TWinConfigStorage>());
  SetConfigLoadFailureHandler(&ReportConfigFailure);

  std::vector<std::string> params = SplitCommandLine(GetCommandLineA());
  auto param = [&](int index) {
    return index >= 0 && static_cast<size_t>(index) < params.size() ? params[static_cast<size_t>(index)]
                                                                     : std::string();
  };
  TStartupRequest request = ScanCommandLine(param);
  if (request.Kind != TStartupRequest::TKind::StartMagnifier) {
    // Both stages of uninstalling end the process without a window; a failure (the copy
    // could not be started) is reported like any other error.
    ui::Application().Title = kAppName;
    try {
      if (request.Kind == TStartupRequest::TKind::UninstallFolder)
        UninstallFolder(request.Folder);
      else
        UninstallRelaunch();
    } catch (const std::exception& e) {
      ui::Application().ShowException(e.what());
    }
    return 0;
  }

  std::string helpPath = ProgramFolder() + kHelpFileName;
  if (GetFileAttributesA(helpPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
    MessageBoxA(nullptr, InvalidInstallationText(helpPath).c_str(), AppName.c_str(),
                MB_SYSTEMMODAL | MB_ICONWARNING | MB_OK);
    return 0;
  }

  // The handle stays open for the life of the process; the system closes it at the end.
  HANDLE semaphore = CreateSemaphoreA(nullptr, 0, 1, kInstanceSemaphoreName);
  if (semaphore && GetLastError() == ERROR_ALREADY_EXISTS) {
    if (MessageBoxA(nullptr, kSecondInstanceQuestion, AppName.c_str(),
                    MB_SYSTEMMODAL | MB_ICONINFORMATION | MB_YESNO) == IDNO) {
      CloseHandle(semaphore);
      return 0;
    }
  }

  ui::Application().Title = kAppName;
  ConfigFile = OpenConfigFile("");
  FirstRun = ConfigFile->ReadBool("KvZoom", "FirstTime", true);
  if (ReadInstallPath().empty()) FirstRun = true;

  std::unique_ptr<TKvZoom> zoom;
  std::unique_ptr<TOptionsForm> options;
  if (FirstRun) {
    zoom = std::make_unique<TKvZoom>();
    options = CreateOptionsForm();
    OptionsForm = options.get();
    if (!ui::Application().Terminated()) {
      options->InstallMode = true;
      options->ShowModal();
    }
    OptionsForm = nullptr;
    options.reset();
    options = CreateOptionsForm();
    OptionsForm = options.get();
    FirstRun = false;
  } else {
    zoom = std::make_unique<TKvZoom>();
    options = CreateOptionsForm();
    OptionsForm = options.get();
  }

  if (!ui::Application().Terminated()) {
    zoom->Show();
    ui::Application().Run();
  }

  OptionsForm = nullptr;
  options.reset();
  zoom.reset();
  if (ConfigFile) ReleaseConfigFile(ConfigFile);
  ReleaseAllConfigFiles();
  return 0;
}

}  // namespace lupendo
