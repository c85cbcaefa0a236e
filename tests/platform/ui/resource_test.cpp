// Resources compiled from this program's own script (res/test.rc).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/ui/cdc.h"
#include "platform/ui/cwnd.h"
#include "platform/ui/dib.h"
#include "res/test_res.h"
#include "ui_test_support.h"

using namespace ui_test;

namespace {

class ResourceTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureApp(); }
};

TEST_F(ResourceTest, StringsLoadAsWindows1252AndTruncateToTheBuffer) {
  char buf[64];
  EXPECT_EQ(LoadString(nullptr, IDS_HELLO, buf, sizeof buf), 11);
  EXPECT_STREQ(buf, "Hello, caf\xe9");
  EXPECT_EQ(LoadString(nullptr, IDS_SECOND, buf, sizeof buf), 6);
  EXPECT_EQ(LoadString(nullptr, IDS_HELLO, buf, 6), 5);
  EXPECT_STREQ(buf, "Hello");
  EXPECT_EQ(LoadString(nullptr, 999, buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "");
  CString s;
  EXPECT_TRUE(s.LoadString(IDS_SECOND));
  EXPECT_EQ(s, CString("Second"));
}

TEST_F(ResourceTest, MenuTemplateBecomesATree) {
  std::vector<MenuTemplateItem> menu;
  ASSERT_TRUE(LoadMenuTemplate(nullptr, MAKEINTRESOURCE(IDR_MAIN), &menu));
  ASSERT_EQ(menu.size(), 2u);
  EXPECT_EQ(menu[0].text, "&File");
  EXPECT_TRUE(menu[0].flags & MF_POPUP);
  ASSERT_EQ(menu[0].items.size(), 3u);
  EXPECT_EQ(menu[0].items[0].text, "&Open...\tCtrl+O");
  EXPECT_EQ(menu[0].items[0].id, static_cast<UINT>(ID_OPEN));
  EXPECT_TRUE(menu[0].items[1].flags & MF_SEPARATOR);
  EXPECT_TRUE(menu[0].items[2].flags & MF_GRAYED);
  EXPECT_EQ(menu[1].id, static_cast<UINT>(ID_HELP_TOPIC));
  EXPECT_TRUE(menu[1].flags & MF_CHECKED);
}

TEST_F(ResourceTest, AcceleratorsTranslateKeysIntoCommands) {
  static std::vector<UINT> commands;
  struct Proc {
    static LRESULT CALLBACK Fn(HWND h, UINT m, WPARAM w, LPARAM l) {
      if (m == WM_COMMAND) commands.push_back(LOWORD(w) | (HIWORD(w) << 16));
      return DefWindowProc(h, m, w, l);
    }
  };
  HACCEL acc = LoadAccelerators(nullptr, MAKEINTRESOURCE(IDR_MAIN));
  ASSERT_NE(acc, nullptr);
  EXPECT_EQ(CopyAcceleratorTable(acc, nullptr, 0), 4);
  HWND h = MakeTop(20, 20, WS_POPUP | WS_VISIBLE, &Proc::Fn);
  SetFocus(h);
  PumpWaitingMessages();
  struct Case {
    int qtKey, mods;
    const char* text;
    int want;
  } cases[] = {{Qt::Key_O, Qt::ControlModifier, "\x0f", ID_OPEN},
               {Qt::Key_O, 0, "o", 0},
               {Qt::Key_F1, 0, "", ID_HELP_TOPIC},
               // F10 comes as a system key, but without Alt.
               {Qt::Key_F10, 0, "", ID_STEP_KEY},
               {Qt::Key_X, 0, "x", ID_EXIT}};
  for (const Case& c : cases) {
    commands.clear();
    if (c.mods & Qt::ControlModifier) Key(h, true, Qt::Key_Control, Qt::ControlModifier, "");
    Key(h, true, c.qtKey, c.mods, c.text);
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (TranslateAccelerator(h, acc, &m)) continue;
      TranslateMessage(&m);
      DispatchMessage(&m);
    }
    Key(h, false, c.qtKey, 0, "");
    if (c.mods & Qt::ControlModifier) Key(h, false, Qt::Key_Control, 0, "");
    PumpWaitingMessages();
    if (c.want) {
      ASSERT_EQ(commands.size(), 1u) << c.text;
      EXPECT_EQ(commands[0], static_cast<UINT>(c.want | (1 << 16))) << c.text;
    } else {
      EXPECT_TRUE(commands.empty()) << c.text;
    }
  }
  DestroyAcceleratorTable(acc);
  DestroyWindow(h);
}

