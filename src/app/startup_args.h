#pragma once
// What the command line asks the process to do, and the texts the start-up shows.
#include <functional>
#include <string>
#include <vector>

namespace lupendo {

inline constexpr const char* kAppName = "Lupendo";
inline constexpr const char* kHelpFileName = "helpz.htm";
inline constexpr const char* kSettingsHelpFileName = "help2z.htm";
inline constexpr const char* kInstanceSemaphoreName = "SSLupendo";
inline constexpr const char* kSecondInstanceQuestion =
    "A Lupendo instance is already active.\r\nDo you want to start another one?";

struct TStartupRequest {
  enum class TKind { StartMagnifier, UninstallFolder, UninstallRelaunch };
  TKind Kind = TKind::StartMagnifier;
  std::string Folder;  // for UninstallFolder
};

// Scans parameters 1 to 10 (param(i) returns "" past the last one). "U", exactly and
// case-sensitive, selects uninstalling; an empty parameter ends the scan. The parameters
// after "U", up to the first empty one, are joined with single blanks into the folder.
TStartupRequest ScanCommandLine(const std::function<std::string(int)>& param);

std::string InvalidInstallationText(const std::string& helpPath);

}  // namespace lupendo

namespace lupendo {

// Splits a command line into parameters as the program has always read them: blanks and
// control characters separate, double quotes group and are removed. Index 0 is the program.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

}  // namespace lupendo
