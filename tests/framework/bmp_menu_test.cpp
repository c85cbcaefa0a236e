// Bitmap menus: which items become owner-drawn, mnemonics and the answer to a
// menu character, measuring and drawing items into an image, items owned by
// other code, and the menus restored when the plug-in goes.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include "framework/sec_bmp_menu_plug_in.h"
#include "framework/sec_bmp_menu_rules.h"
#include "framework/sec_bmp_mgr.h"
#include "frames_fixture.h"
#include "platform/ui/cdc.h"
#include "platform/ui/menu.h"
#include "tests/support/test_support.h"
#include "ui_test_support.h"

namespace frames_test {
namespace {

TEST(BmpMenuRules, StringItemsOfOursBecomeOwnerDrawn) {
  constexpr UINT kCommand = 32790;
  constexpr UINT kSysClose = 0xF060;
  constexpr UINT kAboveSystem = 0xFF00;
  struct Case {
    UINT type;
    UINT id;
    SECMenuItemOwner owner;
    BOOL converts;
  };
  const Case cases[] = {
      {MFT_STRING, kCommand, SECMenuItemOwner::kOurs, TRUE},
      {MFT_STRING, kAboveSystem, SECMenuItemOwner::kOurs, TRUE},
      {MFT_STRING, kSysClose, SECMenuItemOwner::kOurs, FALSE},
      {MFT_SEPARATOR, 0, SECMenuItemOwner::kOurs, FALSE},
      {MFT_BITMAP, kCommand, SECMenuItemOwner::kOurs, FALSE},
      {MFT_OWNERDRAW, kCommand, SECMenuItemOwner::kOurs, FALSE},
      {MFT_STRING, kCommand, SECMenuItemOwner::kForeign, FALSE},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SECBmpMenuConverts(c.type, c.id, c.owner), c.converts) << c.type << "/" << c.id;
}

TEST(BmpMenuRules, MnemonicIsTheLoweredLetterAfterTheFirstSingleAmpersand) {
  struct Case {
    const char* text;
    int mnemonic;
  };
  const Case cases[] = {
      {"&File", 'f'},   {"Save &As...\tCtrl+S", 'a'}, {"A&&B", 0}, {"&&x &Y", 'y'}, {"none", 0},
      {"trailing&", 0}, {"\xC4&\xC4nderung", 0xE4}};
  for (const Case& c : cases) EXPECT_EQ(SECMenuMnemonic(c.text), c.mnemonic) << c.text;
}

TEST(BmpMenuRules, LabelAndAcceleratorSplitAtTheFirstTab) {
  const SECMenuLabel withKey = SECSplitMenuLabel("&Open...\tCtrl+O");
  EXPECT_STREQ(withKey.strLabel, "&Open...");
  EXPECT_STREQ(withKey.strAccel, "Ctrl+O");
  const SECMenuLabel plain = SECSplitMenuLabel("E&xit");
  EXPECT_STREQ(plain.strLabel, "E&xit");
  EXPECT_TRUE(plain.strAccel.IsEmpty());
}

TEST(BmpMenuRules, MenuCharExecutesOneMatchAndSelectsAmongSeveral) {
  constexpr LRESULT kExecute = 0x20000, kSelect = 0x30000;
  struct Case {
    std::vector<int> matches;
    int hilite;
    LRESULT result;
  };
  const Case cases[] = {
      {{}, -1, 0},
      {{3}, -1, kExecute | 3},
      {{3}, 5, kExecute | 3},
      {{1, 4}, -1, kSelect | 1},
      {{1, 4}, 1, kSelect | 4},
      {{1, 4}, 4, kSelect | 1},  // past the last match: back to the first
  };
  for (const Case& c : cases) EXPECT_EQ(SECBmpMenuCharResult(c.matches, c.hilite), c.result) << c.hilite;
}

TEST(BmpMenuRules, ItemIsAsHighAsTheMenuOrImageAndWiderThanItsText) {
  const CSize image(16, 15);
  constexpr int kMenuHeight = 18;
  EXPECT_EQ(SECBmpMenuItemSize(CSize(80, 13), image, kMenuHeight), CSize(80 + 16 + 30, 19));
  EXPECT_EQ(SECBmpMenuItemSize(CSize(80, 13), image, 25), CSize(126, 25));
  EXPECT_EQ(SECBmpMenuItemSize(CSize(80, 30), image, kMenuHeight), CSize(126, 30));
}

// A frame with bitmap menus and a popup of the sheet menu to show.
class BmpMenuTest : public WorkbookTest {
 protected:
  void SetUp() override {
    WorkbookTest::SetUp();
    plugIn = new SECBmpMenuPlugIn;
    book->SetPlugIn(plugIn);
    menu = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_FRAMES_SHEET));
    popup = ::GetSubMenu(menu, 0);  // "&New", "&Close"
    ::AppendMenu(popup, MF_STRING, ID_FRAMES_COMMAND, "&Test\tCtrl+T");
    ::AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
    ::AppendMenu(popup, MF_STRING, 0xF060, "System &Close");
  }
  void TearDown() override {
    book->SetPlugIn(nullptr);
    ::DestroyMenu(menu);
    WorkbookTest::TearDown();
  }
  void Open() { book->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(0, FALSE)); }
  MENUITEMINFO Item(int pos) {
    MENUITEMINFO mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_ID | MIIM_TYPE | MIIM_DATA;
    ::GetMenuItemInfo(popup, pos, TRUE, &mii);
    return mii;
  }
  SECBmpMenuPlugIn* plugIn = nullptr;
  HMENU menu = nullptr;
  HMENU popup = nullptr;
};

