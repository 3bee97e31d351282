#include "ui/popup_menu.h"

#include "ui/handles.h"

namespace lupendo::ui {

namespace {

void AppendItems(HMENU menu, const std::vector<TMenuItem>& items) {
  for (const auto& item : items) {
    if (!item.Visible) continue;
    if (item.Caption == "-") {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING | (item.Checked ? MF_CHECKED : MF_UNCHECKED) | (item.Enabled ? MF_ENABLED : MF_GRAYED);
    if (!item.Items.empty()) {
      HMENU sub = CreatePopupMenu();
      AppendItems(sub, item.Items);
      AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), item.Caption.c_str());
    } else {
      AppendMenuA(menu, flags, item.Id, item.Caption.c_str());
    }
  }
}

TMenuItem* FindIn(std::vector<TMenuItem>& items, const std::function<bool(const TMenuItem&)>& match) {
  for (auto& item : items) {
    if (match(item)) return &item;
    if (TMenuItem* sub = FindIn(item.Items, match)) return sub;
  }
  return nullptr;
}

}  // namespace

TMenuItem& TPopupMenu::Add(TMenuItem item) {
  Items.push_back(std::move(item));
  return Items.back();
}

TMenuItem* TPopupMenu::Find(const std::string& name) {
  return FindIn(Items, [&](const TMenuItem& item) { return item.Name == name; });
}

TMenuItem* TPopupMenu::FindId(UINT id) {
  return FindIn(Items, [&](const TMenuItem& item) { return item.Id == id && id != 0; });
}

HMENU TPopupMenu::Build() const {
  HMENU menu = CreatePopupMenu();
  AppendItems(menu, Items);
  return menu;
}

void TPopupMenu::Popup(HWND owner, int x, int y) {
  TMenuHandle menu(Build());
  UINT id = static_cast<UINT>(TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, x, y, 0,
                                             owner, nullptr));
  menu.Reset();
  if (id) Dispatch(id);
}

bool TPopupMenu::Dispatch(UINT id) {
  TMenuItem* item = FindId(id);
  if (!item || !item->Enabled) return false;
  if (item->OnClick) item->OnClick();
  return true;
}

}  // namespace lupendo::ui
