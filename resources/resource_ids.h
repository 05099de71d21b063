// Identifiers shared by the resource script and the program.
#pragma once

#define IDR_MAIN_MENU_NAME L"MYMENU"

// The program's icon: the window's caption, the taskbar and the file.
#define IDI_BREVANE_NAME L"BREVANE"

// Main window commands, told by the low word of WM_COMMAND's wParam.
#define IDM_OPEN_DESIGN_FILE 100
#define IDM_DECODE_SCREENSHOT 101
#define IDM_QR_FROM_IMAGE 102
#define IDM_QR_FROM_IMAGE_MEDIAN_CUT 103
#define IDM_CAPTURE 104

// The drop-down "画像と減色": a picture of any size fitted to a grid, and the
// reduction as radio items, in this order.
#define IDM_OPEN_FITTED_PICTURE 110
#define IDM_REDUCE_MERGE 111
#define IDM_REDUCE_MEDIAN_CUT 112
#define IDM_REDUCE_QUALITY 113
#define IDM_REDUCE_DITHER 114
#define IDM_REDUCE_DITHER_ACROSS_DESIGNS 115

// Keeping and sharing what the window shows, after a separator in the same drop-down.
#define IDM_SAVE_QR_PICTURE 120
#define IDM_SAVE_DESIGN_FILE 121
#define IDM_EXPORT_ALL 122
#define IDM_COPY_QR_PICTURE 123

// Keys that step through the designs, through the accelerator table.
#define IDM_STEP_FORWARD 124
#define IDM_STEP_BACKWARD 125
#define IDM_FIRST_DESIGN 126
#define IDM_LAST_DESIGN 127
#define IDR_ACCELERATORS_NAME L"MYKEYS"

// The drop-down "読み取り": QR codes read from a picture file, from a region of
// the screen, or from the clipboard's picture.
#define IDM_SCAN_PICTURE 130
#define IDM_SCAN_SCREEN 131
#define IDM_SCAN_CLIPBOARD 132

// The end of "画像と減色", after a separator: the editor of the design on show,
// and names for every design at once.
#define IDM_EDIT_DESIGN 140
#define IDM_NAME_DESIGNS 141

// The dialog "デザインを編集" (its controls are placed at the display's DPI
// when it opens) and the dialog of item 141.
#define IDD_DESIGN_EDITOR_NAME L"EDITDESIGN"
#define IDD_NAME_DESIGNS_NAME L"NAMEDESIGNS"
#define IDC_EDITOR_UNDO 142
#define IDC_EDITOR_REDO 143
#define IDC_DESIGN_NAME_LABEL 144
#define IDC_DESIGN_NAME_BOX 145
#define IDC_AUTHOR_NAME_LABEL 146
#define IDC_AUTHOR_NAME_BOX 147

// The design-count dialog of the screen capture.
#define IDD_DESIGN_COUNT_NAME L"NUMDESIGN"
#define IDC_COLUMNS_LABEL 105
#define IDC_ROWS_LABEL 106
#define IDC_COLUMNS_BOX 107
#define IDC_ROWS_BOX 108

// The export's progress window.
#define IDD_EXPORT_PROGRESS_NAME L"EXPORTPROGRESS"
#define IDC_EXPORT_STATUS 128
#define IDC_EXPORT_BAR 129
