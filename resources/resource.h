// Resource numbers of Quillon: the saver's name and the window class name in
// the string table, the two icons, the two dialogs and their controls. Shared by resources/quillon.rc and the application code.
#ifndef QUILLON_RESOURCES_RESOURCE_H
#define QUILLON_RESOURCES_RESOURCE_H

// String 1 is the name that Windows' display settings show in their list of
// screen savers, as for the savers built on Windows' own saver library.
#define IDS_DESCRIPTION 1
#define IDI_QUILLON 107
#define IDI_SMALL 108
#define IDS_APP_CLASS 109

// The configuration dialog and its controls.
#define IDD_CONFIG 129
#define IDC_FONT_SIZE 1001
#define IDC_URL_LIST 1002
#define IDC_URL_EDIT 1003
#define IDC_ADD_URL 1004
#define IDC_DELETE_URL 1005
#define IDC_INDENT 1006
#define IDC_FONT_NAME 1007
#define IDC_LINE_SCROLL_DELAY 1008
#define IDC_TYPE_DELAY 1009
#define IDC_FG_COLOR 1010
#define IDC_PICK_FG_COLOR 1011
#define IDC_BG_COLOR 1012
#define IDC_PICK_BG_COLOR 1013
#define IDC_FETCH_TIMEOUT 1014

// The password dialog and its controls (numbered apart from the
// configuration dialog's, which may share the numbers).
#define IDD_PASSWORD 130
#define IDC_PASSWORD 1012
#define IDC_CONFIRM 1013
#define IDC_CONFIRM_LABEL 1014

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#endif
