#include "platform/base/windef.h"

#include <gtest/gtest.h>

#include <type_traits>

static_assert(sizeof(DWORD) == 4 && sizeof(LONG) == 4 && sizeof(WORD) == 2 && sizeof(BYTE) == 1);
static_assert(sizeof(BOOL) == sizeof(int) && sizeof(UINT) == 4 && sizeof(SHORT) == 2);
static_assert(sizeof(WPARAM) == sizeof(void*) && sizeof(LPARAM) == sizeof(void*));
static_assert(!std::is_same_v<HWND, HMENU> && !std::is_same_v<HPEN, HBRUSH>);
static_assert(std::is_same_v<HMODULE, HINSTANCE> && std::is_same_v<HCURSOR, HICON>);

TEST(WinDef, PackingMacros) {
  EXPECT_EQ(MAKEWORD(0x34, 0x12), 0x1234);
  EXPECT_EQ(static_cast<DWORD>(MAKELONG(0x5678, 0x1234)), 0x12345678u);
  EXPECT_EQ(LOWORD(0x12345678), 0x5678);
  EXPECT_EQ(HIWORD(0x12345678), 0x1234);
  EXPECT_EQ(LOBYTE(0x1234), 0x34);
  EXPECT_EQ(HIBYTE(0x1234), 0x12);
  LPARAM lp = MAKELPARAM(-2, 300);
  EXPECT_EQ(GET_X_LPARAM(lp), -2);
  EXPECT_EQ(GET_Y_LPARAM(lp), 300);
  POINTS pt = MAKEPOINTS(lp);
  EXPECT_EQ(pt.x, -2);
  EXPECT_EQ(pt.y, 300);
  EXPECT_EQ(MAKEWPARAM(1, 2), static_cast<WPARAM>(0x20001));
  EXPECT_EQ(HIWORD(MAKELRESULT(0, 0xFFFF)), 0xFFFF);
}

TEST(WinDef, Colours) {
  COLORREF c = RGB(0x12, 0x34, 0x56);
  EXPECT_EQ(c, 0x563412u);
  EXPECT_EQ(GetRValue(c), 0x12);
  EXPECT_EQ(GetGValue(c), 0x34);
  EXPECT_EQ(GetBValue(c), 0x56);
}
