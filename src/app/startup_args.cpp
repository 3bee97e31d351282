#include "app/startup_args.h"

namespace lupendo {

TStartupRequest ScanCommandLine(const std::function<std::string(int)>& param) {
  TStartupRequest request;
  for (int index = 1; index <= 10; ++index) {
    std::string value = param(index);
    if (value.empty()) break;
    if (value != "U") continue;
    std::string next = param(index + 1);
    if (next.empty()) {
      request.Kind = TStartupRequest::TKind::UninstallRelaunch;
      return request;
    }
    request.Kind = TStartupRequest::TKind::UninstallFolder;
    for (int k = index + 1;; ++k) {
      std::string piece = param(k);
      if (piece.empty()) break;
      if (k > index + 1) request.Folder += ' ';
      request.Folder += piece;
    }
    return request;
  }
  return request;
}

std::string InvalidInstallationText(const std::string& helpPath) {
  return "Invalid installation, file not found: \r\n" + helpPath + "\r\nPlease follow the Readme.txt instructions.";
}

}  // namespace lupendo

namespace lupendo {

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  std::vector<std::string> params;
  size_t i = 0;
  while (true) {
    while (i < commandLine.size() && static_cast<unsigned char>(commandLine[i]) <= ' ') ++i;
    if (i >= commandLine.size()) break;
    std::string param;
    bool quoted = false;
    while (i < commandLine.size() && (quoted || static_cast<unsigned char>(commandLine[i]) > ' ')) {
      if (commandLine[i] == '"')
        quoted = !quoted;
      else
        param += commandLine[i];
      ++i;
    }
    params.push_back(param);
  }
  return params;
}

}  // namespace lupendo