TEST_F(BmpMenuTest, OpeningAPopupConvertsItsStringItemsOnly) {
  Open();
  EXPECT_EQ(plugIn->GetConvertedCount(popup), 3);
  const bool drawn[] = {true, true, true, false, false};  // New, Close, Test, separator, system
  for (int i = 0; i < 5; ++i) EXPECT_EQ((Item(i).fType & MFT_OWNERDRAW) != 0, drawn[i]) << i;
  // Opening it again converts nothing twice.
  Open();
  EXPECT_EQ(plugIn->GetConvertedCount(popup), 3);
  // The system menu is left alone.
  book->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(0, TRUE));
  EXPECT_EQ(plugIn->GetConvertedCount(popup), 3);
}

TEST_F(BmpMenuTest, ItemsOwnerDrawnByOthersAreNeverTakenOver) {
  constexpr UINT kOtherId = 32800;
  constexpr ULONG_PTR kOtherData = 0x1234;
  ::AppendMenu(popup, MF_OWNERDRAW, kOtherId, reinterpret_cast<LPCSTR>(kOtherData));
  Open();
  EXPECT_TRUE(plugIn->IsForeignItem(kOtherId));
  MEASUREITEMSTRUCT mis{ODT_MENU, 0, kOtherId, 0, 0, kOtherData};
  book->SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
  EXPECT_EQ(mis.itemWidth, 0u);
  Open();
  EXPECT_TRUE(plugIn->IsForeignItem(kOtherId));
  EXPECT_EQ(plugIn->GetConvertedCount(popup), 3);
}

TEST_F(BmpMenuTest, MenuCharExecutesOrSelectsByMnemonic) {
  ::AppendMenu(popup, MF_STRING, ID_FRAMES_COMMAND + 1, "&Tile");
  Open();
  // "n" is New's alone; "t" is Test's and Tile's.
  EXPECT_EQ(book->SendMessage(WM_MENUCHAR, MAKEWPARAM('N', MF_POPUP), reinterpret_cast<LPARAM>(popup)),
            0x20000);
  EXPECT_EQ(book->SendMessage(WM_MENUCHAR, MAKEWPARAM('t', MF_POPUP), reinterpret_cast<LPARAM>(popup)),
            0x30002);
  EXPECT_EQ(book->SendMessage(WM_MENUCHAR, MAKEWPARAM('z', MF_POPUP), reinterpret_cast<LPARAM>(popup)), 0);
}

