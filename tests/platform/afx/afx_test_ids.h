// Resource ids of the framework tests.
#pragma once
#define IDR_MAINFRAME 128
#define IDR_TEXTTYPE 129
#define IDR_LISTTYPE 130
#define ID_TEST_COMMAND 32771
#define ID_TEST_CHECKED 32772
#define ID_TEST_UNHANDLED 32773
#define IDW_BAR_ONE 0xE840
#define IDW_BAR_TWO 0xE841
#define ID_INDICATOR_LINE 32780
#define ID_INDICATOR_MODE 32781
