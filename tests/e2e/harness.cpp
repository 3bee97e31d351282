#include "harness.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <memory>
#include <thread>

#include "app/command_ids.h"
#include "app/resource_ids.h"
#include "config/config_codec.h"
#include "test_picture.h"

namespace e2e {

namespace {

std::string ToWindowsPath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  if (!path.empty() && path[0] == '\\') path = "Z:" + path;
  return path;
}

struct TFindData {
  DWORD Pid;
  std::string ClassName;
  std::string Caption;
  bool MatchCaption;
  HWND Found;
};

BOOL CALLBACK FindProc(HWND wnd, LPARAM param) {
  auto* data = reinterpret_cast<TFindData*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  if ((data->Pid != 0 && pid != data->Pid) || !IsWindowVisible(wnd)) return TRUE;
  char name[256] = {};
  GetClassNameA(wnd, name, sizeof name);
  if (data->ClassName != name) return TRUE;
  if (data->MatchCaption) {
    char caption[512] = {};
    GetWindowTextA(wnd, caption, sizeof caption);
    if (data->Caption != caption) return TRUE;
  }
  data->Found = wnd;
  return FALSE;
}

HWND FindTopLevel(DWORD pid, const std::string& className, const std::string* caption) {
  TFindData data{pid, className, caption ? *caption : std::string(), caption != nullptr, nullptr};
  EnumWindows(&FindProc, reinterpret_cast<LPARAM>(&data));
  return data.Found;
}

constexpr const char* kShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

void SetRegistryValue(HKEY root, const std::string& key, const std::string& name, const std::string& value) {
  HKEY opened = nullptr;
  ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr), ERROR_SUCCESS);
  RegSetValueExA(opened, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(opened);
}

void DeleteRegistryValue(HKEY root, const std::string& key, const std::string& name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_WRITE, &opened) == ERROR_SUCCESS) {
    RegDeleteValueA(opened, name.c_str());
    RegCloseKey(opened);
  }
}

BOOL CALLBACK FindChildProc(HWND child, LPARAM param) {
  auto* found = reinterpret_cast<std::pair<int, HWND>*>(param);
  if (GetDlgCtrlID(child) != found->first) return TRUE;
  found->second = child;
  return FALSE;
}

// The sandbox every test of this program runs in: see TShellFolders.
class TShellSandbox : public ::testing::Environment {
 public:
  void SetUp() override { FFolders = std::make_unique<TShellFolders>(); }
  void TearDown() override { FFolders.reset(); }

 private:
  std::unique_ptr<TShellFolders> FFolders;
};
[[maybe_unused]] ::testing::Environment* const kShellSandbox = ::testing::AddGlobalTestEnvironment(new TShellSandbox);

}  // namespace

std::string NewTempFolder(const std::string& prefix) {
  static std::atomic<int> counter{0};
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string path =
      std::string(temp) + prefix + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) + "\\";
  DeleteFolder(path);
  CreateDirectoryA(path.c_str(), nullptr);
  return path;
}

void DeleteFolder(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string full = folder + name;
      SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        DeleteFolder(full + "\\");
      else
        DeleteFileA(full.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  auto end = std::chrono::steady_clock::now() + timeout;
  while (true) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > end) return condition();
    // Windows of the test itself (the known picture) keep painting while it waits.
    testpic::Pump(20);
  }
}

TProgramFolder::TProgramFolder(const std::string& nested) {
  FRoot = NewTempFolder("lupendo-e2e");
  FPath = FRoot;
  if (!nested.empty()) {
    FPath += nested + "\\";
    CreateDirectoryA(FPath.c_str(), nullptr);
  }
  std::string source = ToWindowsPath(LUPENDO_PROGRAM_DIR) + "\\";
  for (const char* name : {"Lupendo.exe", "KvHk.dll", "helpz.htm", "help2z.htm", "Readme.txt"}) {
    if (!CopyFileA((source + name).c_str(), (FPath + name).c_str(), FALSE))
      ADD_FAILURE() << "cannot copy " << source << name;
  }
}

TProgramFolder::~TProgramFolder() { DeleteFolder(FRoot); }

namespace {
TShellFolders* CurrentShellFolders = nullptr;
}

