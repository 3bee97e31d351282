// Installing at the first run and uninstalling through the uninstall entry: the real program,
// its shell links, the registry, and the temporary copy that removes the installation.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>

#include "harness.h"

using namespace e2e;

namespace {

constexpr const char* kInstallKey = "Software\\Corvanti\\Lupendo";
constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lupendo";

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A shell link file read back through the system's own link object.
struct TLink {
  bool Loaded = false;
  std::string Target, Arguments, WorkingFolder, Icon;
  int IconIndex = -1;
};

TLink LoadLink(const std::string& path) {
  TLink link;
  if (!Exists(path)) return link;
  const HRESULT com = CoInitialize(nullptr);
  IShellLinkA* shell = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&shell)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      std::wstring wide(path.begin(), path.end());
      if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ))) {
        char text[MAX_PATH] = {};
        shell->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
        link.Target = text;
        shell->GetArguments(text, MAX_PATH);
        link.Arguments = text;
        shell->GetWorkingDirectory(text, MAX_PATH);
        link.WorkingFolder = text;
        shell->GetIconLocation(text, MAX_PATH, &link.IconIndex);
        link.Icon = text;
        link.Loaded = true;
      }
      file->Release();
    }
    shell->Release();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return link;
}

std::string ProcessImage(HANDLE process) {
  char image[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  return QueryFullProcessImageNameA(process, 0, image, &size) ? std::string(image, size) : std::string();
}

class InstallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ForgetInstallation();
    SetCursorPos(1250, 1000);
  }
  void TearDown() override { ForgetInstallation(); }
  static void ForgetInstallation() {
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, kInstallKey);
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, kUninstallKey);
  }

  // The first run: the install page with its two boxes set as given, "Finish", and the
  // magnifier that follows closed again.
  static void FirstRun(const TProgramFolder& folder, bool desktopLink, bool programFolder) {
    TProgram program;
    program.Start(folder);
    FinishInstallDialog(program, desktopLink, programFolder);
    ASSERT_NE(program.WaitForWindow("TKvZoom"), nullptr);
    EXPECT_EQ(program.CloseMagnifier(), 0u);
  }

  void ExpectNoLinks() const {
    EXPECT_FALSE(Exists(FShell.Desktop() + "Lupendo.lnk"));
    EXPECT_FALSE(Exists(FShell.Programs() + "Lupendo"));
  }

  // Runs the uninstall entry's command as the system does, with the temporary folder in
  // temp, and checks what the copy that does the work reports and leaves behind.
  void Uninstall(const TProgramFolder& folder, const std::string& temp) {
    std::optional<std::string> command = RegistryValue(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString");
    ASSERT_TRUE(command.has_value());
    TProgram stageOne;
    stageOne.StartCommandLine(*command, folder.Path(), {{"TMP", temp}, {"TEMP", temp}});
    EXPECT_EQ(stageOne.WaitForExit(), 0u) << "the installed program hands over and ends";

    HWND box = WaitForAnyMessageBox("Lupendo");
    ASSERT_NE(box, nullptr);
    DWORD pid = 0;
    GetWindowThreadProcessId(box, &pid);
    HANDLE copy = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(Lower(ProcessImage(copy)), Lower(temp + "Lupendo.exe")) << "the temporary copy does the work";
    EXPECT_EQ(MessageBoxText(box),
              "Lupendo has been successfully removed.\r\n\r\n"
              "These files are not Lupendo's and were left in the folder:\r\nletter.doc");

    for (const char* name : {"Lupendo.exe", "KvHk.dll", "helpz.htm", "help2z.htm", "Readme.txt", "Lupendo.kfg"})
      EXPECT_FALSE(Exists(folder.File(name))) << name;
    EXPECT_TRUE(Exists(folder.File("letter.doc")));
    ExpectNoLinks();
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kInstallKey));
    EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, "Software\\Corvanti")) << "the maker's key stays";

    PressMessageBoxButton(box, IDOK);
    EXPECT_EQ(WaitForSingleObject(copy, 15000), WAIT_OBJECT_0);
    CloseHandle(copy);
  }

  TShellFolders FShell;
};

