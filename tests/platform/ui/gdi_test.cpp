// Drawing: raster operations, monochrome conversions, brushes, 3-D edges,
// drawing outside WM_PAINT, scrolling and the caret, on backing images.
#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "platform/ui/cdc.h"
#include "platform/ui/cwnd.h"
#include "tests/support/test_support.h"
#include "ui_test_support.h"

using namespace ui_test;

namespace {

constexpr COLORREF kS = RGB(0xF0, 0x0F, 0x33);  // source
constexpr COLORREF kD = RGB(0xCC, 0xAA, 0x55);  // destination
constexpr COLORREF kP = RGB(0x99, 0x3C, 0xA5);  // pattern

// A memory DC with a w x h colour bitmap filled with one colour.
struct MemDC {
  HDC dc;
  HBITMAP bm;
  HGDIOBJ old;
  MemDC(int w, int h, COLORREF fill, bool mono = false) {
    dc = CreateCompatibleDC(nullptr);
    bm = mono ? CreateBitmap(w, h, 1, 1, nullptr) : CreateBitmap(w, h, 1, 32, nullptr);
    old = SelectObject(dc, bm);
    HBRUSH b = CreateSolidBrush(fill);
    RECT r{0, 0, w, h};
    FillRect(dc, &r, b);
    DeleteObject(b);
  }
  ~MemDC() {
    SelectObject(dc, old);
    DeleteObject(bm);
    DeleteDC(dc);
  }
};

COLORREF Bits(COLORREF c) { return c & 0xFFFFFF; }

class GdiTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureApp(); }
};

TEST_F(GdiTest, TernaryRasterOperationsCombinePatternSourceAndDestination) {
  struct Case {
    const char* name;
    DWORD rop;
    COLORREF want;
  } cases[] = {
      {"SRCCOPY", SRCCOPY, kS},
      {"SRCAND", SRCAND, kS & kD},
      {"SRCPAINT", SRCPAINT, kS | kD},
      {"SRCINVERT", SRCINVERT, kS ^ kD},
      {"SRCERASE", SRCERASE, kS & Bits(~kD)},
      {"NOTSRCCOPY", NOTSRCCOPY, Bits(~kS)},
      {"NOTSRCERASE", NOTSRCERASE, Bits(~(kS | kD))},
      {"MERGECOPY", MERGECOPY, kP & kS},
      {"MERGEPAINT", MERGEPAINT, Bits(~kS) | kD},
      {"PATCOPY", PATCOPY, kP},
      {"PATPAINT", PATPAINT, kP | Bits(~kS) | kD},
      {"PATINVERT", PATINVERT, kP ^ kD},
      {"DSTINVERT", DSTINVERT, Bits(~kD)},
      {"BLACKNESS", BLACKNESS, 0},
      {"WHITENESS", WHITENESS, 0xFFFFFF},
      {"DSna 0x220326", 0x220326, kD & Bits(~kS)},
      {"PSDPxax 0xB8074A", 0xB8074A, ((kD ^ kP) & kS) ^ kP},
      {"DSPDxax 0xE20746", 0xE20746, ((kP ^ kD) & kS) ^ kD},
  };
  for (const Case& c : cases) {
    MemDC src(4, 4, kS), dst(4, 4, kD);
    HBRUSH b = CreateSolidBrush(kP);
    HGDIOBJ ob = SelectObject(dst.dc, b);
    ASSERT_TRUE(BitBlt(dst.dc, 1, 1, 2, 2, src.dc, 0, 0, c.rop)) << c.name;
    EXPECT_EQ(GetPixel(dst.dc, 1, 1), c.want) << c.name;
    EXPECT_EQ(GetPixel(dst.dc, 2, 2), c.want) << c.name;
    EXPECT_EQ(GetPixel(dst.dc, 0, 0), kD) << c.name << ": outside the block";
    EXPECT_EQ(GetPixel(dst.dc, 3, 3), kD) << c.name << ": outside the block";
    SelectObject(dst.dc, ob);
    DeleteObject(b);
  }
}

