#pragma once
// Drives the real Lupendo.exe: each test gets a fresh copy of the program folder (the
// configuration lives beside the executable), starts the program there, waits for its
// windows and message boxes, sends input and reads the screen, the files and the registry.
#include <windows.h>

#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;

// Polls until the condition holds or the timeout passes; returns the last result.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s);

class TProgramFolder {
 public:
  TProgramFolder();
  ~TProgramFolder();
  TProgramFolder(const TProgramFolder&) = delete;
  TProgramFolder& operator=(const TProgramFolder&) = delete;

  const std::string& Path() const { return FPath; }  // with trailing backslash
  std::string File(const std::string& name) const { return FPath + name; }
  std::string ConfigPath() const { return File("Lupendo.kfg"); }

  bool HasConfig() const;
  // The configuration's ini text; fails the test when the file does not decode.
  std::string ConfigText() const;
  void WriteConfigText(const std::string& text) const;
  // A configuration of an earlier run: the program starts without its first-run dialog.
  void MarkInstalled() const { WriteConfigText("[KvZoom]\r\nFirstTime=0\r\n"); }
  std::vector<uint8_t> ReadBytes(const std::string& name) const;
  void WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes) const;

 private:
  std::string FPath;
};

class TProgram {
 public:
  TProgram() = default;
  ~TProgram();
  TProgram(const TProgram&) = delete;
  TProgram& operator=(const TProgram&) = delete;

  void Start(const TProgramFolder& folder, const std::string& arguments = "");
  DWORD Pid() const { return FInfo.dwProcessId; }
  bool Running() const;
  // Waits for the process to end; returns its exit code, or STILL_ACTIVE on timeout.
  DWORD WaitForExit(std::chrono::milliseconds timeout = 15s);
  void Kill();

  // The first visible top-level window of this process with that class (nullptr if none).
  HWND FindWindowOfClass(const char* className) const;
  HWND WaitForWindow(const char* className, std::chrono::milliseconds timeout = 15s) const;
  // A message box of this process with that caption.
  HWND WaitForMessageBox(const std::string& caption, std::chrono::milliseconds timeout = 15s) const;
  // Closes the magnifier as the user would (its close command) and waits for the exit.
  DWORD CloseMagnifier();

 private:
  PROCESS_INFORMATION FInfo{};
};

std::string MessageBoxText(HWND box);
void PressMessageBoxButton(HWND box, int id);
bool HasButton(HWND box, int id);

// Value "Path" under HKLM\Software\Corvanti\Lupendo.
void SetInstallPath(const std::string& value);
void DeleteInstallPath();

RECT WindowRect(HWND wnd);

// A window's place and size in screen pixels, comparable in assertions.
struct TBounds {
  int Left, Top, Width, Height;
  bool operator==(const TBounds&) const = default;
};
TBounds WindowBounds(HWND wnd);
void PrintTo(const TBounds& bounds, std::ostream* out);

// Real mouse input through the system's input queue, in screen coordinates.
void MouseMove(int x, int y);
void MouseButton(bool down);

}  // namespace e2e
