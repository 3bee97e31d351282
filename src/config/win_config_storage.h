#pragma once
#include "config/config_storage.h"

namespace lupendo {

// Reads with read and write sharing allowed; saves to a temporary file in the same folder
// and moves it over the old file in one step.
class TWinConfigStorage : public TConfigStorage {
 public:
  TReadResult ReadAll(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) override;
  bool ReplaceAll(const std::string& path, const std::vector<uint8_t>& bytes) override;
};

}  // namespace lupendo