TEST_F(GdiTest, EveryBinaryRasterOperationOfAPen) {
  const COLORREF P = kP, D = kD;
  COLORREF want[16] = {0,
                       Bits(~(P | D)),
                       Bits(~P) & D,
                       Bits(~P),
                       P & Bits(~D),
                       Bits(~D),
                       P ^ D,
                       Bits(~(P & D)),
                       P & D,
                       Bits(~(P ^ D)),
                       D,
                       Bits(~P) | D,
                       P,
                       P | Bits(~D),
                       P | D,
                       0xFFFFFF};
  for (int rop = R2_BLACK; rop <= R2_WHITE; ++rop) {
    MemDC dst(8, 3, D);
    HPEN pen = CreatePen(PS_SOLID, 1, P);
    HGDIOBJ op = SelectObject(dst.dc, pen);
    SetROP2(dst.dc, rop);
    MoveToEx(dst.dc, 1, 1, nullptr);
    LineTo(dst.dc, 6, 1);
    EXPECT_EQ(GetPixel(dst.dc, 1, 1), want[rop - 1]) << "R2 " << rop;
    EXPECT_EQ(GetPixel(dst.dc, 5, 1), want[rop - 1]) << "R2 " << rop;
    EXPECT_EQ(GetPixel(dst.dc, 6, 1), D) << "R2 " << rop << ": the last point is not drawn";
    SelectObject(dst.dc, op);
    DeleteObject(pen);
  }
}

TEST_F(GdiTest, ColourToMonochromeUsesTheSourceBackgroundColour) {
  MemDC src(3, 1, RGB(255, 0, 255)), mono(3, 1, RGB(0, 0, 0), true);
  SetPixel(src.dc, 1, 0, RGB(0, 128, 0));
  SetPixel(src.dc, 2, 0, RGB(255, 255, 255));
  SetBkColor(src.dc, RGB(255, 0, 255));
  BitBlt(mono.dc, 0, 0, 3, 1, src.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(mono.dc, 0, 0), RGB(255, 255, 255));  // the background colour: 1
  EXPECT_EQ(GetPixel(mono.dc, 1, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(mono.dc, 2, 0), RGB(0, 0, 0));  // white but not the background
}

TEST_F(GdiTest, MonochromeToColourUsesTheDestinationTextAndBackgroundColours) {
  MemDC mono(2, 1, RGB(0, 0, 0), true), dst(2, 1, RGB(1, 2, 3));
  SetPixel(mono.dc, 1, 0, RGB(255, 255, 255));
  SetTextColor(dst.dc, RGB(200, 0, 0));
  SetBkColor(dst.dc, RGB(0, 0, 200));
  BitBlt(dst.dc, 0, 0, 2, 1, mono.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(dst.dc, 0, 0), RGB(200, 0, 0));
  EXPECT_EQ(GetPixel(dst.dc, 1, 0), RGB(0, 0, 200));
}

TEST_F(GdiTest, TransparentMaskBlitLeavesTheMaskedPixels) {
  // The toolbar technique: dst AND mask, then OR the image (black where masked).
  MemDC img(2, 1, RGB(0, 0, 0)), mask(2, 1, RGB(0, 0, 0), true), dst(2, 1, RGB(10, 20, 30));
  SetPixel(img.dc, 0, 0, RGB(255, 0, 0));
  SetPixel(mask.dc, 1, 0, RGB(255, 255, 255));  // pixel 1 is transparent
  SetTextColor(dst.dc, RGB(0, 0, 0));
  SetBkColor(dst.dc, RGB(255, 255, 255));
  BitBlt(dst.dc, 0, 0, 2, 1, mask.dc, 0, 0, SRCAND);
  BitBlt(dst.dc, 0, 0, 2, 1, img.dc, 0, 0, SRCPAINT);
  EXPECT_EQ(GetPixel(dst.dc, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dst.dc, 1, 0), RGB(10, 20, 30));
}

TEST_F(GdiTest, PatternAndHatchBrushesRepeatFromTheBrushOrigin) {
  WORD bits[8] = {0x80, 0, 0, 0, 0, 0, 0, 0};  // one white pixel at (0,0)
  HBITMAP pat = CreateBitmap(8, 8, 1, 1, bits);
  HBRUSH pb = CreatePatternBrush(pat);
  MemDC dst(16, 16, RGB(0, 0, 0));
  SetTextColor(dst.dc, RGB(0, 255, 0));
  SetBkColor(dst.dc, RGB(0, 0, 255));
  RECT all{0, 0, 16, 16};
  FillRect(dst.dc, &all, pb);
  EXPECT_EQ(GetPixel(dst.dc, 0, 0), RGB(0, 0, 255));  // 1 bits: background colour
  EXPECT_EQ(GetPixel(dst.dc, 8, 8), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dst.dc, 1, 0), RGB(0, 255, 0));  // 0 bits: text colour
  SetBrushOrgEx(dst.dc, 1, 0, nullptr);
  FillRect(dst.dc, &all, pb);
  EXPECT_EQ(GetPixel(dst.dc, 1, 0), RGB(0, 0, 255));
  DeleteObject(pb);
  DeleteObject(pat);

  HBRUSH hatch = CreateHatchBrush(HS_CROSS, RGB(255, 0, 0));
  SetBrushOrgEx(dst.dc, 0, 0, nullptr);
  SetBkMode(dst.dc, TRANSPARENT);
  HBRUSH black = CreateSolidBrush(0);
  FillRect(dst.dc, &all, black);
  SelectObject(dst.dc, hatch);
  PatBlt(dst.dc, 0, 0, 16, 16, PATCOPY);
  EXPECT_EQ(GetPixel(dst.dc, 0, 5), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dst.dc, 5, 8), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dst.dc, 5, 5), RGB(0, 0, 0));  // transparent background
  SelectObject(dst.dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(hatch);
  DeleteObject(black);
}

