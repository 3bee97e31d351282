#pragma once
// The on-disk form of the configuration file: the ini text XOR-scrambled with a seeded key
// stream, followed by filler. The filler length P sits (unscrambled) at L-20 and the seed
// at L-10, both little-endian signed 32-bit, inside the filler.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace lupendo {

// The program's general-purpose generator: S := S * 134775813 + 1 (mod 2^32); a draw below
// M is floor(S * M / 2^32) of the new S.
class TRandom {
 public:
  explicit TRandom(uint32_t seed = 0) : FState(seed) {}
  uint32_t Below(uint32_t range);
  void Seed(uint32_t seed) { FState = seed; }
  // Milliseconds since midnight (UTC) of the system clock.
  void Reseed();
  uint32_t State() const { return FState; }

 private:
  uint32_t FState;
};

TRandom& GlobalRandom();

// XORs data with the key stream of the seed; scrambling and unscrambling are one operation.
void ScrambleBytes(std::vector<uint8_t>& data, size_t count, int32_t seed);

class TConfigFormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr const char* kBadBufferSizeMessage = "Corrupted stream, bad buffer size.";

// Builds the file bytes for a text. seed in 0..1048574 and filler length in 25..224 when
// drawn by the writer; the filler bytes come from random.
std::vector<uint8_t> EncodeConfigBytes(const std::string& text, TRandom& random);
std::vector<uint8_t> EncodeConfigBytes(const std::string& text, int32_t seed, uint32_t fillerLength,
                                       TRandom& fillerSource);

// Returns the ini text of a file image; throws TConfigFormatError with the bad-size message
// when the trailer does not fit the file (this includes files shorter than 20 bytes).
std::string DecodeConfigBytes(const std::vector<uint8_t>& bytes);

}  // namespace lupendo
