#include "ui/message_dialog.h"

#include "app/resource_ids.h"

namespace lupendo::ui {

namespace {
INT_PTR CALLBACK ConfirmProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:
      SetDlgItemTextA(dialog, IDC_CONFIRM_TEXT, reinterpret_cast<const char*>(lParam));
      SendDlgItemMessageA(dialog, IDC_CONFIRM_ICON, STM_SETICON,
                          reinterpret_cast<WPARAM>(LoadIcon(nullptr, IDI_QUESTION)), 0);
      MessageBeep(MB_ICONQUESTION);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDYES || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDYES);
      return TRUE;
  }
  return FALSE;
}
}  // namespace

void ConfirmYesOnly(HWND owner, const std::string& text) {
  DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CONFIRM_YES), owner, &ConfirmProc,
                  reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace lupendo::ui
