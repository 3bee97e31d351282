#include "install/install_system.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include "app/globals.h"
#include "config/mini_file.h"
#include "install/install_plan.h"
#include "ui/com.h"
#include "ui/handles.h"

namespace lupendo {

namespace {

constexpr const char* kShellFoldersKey = "Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr DWORD kMaxKeyName = 256;

bool FileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// "C:\A\b.exe" -> "C:\A"; a drive root keeps its backslash ("C:\").
std::string FolderOf(const std::string& path) {
  std::string folder = ExtractFilePath(path);
  if (folder.size() > 3) folder.pop_back();
  return folder;
}

// The folder above a folder, with a trailing backslash: "C:\S\Programs\Startup" -> "C:\S\Programs\".
std::string ParentFolder(std::string folder) {
  while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return ExtractFilePath(folder);
}

std::wstring Wide(const std::string& text) {
  int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(length > 0 ? static_cast<size_t>(length) : 1u, L'\0');
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
  wide.resize(wcslen(wide.c_str()));
  return wide;
}

std::string ReadStringValue(HKEY key, const std::string& name) {
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0)
    return {};
  std::string value(size, '\0');
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size) !=
      ERROR_SUCCESS)
    return {};
  value.resize(strnlen(value.c_str(), value.size()));
  return value;
}

LONG DeleteKeyWithSubkeys(HKEY parent, const std::string& key) {
  HKEY raw = nullptr;
  if (RegOpenKeyExA(parent, key.c_str(), 0, KEY_ALL_ACCESS, &raw) == ERROR_SUCCESS) {
    ui::TRegKey owned(raw);
    char name[kMaxKeyName] = {};
    // Always the first subkey: each pass deletes it. A subkey that cannot go ends the loop.
    while (true) {
      DWORD length = kMaxKeyName;
      if (RegEnumKeyExA(raw, 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      if (DeleteKeyWithSubkeys(raw, name) != ERROR_SUCCESS) break;
    }
  }
  return RegDeleteKeyA(parent, key.c_str());
}

void SaveLink(IPersistFile* file, const std::string& path) {
  // Not remembered as the link's file: the same object is saved again under other names.
  file->Save(Wide(path).c_str(), FALSE);
}

void ShowError(const std::string& message) { MessageBoxA(nullptr, message.c_str(), "Error", MB_OK | MB_ICONERROR); }

void DeleteTreeIn(std::string path, const std::string& relative, bool removeRoot, bool showErrors, std::string& errors,
                  TDeleteFilter* filter) {
  if (!FolderExists(path)) {
    errors = "Path does not exist: " + path + "\r\n" + errors;
    return;
  }
  if (path.size() > 3 && path.back() == '\\') path.pop_back();
  const size_t keptBefore = filter ? filter->Kept.size() : 0;

  WIN32_FIND_DATAA found;
  ui::TFindHandle search(FindFirstFileA((path + "\\*.*").c_str(), &found));
  if (search) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      try {
        const std::string full = path + "\\" + name;
        const DWORD attributes = found.dwFileAttributes;
        const bool isFolder =
            ((attributes & FILE_ATTRIBUTE_DIRECTORY) && attributes >= 16 && attributes <= 31) || !FileExists(full);
        if (filter && !filter->Deletes(relative + name, isFolder)) {
          filter->Kept.push_back(relative + name + (isFolder ? "\\" : ""));
          continue;
        }
        if (isFolder && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
          // A link to another folder: the link goes, never what it points to.
          if (!RemoveDirectoryA(full.c_str())) errors += "\r\n" + full;
        } else if (isFolder) {
          DeleteTreeIn(full + "\\", relative + name + "\\", removeRoot, showErrors, errors, filter);
        } else {
          ClearReadOnly(full);
          if (!DeleteFileA(full.c_str()) && !DeleteOrSchedule(full)) errors += "\r\n" + full;
        }
      } catch (const std::exception& e) {
        errors += "\r\n" + std::string(e.what());
        if (showErrors) ShowError(e.what());
      }
    } while (FindNextFileA(search.Get(), &found));
  }
  search.Reset();

  // A folder that keeps files of others stays where it is.
  const bool keepsOthers = filter && filter->Kept.size() > keptBefore;
  if (removeRoot && !keepsOthers && FolderExists(path)) {
    ClearReadOnly(path);
    if (!RemoveDirectoryA(path.c_str())) errors = path + "\r\n" + errors + "\r\n" + SystemErrorText(GetLastError());
  }
}

}  // namespace

