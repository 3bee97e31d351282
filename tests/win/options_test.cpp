// The options between the configuration and the settings dialog's controls.
#include <gtest/gtest.h>

#include "app/globals.h"
#include "app/resource_ids.h"
#include "config/mini_file.h"
#include "config/settings.h"
#include "settings/options_form.h"

using namespace lupendo;

namespace {

class OptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    SetExecutablePath(std::string(temp) + "lupendo-options-test.exe");
    DeleteFileA(DefaultConfigFileName().c_str());
    ActiveColor = 0x00C0FFFF;
    InactiveColor = 0x00F0F0F0;
  }
  void TearDown() override {
    ReleaseAllConfigFiles();
    DeleteFileA(DefaultConfigFileName().c_str());
  }
};

TEST_F(OptionsTest, MissingKeysGiveTheDesignDefaults) {
  TOptionsForm form;
  EXPECT_EQ(OptionsForm, &form);
  struct {
    int Id;
    bool Checked;
  } boxes[] = {{IDC_cbLevel, true},    {IDC_cbMouseXY, false},  {IDC_cbShowZFocus, false}, {IDC_cbUseDirectDraw, false},
               {IDC_rbInteger, false}, {IDC_rbHex, true},       {IDC_rbRGB, true},         {IDC_rbHSV, false},
               {IDC_rbNone, false},    {IDC_rbPackbits, true},  {IDC_rbJpeg, false},       {IDC_cbBottomPane, true},
               {IDC_cbStatus, false},  {IDC_cbText, true},      {IDC_cbShowCursor, true},  {IDC_rbActiveColor, true},
               {IDC_cbColor, true},    {IDC_cbShortCut, true},  {IDC_cbProgramFolder, true}};
  for (const auto& b : boxes) EXPECT_EQ(form.Checked(b.Id), b.Checked) << b.Id;
  EXPECT_EQ(form.SpinValue(IDC_seBW), 3);
  EXPECT_EQ(form.TrackPosition(IDC_tbJpgQuality), 70);
  EXPECT_EQ(form.Slider().Position(), 0);
  EXPECT_EQ(ActiveColor, 0x00C0FFFFu);
  EXPECT_EQ(InactiveColor, 0x00F0F0F0u);
  EXPECT_FALSE(OptionsLoading);
}

TEST_F(OptionsTest, StoredValuesReachTheControlsAndGoBackUnchanged) {
  TMIniFile& config = *OpenConfigFile("");
  config.WriteBool("KvZoom", "MouseXY", true);
  config.WriteBool("KvZoom", "ZoomLevel", false);
  config.WriteBool("Options", "Integer", true);
  config.WriteBool("Options", "Hex", false);
  config.WriteBool("Options", "HSV", true);
  config.WriteBool("Options", "RGB", false);
  config.WriteInteger("Options", "JpgQuality", 35);
  config.WriteBool("Options", "TIFJPeg", true);
  config.WriteBool("Options", "TIFPackBits", false);
  config.WriteInteger("Options", "MyWBrdrW", 12);
  config.WriteBool("Options", "BottomPane", false);
  config.WriteBool("Options", "ShowCoursor", false);
  config.WriteInteger("Options", "UseCol", 0x00123456);
  config.WriteInteger("Options", "Sliderpos", 40);
  config.WriteString("Options", "Rate", "not a number");
  TOptionsForm form;
  EXPECT_TRUE(form.Checked(IDC_cbMouseXY));
  EXPECT_FALSE(form.Checked(IDC_cbLevel));
  EXPECT_TRUE(form.Checked(IDC_rbInteger));
  EXPECT_FALSE(form.Checked(IDC_rbHex));
  EXPECT_TRUE(form.Checked(IDC_rbHSV));
  EXPECT_FALSE(form.Checked(IDC_rbRGB));
  EXPECT_EQ(form.TrackPosition(IDC_tbJpgQuality), 35);
  EXPECT_TRUE(form.Checked(IDC_rbJpeg));
  EXPECT_FALSE(form.Checked(IDC_rbPackbits));
  EXPECT_EQ(form.SpinValue(IDC_seBW), 12);
  EXPECT_FALSE(form.Checked(IDC_cbBottomPane));
  EXPECT_FALSE(IsWindowEnabled(form.Control(IDC_seBW))) << "the border width needs the bottom panel";
  EXPECT_FALSE(form.Checked(IDC_cbShowCursor));
  EXPECT_EQ(ActiveColor, 0x00123456u);
  EXPECT_EQ(form.Slider().Position(), 40);
  char red[8] = {};
  GetWindowTextA(form.Control(IDC_EditR), red, sizeof red);
  EXPECT_STREQ(red, "86");  // $56

  // Saving writes the controls' values back; the file itself is written only at close.
  form.SetChecked(IDC_cbStatus, true);
  form.SetTrackPosition(IDC_tbJpgQuality, 90);
  SaveOptions();
  EXPECT_TRUE(config.ReadBool("Options", "Status", false));
  EXPECT_EQ(config.ReadInteger("Options", "JpgQuality", 0), 90);
  EXPECT_TRUE(config.ReadBool("Options", "Integer", false));
  EXPECT_FALSE(config.ReadBool("Options", "Hex", true));
  EXPECT_EQ(config.ReadInteger("Options", "MyWBrdrW", 0), 12);
  EXPECT_TRUE(config.ReadBool("KvZoom", "MouseXY", false));
  EXPECT_EQ(config.ReadInteger("Options", "UseCol", 0), 0x00123456);
  EXPECT_EQ(GetFileAttributesA(DefaultConfigFileName().c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
