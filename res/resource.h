// Resource identifiers shared by the resource script and the code.
#pragma once

#define IDR_MAINFRAME 128
#define IDD_BIOSUPDATE_DIALOG 102
#define IDB_PROGRESS_STRIP 132
#define IDB_SPLASH_KOREAN 134
#define IDB_SPLASH_OTHER 135
