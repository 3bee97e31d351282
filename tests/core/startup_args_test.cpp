#include "app/startup_args.h"

#include <gtest/gtest.h>

using namespace lupendo;
using TKind = TStartupRequest::TKind;

namespace {
TStartupRequest Scan(const std::vector<std::string>& params) {
  return ScanCommandLine([&](int index) {
    return index >= 1 && static_cast<size_t>(index) <= params.size() ? params[static_cast<size_t>(index - 1)]
                                                                     : std::string();
  });
}
}  // namespace

TEST(CommandLine, UninstallSwitchAndFolder) {
  struct {
    const char* Name;
    std::vector<std::string> Params;
    TKind Kind;
    const char* Folder;
  } cases[] = {
      {"no parameters", {}, TKind::StartMagnifier, ""},
      {"U alone relaunches", {"U"}, TKind::UninstallRelaunch, ""},
      {"U with a folder", {"U", "C:\\Lupendo"}, TKind::UninstallFolder, "C:\\Lupendo"},
      {"folder with a blank rebuilt", {"U", "C:\\Program", "Files\\Lupendo"}, TKind::UninstallFolder,
       "C:\\Program Files\\Lupendo"},
      {"lower-case u is no switch", {"u"}, TKind::StartMagnifier, ""},
      {"other parameters skipped", {"x", "y", "U", "D:\\L"}, TKind::UninstallFolder, "D:\\L"},
      {"U after an empty parameter ignored", {"x", "", "U"}, TKind::StartMagnifier, ""},
      {"folder ends at an empty parameter", {"U", "a", "", "b"}, TKind::UninstallFolder, "a"},
      {"U as tenth parameter counts", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "U"}, TKind::UninstallRelaunch,
       ""},
      {"U as eleventh parameter ignored", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "U"},
       TKind::StartMagnifier, ""},
      {"folder may run past the tenth parameter",
       {"1", "2", "3", "4", "5", "6", "7", "8", "U", "a", "b", "c"}, TKind::UninstallFolder, "a b c"},
      {"UU is no switch", {"UU"}, TKind::StartMagnifier, ""},
  };
  for (const auto& c : cases) {
    TStartupRequest request = Scan(c.Params);
    EXPECT_EQ(request.Kind, c.Kind) << c.Name;
    EXPECT_EQ(request.Folder, c.Folder) << c.Name;
  }
}

TEST(CommandLine, SplitsLikeTheProgramReadsItsParameters) {
  struct {
    const char* Line;
    std::vector<std::string> Params;
  } cases[] = {
      {"Lupendo.exe", {"Lupendo.exe"}},
      {"\"C:\\Program Files\\L\\Lupendo.exe\" U C:\\Program Files\\L",
       {"C:\\Program Files\\L\\Lupendo.exe", "U", "C:\\Program", "Files\\L"}},
      {"a  \t b", {"a", "b"}},
      {"a \"\" U", {"a", "", "U"}},
      {"x\"y z\"w", {"xy zw"}},
      {"  ", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitCommandLine(c.Line), c.Params) << c.Line;
}

TEST(StartupTexts, InvalidInstallationNamesTheMissingFile) {
  EXPECT_EQ(InvalidInstallationText("C:\\L\\helpz.htm"),
            "Invalid installation, file not found: \r\nC:\\L\\helpz.htm\r\nPlease follow the Readme.txt instructions.");
}