TShellFolders::TShellFolders() : FOuter(CurrentShellFolders) {
  FRoot = NewTempFolder("lupendo-e2e-shell");
  FDesktop = FRoot + "Desktop\\";
  FPrograms = FRoot + "Start Menu\\Programs\\";
  for (const std::string& folder : {FDesktop, FRoot + "Start Menu\\", FPrograms, FPrograms + "Startup\\"})
    CreateDirectoryA(folder.c_str(), nullptr);
  for (const char* name : {"Desktop", "Start Menu", "Startup"})
    FSaved.emplace_back(name, RegistryValue(HKEY_CURRENT_USER, kShellFoldersKey, name));
  CurrentShellFolders = this;
  Apply();
}

TShellFolders::~TShellFolders() {
  CurrentShellFolders = FOuter;
  for (const auto& [name, value] : FSaved) {
    if (value)
      SetRegistryValue(HKEY_CURRENT_USER, kShellFoldersKey, name, *value);
    else
      DeleteRegistryValue(HKEY_CURRENT_USER, kShellFoldersKey, name);
  }
  DeleteFolder(FRoot);
}

void TShellFolders::Apply() const {
  SetRegistryValue(HKEY_CURRENT_USER, kShellFoldersKey, "Desktop", FRoot + "Desktop");
  SetRegistryValue(HKEY_CURRENT_USER, kShellFoldersKey, "Start Menu", FRoot + "Start Menu");
  SetRegistryValue(HKEY_CURRENT_USER, kShellFoldersKey, "Startup", FPrograms + "Startup");
}

void TShellFolders::ApplyCurrent() {
  if (CurrentShellFolders) CurrentShellFolders->Apply();
}

bool TProgramFolder::HasConfig() const { return GetFileAttributesA(ConfigPath().c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<uint8_t> TProgramFolder::ReadBytes(const std::string& name) const {
  std::ifstream in(File(name), std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void TProgramFolder::WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes) const {
  std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string TProgramFolder::ConfigText() const {
  try {
    return lupendo::DecodeConfigBytes(ReadBytes("Lupendo.kfg"));
  } catch (const std::exception& e) {
    ADD_FAILURE() << "configuration does not decode: " << e.what();
    return {};
  }
}

void TProgramFolder::WriteConfigText(const std::string& text) const {
  lupendo::TRandom random(GetTickCount());
  WriteBytes("Lupendo.kfg", lupendo::EncodeConfigBytes(text, random));
}

TProgram::~TProgram() {
  if (FInfo.hProcess) {
    Kill();
    CloseHandle(FInfo.hProcess);
    CloseHandle(FInfo.hThread);
  }
}

void TProgram::StartCommandLine(const std::string& commandLine, const std::string& currentFolder,
                                const std::vector<std::pair<std::string, std::string>>& environment) {
  // The environment block: every variable of this process, with the given ones replaced.
  std::string block;
  const char* strings = GetEnvironmentStringsA();
  for (const char* entry = strings; entry && *entry; entry += strlen(entry) + 1) {
    std::string text = entry;
    bool replaced = false;
    for (const auto& [name, value] : environment)
      replaced =
          replaced || (text.size() > name.size() && text[name.size()] == '=' &&
                       CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, text.c_str(), static_cast<int>(name.size()),
                                      name.c_str(), static_cast<int>(name.size())) == CSTR_EQUAL);
    if (!replaced) block += text + '\0';
  }
  if (strings) FreeEnvironmentStringsA(const_cast<char*>(strings));
  for (const auto& [name, value] : environment) block += name + "=" + value + '\0';
  block += '\0';
  TShellFolders::ApplyCurrent();
  std::string line = commandLine;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, block.data(), currentFolder.c_str(),
                             &startup, &FInfo))
      << "cannot start " << commandLine;
}

void TProgram::Start(const TProgramFolder& folder, const std::string& arguments) {
  std::string exe = folder.File("Lupendo.exe");
  std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
  TShellFolders::ApplyCurrent();
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  ASSERT_TRUE(CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             folder.Path().c_str(), &startup, &FInfo))
      << "cannot start " << exe;
}

bool TProgram::Running() const { return FInfo.hProcess && WaitForSingleObject(FInfo.hProcess, 0) == WAIT_TIMEOUT; }

