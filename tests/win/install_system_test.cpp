// The registry, file and process routines of installing and uninstalling, on Wine's real
// registry and file system.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>

#include "install/install_plan.h"
#include "install/install_system.h"

using namespace lupendo;

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteFile(const std::string& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
  { std::ofstream(path) << "x"; }
  SetFileAttributesA(path.c_str(), attributes);
}

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteRegistryKey(HKEY_CURRENT_USER, FKey); }
  void TearDown() override { DeleteRegistryKey(HKEY_CURRENT_USER, FKey); }
  bool KeyExists(const std::string& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
  }
  const std::string FKey = "Software\\Corvanti\\LupendoTest" + std::to_string(GetCurrentProcessId());
};

TEST_F(RegistryTest, StringsAreWrittenIntoNewKeysAndReadBackEmptyMeaningFalse) {
  std::string value = "unchanged";
  EXPECT_FALSE(RegistryString(HKEY_CURRENT_USER, FKey, "Path", false, value)) << "reading never creates the key";
  EXPECT_EQ(value, "unchanged");
  EXPECT_FALSE(KeyExists(FKey));

  std::string path = "C:\\Program Files\\Lupendo\\";
  EXPECT_TRUE(RegistryString(HKEY_CURRENT_USER, FKey + "\\Deep", "Path", true, path));
  std::string read;
  EXPECT_TRUE(RegistryString(HKEY_CURRENT_USER, FKey + "\\Deep", "Path", false, read));
  EXPECT_EQ(read, path);

  std::string empty;
  EXPECT_TRUE(RegistryString(HKEY_CURRENT_USER, FKey, "Empty", true, empty));
  read = "x";
  EXPECT_FALSE(RegistryString(HKEY_CURRENT_USER, FKey, "Empty", false, read)) << "an empty string reads as false";
  EXPECT_EQ(read, "");
  read = "x";
  EXPECT_FALSE(RegistryString(HKEY_CURRENT_USER, FKey, "Missing", false, read));
  EXPECT_EQ(read, "");
}

TEST_F(RegistryTest, AKeyThatCannotBeCreatedIsReportedWithItsName) {
  // A root that is no open key: neither opening nor creating can succeed.
  HKEY bad = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x5EADBEEC));
  std::string value = "v";
  try {
    RegistryString(bad, "Software\\Corvanti\\Lupendo", "Path", true, value);
    ADD_FAILURE() << "no error";
  } catch (const TRegistryError& e) {
    EXPECT_STREQ(e.what(), "Failed to create key Software\\Corvanti\\Lupendo");
  }
  EXPECT_FALSE(RegistryString(bad, "Software\\Corvanti\\Lupendo", "Path", false, value)) << "reading stays quiet";
}

TEST_F(RegistryTest, DeletingAKeyTakesAllItsSubkeys) {
  std::string value = "v";
  for (const char* sub : {"\\A\\B\\C", "\\A\\D", "\\E"})
    RegistryString(HKEY_CURRENT_USER, FKey + sub, "n", true, value);
  EXPECT_TRUE(DeleteRegistryKey(HKEY_CURRENT_USER, FKey));
  EXPECT_FALSE(KeyExists(FKey));
  EXPECT_TRUE(KeyExists("Software\\Corvanti")) << "the parent stays";
  EXPECT_FALSE(DeleteRegistryKey(HKEY_CURRENT_USER, FKey)) << "a missing key";
  EXPECT_FALSE(DeleteRegistryKey(HKEY_CURRENT_USER, "")) << "an empty name never means the root";
}

class FolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    FDir = std::string(temp) + "lupendo-delete-" + std::to_string(GetCurrentProcessId()) + "\\";
    std::string ignored;
    DeleteTree(FDir, true, false, ignored);
    CreateDirectoryA(FDir.c_str(), nullptr);
  }
  void TearDown() override {
    std::string ignored;
    DeleteTree(FDir, true, false, ignored);
  }
  std::string FDir;
};

