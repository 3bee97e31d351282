#pragma once
#include <string>

namespace lupendo {

// Removes the installation in folder (the uninstall proper); reports its own result.
void UninstallFolder(const std::string& folder);
// First stage of uninstalling: runs a temporary copy of the program on this folder.
void UninstallRelaunch();

}  // namespace lupendo
