#include "install/install_plan.h"

#include <algorithm>
#include <cctype>

#include "app/startup_args.h"
#include "config/config_storage.h"
#include "config/mini_file.h"

namespace lupendo {

namespace {
std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}
}  // namespace

std::string UninstallCommand(const std::string& exePath) { return exePath + " - U"; }

std::string Stage2CommandLine(const std::string& copyPath, const std::string& folder) {
  return "\"" + copyPath + "\" U " + folder;
}

std::vector<std::string> ProgramFileNames(const std::string& exeName) {
  // The configuration file and its temporary twin are named as the configuration code names them.
  const std::string config = ChangeFileExt(exeName, ".kfg");
  return {exeName, "KvHk.dll", kHelpFileName, kSettingsHelpFileName, "Readme.txt", config, ConfigTempFileName(config)};
}

bool IsProgramFile(const std::string& name, const std::string& exeName) {
  const std::string lower = Lower(name);
  for (const std::string& own : ProgramFileNames(exeName))
    if (Lower(own) == lower) return true;
  return false;
}

bool LooksLikeInstallation(const std::vector<std::string>& fileNames, const std::string& exeName) {
  for (const std::string& name : fileNames)
    if (Lower(name) == Lower(exeName) || Lower(name) == kHelpFileName) return true;
  return false;
}

std::string UninstallResultText(const std::string& errors, const std::vector<std::string>& keptFiles) {
  std::string text = errors.empty() ? std::string(kAppName) + " has been successfully removed."
                                    : "Errors occurred uninstalling " + std::string(kAppName) + "\r\n" + errors;
  if (!keptFiles.empty()) {
    text += "\r\n\r\nThese files are not Lupendo's and were left in the folder:";
    for (const std::string& name : keptFiles) text += "\r\n" + name;
  }
  return text;
}

std::string MissingFolderText(const std::string& folder) {
  return UninstallResultText("Path does not exist: " + folder + "\r\n", {}) + "Nothing was removed.";
}

std::string NotAnInstallationText(const std::string& folder) {
  return "Nothing was removed: " + folder + " is not a Lupendo installation.";
}

}  // namespace lupendo
