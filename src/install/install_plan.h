#pragma once
// The portable part of installing and uninstalling: registry places, link names, the command
// lines of the uninstall entry and of the temporary copy, which files are the program's own,
// and the texts of the final message.
#include <string>
#include <vector>

namespace lupendo {

inline constexpr const char* kInstallKey = "Software\\Corvanti\\Lupendo";
inline constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lupendo";

// The uninstall entry's command: the executable's full path followed by " - U".
std::string UninstallCommand(const std::string& exePath);

// Starts the temporary copy on the installation folder. The copy's path is quoted (a blank
// in the temporary folder must not let the system start a shorter prefix of it); the folder
// follows as unquoted pieces, which the copy joins again from its arguments.
std::string Stage2CommandLine(const std::string& copyPath, const std::string& folder);

// File names (without folder) that the program brings or makes beside its executable.
std::vector<std::string> ProgramFileNames(const std::string& exeName);
// Whether a file name (without folder) is one of them; case does not matter.
bool IsProgramFile(const std::string& name, const std::string& exeName);
// A folder is an installation when it holds the executable or the help page.
bool LooksLikeInstallation(const std::vector<std::string>& fileNames, const std::string& exeName);

// The final message of the uninstall: success, or the collected errors; files of others that
// stayed are named after it, so the user knows why the folder remains.
std::string UninstallResultText(const std::string& errors, const std::vector<std::string>& keptFiles);
// Nothing is removed when the folder is missing or holds no Lupendo installation.
std::string MissingFolderText(const std::string& folder);
std::string NotAnInstallationText(const std::string& folder);

}  // namespace lupendo
