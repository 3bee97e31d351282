#pragma once
// Numeric resource ids (dialogs and their controls).
#define IDD_CONFIRM_YES 300
#define IDC_CONFIRM_TEXT 301
#define IDC_CONFIRM_ICON 302
