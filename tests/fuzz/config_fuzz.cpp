// Feeds arbitrary file images to the configuration loader. Whatever the bytes, decoding
// either fails with the bad-size error or yields a text whose document writes back to a
// text that parses to the same document.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "config/config_codec.h"
#include "config/mini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  std::string text;
  try {
    text = lupendo::DecodeConfigBytes(bytes);
  } catch (const lupendo::TConfigFormatError&) {
    return 0;
  }
  lupendo::TIniDocument document;
  document.Parse(text);
  std::string written = document.Text();
  lupendo::TIniDocument again;
  again.Parse(written);
  if (again.Text() != written) std::abort();
  // Reading any key must not fail.
  for (const auto& section : document.Sections())
    for (const auto& line : section.Lines) (void)document.Find(section.Name, line.substr(0, line.find('=')));
  return 0;
}