TEST_F(InstallTest, FirstRunWithBothBoxesCreatesTheLinksTheUninstallEntryAndThePath) {
  TProgramFolder folder;
  FirstRun(folder, true, true);
  const std::string exe = folder.File("Lupendo.exe");
  const std::string workingFolder = folder.Path().substr(0, folder.Path().size() - 1);
  const struct {
    std::string Path, Arguments;
  } links[] = {
      {FShell.Desktop() + "Lupendo.lnk", ""},
      {FShell.Programs() + "Lupendo\\Lupendo.lnk", ""},
      {FShell.Programs() + "Lupendo\\Uninstall Lupendo.lnk", " - U"},
  };
  for (const auto& expected : links) {
    TLink link = LoadLink(expected.Path);
    ASSERT_TRUE(link.Loaded) << expected.Path;
    EXPECT_EQ(Lower(link.Target), Lower(exe)) << expected.Path;
    EXPECT_EQ(link.Arguments, expected.Arguments) << expected.Path;
    EXPECT_EQ(Lower(link.WorkingFolder), Lower(workingFolder)) << expected.Path;
    EXPECT_EQ(Lower(link.Icon), Lower(exe)) << expected.Path;
    EXPECT_EQ(link.IconIndex, 0) << expected.Path;
  }
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"), "Lupendo");
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"), exe + " - U");
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, kInstallKey, "Path"), folder.Path());

  TProgram again;
  again.Start(folder);
  EXPECT_NE(again.WaitForWindow("TKvZoom"), nullptr) << "the next start is no first run";
  EXPECT_EQ(again.WaitForMessageBox(kInstallDialogCaption, 0ms), nullptr);
  EXPECT_EQ(again.CloseMagnifier(), 0u);
}

TEST_F(InstallTest, FirstRunWithoutLinksStillRegistersTheUninstallEntryAndThePath) {
  TProgramFolder folder;
  FirstRun(folder, false, false);
  ExpectNoLinks();
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"), "Lupendo");
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"), folder.File("Lupendo.exe") + " - U");
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, kInstallKey, "Path"), folder.Path());
}

// The maker's key made volatile: the installation folder's key below it cannot be created.
TEST_F(InstallTest, AFailedRegistryWriteIsReportedAndTheNextStartOffersTheInstallationAgain) {
  DeleteRegistryTree(HKEY_LOCAL_MACHINE, "Software\\Corvanti");
  HKEY maker = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Corvanti", 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &maker, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(maker);

  TProgramFolder folder;
  {
    TProgram program;
    program.Start(folder);
    FinishInstallDialog(program);
    HWND box = program.WaitForMessageBox("Lupendo");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Failed to create key Software\\Corvanti\\Lupendo.");
    PressMessageBoxButton(box, IDOK);
    EXPECT_NE(program.WaitForWindow("TKvZoom"), nullptr) << "the program starts all the same";
    EXPECT_EQ(program.CloseMagnifier(), 0u);
  }
  EXPECT_FALSE(RegistryValue(HKEY_LOCAL_MACHINE, kInstallKey, "Path").has_value());

  TProgram again;
  again.Start(folder);
  EXPECT_NE(again.WaitForMessageBox(kInstallDialogCaption), nullptr);
  again.Kill();
  DeleteRegistryTree(HKEY_LOCAL_MACHINE, "Software\\Corvanti");
}

// The uninstall entry removes the program's files (a read-only one too), its links and its
// registry keys through a temporary copy; a file of the user's in the folder stays. Blanks
// in the installation folder and in the temporary folder are handled.
TEST_F(InstallTest, UninstallEntryRemovesTheInstallationButNotTheUsersFiles) {
  const struct {
    const char* Installation;
    const char* Temp;
  } cases[] = {{"", "Temp"}, {"My Tools", "Temp Files"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("installed in '") + c.Installation + "', temporary folder '" + c.Temp + "'");
    TProgramFolder folder(c.Installation);
    FirstRun(folder, true, true);
    ASSERT_TRUE(folder.HasConfig());
    ASSERT_TRUE(Exists(FShell.Programs() + "Lupendo\\Uninstall Lupendo.lnk"));
    { std::ofstream(folder.File("letter.doc")) << "mine"; }
    SetFileAttributesA(folder.File("helpz.htm").c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string tempRoot = NewTempFolder("lupendo-e2e-temp");
    const std::string temp = tempRoot + c.Temp + "\\";
    CreateDirectoryA(temp.c_str(), nullptr);
    // A program named like the temporary folder's path up to its first blank: an unquoted
    // path of the copy would start it instead.
    CopyFileA(folder.File("Lupendo.exe").c_str(), (tempRoot + "Temp.exe").c_str(), FALSE);
    Uninstall(folder, temp);
    DeleteFolder(tempRoot);
    ForgetInstallation();
  }
}

}  // namespace
