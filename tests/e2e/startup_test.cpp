// Start-up of the real program: installation check, single instance, configuration.
#include <gtest/gtest.h>

#include <fstream>

#include "app/startup_args.h"
#include "config/mini_file.h"
#include "harness.h"

using namespace e2e;

namespace {

bool SemaphoreExists() {
  HANDLE semaphore = OpenSemaphoreA(SYNCHRONIZE, FALSE, "SSLupendo");
  if (!semaphore) return false;
  CloseHandle(semaphore);
  return true;
}

std::string IniValue(const std::string& text, const char* section, const char* key) {
  lupendo::TIniDocument document;
  document.Parse(text);
  const std::string* line = document.Find(section, key);
  return line ? line->substr(line->find('=') + 1) : "<absent>";
}

}  // namespace

TEST(Startup, MissingHelpFileIsReportedAndNothingStarts) {
  TProgramFolder folder;
  ASSERT_TRUE(DeleteFileA(folder.File("helpz.htm").c_str()));
  TProgram program;
  program.Start(folder);
  HWND box = program.WaitForMessageBox("Lupendo");
  ASSERT_NE(box, nullptr) << "no warning";
  EXPECT_EQ(MessageBoxText(box), lupendo::InvalidInstallationText(folder.File("helpz.htm")));
  EXPECT_TRUE(HasButton(box, IDOK));
  EXPECT_FALSE(HasButton(box, IDCANCEL));
  EXPECT_EQ(program.FindWindowOfClass("TKvZoom"), nullptr);
  EXPECT_FALSE(SemaphoreExists()) << "the refused start must not leave the single-instance semaphore";
  PressMessageBoxButton(box, IDOK);
  EXPECT_EQ(program.WaitForExit(), 0u);
  EXPECT_FALSE(folder.HasConfig());
}

TEST(Startup, MissingHelpFileIsReportedEvenWhileAnotherInstanceRuns) {
  SetInstallPath("C:\\Lupendo");
  TProgramFolder first, broken;
  first.MarkInstalled();
  TProgram running, second;
  running.Start(first);
  ASSERT_NE(running.WaitForWindow("TKvZoom"), nullptr);
  ASSERT_TRUE(DeleteFileA(broken.File("helpz.htm").c_str()));
  second.Start(broken);
  HWND box = second.WaitForMessageBox("Lupendo");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), lupendo::InvalidInstallationText(broken.File("helpz.htm")));
  PressMessageBoxButton(box, IDOK);
  EXPECT_EQ(second.WaitForExit(), 0u);
  EXPECT_EQ(running.CloseMagnifier(), 0u);
}

TEST(Startup, SecondInstanceAnsweredNoEndsWithCodeZero) {
  SetInstallPath("C:\\Lupendo");
  TProgramFolder folderA, folderB;
  folderA.MarkInstalled();
  TProgram first, second;
  first.Start(folderA);
  HWND firstWindow = first.WaitForWindow("TKvZoom");
  ASSERT_NE(firstWindow, nullptr);
  TBounds before = WindowBounds(firstWindow);

  second.Start(folderB);
  HWND box = second.WaitForMessageBox("Lupendo");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "A Lupendo instance is already active.\r\nDo you want to start another one?");
  EXPECT_TRUE(HasButton(box, IDYES));
  EXPECT_TRUE(HasButton(box, IDNO));
  PressMessageBoxButton(box, IDNO);
  EXPECT_EQ(second.WaitForExit(), 0u);
  EXPECT_EQ(second.FindWindowOfClass("TKvZoom"), nullptr);
  EXPECT_FALSE(folderB.HasConfig());

  ASSERT_TRUE(first.Running());
  EXPECT_TRUE(IsWindow(firstWindow));
  EXPECT_EQ(WindowBounds(firstWindow), before);
  EXPECT_EQ(first.CloseMagnifier(), 0u);
}

TEST(Startup, SecondInstanceAnsweredYesRunsBesideTheFirst) {
  SetInstallPath("C:\\Lupendo");
  TProgramFolder folderA, folderB;
  folderA.MarkInstalled();
  folderB.MarkInstalled();
  TProgram first, second;
  first.Start(folderA);
  ASSERT_NE(first.WaitForWindow("TKvZoom"), nullptr);
  second.Start(folderB);
  HWND box = second.WaitForMessageBox("Lupendo");
  ASSERT_NE(box, nullptr);
  PressMessageBoxButton(box, IDYES);
  EXPECT_NE(second.WaitForWindow("TKvZoom"), nullptr);
  EXPECT_NE(first.FindWindowOfClass("TKvZoom"), nullptr);
  EXPECT_EQ(second.CloseMagnifier(), 0u);
  EXPECT_EQ(first.CloseMagnifier(), 0u);
}

