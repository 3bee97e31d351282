#pragma once
// The configuration object: an in-memory ini document loaded from, and saved to, the
// scrambled file beside the executable. Values reach the disk only through UpdateFile.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_storage.h"

namespace lupendo {

class TIniDocument {
 public:
  struct TSection {
    std::string Name;
    std::vector<std::string> Lines;  // entry lines as read or written ("key=value" or any text)
  };

  void Clear() { FSections.clear(); }
  // Parses ini text: lines end at CR, LF or CR LF; empty and ";" lines are skipped; a line
  // that begins with "[" and ends with "]" starts a section; lines before the first header
  // are dropped.
  void Parse(std::string_view text);
  // Sections in order, each "[name]", its lines, an empty line; every line ends with CR LF.
  std::string Text() const;

  // nullptr when there is no entry with that key in the first section of that name.
  const std::string* Find(std::string_view section, std::string_view key) const;
  void Set(std::string_view section, std::string_view key, std::string_view value);

  const std::vector<TSection>& Sections() const { return FSections; }

 private:
  TSection* FindSection(std::string_view name);
  const TSection* FindSection(std::string_view name) const;
  std::vector<TSection> FSections;
};

class TMIniFile {
 public:
  explicit TMIniFile(std::string fileName, TConfigStorage* storage = nullptr);
  virtual ~TMIniFile() = default;
  TMIniFile(const TMIniFile&) = delete;
  TMIniFile& operator=(const TMIniFile&) = delete;

  virtual std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
  virtual void WriteString(std::string_view section, std::string_view key, std::string_view value);
  virtual int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
  virtual void WriteInteger(std::string_view section, std::string_view key, int32_t value);
  virtual bool ReadBool(std::string_view section, std::string_view key, bool def) const;
  virtual void WriteBool(std::string_view section, std::string_view key, bool value);
  virtual double ReadFloat(std::string_view section, std::string_view key, double def) const;
  virtual void WriteFloat(std::string_view section, std::string_view key, double value);
  // Writes the document to the disk file; does nothing after a failed load, and drops any
  // error silently (the old file then stays as it was).
  virtual void UpdateFile();

  const std::string& FileName() const { return FDiskFileName; }
  bool ReadFailed() const { return FReadFailed; }
  const TIniDocument& Document() const { return FDocument; }

 private:
  void LoadFromDisk();

  TIniDocument FDocument;
  std::string FDiskFileName;
  bool FReadFailed = false;
  TConfigStorage* FStorage;
};

// Called when a configuration file cannot be decoded, with the full text of the report.
// The Windows layer shows it and asks the application to end.
void SetConfigLoadFailureHandler(std::function<void(const std::string& report)> handler);
std::string ConfigLoadFailureText(const std::string& errorMessage);
inline constexpr const char* kConfigFailureCaption = "Tessaly";

// Full path of the running executable with its extension replaced by ".kfg". The platform
// layer tells the core where the executable is.
void SetExecutablePath(std::string path);
const std::string& ExecutablePath();
std::string DefaultConfigFileName();
// Replaces the extension of the last path element (or appends one).
std::string ChangeFileExt(const std::string& path, const std::string& ext);
// Folder of a path, with its trailing separator ("C:\\Prog\\" for "C:\\Prog\\a.exe").
std::string ExtractFilePath(const std::string& path);

TMIniFile* OpenConfigFile(const std::string& fileName);
void ReleaseConfigFile(TMIniFile* config);
void ReleaseAllConfigFiles();

// The main configuration object (default file name); set by the program entry.
extern TMIniFile* ConfigFile;

}  // namespace lupendo
