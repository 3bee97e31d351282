#include "config/config_codec.h"

#include <gtest/gtest.h>

#include <climits>

using namespace lupendo;

namespace {
int32_t Int32At(const std::vector<uint8_t>& bytes, size_t offset) {
  return static_cast<int32_t>(bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
                              static_cast<uint32_t>(bytes[offset + 3]) << 24);
}

std::vector<uint8_t> FileWithTrailer(size_t length, int32_t filler, int32_t seed) {
  std::vector<uint8_t> bytes(length, 0x55);
  for (int k = 0; k < 4; ++k) {
    bytes[length - 20 + k] = static_cast<uint8_t>(static_cast<uint32_t>(filler) >> (8 * k));
    bytes[length - 10 + k] = static_cast<uint8_t>(static_cast<uint32_t>(seed) >> (8 * k));
  }
  return bytes;
}
}  // namespace

TEST(KeyStream, FirstKeysOfSeedZero) {
  // S1 = 1 -> r = 0 -> 135; S2 = 134775814 -> r = floor(134775814 * 120 / 2^32) = 3 -> 138.
  std::vector<uint8_t> zeros(2, 0);
  ScrambleBytes(zeros, zeros.size(), 0);
  EXPECT_EQ(zeros[0], 135);
  EXPECT_EQ(zeros[1], 138);
}

TEST(KeyStream, KeysStayInRangeAndScramblingUndoesItself) {
  for (int32_t seed : {0, 1, 12345, 1048574, -1, INT_MIN, INT_MAX}) {
    std::vector<uint8_t> zeros(4096, 0);
    ScrambleBytes(zeros, zeros.size(), seed);
    for (uint8_t key : zeros) ASSERT_TRUE(key >= 135 && key <= 254) << "seed " << seed;
    std::vector<uint8_t> text(zeros.size());
    for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<uint8_t>(i * 7);
    auto copy = text;
    ScrambleBytes(copy, copy.size(), seed);
    EXPECT_NE(copy, text);
    ScrambleBytes(copy, copy.size(), seed);
    EXPECT_EQ(copy, text) << "seed " << seed;
  }
}

TEST(ConfigBytes, WriterLaysOutTextFillerAndTrailer) {
  const std::string text = "[KvZoom]\r\nx=100\r\n\r\n[Options]\r\nRate=100\r\n\r\n";
  TRandom random(99);
  for (int round = 0; round < 200; ++round) {
    auto bytes = EncodeConfigBytes(text, random);
    int32_t filler = Int32At(bytes, bytes.size() - 20);
    int32_t seed = Int32At(bytes, bytes.size() - 10);
    ASSERT_GE(filler, 25);
    ASSERT_LE(filler, 224);
    ASSERT_GE(seed, 0);
    ASSERT_LE(seed, 1048574);
    ASSERT_EQ(bytes.size(), text.size() + static_cast<size_t>(filler));
    // The text part is the text XORed with the seed's key stream.
    std::vector<uint8_t> head(bytes.begin(), bytes.begin() + static_cast<long>(text.size()));
    ScrambleBytes(head, head.size(), seed);
    ASSERT_EQ(std::string(head.begin(), head.end()), text);
    ASSERT_EQ(DecodeConfigBytes(bytes), text);
  }
}

TEST(ConfigBytes, TwoSavesOfOneTextDifferButDecodeAlike) {
  const std::string text = "[a]\r\nb=c\r\n\r\n";
  TRandom random(5);
  auto first = EncodeConfigBytes(text, random);
  auto second = EncodeConfigBytes(text, random);
  EXPECT_NE(first, second);
  EXPECT_EQ(DecodeConfigBytes(first), text);
  EXPECT_EQ(DecodeConfigBytes(second), text);
}

TEST(ConfigBytes, TrailerThatDoesNotFitIsABadSize) {
  struct {
    size_t Length;
    int32_t Filler;
    bool Fails;
  } cases[] = {
      {40, 40, false},   // P = L: empty text
      {40, 20, false},   // P need not lie in 25 ... 224
      {40, 41, true},    // P > L
      {40, -1, true},    // negative P
      {40, INT_MIN, true},
      {20, 20, false},   // the smallest file with a trailer
  };
  for (const auto& c : cases) {
    auto bytes = FileWithTrailer(c.Length, c.Filler, 77);
    if (c.Fails) {
      try {
        DecodeConfigBytes(bytes);
        ADD_FAILURE() << "P " << c.Filler << " of " << c.Length << " decoded";
      } catch (const TConfigFormatError& e) {
        EXPECT_STREQ(e.what(), "Corrupted stream, bad buffer size.");
      }
    } else {
      EXPECT_EQ(DecodeConfigBytes(bytes).size(), c.Length - static_cast<size_t>(c.Filler));
    }
  }
  EXPECT_EQ(DecodeConfigBytes(FileWithTrailer(40, 40, 1)), "");
}

TEST(ConfigBytes, FilesShorterThanTheTrailerAreABadSize) {
  for (size_t length : {0, 1, 10, 14, 19}) {
    std::vector<uint8_t> bytes(length, 0);
    EXPECT_THROW(DecodeConfigBytes(bytes), TConfigFormatError) << "length " << length;
  }
}

TEST(Random, DrawsBelowTheirRangeWithTheProgramsRecurrence) {
  TRandom random(0);
  // S1 = 1: floor(1 * 1000 / 2^32) = 0; S2 = 134775814: floor(134775814 * 1000 / 2^32) = 31.
  EXPECT_EQ(random.Below(1000), 0u);
  EXPECT_EQ(random.Below(1000), 31u);
  for (int i = 0; i < 10000; ++i) ASSERT_LT(random.Below(200), 200u);
}
