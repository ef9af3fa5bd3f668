// Resource numbers of Quillon: the saver's name and the window class name in
// the string table, the two icons, and (with the dialogs) the dialog
// templates and their controls. Shared by resources/quillon.rc and the application code.
#ifndef QUILLON_RESOURCES_RESOURCE_H
#define QUILLON_RESOURCES_RESOURCE_H

// String 1 is the name that Windows' display settings show in their list of
// screen savers, as for the savers built on Windows' own saver library.
#define IDS_DESCRIPTION 1
#define IDI_QUILLON 107
#define IDI_SMALL 108
#define IDS_APP_CLASS 109

#endif
