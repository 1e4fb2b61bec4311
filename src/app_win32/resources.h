#pragma once

// The numbers of the pictures in the Windows program's resources (varnemo.rc), made from the
// desktop program's drawing by tools/windows-artwork.
#define IDI_PROGRAM 1
#define IDB_SPLASH 101
#define IDB_HEADER_LOGO 102
#define IDB_HEADER_EMBLEM 103
#define IDB_SELECT_FILE 104
#define IDB_ABOUT 105
#define IDB_READING_ARROW 106
#define IDB_MENU_EXIT 107
#define IDB_MENU_HELP 108
#define IDB_MENU_ABOUT 109
#define IDB_SMALL_ICONS 110
