#include "app/globals.h"

#include <windows.h>

#include "config/mini_file.h"

namespace lupendo {

std::string AppName;
bool FirstRun = false;

std::string ProgramPath() {
  char buffer[MAX_PATH + 1] = {};
  DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  return std::string(buffer, length);
}

std::string ProgramFolder() { return ExtractFilePath(ProgramPath()); }

std::string SystemErrorText(unsigned long code) {
  char* text = nullptr;
  DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                    FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result;
  if (text) {
    result.assign(text, length);
    LocalFree(text);
  }
  while (!result.empty() && (static_cast<unsigned char>(result.back()) <= ' ' || result.back() == '.'))
    result.pop_back();
  return result;
}

}  // namespace lupendo
