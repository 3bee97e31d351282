#include "install/uninstall.h"

namespace lupendo {

// Uninstalling is not built yet: both stages end the process without touching anything.
void UninstallFolder(const std::string&) {}

void UninstallRelaunch() {}

// The installation steps come with installing; the first-run dialog already calls them.
void RunInstallation(bool, bool) {}

}  // namespace lupendo
