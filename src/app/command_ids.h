#pragma once
// Command ids of the menu items, custom messages and resource names. Shared with the
// end-to-end tests, which send these ids to the running program.

// Posted by the keyboard hook library: wParam virtual key, lParam bit 7 set on release.
#define LUPENDO_MSG_HOOK_KEY (0x0400 + 50)
// Restore and activate the magnifier window.
#define LUPENDO_MSG_RESTORE (0x0400 + 581)

// PopupSettings
#define CM_SMOOTHZOOM 201
#define CM_STAYONTOP 202
#define CM_SETTINGS 203
#define CM_CAPTURESCREEN 204
#define CM_ZOOMATCURSOR 205
#define CM_MEASUREDISTANCE 206
#define CM_GAUGE2 207
#define CM_UNITS1 208
#define CM_SETDEFAULT2 209
#define CM_HELP 210
#define CM_EXIT 211
// PopupFrame
#define CM_CANCELCAPTURE 221
#define CM_TOCLIPBOARD 222
#define CM_TOFILE 223
// PopupLine
#define CM_GAUGE1 231
#define CM_SELECTUNIT1 232
#define CM_SETDEFAULT1 233
// PopupQuickZoom
#define CM_ZOOM10 241
#define CM_ZOOM50 242
#define CM_ZOOM100 243
#define CM_EXIT2 244

// Screen cursor numbers of the program's own cursors.
#define LUPENDO_CURSOR_FRAME 104
#define LUPENDO_CURSOR_LINE 105