TEST_F(GdiTest, EdgesAndThreeDRectanglesUseTheSystemColours) {
  MemDC d(10, 10, RGB(1, 1, 1));
  RECT r{0, 0, 10, 10};
  DrawEdge(d.dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
  EXPECT_EQ(r.left, 2);
  EXPECT_EQ(r.bottom, 8);
  EXPECT_EQ(GetPixel(d.dc, 0, 0), GetSysColor(COLOR_3DLIGHT));
  EXPECT_EQ(GetPixel(d.dc, 9, 9), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(GetPixel(d.dc, 1, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(GetPixel(d.dc, 8, 8), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(d.dc, 5, 5), RGB(1, 1, 1));

  CDC* dc = CDC::FromHandle(d.dc);
  dc->Draw3dRect(0, 0, 10, 10, RGB(255, 0, 0), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(d.dc, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(d.dc, 0, 8), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(d.dc, 9, 0), RGB(0, 0, 255));  // the top right belongs to the bottom right
  EXPECT_EQ(GetPixel(d.dc, 0, 9), RGB(0, 0, 255));

  RECT b{0, 0, 10, 10};
  DrawFrameControl(d.dc, &b, DFC_BUTTON, DFCS_BUTTONPUSH);
  EXPECT_EQ(GetPixel(d.dc, 5, 5), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(GetPixel(d.dc, 9, 9), GetSysColor(COLOR_3DDKSHADOW));
  RECT chk{0, 0, 10, 10};
  DrawFrameControl(d.dc, &chk, DFC_BUTTON, DFCS_BUTTONCHECK);
  EXPECT_EQ(GetPixel(d.dc, 0, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(d.dc, 4, 4), GetSysColor(COLOR_WINDOW));
}

TEST_F(GdiTest, InvertRectOutsidePaintingShowsOnTheWindowAndUndoesItself) {
  HWND h = MakeTop(40, 30);
  UpdateWindow(h);
  EXPECT_EQ(Pixel(h, 5, 5), RGB(255, 255, 255));
  HDC dc = GetDC(h);
  RECT r{2, 2, 10, 10};
  InvertRect(dc, &r);
  ReleaseDC(h, dc);
  EXPECT_EQ(Pixel(h, 5, 5), RGB(0, 0, 0));
  EXPECT_EQ(Pixel(h, 12, 12), RGB(255, 255, 255));
  dc = GetDC(h);
  InvertRect(dc, &r);
  ReleaseDC(h, dc);
  EXPECT_EQ(Pixel(h, 5, 5), RGB(255, 255, 255));
  DestroyWindow(h);
}

// A DC whose painter another DC on the same surface ended draws its next
// text in its own colour again, not in a new painter's default pen.
TEST_F(GdiTest, TextKeepsItsColourAfterAnotherDcDrewOnTheSurface) {
  constexpr int kW = 120, kH = 40;
  constexpr COLORREF kGrey = RGB(128, 128, 128);
  HWND h = MakeTop(kW, kH);
  UpdateWindow(h);
  HDC a = GetDC(h);
  HDC b = GetDC(h);
  SetTextColor(a, kGrey);
  SetBkColor(a, RGB(255, 255, 255));
  TextOut(a, 2, 2, "MMMM", 4);
  RECT r{100, 30, 110, 38};
  FillRect(b, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  TextOut(a, 50, 2, "MMMM", 4);
  ReleaseDC(h, b);
  ReleaseDC(h, a);
  int grey = 0, black = 0;
  for (int y = 2; y < 20; ++y) {
    for (int x = 50; x < 95; ++x) {
      COLORREF c = Pixel(h, x, y);
      grey += c == kGrey;
      black += c == RGB(0, 0, 0);
    }
  }
  EXPECT_GT(grey, 0);
  EXPECT_EQ(black, 0);
  DestroyWindow(h);
}

TEST_F(GdiTest, PaintingHappensForTheUpdateRegionOnly) {
  static RECT painted;
  struct Proc {
    static LRESULT CALLBACK Fn(HWND h, UINT m, WPARAM w, LPARAM l) {
      if (m == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        painted = ps.rcPaint;
        RECT all{0, 0, 100, 100};
        HBRUSH b = CreateSolidBrush(RGB(0, 0, 255));
        FillRect(dc, &all, b);  // clipped to the update region
        DeleteObject(b);
        EndPaint(h, &ps);
        return 0;
      }
      return DefWindowProc(h, m, w, l);
    }
  };
  HWND h = MakeTop(40, 30, WS_POPUP | WS_VISIBLE);
  UpdateWindow(h);
  SetWindowLongPtr(h, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc::Fn));
  RECT r{5, 5, 10, 10};
  InvalidateRect(h, &r, FALSE);
  UpdateWindow(h);
  EXPECT_EQ(painted.left, 5);
  EXPECT_EQ(painted.bottom, 10);
  EXPECT_EQ(Pixel(h, 6, 6), RGB(0, 0, 255));
  EXPECT_EQ(Pixel(h, 20, 20), RGB(255, 255, 255));
  RECT upd;
  EXPECT_FALSE(GetUpdateRect(h, &upd, FALSE));
  DestroyWindow(h);
}

// A window already waiting to repaint all of its client area: a part, and
// the whole again asking for the background, leave the whole to paint, its
// background erased first.
TEST_F(GdiTest, InvalidatingAWaitingWindowAgainKeepsTheWholeAndTheEraseRequest) {
  static RECT painted;
  static BOOL erased;
  struct Proc {
    static LRESULT CALLBACK Fn(HWND h, UINT m, WPARAM w, LPARAM l) {
      if (m == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        painted = ps.rcPaint;
        EndPaint(h, &ps);
        return 0;
      }
      if (m == WM_ERASEBKGND) erased = TRUE;
      return DefWindowProc(h, m, w, l);
    }
  };
  constexpr int kWidth = 40, kHeight = 30;
  constexpr RECT kPart{5, 5, 10, 10};
  HWND h = MakeTop(kWidth, kHeight, WS_POPUP | WS_VISIBLE);
  UpdateWindow(h);
  SetWindowLongPtr(h, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc::Fn));
  InvalidateRect(h, nullptr, FALSE);
  InvalidateRect(h, &kPart, FALSE);
  InvalidateRect(h, nullptr, TRUE);
  RECT update;
  ASSERT_TRUE(GetUpdateRect(h, &update, FALSE));
  EXPECT_EQ(update.right - update.left, kWidth);
  EXPECT_EQ(update.bottom - update.top, kHeight);
  painted = {};
  erased = FALSE;
  UpdateWindow(h);
  EXPECT_EQ(painted.right - painted.left, kWidth);
  EXPECT_EQ(painted.bottom - painted.top, kHeight);
  EXPECT_TRUE(erased);
  DestroyWindow(h);
}

TEST_F(GdiTest, ScrollWindowMovesPixelsAndInvalidatesTheUncoveredBand) {
  HWND h = MakeTop(40, 30);
  UpdateWindow(h);
  HDC dc = GetDC(h);
  SetPixel(dc, 5, 20, RGB(255, 0, 0));
  ReleaseDC(h, dc);
  ScrollWindow(h, 0, -10, nullptr, nullptr);
  EXPECT_EQ(Pixel(h, 5, 10), RGB(255, 0, 0));
  RECT upd;
  ASSERT_TRUE(GetUpdateRect(h, &upd, FALSE));
  EXPECT_EQ(upd.top, 20);
  EXPECT_EQ(upd.bottom, 30);
  DestroyWindow(h);
}

// Every pixel of the moved part shows what stood at its source, pixels
// outside the scrolled rectangle stay, and exactly the uncovered part is
// left to paint, for each direction (rows moved in the wrong order smear).
TEST_F(GdiTest, ScrollWindowExMovesEveryPixelOfTheRectangleInEachDirection) {
  constexpr int kWidth = 40;
  constexpr int kHeight = 30;
  constexpr RECT kScroll{8, 6, 32, 24};
  auto original = [](int x, int y) { return RGB(x * 6, y * 8, 0x80); };
  const struct {
    const char* name;
    int dx;
    int dy;
  } kMoves[] = {{"up", 0, -7}, {"down", 0, 7}, {"left", -5, 0}, {"right", 5, 0}, {"diagonal", 3, -4}};
  for (const auto& move : kMoves) {
    SCOPED_TRACE(move.name);
    HWND h = MakeTop(kWidth, kHeight);
    UpdateWindow(h);
    HDC dc = GetDC(h);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) SetPixel(dc, x, y, original(x, y));
    }
    ReleaseDC(h, dc);
    ScrollWindowEx(h, move.dx, move.dy, &kScroll, nullptr, nullptr, nullptr, SW_INVALIDATE);
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(h, update, FALSE);
    auto inside = [&](int x, int y) {
      return x >= kScroll.left && x < kScroll.right && y >= kScroll.top && y < kScroll.bottom;
    };
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        bool moved = inside(x, y) && inside(x - move.dx, y - move.dy);
        bool uncovered = inside(x, y) && !moved;
        ASSERT_EQ(PtInRegion(update, x, y) != FALSE, uncovered) << x << "," << y;
        if (moved) {
          ASSERT_EQ(Pixel(h, x, y), original(x - move.dx, y - move.dy)) << x << "," << y;
        } else if (!uncovered) {
          ASSERT_EQ(Pixel(h, x, y), original(x, y)) << x << "," << y;
        }
      }
    }
    DeleteObject(update);
    DestroyWindow(h);
  }
}

TEST_F(GdiTest, CaretIsShownInvertedAndHiddenAgain) {
  HWND h = MakeTop(40, 30);
  UpdateWindow(h);
  SetCaretBlinkTime(INFINITE);
  ASSERT_TRUE(CreateCaret(h, nullptr, 2, 10));
  SetCaretPos(4, 3);
  EXPECT_EQ(Pixel(h, 4, 3), RGB(255, 255, 255));  // created hidden
  ShowCaret(h);
  EXPECT_EQ(Pixel(h, 4, 3), RGB(0, 0, 0));
  EXPECT_EQ(Pixel(h, 5, 12), RGB(0, 0, 0));
  EXPECT_EQ(Pixel(h, 6, 3), RGB(255, 255, 255));
  SetCaretPos(20, 3);
  EXPECT_EQ(Pixel(h, 4, 3), RGB(255, 255, 255));
  EXPECT_EQ(Pixel(h, 20, 3), RGB(0, 0, 0));
  HideCaret(h);
  EXPECT_EQ(Pixel(h, 20, 3), RGB(255, 255, 255));
  DestroyCaret();
  SetCaretBlinkTime(530);
  DestroyWindow(h);
}

// A window not shown leaves its frame unpainted and paints it, with the
// scroll state set meanwhile, once it shows.
TEST_F(GdiTest, HiddenWindowPaintsItsScrollBarWhenShown) {
  constexpr int kWidth = 100, kHeight = 80;
  constexpr COLORREF kUnpainted = RGB(255, 255, 255);
  HWND top = MakeTop(200, 120, WS_POPUP);
  HWND child = CreateWindowEx(0, "UiTestPlain", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, kWidth, kHeight,
                              top, nullptr, nullptr, nullptr);
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 99, 20, 30, 0};
  SetScrollInfo(child, SB_VERT, &si, TRUE);
  const int barX = kWidth - GetSystemMetrics(SM_CXVSCROLL) / 2;
  auto barPainted = [&] {
    for (int y = 0; y < kHeight; ++y)
      if (Pixel(child, barX, y) != kUnpainted) return true;
    return false;
  };
  EXPECT_FALSE(barPainted());
  ShowWindow(top, SW_SHOW);
  PumpWaitingMessages();
  EXPECT_TRUE(barPainted());
  SCROLLINFO got{sizeof got, SIF_POS};
  GetScrollInfo(child, SB_VERT, &got);
  EXPECT_EQ(got.nPos, si.nPos);
  DestroyWindow(top);
}

TEST_F(GdiTest, ComposedWindowPictureIsSaved) {
  HWND top = MakeTop(240, 160, WS_POPUP | WS_VISIBLE | WS_BORDER);
  HWND child =
      CreateWindowEx(WS_EX_CLIENTEDGE, "UiTestPlain", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL,
                     120, 10, 100, 80, top, nullptr, nullptr, nullptr);
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 99, 20, 30, 0};
  SetScrollInfo(child, SB_VERT, &si, TRUE);
  SetScrollInfo(child, SB_HORZ, &si, TRUE);
  PumpWaitingMessages();
  HDC dc = GetDC(top);
  RECT r{10, 10, 60, 40};
  DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
  RECT b{70, 10, 110, 40};
  DrawFrameControl(dc, &b, DFC_BUTTON, DFCS_BUTTONPUSH);
  CDC::FromHandle(dc)->Draw3dRect(10, 50, 50, 30, RGB(255, 0, 0), RGB(0, 0, 255));
  HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 128, 0));
  RECT f{10, 90, 100, 150};
  FillRect(dc, &f, hatch);
  DeleteObject(hatch);
  SetBkMode(dc, TRANSPARENT);
  TextOut(dc, 120, 110, "Courier text", 12);
  RECT inv{120, 130, 200, 145};
  InvertRect(dc, &inv);
  ReleaseDC(top, dc);
  QImage pic = Picture(top);
  EXPECT_EQ(pic.width(), 240);
  std::string path = mirt_test::ProgramDir() + "/ui_composed_window.png";
  EXPECT_TRUE(pic.save(QString::fromStdString(path), "PNG"));
  DestroyWindow(top);
}

}  // namespace
