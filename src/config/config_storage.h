#pragma once
// Whole-file access for the configuration file. The Windows build supplies its own
// implementation (shared reads, replace-in-one-step writes); the portable one serves the
// native build and tests.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lupendo {

class TConfigStorage {
 public:
  enum class TReadResult { Ok, Missing, Failed };
  virtual ~TConfigStorage() = default;
  // Missing: the file does not exist or cannot be opened for reading (counts as absent).
  // Failed: it opened but could not be read whole; error receives the system's text.
  virtual TReadResult ReadAll(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) = 0;
  // Replaces the file's content in one step: on any failure the old file stays as it was
  // and no temporary file is left behind. Returns false on failure.
  virtual bool ReplaceAll(const std::string& path, const std::vector<uint8_t>& bytes) = 0;
};

// Storage through the C++ library (temporary file in the same folder, then rename).
class TStdConfigStorage : public TConfigStorage {
 public:
  TReadResult ReadAll(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) override;
  bool ReplaceAll(const std::string& path, const std::vector<uint8_t>& bytes) override;
};

// The storage every new configuration object uses; set once at start-up.
TConfigStorage& DefaultConfigStorage();
void SetDefaultConfigStorage(std::unique_ptr<TConfigStorage> storage);

// Name of the temporary file a save writes before it replaces the real one.
std::string ConfigTempFileName(const std::string& path);

}  // namespace lupendo
