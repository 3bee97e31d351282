#include "config/config_storage.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace lupendo {

std::string ConfigTempFileName(const std::string& path) { return path + ".new"; }

TConfigStorage::TReadResult TStdConfigStorage::ReadAll(const std::string& path, std::vector<uint8_t>& bytes,
                                                       std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return TReadResult::Missing;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = "Read error";
    return TReadResult::Failed;
  }
  return TReadResult::Ok;
}

bool TStdConfigStorage::ReplaceAll(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::string temp = ConfigTempFileName(path);
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::remove(temp.c_str());
      return false;
    }
  }
  // filesystem::rename replaces an existing file on every platform (std::rename does not
  // on Windows).
  std::error_code error;
  std::filesystem::rename(temp, path, error);
  if (error) {
    std::filesystem::remove(temp, error);
    return false;
  }
  return true;
}

namespace {
std::unique_ptr<TConfigStorage>& StorageSlot() {
  static std::unique_ptr<TConfigStorage> storage = std::make_unique<TStdConfigStorage>();
  return storage;
}
}  // namespace

TConfigStorage& DefaultConfigStorage() { return *StorageSlot(); }

void SetDefaultConfigStorage(std::unique_ptr<TConfigStorage> storage) { StorageSlot() = std::move(storage); }

}  // namespace lupendo
