#include <windows.h>

#include <exception>

#include "app/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    return lupendo::RunProgram();
  } catch (const std::exception& e) {
    MessageBoxA(nullptr, e.what(), "Lupendo", MB_OK | MB_ICONSTOP);
  } catch (...) {
    MessageBoxA(nullptr, "Unknown error", "Lupendo", MB_OK | MB_ICONSTOP);
  }
  return 1;
}
