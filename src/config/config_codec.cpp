#include "config/config_codec.h"

#include <chrono>

namespace lupendo {

uint32_t TRandom::Below(uint32_t range) {
  FState = FState * 134775813u + 1u;
  return static_cast<uint32_t>((static_cast<uint64_t>(FState) * range) >> 32);
}

void TRandom::Reseed() {
  using namespace std::chrono;
  auto now = system_clock::now().time_since_epoch();
  auto ms = duration_cast<milliseconds>(now).count() % (24LL * 60 * 60 * 1000);
  FState = static_cast<uint32_t>(ms);
}

TRandom& GlobalRandom() {
  static TRandom random;
  return random;
}

void ScrambleBytes(std::vector<uint8_t>& data, size_t count, int32_t seed) {
  uint32_t state = static_cast<uint32_t>(seed);
  for (size_t i = 0; i < count && i < data.size(); ++i) {
    state = state * 134775813u + 1u;
    uint32_t r = static_cast<uint32_t>((static_cast<uint64_t>(state) * 120u) >> 32);
    data[i] ^= static_cast<uint8_t>(r + 135u);
  }
}

namespace {

void PutInt32(std::vector<uint8_t>& data, size_t offset, int32_t value) {
  uint32_t bits = static_cast<uint32_t>(value);
  for (int k = 0; k < 4; ++k) data[offset + k] = static_cast<uint8_t>(bits >> (8 * k));
}

int32_t GetInt32(const std::vector<uint8_t>& data, size_t offset) {
  uint32_t bits = 0;
  for (int k = 0; k < 4; ++k) bits |= static_cast<uint32_t>(data[offset + k]) << (8 * k);
  return static_cast<int32_t>(bits);
}

}  // namespace

std::vector<uint8_t> EncodeConfigBytes(const std::string& text, int32_t seed, uint32_t fillerLength,
                                       TRandom& fillerSource) {
  // The trailer needs 20 bytes of filler at least.
  if (fillerLength < 20) fillerLength = 20;
  std::vector<uint8_t> data(text.begin(), text.end());
  for (uint32_t k = 0; k < fillerLength; ++k) {
    uint8_t arbitrary = static_cast<uint8_t>(fillerSource.Below(256));
    data.push_back(static_cast<uint8_t>(arbitrary ^ (fillerSource.Below(120) + 135u)));
  }
  ScrambleBytes(data, data.size(), seed);
  size_t length = data.size();
  PutInt32(data, length - 20, static_cast<int32_t>(fillerLength));
  PutInt32(data, length - 10, seed);
  return data;
}

std::vector<uint8_t> EncodeConfigBytes(const std::string& text, TRandom& random) {
  int32_t seed = static_cast<int32_t>(random.Below(1048575));
  uint32_t filler = 25 + random.Below(200);
  random.Reseed();
  auto bytes = EncodeConfigBytes(text, seed, filler, random);
  random.Reseed();
  return bytes;
}

std::string DecodeConfigBytes(const std::vector<uint8_t>& bytes) {
  int64_t length = static_cast<int64_t>(bytes.size());
  if (length < 20) throw TConfigFormatError(kBadBufferSizeMessage);
  int64_t filler = GetInt32(bytes, bytes.size() - 20);
  int32_t seed = GetInt32(bytes, bytes.size() - 10);
  if (filler < 0 || filler > length) throw TConfigFormatError(kBadBufferSizeMessage);
  size_t textLength = static_cast<size_t>(length - filler);
  std::vector<uint8_t> text(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(textLength));
  ScrambleBytes(text, textLength, seed);
  return std::string(text.begin(), text.end());
}

}  // namespace lupendo
