#include "config/mini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "config/config_codec.h"

using namespace lupendo;
namespace fs = std::filesystem;

namespace {

std::string Parsed(const std::string& text) {
  TIniDocument document;
  document.Parse(text);
  return document.Text();
}

class ConfigFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FDir = fs::temp_directory_path() /
           ("lupendo-config-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(FDir);
    fs::create_directories(FDir);
    FPath = (FDir / "Lupendo.kfg").string();
    SetConfigLoadFailureHandler([this](const std::string& report) { FReports.push_back(report); });
  }
  void TearDown() override {
    SetConfigLoadFailureHandler(nullptr);
    ReleaseAllConfigFiles();
    std::error_code ignored;
    fs::permissions(FDir, fs::perms::owner_all, ignored);
    fs::remove_all(FDir, ignored);
  }
  void WriteBytes(const std::vector<uint8_t>& bytes) {
    std::ofstream out(FPath, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  void WriteText(const std::string& text) {
    TRandom random(1234);
    WriteBytes(EncodeConfigBytes(text, random));
  }
  std::vector<uint8_t> ReadBytes() const {
    std::ifstream in(FPath, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::string DiskText() const { return DecodeConfigBytes(ReadBytes()); }

  fs::path FDir;
  std::string FPath;
  std::vector<std::string> FReports;
};

}  // namespace

TEST(IniText, WritesSectionsLinesAndEmptyLinesWithCrLf) {
  TIniDocument document;
  document.Set("KvZoom", "x", "100");
  document.Set("Options", "Rate", "100");
  EXPECT_EQ(document.Text(), "[KvZoom]\r\nx=100\r\n\r\n[Options]\r\nRate=100\r\n\r\n");
  EXPECT_EQ(TIniDocument().Text(), "");
}

TEST(IniText, ParseRules) {
  struct {
    const char* Name;
    const char* Input;
    const char* Written;
  } cases[] = {
      {"line ends CR, LF and CR LF", "[a]\rk=1\nl=2\r\nm=3", "[a]\r\nk=1\r\nl=2\r\nm=3\r\n\r\n"},
      {"comments and empty lines dropped", "[a]\r\n;note\r\n\r\nk=1\r\n", "[a]\r\nk=1\r\n\r\n"},
      {"lines before the first section dropped", "k=1\r\n[a]\r\nl=2\r\n", "[a]\r\nl=2\r\n\r\n"},
      {"lines without = kept in order", "[a]\r\nfree text\r\nk=1\r\n", "[a]\r\nfree text\r\nk=1\r\n\r\n"},
      {"header with a blank after ] is an entry", "[a]\r\n[b] \r\n", "[a]\r\n[b] \r\n\r\n"},
      {"nothing trimmed in names", "[ a ]\r\n k = 1\r\n", "[ a ]\r\n k = 1\r\n\r\n"},
      {"repeated section kept", "[a]\r\nk=1\r\n[A]\r\nk=2\r\n", "[a]\r\nk=1\r\n\r\n[A]\r\nk=2\r\n\r\n"},
      {"empty section name", "[]\r\nk=1\r\n", "[]\r\nk=1\r\n\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(Parsed(c.Input), c.Written) << c.Name;
}

TEST(IniText, SectionsAndKeysIgnoreCaseAndFirstSectionWins) {
  TIniDocument document;
  document.Parse("[KvZoom]\r\nX=1\r\n[kvzoom]\r\nx=2\r\n");
  ASSERT_NE(document.Find("kvZOOM", "x"), nullptr);
  EXPECT_EQ(*document.Find("kvZOOM", "x"), "X=1");
  EXPECT_EQ(document.Find("KvZoom", "y"), nullptr);
  EXPECT_EQ(document.Find("Other", "x"), nullptr);
}

TEST(IniText, WriteReplacesInPlaceOrAppends) {
  TIniDocument document;
  document.Parse("[KvZoom]\r\nfree\r\nX=1\r\ny=2\r\n[Options]\r\nRate=5\r\n");
  document.Set("kvzoom", "x", "9");      // replaced in place, key spelled as in this call
  document.Set("KvZoom", "z", "3");      // appended to its section
  document.Set("FileDlg", "Save", "a");  // new section at the end
  EXPECT_EQ(document.Text(),
            "[KvZoom]\r\nfree\r\nx=9\r\ny=2\r\nz=3\r\n\r\n[Options]\r\nRate=5\r\n\r\n[FileDlg]\r\nSave=a\r\n\r\n");
}

TEST_F(ConfigFileTest, TypedReadsFallBackToTheirDefaults) {
  WriteText("[KvZoom]\r\nZoom=abc\r\nx=0x1F\r\nFirstTime=yes\r\nw=$10\r\nTopLevel=1\r\nZ2=3.37\r\nE=\r\n");
  TMIniFile config(FPath);
  EXPECT_DOUBLE_EQ(config.ReadFloat("KvZoom", "Zoom", 2.0), 2.0);
  EXPECT_EQ(config.ReadInteger("KvZoom", "x", 100), 31);
  EXPECT_TRUE(config.ReadBool("KvZoom", "FirstTime", true));
  EXPECT_FALSE(config.ReadBool("KvZoom", "FirstTime", false));
  EXPECT_EQ(config.ReadInteger("KvZoom", "w", 0), 16);
  EXPECT_TRUE(config.ReadBool("kvzoom", "toplevel", false));
  EXPECT_DOUBLE_EQ(config.ReadFloat("KvZoom", "Z2", 0), 3.37);
  EXPECT_DOUBLE_EQ(config.ReadFloat("KvZoom", "E", 1.5), 1.5);
  EXPECT_EQ(config.ReadString("KvZoom", "E", "d"), "");
  EXPECT_EQ(config.ReadString("KvZoom", "missing", "d"), "d");
  EXPECT_TRUE(FReports.empty());
}

TEST_F(ConfigFileTest, WritesTypedValuesInTheirTextForms) {
  TMIniFile config(FPath);
  config.WriteInteger("KvZoom", "x", -5);
  config.WriteBool("KvZoom", "a", true);
  config.WriteBool("KvZoom", "b", false);
  config.WriteFloat("KvZoom", "Zoom", static_cast<double>(2.3f));
  config.WriteFloat("KvZoom", "Z", 2.0);
  config.WriteString("KvZoom", "SaveDir", "C:\\My Pictures");
  EXPECT_EQ(config.Document().Text(),
            "[KvZoom]\r\nx=-5\r\na=1\r\nb=0\r\nZoom=2.29999995231628\r\nZ=2\r\nSaveDir=C:\\My Pictures\r\n\r\n");
}

TEST_F(ConfigFileTest, NoFileGivesEmptyConfigAndFirstSaveCreatesIt) {
  TMIniFile config(FPath);
  EXPECT_FALSE(config.ReadFailed());
  EXPECT_EQ(config.ReadInteger("KvZoom", "x", 100), 100);
  EXPECT_FALSE(fs::exists(FPath));
  config.WriteInteger("KvZoom", "x", 7);
  config.UpdateFile();
  ASSERT_TRUE(fs::exists(FPath));
  EXPECT_EQ(DiskText(), "[KvZoom]\r\nx=7\r\n\r\n");
  EXPECT_FALSE(fs::exists(ConfigTempFileName(FPath)));
}

TEST_F(ConfigFileTest, UnknownLinesSurviveLoadAndSaveInOrder) {
  WriteText(";comment\r\n[Foreign]\r\nthing\r\nk=v\r\n\r\n[KvZoom]\r\nx=1\r\nodd line\r\n");
  TMIniFile config(FPath);
  config.WriteInteger("KvZoom", "y", 2);
  config.UpdateFile();
  EXPECT_EQ(DiskText(), "[Foreign]\r\nthing\r\nk=v\r\n\r\n[KvZoom]\r\nx=1\r\nodd line\r\ny=2\r\n\r\n");
}

TEST_F(ConfigFileTest, EachSaveWritesNewBytesForTheSameText) {
  TMIniFile config(FPath);
  config.WriteString("a", "b", "c");
  config.UpdateFile();
  auto first = ReadBytes();
  config.UpdateFile();
  auto second = ReadBytes();
  EXPECT_NE(first, second);
  EXPECT_EQ(DecodeConfigBytes(first), DecodeConfigBytes(second));
}

TEST_F(ConfigFileTest, UndecodableFileIsReportedAndNeverOverwritten) {
  struct {
    const char* Name;
    std::vector<uint8_t> Bytes;
  } cases[] = {
      {"filler larger than the file", [] {
         std::vector<uint8_t> b(30, 0x41);
         b[10] = 0xFF;  // P at L - 20 = 255
         return b;
       }()},
      {"negative filler", [] {
         std::vector<uint8_t> b(30, 0x41);
         b[13] = 0x80;
         return b;
       }()},
      {"shorter than the trailer", std::vector<uint8_t>(12, 0x20)},
      {"empty file", {}},
  };
  for (auto& c : cases) {
    FReports.clear();
    WriteBytes(c.Bytes);
    TMIniFile config(FPath);
    EXPECT_TRUE(config.ReadFailed()) << c.Name;
    ASSERT_EQ(FReports.size(), 1u) << c.Name;
    EXPECT_EQ(FReports[0],
              "Unable to read the configuration file:\r\n'Corrupted stream, bad buffer size.'\r\n\r\n"
              "Please reinstall the program.\r\nIf the problem persists, contact Corvanti.")
        << c.Name;
    config.WriteInteger("KvZoom", "x", 1);
    EXPECT_EQ(config.ReadInteger("KvZoom", "x", 0), 1) << "still usable: " << c.Name;
    config.UpdateFile();
    EXPECT_EQ(ReadBytes(), c.Bytes) << c.Name;
  }
}

TEST_F(ConfigFileTest, FillerAsLongAsTheFileGivesAnEmptyConfig) {
  std::vector<uint8_t> bytes(24, 0x33);
  bytes[4] = 24;
  bytes[5] = bytes[6] = bytes[7] = 0;
  WriteBytes(bytes);
  TMIniFile config(FPath);
  EXPECT_FALSE(config.ReadFailed());
  EXPECT_TRUE(FReports.empty());
  EXPECT_TRUE(config.Document().Sections().empty());
}

TEST_F(ConfigFileTest, FailedSaveLeavesTheOldFileAndNoTemporaryFile) {
  WriteText("[KvZoom]\r\nx=1\r\n");
  auto before = ReadBytes();
  TMIniFile config(FPath);
  config.WriteInteger("KvZoom", "x", 2);
  // A folder in the place of the temporary file makes the write fail.
  fs::create_directory(ConfigTempFileName(FPath));
  config.UpdateFile();
  EXPECT_EQ(ReadBytes(), before);
  fs::remove(ConfigTempFileName(FPath));
  config.UpdateFile();
  EXPECT_EQ(DiskText(), "[KvZoom]\r\nx=2\r\n\r\n");
  EXPECT_FALSE(fs::exists(ConfigTempFileName(FPath)));
}

TEST_F(ConfigFileTest, OpenFindsOpenObjectsByExactNameAndReleaseForgetsThem) {
  TMIniFile* first = OpenConfigFile(FPath);
  EXPECT_EQ(OpenConfigFile(FPath), first);
  std::string upper = (FDir / "LUPENDO.KFG").string();
  TMIniFile* other = OpenConfigFile(upper);
  EXPECT_NE(other, first);
  first->WriteInteger("a", "b", 1);
  ReleaseConfigFile(first);
  TMIniFile* again = OpenConfigFile(FPath);
  EXPECT_EQ(again->ReadInteger("a", "b", 0), 0) << "released without saving";
  EXPECT_EQ(OpenConfigFile(upper), other);
}

TEST(ConfigFileName, ReplacesOrAppendsTheExtension) {
  struct {
    const char* Path;
    const char* Expected;
  } cases[] = {
      {"C:\\Program Files\\Lupendo\\Lupendo.exe", "C:\\Program Files\\Lupendo\\Lupendo.kfg"},
      {"C:\\a.b\\Lupendo", "C:\\a.b\\Lupendo.kfg"},
      {"C:\\x\\Lu.pen.do.exe", "C:\\x\\Lu.pen.do.kfg"},
      {"/opt/lupendo/Lupendo.exe", "/opt/lupendo/Lupendo.kfg"},
  };
  for (const auto& c : cases) {
    SetExecutablePath(c.Path);
    EXPECT_EQ(DefaultConfigFileName(), c.Expected);
  }
  SetExecutablePath("");
  EXPECT_EQ(ExtractFilePath("C:\\Prog\\a.exe"), "C:\\Prog\\");
}
