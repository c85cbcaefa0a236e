// Resource ids of the frame tests and the framework's test application.
#pragma once
#define IDR_FRAMES_MAIN 128
#define IDR_FRAMES_SHEET 129
#define IDR_FRAMES_SHEET_TWO 130
#define IDR_FRAMES_EXTRA_ONE 140
#define IDR_FRAMES_EXTRA_TWO 141
#define IDR_FRAMES_NO_MENU 150
#define IDR_FRAMES_TOOLS 160
#define ID_FRAMES_COMMAND 32790
#define IDW_FRAMES_BAR_LEFT 0xE850
#define IDW_FRAMES_BAR_BOTTOM 0xE851
#define IDW_FRAMES_BAR_FLOAT 0xE852
