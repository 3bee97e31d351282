#pragma once
// The program's table of screen cursors by number (the system cursors need no entry).
#include <windows.h>

#include <map>

namespace lupendo::ui {

class TScreen {
 public:
  void SetCursor(int index, HCURSOR cursor) { FCursors[index] = cursor; }
  HCURSOR Cursor(int index) const {
    auto it = FCursors.find(index);
    return it == FCursors.end() ? LoadCursor(nullptr, IDC_ARROW) : it->second;
  }

 private:
  // Cursors loaded from the executable's resources are shared and never destroyed.
  std::map<int, HCURSOR> FCursors;
};

inline TScreen& Screen() {
  static TScreen screen;
  return screen;
}

}  // namespace lupendo::ui