TEST(Startup, FirstStartWritesTheConfigurationAndTheNextStartReadsIt) {
  DeleteInstallPath();
  TProgramFolder folder;
  {
    TProgram program;
    program.Start(folder);
    FinishInstallDialog(program);
    HWND wnd = program.WaitForWindow("TKvZoom");
    ASSERT_NE(wnd, nullptr);
    // Move and size the window as the user would have, then close it.
    SetWindowPos(wnd, nullptr, 220, 160, 333, 222, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { return WindowBounds(wnd) == TBounds{220, 160, 333, 222}; }));
    EXPECT_EQ(program.CloseMagnifier(), 0u);
  }
  ASSERT_TRUE(folder.HasConfig());
  std::string text = folder.ConfigText();
  EXPECT_EQ(IniValue(text, "KvZoom", "x"), "220");
  EXPECT_EQ(IniValue(text, "KvZoom", "y"), "160");
  EXPECT_EQ(IniValue(text, "KvZoom", "w"), "333");
  EXPECT_EQ(IniValue(text, "KvZoom", "h"), "222");
  EXPECT_EQ(IniValue(text, "KvZoom", "Zoom"), "2");
  EXPECT_EQ(IniValue(text, "KvZoom", "FirstTime"), "0") << "a closed first run is no first run any more";
  EXPECT_EQ(IniValue(text, "Options", "x"), "<absent>");

  // A foreign section and the moved bounds come back on the next start.
  folder.WriteConfigText(text + "[Foreign]\r\nkeep me\r\n\r\n");
  TProgram again;
  again.Start(folder);
  // The first run recorded the installation: no dialog this time.
  HWND wnd = again.WaitForWindow("TKvZoom");
  EXPECT_EQ(again.WaitForMessageBox(kInstallDialogCaption, 0ms), nullptr);
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(WindowBounds(wnd), (TBounds{220, 160, 333, 222}));
  EXPECT_EQ(again.CloseMagnifier(), 0u);
  std::string after = folder.ConfigText();
  EXPECT_NE(after.find("[Foreign]\r\nkeep me\r\n"), std::string::npos) << after;
}

TEST(Startup, UnreadableConfigurationEndsTheProgramAndStaysUntouched) {
  SetInstallPath("C:\\Lupendo");
  TProgramFolder folder;
  // 40 bytes whose trailer claims 300 bytes of filler.
  std::vector<uint8_t> bytes(40, 0x5A);
  bytes[20] = 0x2C;
  bytes[21] = 0x01;
  bytes[22] = bytes[23] = 0;
  folder.WriteBytes("Lupendo.kfg", bytes);

  TProgram program;
  program.Start(folder);
  HWND box = program.WaitForMessageBox("Tessaly");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box),
            "Unable to read the configuration file:\r\n'Corrupted stream, bad buffer size.'\r\n\r\n"
            "Please reinstall the program.\r\nIf the problem persists, contact Corvanti.");
  EXPECT_EQ(program.FindWindowOfClass("TKvZoom"), nullptr);
  PressMessageBoxButton(box, IDOK);
  EXPECT_EQ(program.WaitForExit(), 0u);
  EXPECT_EQ(program.FindWindowOfClass("TKvZoom"), nullptr);
  EXPECT_EQ(folder.ReadBytes("Lupendo.kfg"), bytes);
  EXPECT_EQ(GetFileAttributesA((folder.ConfigPath() + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
}

// The folder after "U" comes from the command line: one that holds no installation, or does
// not exist at all, loses nothing, and the registry entries of the real one stay.
TEST(Startup, UninstallOfAFolderWithoutTheProgramRemovesNothing) {
  SetInstallPath("C:\\Lupendo\\");
  TProgramFolder folder;
  const std::string other = NewTempFolder("lupendo-e2e-other");
  { std::ofstream(other + "letter.doc") << "mine"; }
  struct {
    std::string Arguments, Text;
  } cases[] = {
      {"U " + other, "Nothing was removed: " + other + " is not a Lupendo installation."},
      {"U C:\\Some Folder\\",
       "Errors occurred uninstalling Lupendo\r\nPath does not exist: C:\\Some Folder\\\r\n"
       "Nothing was removed."},
  };
  for (const auto& c : cases) {
    TProgram program;
    program.Start(folder, c.Arguments);
    HWND box = program.WaitForMessageBox("Lupendo");
    ASSERT_NE(box, nullptr) << c.Arguments;
    EXPECT_EQ(MessageBoxText(box), c.Text);
    PressMessageBoxButton(box, IDOK);
    EXPECT_EQ(program.WaitForExit(), 0u);
    EXPECT_EQ(program.FindWindowOfClass("TKvZoom"), nullptr);
  }
  EXPECT_NE(GetFileAttributesA((other + "letter.doc").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, "Software\\Corvanti\\Lupendo", "Path"), "C:\\Lupendo\\");
  EXPECT_FALSE(folder.HasConfig());
  DeleteFolder(other);
}
