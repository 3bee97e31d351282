#pragma once
// The system side of installing and uninstalling: registry strings and keys, shell links,
// deleting files and folders (now or at the next system start), and starting a process.
#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace lupendo {

// A registry write that failed; the text names the key or the value.
class TRegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads or writes one string value. The key is opened for reading and writing; when that
// fails and write is set, it is created. True when the key was opened and, when reading,
// the value is not empty. Throws TRegistryError when creating the key or storing fails.
bool RegistryString(HKEY root, const std::string& key, const std::string& name, bool write, std::string& value);
// A string value read without asking for write access (as any user may); "" when missing.
std::string ReadRegistryValue(HKEY root, const std::string& key, const std::string& name);
// Deletes the key with all its subkeys; false for an empty key name or when it failed.
bool DeleteRegistryKey(HKEY root, const std::string& key);
// The uninstall entry: "DisplayName" and "UninstallString".
void RegisterUninstall(const std::string& displayName, const std::string& command);

// A folder of the current user's shell ("Desktop", "Startup", "Start Menu"); "" when absent.
std::string ShellFolder(const std::string& name);
// Desktop link and Start-menu program folder of the program; names, targets and arguments
// are parallel lists of further links for the program folder. Failed saves stay silent.
void CreateShortcuts(const std::string& exePath, const std::vector<std::string>& names,
                     const std::vector<std::string>& targets, const std::vector<std::string>& arguments,
                     bool folderWanted, bool desktopWanted);
void RemoveShortcuts();

bool FolderExists(const std::string& path);
void ClearReadOnly(const std::string& fileName);
// Deletes the file, or has the system delete it at its next start.
bool DeleteOrSchedule(const std::string& fileName);

// Says which entries below the folder may go (name relative to the folder, whether it is a
// folder); the others stay and are listed in Kept, relative to the folder.
struct TDeleteFilter {
  std::function<bool(const std::string& relativeName, bool isFolder)> Deletes;
  std::vector<std::string> Kept;
};
// Deletes the files below path (and the folders with removeRoot); problems are added to
// errors and, with showErrors, shown. Without a filter everything goes.
void DeleteTree(std::string path, bool removeRoot, bool showErrors, std::string& errors,
                TDeleteFilter* filter = nullptr);
// Deletes what pattern (a folder + "\*.*") matches, subfolders with mask, and removes them.
void DeleteMatchingFiles(const std::string& pattern, const std::string& mask, bool showErrors);

// Starts a process from the command line; throws "Unable to Create Process:" + command line.
// With waitIdle, waits up to 20 s for it to become idle and sets window to the foreground.
void RunProcess(const std::string& commandLine, HWND* window, bool waitIdle);

}  // namespace lupendo