DWORD TProgram::WaitForExit(std::chrono::milliseconds timeout) {
  if (!FInfo.hProcess) return STILL_ACTIVE;
  if (WaitForSingleObject(FInfo.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(FInfo.hProcess, &code);
  return code;
}

void TProgram::Kill() {
  if (Running()) {
    TerminateProcess(FInfo.hProcess, 99);
    WaitForSingleObject(FInfo.hProcess, 5000);
  }
}

HWND TProgram::FindWindowOfClass(const char* className) const {
  return FindTopLevel(FInfo.dwProcessId, className, nullptr);
}

HWND TProgram::WaitForWindow(const char* className, std::chrono::milliseconds timeout) const {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindWindowOfClass(className)) != nullptr; }, timeout);
  return found;
}

HWND TProgram::WaitForMessageBox(const std::string& caption, std::chrono::milliseconds timeout) const {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTopLevel(FInfo.dwProcessId, "#32770", &caption)) != nullptr; }, timeout);
  return found;
}

DWORD TProgram::CloseMagnifier() {
  HWND wnd = FindWindowOfClass("TKvZoom");
  if (wnd) PostMessageA(wnd, WM_COMMAND, CM_EXIT, 0);
  return WaitForExit();
}

void FinishInstallDialog(const TProgram& program, bool desktopLink, bool programFolder) {
  HWND dialog = program.WaitForMessageBox(kInstallDialogCaption);
  ASSERT_NE(dialog, nullptr);
  char caption[32] = {};
  GetWindowTextA(GetDlgItem(dialog, IDOK), caption, sizeof caption);
  EXPECT_STREQ(caption, "Finish");
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDCANCEL)));
  SendMessageA(DialogItem(dialog, IDC_cbShortCut), BM_SETCHECK, desktopLink ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageA(DialogItem(dialog, IDC_cbProgramFolder), BM_SETCHECK, programFolder ? BST_CHECKED : BST_UNCHECKED, 0);
  PressMessageBoxButton(dialog, IDOK);
}

HWND WaitForAnyMessageBox(const std::string& caption, std::chrono::milliseconds timeout) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTopLevel(0, "#32770", &caption)) != nullptr; }, timeout);
  return found;
}

HWND DialogItem(HWND dialog, int id) {
  std::pair<int, HWND> found{id, nullptr};
  EnumChildWindows(dialog, &FindChildProc, reinterpret_cast<LPARAM>(&found));
  return found.second;
}

std::string MessageBoxText(HWND box) {
  char text[2048] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  return text;
}

bool HasButton(HWND box, int id) { return GetDlgItem(box, id) != nullptr; }

void PressMessageBoxButton(HWND box, int id) {
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

void SetInstallPath(const std::string& value) {
  SetRegistryValue(HKEY_LOCAL_MACHINE, "Software\\Corvanti\\Lupendo", "Path", value);
}

void DeleteInstallPath() { DeleteRegistryValue(HKEY_LOCAL_MACHINE, "Software\\Corvanti\\Lupendo", "Path"); }

std::optional<std::string> RegistryValue(HKEY root, const std::string& key, const std::string& name) {
  char value[1024] = {};
  DWORD size = sizeof value - 1, type = 0;
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return std::nullopt;
  LONG result = RegQueryValueExA(opened, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(opened);
  if (result != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
  return std::string(value);
}

bool RegistryKeyExists(HKEY root, const std::string& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

void DeleteRegistryTree(HKEY root, const std::string& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &opened) == ERROR_SUCCESS) {
    char name[256];
    DWORD length = sizeof name;
    while (RegEnumKeyExA(opened, 0, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
      std::string sub = key + "\\" + name;
      DeleteRegistryTree(root, sub);
      if (RegistryKeyExists(root, sub)) break;
      length = sizeof name;
    }
    RegCloseKey(opened);
  }
  RegDeleteKeyA(root, key.c_str());
}

RECT WindowRect(HWND wnd) {
  RECT rect{};
  GetWindowRect(wnd, &rect);
  return rect;
}

TBounds WindowBounds(HWND wnd) {
  RECT r = WindowRect(wnd);
  return TBounds{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void PrintTo(const TBounds& b, std::ostream* out) {
  *out << "(" << b.Left << ", " << b.Top << ") " << b.Width << " x " << b.Height;
}

void MouseMove(int x, int y) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  input.mi.dx = (x * 65535 + width / 2) / (width - 1);
  input.mi.dy = (y * 65535 + height / 2) / (height - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

void MouseButton(bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof input);
}

}  // namespace e2e
