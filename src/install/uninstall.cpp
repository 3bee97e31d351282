#include "install/uninstall.h"

#include <windows.h>

#include <vector>

#include "app/globals.h"
#include "config/mini_file.h"
#include "install/install_plan.h"
#include "install/install_system.h"
#include "ui/handles.h"

namespace lupendo {

namespace {

std::string FileNameOf(const std::string& path) { return path.substr(ExtractFilePath(path).size()); }

// The names of the files (not folders) directly in a folder.
std::vector<std::string> FilesIn(std::string folder) {
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  ui::TFindHandle search(FindFirstFileA((folder + "*.*").c_str(), &found));
  if (!search) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileA(search.Get(), &found));
  return names;
}

void ShowResult(const std::string& text, UINT icon) {
  MessageBoxA(nullptr, text.c_str(), AppName.c_str(), MB_OK | icon);
}

}  // namespace

void RunInstallation(bool desktopShortcut, bool programFolder) {
  const std::string exe = ProgramPath();
  if (desktopShortcut || programFolder)
    CreateShortcuts(exe, {"Uninstall " + AppName}, {exe}, {" - U"}, programFolder, desktopShortcut);
  RegisterUninstall(AppName, UninstallCommand(exe));
  std::string folder = ProgramFolder();
  RegistryString(HKEY_LOCAL_MACHINE, kInstallKey, "Path", true, folder);
}

// The installed program cannot delete itself while it runs: a copy in the temporary folder
// does the work, and this process ends at once.
void UninstallRelaunch() {
  const std::string exe = ProgramPath();
  std::string copy = exe;
  char temp[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathA(MAX_PATH, temp);
  if (length > 0 && length <= MAX_PATH) {
    std::string folder(temp, length);
    if (folder.back() != '\\') folder += '\\';
    // Where no copy can be made (an older copy still running), the program itself does the
    // work; its own file then goes at the next system start.
    const std::string candidate = folder + FileNameOf(exe);
    if (CopyFileA(exe.c_str(), candidate.c_str(), FALSE)) copy = candidate;
  }
  RunProcess(Stage2CommandLine(copy, ProgramFolder()), nullptr, false);
}

void UninstallFolder(const std::string& folder) {
  // Stage one may still be running from the folder.
  Sleep(100);
  const std::string self = ProgramPath();
  const std::string exeName = FileNameOf(self);

  // The folder comes from the command line: nothing goes unless it holds this program.
  if (!FolderExists(folder)) {
    ShowResult(MissingFolderText(folder), MB_ICONWARNING);
    return;
  }
  if (!LooksLikeInstallation(FilesIn(folder), exeName)) {
    ShowResult(NotAnInstallationText(folder), MB_ICONWARNING);
    return;
  }

  // Only the program's own files go; the user's files and folders beside them stay.
  std::string errors;
  TDeleteFilter filter;
  filter.Deletes = [&](const std::string& name, bool isFolder) { return !isFolder && IsProgramFile(name, exeName); };
  DeleteTree(folder, true, false, errors, &filter);
  RemoveDirectoryA(folder.c_str());
  DeleteOrSchedule(self);
  RemoveShortcuts();
  DeleteRegistryKey(HKEY_LOCAL_MACHINE, kUninstallKey);
  DeleteRegistryKey(HKEY_LOCAL_MACHINE, kInstallKey);
  ShowResult(UninstallResultText(errors, filter.Kept), MB_ICONINFORMATION);
}

}  // namespace lupendo
