// Command lines, the program's own files and the final texts of installing and uninstalling.
#include "install/install_plan.h"

#include <gtest/gtest.h>

#include "app/startup_args.h"

namespace lupendo {
namespace {

std::function<std::string(int)> Params(const std::string& commandLine) {
  std::vector<std::string> parts = SplitCommandLine(commandLine);
  return [parts](int i) { return i < static_cast<int>(parts.size()) ? parts[static_cast<size_t>(i)] : ""; };
}

TEST(InstallPlan, TheUninstallEntryReachesStageOne) {
  std::string command = UninstallCommand("C:\\Lupendo\\Lupendo.exe");
  EXPECT_EQ(command, "C:\\Lupendo\\Lupendo.exe - U");
  EXPECT_EQ(ScanCommandLine(Params(command)).Kind, TStartupRequest::TKind::UninstallRelaunch);
}

TEST(InstallPlan, StageTwoRebuildsTheFolderFromTheCommandLine) {
  struct {
    const char* Copy;
    const char* Folder;
    const char* Joined;
  } cases[] = {
      {"C:\\Temp\\Lupendo.exe", "C:\\Lupendo\\", "C:\\Lupendo\\"},
      {"C:\\Temp\\Lupendo.exe", "C:\\Program Files\\Lupendo\\", "C:\\Program Files\\Lupendo\\"},
      // A blank in the temporary folder: the quoted copy keeps "U" the first parameter.
      {"C:\\Documents and Settings\\me\\Temp\\Lupendo.exe", "C:\\Lupendo\\", "C:\\Lupendo\\"},
      // Two blanks in a row come back as one (the folder is then not found).
      {"C:\\Temp\\Lupendo.exe", "C:\\My  Tools\\", "C:\\My Tools\\"},
  };
  for (const auto& c : cases) {
    std::string line = Stage2CommandLine(c.Copy, c.Folder);
    EXPECT_EQ(line.substr(0, 1), "\"") << "the copy's path is quoted";
    TStartupRequest request = ScanCommandLine(Params(line));
    EXPECT_EQ(request.Kind, TStartupRequest::TKind::UninstallFolder) << line;
    EXPECT_EQ(request.Folder, c.Joined) << line;
  }
}

TEST(InstallPlan, OnlyTheProgramsOwnFilesAreItsOwn) {
  for (const char* own : {"Lupendo.exe", "KvHk.dll", "helpz.htm", "HELP2Z.HTM", "Readme.txt", "Lupendo.kfg"})
    EXPECT_TRUE(IsProgramFile(own, "Lupendo.exe")) << own;
  for (const char* foreign : {"letter.doc", "Lupendo.exe.bak", "notes.txt", "kvhk.dll.old"})
    EXPECT_FALSE(IsProgramFile(foreign, "Lupendo.exe")) << foreign;
  EXPECT_TRUE(LooksLikeInstallation({"a.txt", "helpz.htm"}, "Lupendo.exe"));
  EXPECT_TRUE(LooksLikeInstallation({"LUPENDO.EXE"}, "Lupendo.exe"));
  EXPECT_FALSE(LooksLikeInstallation({"letter.doc", "Readme.txt"}, "Lupendo.exe"));
}

TEST(InstallPlan, FinalMessagesNameErrorsAndFilesThatStayed) {
  EXPECT_EQ(UninstallResultText("", {}), "Lupendo has been successfully removed.");
  EXPECT_EQ(UninstallResultText("\r\nC:\\Lupendo\\x.dll", {}),
            "Errors occurred uninstalling Lupendo\r\n\r\nC:\\Lupendo\\x.dll");
  EXPECT_EQ(UninstallResultText("", {"letter.doc"}),
            "Lupendo has been successfully removed.\r\n\r\nThese files are not Lupendo's and were left in the "
            "folder:\r\nletter.doc");
  EXPECT_EQ(MissingFolderText("C:\\My Tools\\"),
            "Errors occurred uninstalling Lupendo\r\nPath does not exist: C:\\My Tools\\\r\nNothing was removed.");
  EXPECT_EQ(NotAnInstallationText("C:\\Users\\me\\Downloads\\"),
            "Nothing was removed: C:\\Users\\me\\Downloads\\ is not a Lupendo installation.");
}

}  // namespace
}  // namespace lupendo
