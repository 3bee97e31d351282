// Turns the text-art pictures under resources/art into Windows cursor (.cur) and icon
// (.ico) files at build time, so that the repository holds no opaque binaries.
//
// Art file:
//   kind cursor|icon|bitmap, size W H, hotspot X Y (cursors), colour lines "color C RRGGBB",
//   then "pixels" and H rows of W characters.
// Characters: '.' transparent, '~' screen inverted (cursors), any colour letter defined
// above; cursors are monochrome, so their colours must be 000000 or FFFFFF.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Art {
  std::string kind;
  int width = 0, height = 0, hotX = 0, hotY = 0;
  std::map<char, uint32_t> colors;
  std::vector<std::string> rows;
};

[[noreturn]] void Fail(const std::string& message) {
  std::cerr << "resgen: " << message << "\n";
  std::exit(1);
}

Art ReadArt(const std::string& path) {
  std::ifstream in(path);
  if (!in) Fail("cannot open " + path);
  Art art;
  std::string line;
  bool pixels = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (pixels) {
      if (static_cast<int>(art.rows.size()) < art.height) art.rows.push_back(line);
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string key;
    words >> key;
    if (key == "kind") words >> art.kind;
    else if (key == "size") words >> art.width >> art.height;
    else if (key == "hotspot") words >> art.hotX >> art.hotY;
    else if (key == "color") {
      std::string c, hex;
      words >> c >> hex;
      art.colors[c[0]] = static_cast<uint32_t>(std::stoul(hex, nullptr, 16));
    } else if (key == "pixels") pixels = true;
    else Fail("unknown line in " + path + ": " + line);
  }
  if (static_cast<int>(art.rows.size()) != art.height) Fail(path + ": wrong number of rows");
  for (const auto& row : art.rows)
    if (static_cast<int>(row.size()) != art.width) Fail(path + ": wrong row width: " + row);
  return art;
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// Bottom-up 1-bit rows padded to 4 bytes.
std::vector<uint8_t> MaskRows(const Art& art, bool (*bit)(const Art&, char)) {
  int stride = ((art.width + 31) / 32) * 4;
  std::vector<uint8_t> rows(static_cast<size_t>(stride * art.height), 0);
  for (int y = 0; y < art.height; ++y) {
    const std::string& row = art.rows[static_cast<size_t>(art.height - 1 - y)];
    for (int x = 0; x < art.width; ++x)
      if (bit(art, row[static_cast<size_t>(x)])) rows[static_cast<size_t>(y * stride + x / 8)] |= 0x80 >> (x % 8);
  }
  return rows;
}

bool AndBit(const Art&, char c) { return c == '.' || c == '~'; }
bool XorBit(const Art& art, char c) {
  if (c == '~') return true;
  if (c == '.') return false;
  auto it = art.colors.find(c);
  if (it == art.colors.end()) Fail(std::string("undefined colour ") + c);
  return it->second != 0;
}

std::vector<uint8_t> BuildFile(const Art& art) {
  bool cursor = art.kind == "cursor";
  std::vector<uint8_t> image;
  // BITMAPINFOHEADER; the height counts the colour and the mask rows.
  int bits = cursor ? 1 : 32;
  Put32(image, 40);
  Put32(image, static_cast<uint32_t>(art.width));
  Put32(image, static_cast<uint32_t>(art.height * 2));
  Put16(image, 1);
  Put16(image, static_cast<uint32_t>(bits));
  for (int k = 0; k < 6; ++k) Put32(image, 0);
  if (cursor) {
    Put32(image, 0x00000000);
    Put32(image, 0x00FFFFFF);
    auto xorRows = MaskRows(art, &XorBit);
    image.insert(image.end(), xorRows.begin(), xorRows.end());
  } else {
    for (int y = art.height - 1; y >= 0; --y) {
      for (char c : art.rows[static_cast<size_t>(y)]) {
        uint32_t argb = 0;
        if (c != '.') {
          auto it = art.colors.find(c);
          if (it == art.colors.end()) Fail(std::string("undefined colour ") + c);
          argb = 0xFF000000u | it->second;
        }
        Put32(image, argb);  // stored as B, G, R, A
      }
    }
  }
  auto andRows = MaskRows(art, &AndBit);
  image.insert(image.end(), andRows.begin(), andRows.end());

  std::vector<uint8_t> file;
  Put16(file, 0);
  Put16(file, cursor ? 2 : 1);
  Put16(file, 1);
  file.push_back(static_cast<uint8_t>(art.width >= 256 ? 0 : art.width));
  file.push_back(static_cast<uint8_t>(art.height >= 256 ? 0 : art.height));
  file.push_back(cursor ? 2 : 0);
  file.push_back(0);
  Put16(file, cursor ? static_cast<uint32_t>(art.hotX) : 1);
  Put16(file, cursor ? static_cast<uint32_t>(art.hotY) : 32);
  Put32(file, static_cast<uint32_t>(image.size()));
  Put32(file, 22);
  file.insert(file.end(), image.begin(), image.end());
  return file;
}

// A 24-bit bottom-up .bmp file; every character, '.' included, is an opaque colour.
std::vector<uint8_t> BuildBitmap(const Art& art) {
  int stride = (art.width * 3 + 3) & ~3;
  std::vector<uint8_t> file;
  uint32_t size = 54 + static_cast<uint32_t>(stride * art.height);
  Put16(file, 19778);
  Put32(file, size);
  Put32(file, 0);
  Put32(file, 54);
  Put32(file, 40);
  Put32(file, static_cast<uint32_t>(art.width));
  Put32(file, static_cast<uint32_t>(art.height));
  Put16(file, 1);
  Put16(file, 24);
  Put32(file, 0);
  Put32(file, static_cast<uint32_t>(stride * art.height));
  for (int k = 0; k < 4; ++k) Put32(file, 0);
  for (int y = art.height - 1; y >= 0; --y) {
    size_t start = file.size();
    for (char c : art.rows[static_cast<size_t>(y)]) {
      auto it = art.colors.find(c);
      if (it == art.colors.end()) Fail(std::string("undefined colour ") + c);
      file.push_back(static_cast<uint8_t>(it->second));
      file.push_back(static_cast<uint8_t>(it->second >> 8));
      file.push_back(static_cast<uint8_t>(it->second >> 16));
    }
    while (file.size() - start < static_cast<size_t>(stride)) file.push_back(0);
  }
  return file;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) Fail("usage: resgen ART OUTPUT");
  Art art = ReadArt(argv[1]);
  if (art.kind != "cursor" && art.kind != "icon" && art.kind != "bitmap") Fail("kind must be cursor, icon or bitmap");
  auto bytes = art.kind == "bitmap" ? BuildBitmap(art) : BuildFile(art);
  std::ofstream out(argv[2], std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) Fail(std::string("cannot write ") + argv[2]);
  return 0;
}
