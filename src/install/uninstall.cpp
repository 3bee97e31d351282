#include "install/uninstall.h"

namespace lupendo {

// Uninstalling is not built yet: both stages end the process without touching anything.
void UninstallFolder(const std::string&) {}

void UninstallRelaunch() {}

}  // namespace lupendo
