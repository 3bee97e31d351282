#pragma once
#include <windows.h>

#include <string>

namespace lupendo::ui {

// A confirmation message with the question icon and a single "Yes" button.
void ConfirmYesOnly(HWND owner, const std::string& text);

}  // namespace lupendo::ui
