// Identifiers shared by the resource script and the program.
#pragma once

#define IDR_MAIN_MENU_NAME L"MYMENU"

// Main window commands, told by the low word of WM_COMMAND's wParam.
#define IDM_OPEN_DESIGN_FILE 100
#define IDM_DECODE_SCREENSHOT 101
#define IDM_QR_FROM_IMAGE 102
#define IDM_QR_FROM_IMAGE_MEDIAN_CUT 103
#define IDM_CAPTURE 104