bool RegistryString(HKEY root, const std::string& key, const std::string& name, bool write, std::string& value) {
  HKEY raw = nullptr;
  LONG opened = RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &raw);
  if (opened != ERROR_SUCCESS && write) {
    HKEY created = nullptr;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &created,
                        nullptr) != ERROR_SUCCESS)
      throw TRegistryError("Failed to create key " + key);
    RegCloseKey(created);
    opened = RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &raw);
  }
  if (opened != ERROR_SUCCESS) return false;
  ui::TRegKey owned(raw);
  if (write) {
    if (RegSetValueExA(raw, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
      throw TRegistryError("Failed to set data for '" + name + "'");
    return true;
  }
  value = ReadStringValue(raw, name);
  return !value.empty();
}

std::string ReadRegistryValue(HKEY root, const std::string& key, const std::string& name) {
  HKEY raw = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return {};
  ui::TRegKey owned(raw);
  return ReadStringValue(raw, name);
}

bool DeleteRegistryKey(HKEY root, const std::string& key) {
  if (key.empty()) return false;
  return DeleteKeyWithSubkeys(root, key) == ERROR_SUCCESS;
}

void RegisterUninstall(const std::string& displayName, const std::string& command) {
  std::string name = displayName, line = command;
  RegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName", true, name);
  RegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString", true, line);
}

std::string ShellFolder(const std::string& name) {
  std::string value;
  RegistryString(HKEY_CURRENT_USER, kShellFoldersKey, name, false, value);
  return value;
}

void CreateShortcuts(const std::string& exePath, const std::vector<std::string>& names,
                     const std::vector<std::string>& targets, const std::vector<std::string>& arguments,
                     bool folderWanted, bool desktopWanted) {
  // Read before the link object exists: giving it a path makes the shell look up its own
  // folders, and some shells write what they find back into these values.
  const std::string desktop = ShellFolder("Desktop");
  const std::string startup = ShellFolder("Startup");
  ui::TComApartment apartment;
  ui::TComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.Out())) || !link)
    return;
  ui::TComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.Out())) || !file) return;

  link->SetPath(exePath.c_str());
  link->SetWorkingDirectory(FolderOf(exePath).c_str());
  link->SetIconLocation(exePath.c_str(), 0);

  // Without a known folder the link would land in the root of the current drive.
  if (desktopWanted && !desktop.empty()) SaveLink(file.Get(), desktop + "\\" + AppName + ".lnk");
  if (folderWanted && !startup.empty()) {
    const std::string folder = ParentFolder(startup) + AppName;
    CreateDirectoryA(folder.c_str(), nullptr);
    SaveLink(file.Get(), folder + "\\" + AppName + ".lnk");
    for (size_t i = 0; i < names.size() && i < targets.size() && i < arguments.size(); ++i) {
      link->SetPath(targets[i].c_str());
      link->SetArguments(arguments[i].c_str());
      link->SetWorkingDirectory(FolderOf(targets[i]).c_str());
      SaveLink(file.Get(), folder + "\\" + names[i] + ".lnk");
    }
  }
}

void RemoveShortcuts() {
  const std::string desktop = ShellFolder("Desktop");
  if (!desktop.empty()) DeleteFileA((desktop + "\\" + AppName + ".lnk").c_str());
  const std::string startMenu = ShellFolder("Start Menu");
  if (startMenu.empty()) return;
  const std::string folder = startMenu + "\\Programs\\" + AppName;
  DeleteMatchingFiles(folder + "\\*.*", "*.*", false);
  RemoveDirectoryA(folder.c_str());
}

bool FolderExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void ClearReadOnly(const std::string& fileName) {
  DWORD attributes = GetFileAttributesA(fileName.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesA(fileName.c_str(), FILE_ATTRIBUTE_ARCHIVE);
}

bool DeleteOrSchedule(const std::string& fileName) {
  if (DeleteFileA(fileName.c_str())) return true;
  return MoveFileExA(fileName.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

void DeleteTree(std::string path, bool removeRoot, bool showErrors, std::string& errors, TDeleteFilter* filter) {
  DeleteTreeIn(std::move(path), "", removeRoot, showErrors, errors, filter);
}

void DeleteMatchingFiles(const std::string& pattern, const std::string& mask, bool showErrors) {
  const size_t slash = pattern.find_last_of('\\');
  const std::string folder = slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);
  WIN32_FIND_DATAA found;
  ui::TFindHandle search(FindFirstFileA(pattern.c_str(), &found));
  if (!search) return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    try {
      if (found.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY) {
        const std::string base = pattern.size() >= 3 ? pattern.substr(0, pattern.size() - 3) : std::string();
        DeleteMatchingFiles(base + name + "\\" + mask, mask, showErrors);
        RemoveDirectoryA((folder + name).c_str());
      } else if (!DeleteFileA((folder + name).c_str())) {
        throw std::runtime_error("Cannot delete " + folder + name + ": " + SystemErrorText(GetLastError()));
      }
    } catch (const std::exception& e) {
      if (showErrors) ShowError(e.what());
    }
  } while (FindNextFileA(search.Get(), &found));
}

void RunProcess(const std::string& commandLine, HWND* window, bool waitIdle) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  PROCESS_INFORMATION info{};
  std::string line = commandLine;  // the system may write into the command line
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup,
                      &info))
    throw std::runtime_error("Unable to Create Process:" + commandLine);
  ui::TKernelHandle process(info.hProcess), thread(info.hThread);
  if (waitIdle) {
    WaitForInputIdle(info.hProcess, 20000);
    if (window) *window = GetForegroundWindow();
  }
}

}  // namespace lupendo
