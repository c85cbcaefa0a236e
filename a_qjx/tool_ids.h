// Resource and control ids of the board tool dialogs (shared by the
// resource script and the code).
#pragma once

// The caption of the library's own boxes.
#define A_QJX_BOX_CAPTION "A_QJX"

// Memory tool.
#define IDD_MEMORY 130
#define IDD_MEMORY_EDITOR 170
#define IDD_SAVE_MEMORY 173
#define IDC_MEMORY_EXIT 1014
#define IDC_MEMORY_LIST 1017
#define IDC_MEMORY_SCROLL 1019
#define IDC_MEMORY_SAVE 1021
#define IDC_MEMORY_GOTO 1025
#define IDC_MEMORY_GOTO_TEXT 1026
#define IDC_MEMORY_PHYSICAL 1007
#define IDC_MEMORY_SEGMENT 1030
#define IDC_MEMORY_OFFSET 1031
#define IDC_MEMORY_SIZE 1078
#define IDC_MEMORY_FREE 1079
#define IDC_MEMORY_FREE_RANGE 1080
#define IDC_MEMORY_UPDATE 1106
#define IDC_MEMORY_BYTES 1146
#define IDC_MEMORY_START 1147
#define IDC_SAVE_START 1152
#define IDC_SAVE_STOP 1153
#define IDC_SAVE_FILE 1154
#define IDC_SAVE_LINE_SIZE 1172
#define IDC_SAVE_ADDRESS 1173
#define IDC_SAVE_BROWSE 1174
