// Resource ids of the window-layer test program.
#define IDS_HELLO 1
#define IDS_SECOND 17
#define IDR_MAIN 100
#define IDB_PALETTE 101
#define IDI_RED 102
#define IDC_POINTER 103
#define IDD_PLAIN 104
#define IDD_EXTENDED 105
#define IDR_DATA 106
#define IDR_TOOLBAR 107
#define ID_OPEN 1001
#define ID_EXIT 1002
#define ID_HELP_TOPIC 1003
#define ID_STEP_KEY 1004
#define IDC_NAME 2001
#define IDC_CHECK 2002
#define IDC_COMBO 2003
#ifndef IDOK
#define IDOK 1
#endif
