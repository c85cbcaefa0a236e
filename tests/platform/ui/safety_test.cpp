// What the layer refuses instead of crashing or hanging: handles of
// destroyed windows, released device contexts and deleted GDI objects,
// deleting an object still in use, and a paint handler that never
// validates its window.
#include <gtest/gtest.h>

#include "platform/ui/cwnd.h"
#include "ui_test_support.h"

using namespace ui_test;

namespace {

class SafetyTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureApp(); }
};

int g_paints = 0;
LRESULT CALLBACK PaintWithoutBeginPaint(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    ++g_paints;
    return 0;  // never calls BeginPaint
  }
  return DefWindowProc(h, msg, wp, lp);
}

// Takes waiting messages, at most `limit` of them; how many were taken.
int Drain(int limit) {
  MSG m;
  int n = 0;
  while (n < limit && PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
    DispatchMessage(&m);
    ++n;
  }
  return n;
}

TEST_F(SafetyTest, PaintHandlerWithoutBeginPaintGetsOnePaintPerInvalidation) {
  HWND h = MakeTop(50, 40, WS_POPUP | WS_VISIBLE, &PaintWithoutBeginPaint);
  Drain(1000);
  for (int round = 1; round <= 2; ++round) {
    g_paints = 0;
    RECT r{5, 5, 20, 20};
    ASSERT_TRUE(InvalidateRect(h, &r, TRUE));
    EXPECT_LT(Drain(1000), 1000);  // the queue goes idle
    EXPECT_EQ(g_paints, 1);
    RECT update;
    EXPECT_FALSE(GetUpdateRect(h, &update, FALSE));
    EXPECT_EQ(GetQueueStatus(QS_PAINT) & QS_PAINT, 0u);
  }
  // UpdateWindow does not loop either.
  g_paints = 0;
  InvalidateRect(h, nullptr, FALSE);
  UpdateWindow(h);
  UpdateWindow(h);
  EXPECT_EQ(g_paints, 1);
  DestroyWindow(h);
}

TEST_F(SafetyTest, HandlesOfDestroyedWindowsAreRefused) {
  HWND h = MakeTop(30, 30);
  HWND child =
      CreateWindowEx(0, "STATIC", "x", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, h, nullptr, nullptr, nullptr);
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(DestroyWindow(h));
  for (HWND stale : {h, child}) {
    SCOPED_TRACE(stale == h ? "top" : "child");
    EXPECT_FALSE(IsWindow(stale));
    SetLastError(0);
    EXPECT_EQ(SendMessage(stale, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("y")), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(PostMessage(stale, WM_USER, 0, 0));
    EXPECT_FALSE(DestroyWindow(stale));
    EXPECT_FALSE(SetWindowPos(stale, nullptr, 1, 1, 5, 5, SWP_NOZORDER));
    EXPECT_FALSE(InvalidateRect(stale, nullptr, TRUE));
    EXPECT_EQ(GetWindowLongPtr(stale, GWL_STYLE), 0);
    EXPECT_EQ(GetParent(stale), nullptr);
    EXPECT_EQ(GetDC(stale), nullptr);
    RECT r;
    EXPECT_FALSE(GetWindowRect(stale, &r));
    char text[8];
    EXPECT_EQ(GetWindowText(stale, text, sizeof text), 0);
    EXPECT_EQ(CWnd::FromHandlePermanent(stale), nullptr);
  }
  // Handles are not reused: a new window never answers to an old handle.
  HWND next = MakeTop(30, 30);
  EXPECT_NE(next, h);
  EXPECT_NE(next, child);
  EXPECT_FALSE(IsWindow(h));
  DestroyWindow(next);
  // Nonsense handles too.
  for (HWND bad : {reinterpret_cast<HWND>(1), reinterpret_cast<HWND>(0x20002),
                   reinterpret_cast<HWND>(~uintptr_t{0}), reinterpret_cast<HWND>(uintptr_t{1} << 40)}) {
    EXPECT_FALSE(IsWindow(bad));
    EXPECT_EQ(SendMessage(bad, WM_USER, 0, 0), 0);
  }
}

TEST_F(SafetyTest, ReleasedContextsAndDeletedObjectsAreRefused) {
  HWND h = MakeTop(30, 30);
  HDC dc = GetDC(h);
  ASSERT_NE(dc, nullptr);
  ASSERT_TRUE(ReleaseDC(h, dc));
  EXPECT_EQ(SetPixel(dc, 1, 1, RGB(255, 0, 0)), CLR_INVALID);
  EXPECT_FALSE(PatBlt(dc, 0, 0, 5, 5, BLACKNESS));
  EXPECT_FALSE(TextOut(dc, 0, 0, "x", 1));
  EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_PEN)), nullptr);
  EXPECT_FALSE(ReleaseDC(h, dc));

  HDC mem = CreateCompatibleDC(nullptr);
  ASSERT_TRUE(DeleteDC(mem));
  EXPECT_FALSE(DeleteDC(mem));
  HDC target = GetDC(h);
  EXPECT_FALSE(BitBlt(target, 0, 0, 5, 5, mem, 0, 0, SRCCOPY));
  ReleaseDC(h, target);

  HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
  ASSERT_TRUE(DeleteObject(pen));
  EXPECT_FALSE(DeleteObject(pen));
  LOGPEN lp;
  EXPECT_EQ(GetObject(pen, sizeof lp, &lp), 0);
  HDC live = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(live, pen), nullptr);
  DeleteDC(live);
  DestroyWindow(h);
}

TEST_F(SafetyTest, ObjectsSelectedIntoAContextCannotBeDeleted) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bm = CreateBitmap(4, 4, 1, 32, nullptr);
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 200));
  HGDIOBJ oldBm = SelectObject(dc, bm);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  EXPECT_FALSE(DeleteObject(bm));
  EXPECT_FALSE(DeleteObject(brush));
  // Both still work where they are.
  ASSERT_TRUE(PatBlt(dc, 0, 0, 4, 4, PATCOPY));
  EXPECT_EQ(GetPixel(dc, 2, 2) & 0xFFFFFF, RGB(0, 0, 200));
  SelectObject(dc, oldBrush);
  EXPECT_TRUE(DeleteObject(brush));
  SelectObject(dc, oldBm);
  EXPECT_TRUE(DeleteObject(bm));
  // Deleting the context lets go of what it held.
  HPEN pen = CreatePen(PS_SOLID, 1, 0);
  SelectObject(dc, pen);
  ASSERT_TRUE(DeleteDC(dc));
  EXPECT_TRUE(DeleteObject(pen));
  // Stock objects survive any number of deletions.
  EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));
  LOGBRUSH lb;
  EXPECT_NE(GetObject(GetStockObject(WHITE_BRUSH), sizeof lb, &lb), 0);
}

}  // namespace
