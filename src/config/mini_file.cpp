#include "config/mini_file.h"

#include <utility>

#include "config/config_codec.h"
#include "config/ini_numbers.h"

namespace lupendo {

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

// The key of an entry line is the text before its first "="; a line without one has none.
bool LineHasKey(const std::string& line, std::string_view key) {
  size_t eq = line.find('=');
  return eq != std::string::npos && SameText(std::string_view(line).substr(0, eq), key);
}

std::function<void(const std::string&)>& FailureHandler() {
  static std::function<void(const std::string&)> handler;
  return handler;
}

}  // namespace

void TIniDocument::Parse(std::string_view text) {
  FSections.clear();
  TSection* current = nullptr;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    std::string_view line = text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
    if (end == std::string_view::npos) {
      pos = text.size();
    } else {
      pos = end + 1;
      if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    }
    if (line.empty() || line[0] == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      FSections.push_back(TSection{std::string(line.substr(1, line.size() - 2)), {}});
      current = &FSections.back();
      continue;
    }
    if (current) current->Lines.emplace_back(line);
  }
}

std::string TIniDocument::Text() const {
  std::string text;
  for (const auto& section : FSections) {
    text += "[";
    text += section.Name;
    text += "]\r\n";
    for (const auto& line : section.Lines) {
      text += line;
      text += "\r\n";
    }
    text += "\r\n";
  }
  return text;
}

TIniDocument::TSection* TIniDocument::FindSection(std::string_view name) {
  for (auto& section : FSections)
    if (SameText(section.Name, name)) return &section;
  return nullptr;
}

const TIniDocument::TSection* TIniDocument::FindSection(std::string_view name) const {
  for (const auto& section : FSections)
    if (SameText(section.Name, name)) return &section;
  return nullptr;
}

const std::string* TIniDocument::Find(std::string_view section, std::string_view key) const {
  const TSection* found = FindSection(section);
  if (!found) return nullptr;
  for (const auto& line : found->Lines)
    if (LineHasKey(line, key)) return &line;
  return nullptr;
}

void TIniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  std::string line(key);
  line += '=';
  line += value;
  TSection* found = FindSection(section);
  if (!found) {
    FSections.push_back(TSection{std::string(section), {}});
    found = &FSections.back();
  }
  for (auto& existing : found->Lines) {
    if (LineHasKey(existing, key)) {
      existing = std::move(line);
      return;
    }
  }
  found->Lines.push_back(std::move(line));
}

TMIniFile::TMIniFile(std::string fileName, TConfigStorage* storage)
    : FDiskFileName(std::move(fileName)), FStorage(storage ? storage : &DefaultConfigStorage()) {
  LoadFromDisk();
}

void TMIniFile::LoadFromDisk() {
  FDocument.Clear();
  if (FDiskFileName.empty()) return;
  std::vector<uint8_t> bytes;
  std::string error;
  std::string failure;
  switch (FStorage->ReadAll(FDiskFileName, bytes, error)) {
    case TConfigStorage::TReadResult::Missing:
      return;
    case TConfigStorage::TReadResult::Failed:
      failure = error;
      break;
    case TConfigStorage::TReadResult::Ok:
      try {
        FDocument.Parse(DecodeConfigBytes(bytes));
        return;
      } catch (const std::exception& e) {
        failure = e.what();
      }
      break;
  }
  FDocument.Clear();
  FReadFailed = true;
  if (FailureHandler()) FailureHandler()(ConfigLoadFailureText(failure));
}

std::string TMIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
  const std::string* line = FDocument.Find(section, key);
  if (!line) return std::string(def);
  return line->substr(line->find('=') + 1);
}

void TMIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  FDocument.Set(section, key, value);
}

int32_t TMIniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
  const std::string* line = FDocument.Find(section, key);
  if (!line) return def;
  auto value = ParseIniInteger(std::string_view(*line).substr(line->find('=') + 1));
  return value ? *value : def;
}

void TMIniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  WriteString(section, key, std::to_string(value));
}

bool TMIniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TMIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

double TMIniFile::ReadFloat(std::string_view section, std::string_view key, double def) const {
  const std::string* line = FDocument.Find(section, key);
  if (!line) return def;
  auto value = ParseIniFloat(std::string_view(*line).substr(line->find('=') + 1));
  return value ? *value : def;
}

void TMIniFile::WriteFloat(std::string_view section, std::string_view key, double value) {
  WriteString(section, key, FormatIniFloat(value));
}

void TMIniFile::UpdateFile() {
  if (FReadFailed) return;
  try {
    auto bytes = EncodeConfigBytes(FDocument.Text(), GlobalRandom());
    FStorage->ReplaceAll(FDiskFileName, bytes);
  } catch (...) {
    // A failed save keeps the old file; nothing is reported.
  }
}

void SetConfigLoadFailureHandler(std::function<void(const std::string&)> handler) {
  FailureHandler() = std::move(handler);
}

std::string ConfigLoadFailureText(const std::string& errorMessage) {
  return "Unable to read the configuration file:\r\n'" + errorMessage +
         "'\r\n\r\nPlease reinstall the program.\r\nIf the problem persists, contact Corvanti.";
}

namespace {
std::string& ExePathSlot() {
  static std::string path;
  return path;
}

struct TConfigEntry {
  std::string Name;
  std::unique_ptr<TMIniFile> Object;
};

std::vector<TConfigEntry>& ConfigFileList() {
  static std::vector<TConfigEntry> list;
  return list;
}

bool IsPathSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }
}  // namespace

TMIniFile* ConfigFile = nullptr;

void SetExecutablePath(std::string path) { ExePathSlot() = std::move(path); }
const std::string& ExecutablePath() { return ExePathSlot(); }

std::string ChangeFileExt(const std::string& path, const std::string& ext) {
  size_t i = path.size();
  while (i > 0 && !IsPathSeparator(path[i - 1]) && path[i - 1] != '.') --i;
  if (i > 0 && path[i - 1] == '.') return path.substr(0, i - 1) + ext;
  return path + ext;
}

std::string ExtractFilePath(const std::string& path) {
  size_t i = path.size();
  while (i > 0 && !IsPathSeparator(path[i - 1])) --i;
  return path.substr(0, i);
}

std::string DefaultConfigFileName() { return ChangeFileExt(ExecutablePath(), ".kfg"); }

TMIniFile* OpenConfigFile(const std::string& fileName) {
  std::string name = fileName.empty() ? DefaultConfigFileName() : fileName;
  auto& list = ConfigFileList();
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    if (it->Name == name) return it->Object.get();
  auto object = std::make_unique<TMIniFile>(name);
  list.push_back(TConfigEntry{name, std::move(object)});
  return list.back().Object.get();
}

void ReleaseConfigFile(TMIniFile* config) {
  auto& list = ConfigFileList();
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    if (it->Object.get() == config) {
      list.erase(std::next(it).base());
      break;
    }
  }
  if (ConfigFile == config) ConfigFile = nullptr;
}

void ReleaseAllConfigFiles() {
  auto& list = ConfigFileList();
  while (!list.empty()) list.pop_back();
  ConfigFile = nullptr;
}

}  // namespace lupendo