TEST_F(BmpMenuTest, ItemsAreMeasuredAndDrawnWithTheAcceleratorRightAligned) {
  Open();
  const MENUITEMINFO test = Item(2);
  MEASUREITEMSTRUCT mis{ODT_MENU, 0, test.wID, 0, 0, test.dwItemData};
  EXPECT_EQ(book->SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)), TRUE);
  EXPECT_GT(static_cast<int>(mis.itemWidth), 30 + 16);
  EXPECT_GE(static_cast<int>(mis.itemHeight), ::GetSystemMetrics(SM_CYMENU));

  constexpr int kWidth = 220;
  const int height = static_cast<int>(mis.itemHeight);
  CClientDC screen(book);
  CDC memory;
  memory.CreateCompatibleDC(&screen);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&screen, kWidth, 2 * height);
  CBitmap* old = memory.SelectObject(&bitmap);
  for (int row = 0; row < 2; ++row) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = test.wID;
    dis.itemState = row == 0 ? 0 : ODS_SELECTED;
    dis.hwndItem = reinterpret_cast<HWND>(popup);
    dis.hDC = memory.GetSafeHdc();
    dis.rcItem = CRect(0, row * height, kWidth, (row + 1) * height);
    dis.itemData = test.dwItemData;
    book->SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  }
  QImage image(kWidth, 2 * height, QImage::Format_RGB32);
  for (int y = 0; y < 2 * height; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const COLORREF c = memory.GetPixel(x, y);
      image.setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
    }
  memory.SelectObject(old);
  const QString dir = QString::fromStdString(mirt_test::ProgramDir()) + "/pictures";
  QDir().mkpath(dir);
  image.save(dir + "/frames_bitmap_menu.png");

  const auto at = [&](int x, int y) {
    const QRgb p = image.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
  };
  // Plain row on the menu colour, selected row on the highlight.
  EXPECT_EQ(at(kWidth - 2, height / 2), ::GetSysColor(COLOR_MENU));
  EXPECT_EQ(at(kWidth - 2, height + height / 2), ::GetSysColor(COLOR_HIGHLIGHT));
  // The accelerator's text ends before the 23-pixel gap on the right.
  int lastText = -1;
  for (int x = 0; x < kWidth; ++x)
    for (int y = 0; y < height; ++y)
      if (at(x, y) == ::GetSysColor(COLOR_MENUTEXT)) lastText = x;
  EXPECT_GT(lastText, kWidth / 2);
  EXPECT_LT(lastText, kWidth - 23);
}

TEST_F(BmpMenuTest, MenusShowTheirTextsAgainWhenThePlugInGoes) {
  Open();
  book->SetPlugIn(nullptr);
  const char* const texts[] = {"&New", "&Close", "&Test\tCtrl+T"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Item(i).fType & MFT_OWNERDRAW, 0u) << i;
    char text[64] = {};
    ::GetMenuString(popup, i, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, texts[i]);
  }
}

TEST_F(BmpMenuTest, CleanUpForgetsMenusThatAreGone) {
  HMENU other = ::CreatePopupMenu();
  ::AppendMenu(other, MF_STRING, ID_FRAMES_COMMAND, "&Gone");
  book->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(other), 0);
  EXPECT_EQ(plugIn->GetConvertedCount(other), 1);
  ::DestroyMenu(other);
  plugIn->CleanUp();
  EXPECT_EQ(plugIn->GetConvertedCount(other), 0);
}

