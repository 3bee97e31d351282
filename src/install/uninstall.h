#pragma once
#include <string>

namespace lupendo {

// Removes the installation in folder (the uninstall proper); reports its own result.
void UninstallFolder(const std::string& folder);
// The installation steps of the first run: shortcuts as chosen, uninstall entry, "Path".
void RunInstallation(bool desktopShortcut, bool programFolder);
// First stage of uninstalling: runs a temporary copy of the program on this folder.
void UninstallRelaunch();

}  // namespace lupendo
