#pragma once
// Popup menus built in code. Each item carries a fixed command id, so the same handler runs
// whether the item is picked from the menu or its id arrives as WM_COMMAND.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace lupendo::ui {

struct TMenuItem {
  std::string Name;
  std::string Caption;
  UINT Id = 0;
  bool Visible = true;
  bool Checked = false;
  bool Enabled = true;
  std::function<void()> OnClick;
  std::vector<TMenuItem> Items;  // a submenu when not empty
};

class TPopupMenu {
 public:
  std::vector<TMenuItem> Items;

  TMenuItem& Add(TMenuItem item);
  TMenuItem* Find(const std::string& name);
  TMenuItem* FindId(UINT id);
  // Builds the menu of the visible items (caller owns the handle).
  HMENU Build() const;
  // Shows the menu at a screen point and runs the picked item's handler.
  void Popup(HWND owner, int x, int y);
  // Runs the handler of the item with this id; false when no item has it.
  bool Dispatch(UINT id);
};

}  // namespace lupendo::ui