// The image column: the store's image as it is, embossed when disabled, on
// a dithered background when checked; with own check bitmaps a checked radio
// item without an image shows the radio dot.
TEST_F(BmpMenuTest, ToolBarImagesAreDrawnInTheImageColumn) {
  book->SetPlugIn(plugIn = new SECBmpMenuPlugIn(TRUE));
  SECBmpMgr* store = new SECBmpMgr;
  ASSERT_TRUE(store->AddToolBar(MAKEINTRESOURCE(IDR_FRAMES_TOOLS)));
  plugIn->SetBmpMgr(store);
  store->Release();  // the plug-in holds its own reference
  ASSERT_EQ(plugIn->GetBmpMgr(), store);
  EXPECT_TRUE(store->IsKeepBoth());
  constexpr int kNewPos = 0, kTestPos = 2;  // images 0 (New) and 1 (Test)
  constexpr UINT kTilePos = 5;              // no image
  ::AppendMenu(popup, MF_STRING, ID_FRAMES_COMMAND + 1, "&Tile");
  MENUITEMINFO radio{};
  radio.cbSize = sizeof(radio);
  radio.fMask = MIIM_TYPE;
  radio.fType = MFT_STRING | MFT_RADIOCHECK;
  radio.dwTypeData = const_cast<LPSTR>("&Tile");
  ::SetMenuItemInfo(popup, kTilePos, TRUE, &radio);
  Open();
  // Rows: legend of a row: item position, its state.
  struct Row {
    int pos;
    UINT state;
  };
  const Row rows[] = {{kNewPos, 0}, {kTestPos, ODS_GRAYED}, {kTestPos, ODS_CHECKED}, {kTilePos, ODS_CHECKED}};
  constexpr int kWidth = 180;
  const int height = std::max(::GetSystemMetrics(SM_CYMENU), 15 + 4);
  CClientDC screen(book);
  CDC memory;
  memory.CreateCompatibleDC(&screen);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&screen, kWidth, static_cast<int>(std::size(rows)) * height);
  CBitmap* old = memory.SelectObject(&bitmap);
  for (size_t r = 0; r < std::size(rows); ++r) {
    const MENUITEMINFO item = Item(rows[r].pos);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = item.wID;
    dis.itemState = rows[r].state;
    dis.hwndItem = reinterpret_cast<HWND>(popup);
    dis.hDC = memory.GetSafeHdc();
    dis.rcItem = CRect(0, static_cast<int>(r) * height, kWidth, static_cast<int>(r + 1) * height);
    dis.itemData = item.dwItemData;
    book->SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  }
  // The strip as loaded, to compare with.
  HBITMAP strip = nullptr;
  int index = -1;
  ASSERT_TRUE(store->GetImage(ID_FILE_NEW, strip, index, TRUE));
  CDC stripDC;
  stripDC.CreateCompatibleDC(&screen);
  HGDIOBJ oldStrip = stripDC.SelectObject(strip);
  // The image sits 3 pixels in (item edge, box edge, box border) and is centred in its box.
  constexpr int kImageX = 3;
  const int imageY = (height - (15 + 4)) / 2 + 2;
  const CSize image(16, 15);
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE), hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT),
                 shadow = ::GetSysColor(COLOR_BTNSHADOW), menuColour = ::GetSysColor(COLOR_MENU);
  int same = 0, embossedOther = 0, shadowed = 0, dithered = 0;
  for (int y = 0; y < image.cy; ++y)
    for (int x = 0; x < image.cx; ++x) {
      const COLORREF newPixel = stripDC.GetPixel(x, y);
      const COLORREF testPixel = stripDC.GetPixel(image.cx + x, y);
      same += memory.GetPixel(kImageX + x, imageY + y) == newPixel;
      const COLORREF disabled = memory.GetPixel(kImageX + x, height + imageY + y);
      embossedOther += disabled != menuColour && disabled != hilite && disabled != shadow;
      shadowed += disabled == shadow;
      const COLORREF checked = memory.GetPixel(kImageX + x, 2 * height + imageY + y);
      if (testPixel == face) dithered += checked == hilite;
    }
  EXPECT_EQ(same, image.cx * image.cy);  // enabled: the image itself
  EXPECT_EQ(embossedOther, 0);           // disabled: only the emboss colours
  EXPECT_GT(shadowed, 0);
  EXPECT_GT(dithered, 0);  // checked: its background dithered with the highlight
  // The radio dot: 2 + 4 + 4 + 4 + 2 pixels in the menu text colour, where the image goes.
  constexpr int kDotPixels = 16;
  int dot = 0;
  for (int y = 0; y < image.cy; ++y)
    for (int x = 0; x < image.cx; ++x)
      dot += memory.GetPixel(kImageX + x, 3 * height + imageY + y) == ::GetSysColor(COLOR_MENUTEXT);
  EXPECT_EQ(dot, kDotPixels);
  stripDC.SelectObject(oldStrip);
  QImage picture(kWidth, static_cast<int>(std::size(rows)) * height, QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < kWidth; ++x) {
      const COLORREF c = memory.GetPixel(x, y);
      picture.setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
    }
  memory.SelectObject(old);
  const QString dir = QString::fromStdString(mirt_test::ProgramDir()) + "/pictures";
  QDir().mkpath(dir);
  picture.save(dir + "/frames_bitmap_menu_images.png");
}

}  // namespace
}  // namespace frames_test
