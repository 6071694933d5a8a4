// Resource identifiers shared by the resource script and the program.
#pragma once

#define IDR_MAIN 128 /* menu, accelerator table and icon */

#define IDS_PRODUCT 60000
#define IDS_CAPTION 60001
#define IDS_NO_COMMAND 60002
#define IDS_MANUAL_PATH 60003
#define IDS_NO_NAME 60300

/* Commands of the menu, the accelerators and the toolbar; their help strings share the ids. */
#define IDM_OPTIONS 33010
#define IDM_EXIT 33020
#define IDM_TOOL_PAINT 33100
#define IDM_TOOL_ERASE 33101
#define IDM_TOOL_BLUR 33102
#define IDM_UNDO 33150
#define IDM_REDO 33151
#define IDM_CLEAR 33152
#define IDM_PAUSE 33200
#define IDM_ERASE_PARTICLES 33201
#define IDM_ZOOM25 33300
#define IDM_ZOOM50 33301
#define IDM_ZOOM75 33302
#define IDM_ZOOM100 33303
#define IDM_ZOOM150 33304
#define IDM_ZOOM200 33305
#define IDM_ZOOM300 33306
#define IDM_ZOOM400 33307
#define IDM_ZOOM_OUT 33308
#define IDM_ZOOM_IN 33309
#define IDM_MAT_CHECKER 33310
#define IDM_MAT_WHITE 33311
#define IDM_MAT_BLACK 33312
#define IDM_SHOW_TOOLBAR 33330
#define IDM_SHOW_STATUSBAR 33331
#define IDM_PANEL_GENERAL 33332
#define IDM_PANEL_SPRAY 33333
#define IDM_PANEL_COLOR 33334
#define IDM_PANEL_CATALOG 33335
#define IDM_MANUAL 33400
#define IDM_ABOUT 33401

/* Child windows of the frame. */
#define IDC_TOOLBAR 1000
#define IDC_STATUSBAR 1001
#define IDC_VIEW 1003

/* Dialog buttons beside IDOK (1) and IDCANCEL (2). */
#define IDC_APPLY 1000

/* Dialog templates. */
#define IDD_ABOUT 801

/* Toolbar button pictures, 16 x 16 in 16 colours. */
#define IDB_UNDO 905
#define IDB_REDO 906
#define IDB_PAUSE 910
#define IDB_ZOOM_IN 911
#define IDB_ZOOM_OUT 912
#define IDB_TOOL_PAINT 920
#define IDB_TOOL_ERASE 921
#define IDB_TOOL_BLUR 922
#define IDB_PANEL_SPRAY 930
#define IDB_PANEL_COLOR 931
#define IDB_PANEL_GENERAL 932
#define IDB_PANEL_CATALOG 933
