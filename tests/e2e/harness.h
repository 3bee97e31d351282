#pragma once
// Drives the real Lupendo.exe: each test gets a fresh copy of the program folder (the
// configuration lives beside the executable), starts the program there, waits for its
// windows and message boxes, sends input and reads the screen, the files and the registry.
#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;

// Polls until the condition holds or the timeout passes; returns the last result.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s);

// A new empty folder below the temporary folder, with a trailing backslash.
std::string NewTempFolder(const std::string& prefix);
// Deletes a folder with everything in it (read-only files too).
void DeleteFolder(const std::string& folder);

class TProgramFolder {
 public:
  // The program lies in a fresh temporary folder, or in the subfolder nested of it (a name
  // with blanks, like an installation below "Program Files").
  explicit TProgramFolder(const std::string& nested = "");
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
  std::string FRoot;
  std::string FPath;
};

// Fresh Desktop, Start Menu and Startup folders for the current user's shell, for as long as
// the object lives; the values before are put back afterwards. Every end-to-end test runs
// inside one of these, so no link of the program reaches the real desktop. Wine's shell
// writes its own folders back into these values when a program looks them up, so every
// start of the program sets them again (the innermost live object's).
class TShellFolders {
 public:
  TShellFolders();
  ~TShellFolders();
  TShellFolders(const TShellFolders&) = delete;
  TShellFolders& operator=(const TShellFolders&) = delete;

  void Apply() const;
  static void ApplyCurrent();

  const std::string& Desktop() const { return FDesktop; }    // with trailing backslash
  const std::string& Programs() const { return FPrograms; }  // the Start menu's Programs folder

 private:
  std::string FRoot, FDesktop, FPrograms;
  std::vector<std::pair<std::string, std::optional<std::string>>> FSaved;
  TShellFolders* FOuter = nullptr;
};

class TProgram {
 public:
  TProgram() = default;
  ~TProgram();
  TProgram(const TProgram&) = delete;
  TProgram& operator=(const TProgram&) = delete;

  void Start(const TProgramFolder& folder, const std::string& arguments = "");
  // Starts a command line as the system would run a stored command (the program found from
  // the line itself), with some environment variables replaced.
  void StartCommandLine(const std::string& commandLine, const std::string& currentFolder,
                        const std::vector<std::pair<std::string, std::string>>& environment = {});
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

inline constexpr const char* kInstallDialogCaption = " Lupendo installation options";
// The first-run dialog: only the install page, no Help and no Cancel, OK captioned "Finish".
// Sets its two boxes as given and presses "Finish"; the start goes on.
void FinishInstallDialog(const TProgram& program, bool desktopLink = true, bool programFolder = true);

// A message box of any process with that caption (the program may run a helper process).
HWND WaitForAnyMessageBox(const std::string& caption, std::chrono::milliseconds timeout = 15s);
// A control of a dialog by its id, on whichever child page it lies.
HWND DialogItem(HWND dialog, int id);

std::string MessageBoxText(HWND box);
void PressMessageBoxButton(HWND box, int id);
bool HasButton(HWND box, int id);

// Value "Path" under HKLM\Software\Corvanti\Lupendo.
void SetInstallPath(const std::string& value);
void DeleteInstallPath();
// A string value of the registry, nothing when the key or the value is missing.
std::optional<std::string> RegistryValue(HKEY root, const std::string& key, const std::string& name);
bool RegistryKeyExists(HKEY root, const std::string& key);
void DeleteRegistryTree(HKEY root, const std::string& key);

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