TEST_F(ResourceTest, ADisabledWindowTakesNoCommandsFromItsAccelerators) {
  static int commands = 0;
  struct Proc {
    static LRESULT CALLBACK Fn(HWND h, UINT m, WPARAM w, LPARAM l) {
      if (m == WM_COMMAND) ++commands;
      return DefWindowProc(h, m, w, l);
    }
  };
  HACCEL acc = LoadAccelerators(nullptr, MAKEINTRESOURCE(IDR_MAIN));
  ASSERT_NE(acc, nullptr);
  HWND h = MakeTop(20, 20, WS_POPUP | WS_VISIBLE, &Proc::Fn);
  MSG f1{h, WM_KEYDOWN, VK_F1, 0, 0, {0, 0}, 0};  // ID_HELP_TOPIC
  EnableWindow(h, FALSE);
  EXPECT_EQ(TranslateAccelerator(h, acc, &f1), 0);
  EXPECT_EQ(commands, 0);
  EnableWindow(h, TRUE);
  EXPECT_NE(TranslateAccelerator(h, acc, &f1), 0);
  EXPECT_EQ(commands, 1);
  DestroyAcceleratorTable(acc);
  DestroyWindow(h);
}

TEST_F(ResourceTest, PaletteBitmapLoadsWithItsColours) {
  CBitmap bm;
  ASSERT_TRUE(bm.LoadBitmap(IDB_PALETTE));
  BITMAP info;
  bm.GetBitmap(&info);
  EXPECT_EQ(info.bmWidth, 4);
  EXPECT_EQ(info.bmHeight, 2);
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap* old = dc.SelectObject(&bm);
  EXPECT_EQ(dc.GetPixel(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(dc.GetPixel(2, 0), RGB(255, 0, 0));
  EXPECT_EQ(dc.GetPixel(0, 1), RGB(192, 192, 192));
  dc.SelectObject(old);
  HBITMAP mapped = static_cast<HBITMAP>(
      LoadImage(nullptr, MAKEINTRESOURCE(IDB_PALETTE), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
  ASSERT_NE(mapped, nullptr);
  DeleteObject(mapped);
}

// A one-pixel 32-bit bit-field bitmap whose header is `headerSize` bytes;
// the red, green and blue masks sit at offset 40 (inside longer headers or
// right after the 40-byte one), then the pixel.
std::vector<unsigned char> BitFieldDib(uint32_t headerSize, uint32_t pixel) {
  std::vector<unsigned char> d(std::max<uint32_t>(headerSize, 40 + 12) + 4, 0);
  auto put = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) d[at + i] = static_cast<unsigned char>(v >> (8 * i));
  };
  put(0, headerSize);
  put(4, 1);            // width
  put(8, 1);            // height
  d[12] = 1;            // planes
  d[14] = 32;           // bits per pixel
  put(16, 3);           // bit fields
  put(40, 0x000000FF);  // red in the low byte
  put(44, 0x0000FF00);
  put(48, 0x00FF0000);
  put(d.size() - 4, pixel);
  return d;
}

TEST_F(ResourceTest, BitFieldMasksAreReadOnlyFromHeadersThatHoldThem) {
  constexpr uint32_t kPixel = 0x00302010;  // blue 0x30, green 0x20, red 0x10
  struct Case {
    uint32_t headerSize;
    bool decodes;
  } const kCases[] = {{40, true}, {56, true}, {108, true}, {42, false}, {51, false}};
  for (const Case& c : kCases) {
    std::vector<unsigned char> d = BitFieldDib(c.headerSize, kPixel);
    if (c.headerSize > 40 && c.headerSize < 52) d.resize(c.headerSize + 4);  // no room for masks
    mirt_ui::DibImage img;
    ASSERT_EQ(mirt_ui::DecodeDib(d.data(), d.size(), &img), c.decodes) << c.headerSize;
    if (c.decodes) EXPECT_EQ(img.image.pixel(0, 0), qRgb(0x10, 0x20, 0x30)) << c.headerSize;
  }
}

TEST_F(ResourceTest, IconAndCursorKeepTheirMasksAndHotSpot) {
  HINSTANCE self = AfxGetResourceHandle();  // NULL would name the system icons
  HICON icon = LoadIcon(self, MAKEINTRESOURCE(IDI_RED));
  ASSERT_NE(icon, nullptr);
  HCURSOR cursor = LoadCursor(self, MAKEINTRESOURCE(IDC_POINTER));
  ASSERT_NE(cursor, nullptr);
  ICONINFO ii;
  ASSERT_TRUE(GetIconInfo(cursor, &ii));
  EXPECT_EQ(ii.xHotspot, 3u);
  EXPECT_EQ(ii.yHotspot, 5u);
  DeleteObject(ii.hbmMask);
  DeleteObject(ii.hbmColor);
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap bm;
  bm.CreateBitmap(16, 16, 1, 32, nullptr);
  CBitmap* old = dc.SelectObject(&bm);
  dc.FillSolidRect(0, 0, 16, 16, RGB(0, 255, 0));
  dc.DrawIcon(0, 0, icon);
  EXPECT_EQ(dc.GetPixel(2, 2), RGB(255, 0, 0));
  EXPECT_EQ(dc.GetPixel(12, 2), RGB(0, 255, 0));  // transparent half
  dc.SelectObject(old);
  EXPECT_NE(LoadCursor(nullptr, IDC_ARROW), nullptr);
  EXPECT_NE(LoadIcon(nullptr, IDI_EXCLAMATION), nullptr);
}

TEST_F(ResourceTest, DialogTemplatesOfBothFormsParse) {
  DialogTemplate plain;
  ASSERT_TRUE(LoadDialogTemplate(nullptr, MAKEINTRESOURCE(IDD_PLAIN), &plain));
  EXPECT_FALSE(plain.extended);
  EXPECT_EQ(plain.caption, "Plain dialog");
  EXPECT_EQ(plain.x, 10);
  EXPECT_EQ(plain.cx, 200);
  EXPECT_EQ(plain.pointSize, 8);
  EXPECT_EQ(plain.faceName, "MS Sans Serif");
  ASSERT_EQ(plain.items.size(), 3u);
  EXPECT_EQ(plain.items[0].className, "STATIC");
  EXPECT_EQ(plain.items[0].text, "Name:");
  EXPECT_EQ(plain.items[1].className, "EDIT");
  EXPECT_EQ(plain.items[1].id, static_cast<DWORD>(IDC_NAME));
  EXPECT_EQ(plain.items[2].className, "BUTTON");
  EXPECT_EQ(plain.items[2].style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));

  DialogTemplate ex;
  ASSERT_TRUE(LoadDialogTemplate(nullptr, MAKEINTRESOURCE(IDD_EXTENDED), &ex));
  EXPECT_TRUE(ex.extended);
  EXPECT_EQ(ex.exStyle & WS_EX_TOOLWINDOW, static_cast<DWORD>(WS_EX_TOOLWINDOW));
  EXPECT_EQ(ex.weight, 700);
  EXPECT_EQ(ex.italic, 1);
  ASSERT_EQ(ex.items.size(), 2u);
  EXPECT_EQ(ex.items[0].className, "Button");
  EXPECT_EQ(ex.items[1].className, "COMBOBOX");
}

TEST_F(ResourceTest, RawAndToolBarResourcesKeepTheirBytes) {
  HRSRC r = FindResource(nullptr, MAKEINTRESOURCE(IDR_DATA), RT_RCDATA);
  ASSERT_NE(r, nullptr);
  ASSERT_EQ(SizeofResource(nullptr, r), 5u);
  const auto* p = static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, r)));
  EXPECT_EQ(memcmp(p, "raw\x01\x02", 5), 0);
  HRSRC tb = FindResource(nullptr, MAKEINTRESOURCE(IDR_TOOLBAR), RT_TOOLBAR);
  ASSERT_NE(tb, nullptr);
  const auto* w = static_cast<const WORD*>(LockResource(LoadResource(nullptr, tb)));
  EXPECT_EQ(w[1], 16);
  EXPECT_EQ(w[4], ID_OPEN);
  EXPECT_EQ(FindResource(nullptr, MAKEINTRESOURCE(IDR_DATA), RT_BITMAP), nullptr);
  // Another module's handle sees none of this program's resources.
  HINSTANCE other = mirt_ui::ModuleHandleOf(reinterpret_cast<const void*>(&LoadString));
  EXPECT_EQ(FindResource(other, MAKEINTRESOURCE(IDR_DATA), RT_RCDATA), nullptr);
}

}  // namespace
