#pragma once
// Numeric resource ids (dialogs and their controls).
#define IDD_CONFIRM_YES 300
#define IDC_CONFIRM_TEXT 301
#define IDC_CONFIRM_ICON 302

// Settings dialog and its pages (control names follow the dialog's own).
#define IDD_OPTIONS 400
#define IDD_PAGE_GENERAL 401
#define IDD_PAGE_CURSOR 402
#define IDD_PAGE_CAPTURE 403
#define IDD_PAGE_APPEARANCE 404
#define IDD_PAGE_INFO 405
#define IDD_PAGE_INSTALL 406
#define IDC_TreeView1 410
#define IDC_plParent 411
#define IDC_bbHelp 412
// appearance
#define IDC_HSVBox1 420
#define IDC_plShowCol 421
#define IDC_EditR 422
#define IDC_EditG 423
#define IDC_EditB 424
#define IDC_rbActiveColor 425
#define IDC_rbInactiveColor 426
#define IDC_seBW 427
#define IDC_seBW_Spin 428
#define IDC_cbBottomPane 429
#define IDC_cbStatus 430
// general
#define IDC_cbLevel 440
#define IDC_cbMouseXY 441
#define IDC_cbShowZFocus 442
#define IDC_cbColor 443
#define IDC_rbHex 444
#define IDC_rbInteger 445
#define IDC_rbRGB 446
#define IDC_rbHSV 447
#define IDC_cbUseDirectDraw 448
#define IDC_gbSlider 449
#define IDC_ImgSlBar 450
#define IDC_lbSlider 451
#define IDC_gbColor 452
// capture to file
#define IDC_tbJpgQuality 460
#define IDC_lbJpgQ 461
#define IDC_rbNone 462
#define IDC_rbPackbits 463
#define IDC_rbJpeg 464
#define IDC_rbCcitt3 465
#define IDC_rbCcitt3d 466
#define IDC_rbCcitt4 467
#define IDC_lbCcittNote 468
// zoom at cursor
#define IDC_seRate 470
#define IDC_seRate_Spin 471
#define IDC_cbText 472
#define IDC_cbShowCursor 473
// system info
#define IDC_lbPPI 480
// install
#define IDC_cbShortCut 490
#define IDC_cbProgramFolder 491
