#include "config/win_config_storage.h"

#include <windows.h>

#include "app/globals.h"
#include "config/config_codec.h"
#include "ui/handles.h"

namespace lupendo {

namespace {
constexpr LONGLONG kMaxConfigFileSize = 64LL * 1024 * 1024;
}

TConfigStorage::TReadResult TWinConfigStorage::ReadAll(const std::string& path, std::vector<uint8_t>& bytes,
                                                       std::string& error) {
  ui::TFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return TReadResult::Missing;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size)) {
    error = SystemErrorText(GetLastError());
    return TReadResult::Failed;
  }
  // No real configuration comes near this size; refuse it like any other bad size.
  if (size.QuadPart > kMaxConfigFileSize) {
    error = kBadBufferSizeMessage;
    return TReadResult::Failed;
  }
  bytes.resize(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    if (!ReadFile(file.Get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr)) {
      error = SystemErrorText(GetLastError());
      return TReadResult::Failed;
    }
    if (got == 0) break;
    done += got;
  }
  bytes.resize(done);
  return TReadResult::Ok;
}

bool TWinConfigStorage::ReplaceAll(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::string temp = ConfigTempFileName(path);
  bool written = false;
  {
    ui::TFileHandle file(
        CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD put = 0;
    written = WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) &&
              put == bytes.size() && FlushFileBuffers(file.Get());
  }
  if (written && MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileA(temp.c_str());
  return false;
}

}  // namespace lupendo