TEST_F(FolderTest, TreeGoesWholeIncludingReadOnlyFiles) {
  CreateDirectoryA((FDir + "sub").c_str(), nullptr);
  CreateDirectoryA((FDir + "sub\\deeper").c_str(), nullptr);
  WriteFile(FDir + "a.txt");
  WriteFile(FDir + "sub\\locked.txt", FILE_ATTRIBUTE_READONLY);
  WriteFile(FDir + "sub\\deeper\\b.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  std::string errors;
  DeleteTree(FDir, true, false, errors);
  EXPECT_EQ(errors, "");
  EXPECT_FALSE(Exists(FDir));
}

TEST_F(FolderTest, FilterKeepsOthersFilesAndTheFolderThatHoldsThem) {
  for (const char* own : {"Lupendo.exe", "KvHk.dll", "helpz.htm", "help2z.htm", "Readme.txt", "Lupendo.kfg"})
    WriteFile(FDir + own, FILE_ATTRIBUTE_READONLY);
  WriteFile(FDir + "letter.doc");
  CreateDirectoryA((FDir + "Photos").c_str(), nullptr);
  WriteFile(FDir + "Photos\\helpz.htm");

  std::string errors;
  TDeleteFilter filter;
  filter.Deletes = [](const std::string& name, bool isFolder) {
    return !isFolder && IsProgramFile(name, "Lupendo.exe");
  };
  DeleteTree(FDir, true, false, errors, &filter);
  EXPECT_EQ(errors, "");
  for (const char* own : {"Lupendo.exe", "KvHk.dll", "helpz.htm", "help2z.htm", "Readme.txt", "Lupendo.kfg"})
    EXPECT_FALSE(Exists(FDir + own)) << own;
  EXPECT_TRUE(Exists(FDir + "letter.doc"));
  EXPECT_TRUE(Exists(FDir + "Photos\\helpz.htm")) << "nothing below a kept folder is touched";
  std::sort(filter.Kept.begin(), filter.Kept.end());
  EXPECT_EQ(filter.Kept, (std::vector<std::string>{"Photos\\", "letter.doc"}));
}

TEST_F(FolderTest, MissingFolderIsReportedBeforeEarlierErrors) {
  std::string errors = "\r\nearlier";
  DeleteTree(FDir + "nothing\\", true, false, errors);
  EXPECT_EQ(errors, "Path does not exist: " + FDir + "nothing\\\r\n\r\nearlier");
}

TEST_F(FolderTest, AFileInUseIsLeftToTheNextSystemStart) {
  const std::string path = FDir + "busy.exe";
  WriteFile(path);
  HANDLE busy = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(busy, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(DeleteFileA(path.c_str())) << "the file must really be in use for this test";
  EXPECT_TRUE(DeleteOrSchedule(path));
  EXPECT_TRUE(Exists(path));
  CloseHandle(busy);
  EXPECT_TRUE(DeleteOrSchedule(path));
  EXPECT_FALSE(Exists(path));
}

TEST_F(FolderTest, MatchingFilesGoWithTheirSubfolders) {
  const std::string folder = FDir + "Lupendo\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "old").c_str(), nullptr);
  WriteFile(folder + "Lupendo.lnk");
  WriteFile(folder + "Uninstall Lupendo.lnk");
  WriteFile(folder + "old\\x.lnk");
  DeleteMatchingFiles(folder + "*.*", "*.*", false);
  EXPECT_FALSE(Exists(folder + "Lupendo.lnk"));
  EXPECT_FALSE(Exists(folder + "Uninstall Lupendo.lnk"));
  EXPECT_FALSE(Exists(folder + "old"));
  EXPECT_TRUE(Exists(folder)) << "the folder itself is the caller's to remove";
}

TEST(RunProcess, AProgramThatCannotStartIsReportedWithTheCommandLine) {
  try {
    RunProcess("C:\\nowhere\\missing.exe U C:\\Lupendo\\", nullptr, false);
    ADD_FAILURE() << "no error";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "Unable to Create Process:C:\\nowhere\\missing.exe U C:\\Lupendo\\");
  }
}

}  // namespace
