// The configuration file on a real Windows file system.
#include <gtest/gtest.h>
#include <windows.h>

#include "config/config_codec.h"
#include "config/mini_file.h"
#include "config/win_config_storage.h"

using namespace lupendo;

namespace {

class WinStorageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    FDir = std::string(temp) + "lupendo-storage-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(FDir.c_str(), nullptr);
    FPath = FDir + "Lupendo.kfg";
  }
  void TearDown() override {
    SetFileAttributesA(FPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(FPath.c_str());
    RemoveDirectoryA(ConfigTempFileName(FPath).c_str());
    DeleteFileA(ConfigTempFileName(FPath).c_str());
    RemoveDirectoryA(FDir.c_str());
  }
  std::vector<uint8_t> Read() {
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_EQ(FStorage.ReadAll(FPath, bytes, error), TConfigStorage::TReadResult::Ok);
    return bytes;
  }
  bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

  TWinConfigStorage FStorage;
  std::string FDir, FPath;
};

}  // namespace

TEST_F(WinStorageTest, MissingFileReadsAsAbsent) {
  std::vector<uint8_t> bytes;
  std::string error;
  EXPECT_EQ(FStorage.ReadAll(FPath, bytes, error), TConfigStorage::TReadResult::Missing);
}

TEST_F(WinStorageTest, ReplacesAnExistingFileInOneStep) {
  ASSERT_TRUE(FStorage.ReplaceAll(FPath, {1, 2, 3}));
  ASSERT_TRUE(FStorage.ReplaceAll(FPath, {4, 5}));
  EXPECT_EQ(Read(), (std::vector<uint8_t>{4, 5}));
  EXPECT_FALSE(Exists(ConfigTempFileName(FPath)));
}

TEST_F(WinStorageTest, FailedSavesLeaveTheOldFileByteForByte) {
  ASSERT_TRUE(FStorage.ReplaceAll(FPath, {9, 8, 7, 6}));
  // The temporary file cannot be created.
  ASSERT_TRUE(CreateDirectoryA(ConfigTempFileName(FPath).c_str(), nullptr));
  EXPECT_FALSE(FStorage.ReplaceAll(FPath, {1}));
  EXPECT_EQ(Read(), (std::vector<uint8_t>{9, 8, 7, 6}));
  RemoveDirectoryA(ConfigTempFileName(FPath).c_str());
  // The temporary file exists and cannot be overwritten.
  HANDLE blocker = CreateFileA(ConfigTempFileName(FPath).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(blocker, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(FStorage.ReplaceAll(FPath, {1}));
  CloseHandle(blocker);
  DeleteFileA(ConfigTempFileName(FPath).c_str());
  EXPECT_EQ(Read(), (std::vector<uint8_t>{9, 8, 7, 6}));
  ASSERT_TRUE(FStorage.ReplaceAll(FPath, {5}));
  EXPECT_EQ(Read(), (std::vector<uint8_t>{5}));
  EXPECT_FALSE(Exists(ConfigTempFileName(FPath))) << "temporary file left behind";
}

TEST_F(WinStorageTest, ReadsAFileThatAnotherProgramHoldsOpenForWriting) {
  ASSERT_TRUE(FStorage.ReplaceAll(FPath, {1, 2}));
  HANDLE other = CreateFileA(FPath.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Read(), (std::vector<uint8_t>{1, 2}));
  CloseHandle(other);
}

TEST_F(WinStorageTest, ConfigurationRoundTripsThroughTheDisk) {
  {
    TMIniFile config(FPath, &FStorage);
    config.WriteInteger("KvZoom", "x", 123);
    config.WriteFloat("KvZoom", "Zoom", 3.5);
    config.UpdateFile();
  }
  TMIniFile again(FPath, &FStorage);
  EXPECT_FALSE(again.ReadFailed());
  EXPECT_EQ(again.ReadInteger("kvzoom", "X", 0), 123);
  EXPECT_DOUBLE_EQ(again.ReadFloat("KvZoom", "Zoom", 0), 3.5);
}
