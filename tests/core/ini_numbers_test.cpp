#include "config/ini_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace lupendo;

struct TIntegerCase {
  const char* Text;
  std::optional<int32_t> Value;
};

TEST(IniInteger, ParsesDecimalAndBothHexForms) {
  const TIntegerCase cases[] = {
      {"100", 100},         {"-42", -42},          {"+7", 7},
      {"  12", 12},         {"0x1F", 31},          {"0X1f", 31},
      {"$1F", 31},          {"$FFFFFFFF", -1},     {"0xFFFFFFFF", -1},
      {"2147483647", 2147483647}, {"-2147483648", INT32_MIN}, {"2147483648", std::nullopt},
      {"$100000000", std::nullopt}, {"0x", std::nullopt}, {"$", std::nullopt},
      {"", std::nullopt},   {"yes", std::nullopt}, {"12a", std::nullopt},
      {"12 ", std::nullopt}, {"1.5", std::nullopt}, {"0", 0},
      {"-$10", -16},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseIniInteger(c.Text), c.Value) << "text: '" << c.Text << "'";
}

TEST(IniFloat, ParsesPointDecimalsWithOptionalExponent) {
  struct {
    const char* Text;
    std::optional<double> Value;
  } cases[] = {
      {"2", 2.0},          {"2.5", 2.5},       {"-0.25", -0.25},  {" 3.37 ", 3.37},
      {"1E3", 1000.0},     {"1.5e-6", 1.5e-6}, {".5", 0.5},       {"2.", 2.0},
      {"abc", std::nullopt}, {"", std::nullopt}, {"2,5", std::nullopt}, {"1e", std::nullopt},
      {"inf", std::nullopt}, {"nan", std::nullopt}, {"--1", std::nullopt}, {".", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseIniFloat(c.Text), c.Value) << "text: '" << c.Text << "'";
}

TEST(IniFloat, WritesGeneralFormWithFifteenDigits) {
  struct {
    double Value;
    const char* Text;
  } cases[] = {
      {2.0, "2"},
      {2.5, "2.5"},
      {static_cast<double>(2.3f), "2.29999995231628"},
      {static_cast<double>(3.5f), "3.5"},
      {-0.125, "-0.125"},
      {0.1, "0.1"},
      {0.00001, "0.00001"},
      {1.5e-6, "1.5E-6"},
      {1e20, "1E20"},
      {123456789012345.0, "123456789012345"},
      {37.795275590551178, "37.7952755905512"},
      {0.0, "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatIniFloat(c.Value), c.Text) << "value " << c.Value;
}

TEST(IniFloat, EverySingleZoomValueSurvivesWriteAndRead) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> zoom(1.0f, 64.0f);
  for (int i = 0; i < 20000; ++i) {
    float value = zoom(random);
    auto back = ParseIniFloat(FormatIniFloat(static_cast<double>(value)));
    ASSERT_TRUE(back.has_value());
    ASSERT_EQ(static_cast<float>(*back), value) << FormatIniFloat(value);
  }
}

TEST(FixedText, ShowsOneDecimalWithPoint) {
  EXPECT_EQ(FormatFixed(2.0, 1), "2.0");
  EXPECT_EQ(FormatFixed(3.5, 1), "3.5");
  EXPECT_EQ(FormatFixed(10.0, 1), "10.0");
}
