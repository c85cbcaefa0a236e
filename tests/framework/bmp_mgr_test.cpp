// The tool bar resource reader, the colour-mapping bitmap loader and the
// bitmap manager: registration, modes and stretched large strips.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "framework/sec_bmp_mgr.h"
#include "framework/sec_bmp_mgr_loader.h"
#include "platform/ui/ui.h"
#include "ui_test_support.h"

namespace {

// Resources of res/toolbars.rc.
constexpr UINT kSmallBar = 200;
constexpr UINT kMoreBar = 201;
constexpr UINT kLargeBar = 210;
constexpr UINT kCutShortBar = 220;
constexpr UINT kMissingBar = 299;
constexpr UINT kIdNew = 100, kIdOpen = 101, kIdSave = 102, kIdPrint = 103;
// Colours the strips fill their images with (after the grey marks of row 0).
constexpr COLORREF kImageColors[] = {RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 255, 0)};
constexpr COLORREF kMoreColors[] = {RGB(0, 255, 0), RGB(255, 255, 0)};

std::vector<BYTE> Words(std::initializer_list<WORD> words) {
  std::vector<BYTE> out;
  for (WORD w : words) {
    out.push_back(static_cast<BYTE>(w));
    out.push_back(static_cast<BYTE>(w >> 8));
  }
  return out;
}

// A packed DIB: header, table of `table` entries, rows of `fill`.
std::vector<BYTE> Dib(int cx, int cy, WORD bpp, DWORD clrUsed, const std::vector<DWORD>& table, BYTE fill,
                      DWORD compression = BI_RGB) {
  BITMAPINFOHEADER h{};
  h.biSize = sizeof h;
  h.biWidth = cx;
  h.biHeight = cy;
  h.biPlanes = 1;
  h.biBitCount = bpp;
  h.biCompression = compression;
  h.biClrUsed = clrUsed;
  std::vector<BYTE> out(sizeof h);
  std::memcpy(out.data(), &h, sizeof h);
  for (DWORD c : table)
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<BYTE>(c >> (8 * i)));
  const size_t stride = ((static_cast<size_t>(cx) * bpp + 31) / 32) * 4;
  out.insert(out.end(), stride * (cy < 0 ? -cy : cy), fill);
  return out;
}

COLORREF BitmapPixel(HBITMAP bitmap, int x, int y) {
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  COLORREF c = ::GetPixel(dc, x, y);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  return c;
}

CSize BitmapSize(HBITMAP bitmap) {
  BITMAP bm{};
  ::GetObject(bitmap, sizeof bm, &bm);
  return CSize(bm.bmWidth, bm.bmHeight);
}

// A store whose deletion the test sees.
class WatchedBmpMgr : public SECBmpMgr {
 public:
  explicit WatchedBmpMgr(bool* deleted) : m_pDeleted(deleted) {}
  ~WatchedBmpMgr() override { *m_pDeleted = true; }
  bool* m_pDeleted;
};

class BmpMgrTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_test::EnsureApp();
    mgr = new SECBmpMgr;
  }
  void TearDown() override { mgr->Release(); }
  SECBmpMgr* mgr = nullptr;
};

}  // namespace

TEST(ToolBarResourceTest, ParsesRecordsAndRefusesShortOnes) {
  struct Case {
    const char* name;
    std::vector<BYTE> bytes;
    BOOL ok;
    std::vector<UINT> ids;
  };
  const Case cases[] = {
      {"ids with a separator", Words({1, 16, 15, 3, 7, 0, 9}), TRUE, {7, 0, 9}},
      {"no ids", Words({1, 16, 15, 0}), TRUE, {}},
      {"ids cut short", Words({1, 16, 15, 3, 7, 0}), FALSE, {}},
      {"header cut short", Words({1, 16, 15}), FALSE, {}},
      {"empty", {}, FALSE, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SECToolBarResource res;
    EXPECT_EQ(SECParseToolBarResource(c.bytes.data(), c.bytes.size(), &res), c.ok);
    if (!c.ok) continue;
    EXPECT_EQ(res.szImage, CSize(16, 15));
    EXPECT_EQ(res.ids, c.ids);
  }
}

TEST(DibLoaderTest, ChecksEveryPartAgainstTheLength) {
  constexpr BYTE kFill = 0x11;
  const std::vector<DWORD> kFour = {0, 0x808080, 0xC0C0C0, 0xFFFFFF};
  std::vector<DWORD> sixteen(16, 0);
  struct Case {
    const char* name;
    std::vector<BYTE> dib;
    BOOL ok;
    int tableEntries;
    BOOL mapped;
  };
  std::vector<BYTE> cut = Dib(8, 2, 4, 0, sixteen, kFill);
  cut.pop_back();
  std::vector<BYTE> bigHeader = Dib(8, 2, 4, 4, kFour, kFill);
  reinterpret_cast<BITMAPINFOHEADER*>(bigHeader.data())->biSize = 4096;
  const Case cases[] = {
      {"4 bits, full table", Dib(8, 2, 4, 0, sixteen, kFill), TRUE, 16, TRUE},
      {"4 bits, biClrUsed 4", Dib(8, 2, 4, 4, kFour, kFill), TRUE, 4, TRUE},
      {"biClrUsed above the bit count", Dib(8, 2, 1, 4, kFour, kFill), FALSE, 0, FALSE},
      {"24 bits: no table to map", Dib(4, 2, 24, 0, {}, kFill), TRUE, 0, FALSE},
      {"24 bits with an optional table", Dib(4, 2, 24, 4, kFour, kFill), TRUE, 4, FALSE},
      {"top-down rows", Dib(8, -2, 4, 4, kFour, kFill), TRUE, 4, TRUE},
      {"rows cut short", cut, FALSE, 0, FALSE},
      {"header larger than the resource", bigHeader, FALSE, 0, FALSE},
      {"table missing", Dib(8, 2, 8, 0, {}, kFill), FALSE, 0, FALSE},
      {"zero width", Dib(0, 2, 4, 4, kFour, kFill), FALSE, 0, FALSE},
      {"compressed", Dib(8, 2, 8, 4, kFour, kFill, 1), FALSE, 0, FALSE},
      {"bit count 3", Dib(8, 2, 3, 4, kFour, kFill), FALSE, 0, FALSE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SECDibLayout layout;
    ASSERT_EQ(SECParseDib(c.dib.data(), c.dib.size(), &layout), c.ok);
    if (!c.ok) continue;
    EXPECT_EQ(layout.nTableEntries, c.tableEntries);
    EXPECT_EQ(layout.bMapColors, c.mapped);
    EXPECT_EQ(layout.nBitsOffset, sizeof(BITMAPINFOHEADER) + 4u * c.tableEntries);
    EXPECT_EQ(layout.nBitsOffset + layout.nBitsSize, c.dib.size());
  }
}

TEST(DibLoaderTest, MapsTheFourGreysToTheSystemColours) {
  constexpr COLORREF kText = RGB(1, 2, 3), kShadow = RGB(4, 5, 6), kFace = RGB(7, 8, 9),
                     kHilite = RGB(10, 11, 12);
  constexpr DWORD kOther = 0x123456;
  constexpr DWORD kGreyWithReserved = 0x01808080;  // the whole entry must match
  const std::vector<BYTE> dib =
      Dib(4, 1, 8, 6, {0xFFFFFF, 0x808080, kOther, 0x000000, 0xC0C0C0, kGreyWithReserved}, 0);
  SECDibLayout layout;
  ASSERT_TRUE(SECParseDib(dib.data(), dib.size(), &layout));
  auto colors = [&](int n) {
    switch (n) {
      case COLOR_BTNTEXT:
        return kText;
      case COLOR_BTNSHADOW:
        return kShadow;
      case COLOR_BTNFACE:
        return kFace;
      case COLOR_BTNHIGHLIGHT:
        return kHilite;
    }
    return RGB(99, 99, 99);
  };
  const std::vector<BYTE> info = SECMapDibColors(dib.data(), layout, colors);
  ASSERT_EQ(info.size(), sizeof(BITMAPINFOHEADER) + 6 * 4);
  const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(info.data() + sizeof(BITMAPINFOHEADER));
  auto asRef = [](const RGBQUAD& q) { return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue); };
  EXPECT_EQ(asRef(table[0]), kHilite);
  EXPECT_EQ(asRef(table[1]), kShadow);
  EXPECT_EQ(asRef(table[2]), RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(asRef(table[3]), kText);
  EXPECT_EQ(asRef(table[4]), kFace);
  EXPECT_EQ(table[5].rgbReserved, 1);
  EXPECT_EQ(asRef(table[5]), RGB(0x80, 0x80, 0x80));
}

TEST(DibLoaderTest, LoadsASmallTableBitmap) {
  ui_test::EnsureApp();
  // Two entries (biClrUsed 2): index 0 dark grey, index 1 pure red; rows of 0xF0 are
  // four pixels of index 1 then four of index 0.
  constexpr BYTE kLeftRedRightGrey = 0xF0;
  const std::vector<BYTE> dib = Dib(8, 2, 1, 2, {0x808080, 0xFF0000}, kLeftRedRightGrey);
  CBitmap bitmap;
  ASSERT_TRUE(SECLoadSysColorBitmap(bitmap, dib.data(), dib.size()));
  EXPECT_EQ(BitmapSize(bitmap), CSize(8, 2));
  EXPECT_EQ(BitmapPixel(bitmap, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(BitmapPixel(bitmap, 7, 1), ::GetSysColor(COLOR_BTNSHADOW));
  const std::vector<BYTE> cut(dib.begin(), dib.end() - 1);
  EXPECT_FALSE(SECLoadSysColorBitmap(bitmap, cut.data(), cut.size()));
}

TEST_F(BmpMgrTest, FirstRegistrationOfAnIdWins) {
  ASSERT_TRUE(mgr->AddToolBar(MAKEINTRESOURCE(kSmallBar)));
  ASSERT_TRUE(mgr->AddToolBar(MAKEINTRESOURCE(kMoreBar)));
  struct Case {
    UINT id;
    int record;
    int index;
    COLORREF color;
  };
  const Case cases[] = {
      {kIdNew, 0, 0, kImageColors[0]},
      {kIdOpen, 0, 1, kImageColors[1]},
      {kIdSave, 0, 2, kImageColors[2]},
      {kIdPrint, 1, 1, kMoreColors[1]},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    HBITMAP strip = nullptr;
    int index = -1;
    ASSERT_TRUE(mgr->GetImage(c.id, strip, index, FALSE));
    EXPECT_EQ(strip, mgr->GetRecord(c.record).hSmall);
    EXPECT_EQ(index, c.index);
    EXPECT_EQ(BitmapPixel(strip, index * 16 + 8, 8), c.color);
  }
  HBITMAP strip = reinterpret_cast<HBITMAP>(1);
  int index = 7;
  EXPECT_FALSE(mgr->GetImage(999, strip, index, FALSE));
  EXPECT_EQ(strip, reinterpret_cast<HBITMAP>(1));
  EXPECT_EQ(index, 7);
}

TEST_F(BmpMgrTest, MissingOrShortResourcesFailAndKeepTheSizes) {
  EXPECT_FALSE(mgr->AddToolBar(MAKEINTRESOURCE(kMissingBar)));
  EXPECT_FALSE(mgr->AddToolBar(MAKEINTRESOURCE(kCutShortBar)));
  EXPECT_FALSE(mgr->AddToolBar(MAKEINTRESOURCE(kSmallBar), MAKEINTRESOURCE(kMissingBar)));
  EXPECT_EQ(mgr->GetRecordCount(), 0);
  EXPECT_EQ(mgr->GetSmallSize(), CSize(16, 15));
  EXPECT_EQ(mgr->GetLargeSize(), CSize(22, 24));
}

TEST_F(BmpMgrTest, LargeModeStretchesTheSmallStrip) {
  ASSERT_TRUE(mgr->AddToolBar(MAKEINTRESOURCE(kSmallBar)));
  const SECBmpRecord& rec = mgr->GetRecord(0);
  EXPECT_NE(rec.hSmall, nullptr);
  EXPECT_EQ(rec.hLarge, nullptr);
  mgr->SetSmallMode(FALSE);
  ASSERT_NE(rec.hLarge, nullptr);
  EXPECT_EQ(rec.hSmall, nullptr);  // large mode alone frees the small strips
  const CSize large = mgr->GetLargeSize();
  EXPECT_EQ(BitmapSize(rec.hLarge), CSize(large.cx * 3, large.cy));
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(BitmapPixel(rec.hLarge, i * large.cx + large.cx / 2, large.cy / 2), kImageColors[i]);
    EXPECT_EQ(BitmapPixel(rec.hLarge, i * large.cx + large.cx - 1, large.cy - 1), kImageColors[i]);
  }
  HBITMAP strip = nullptr;
  int index = -1;
  ASSERT_TRUE(mgr->GetImage(kIdOpen, strip, index, FALSE));
  EXPECT_EQ(strip, rec.hLarge);
  mgr->SetSmallMode(TRUE);
  EXPECT_NE(rec.hSmall, nullptr);
  EXPECT_EQ(rec.hLarge, nullptr);  // small mode alone frees the large strips
}

TEST_F(BmpMgrTest, KeepBothLeavesTheSmallStripsLoaded) {
  ASSERT_TRUE(mgr->AddToolBar(MAKEINTRESOURCE(kSmallBar)));
  mgr->SetKeepBoth(TRUE);
  mgr->SetSmallMode(FALSE);
  const SECBmpRecord& rec = mgr->GetRecord(0);
  EXPECT_NE(rec.hSmall, nullptr);
  EXPECT_NE(rec.hLarge, nullptr);
  HBITMAP strip = nullptr;
  int index = -1;
  ASSERT_TRUE(mgr->GetImage(kIdSave, strip, index, TRUE));
  EXPECT_EQ(strip, rec.hSmall);
  mgr->SetSmallMode(TRUE);
  EXPECT_NE(rec.hSmall, nullptr);
  EXPECT_NE(rec.hLarge, nullptr);
}

TEST_F(BmpMgrTest, ALargeResourceGivesTheLargeSizeAndStrip) {
  ASSERT_TRUE(mgr->AddToolBar(MAKEINTRESOURCE(kSmallBar), MAKEINTRESOURCE(kLargeBar)));
  EXPECT_EQ(mgr->GetLargeSize(), CSize(22, 24));
  mgr->SetSmallMode(FALSE);
  const SECBmpRecord& rec = mgr->GetRecord(0);
  ASSERT_NE(rec.hLarge, nullptr);
  EXPECT_EQ(BitmapSize(rec.hLarge), CSize(66, 24));
  EXPECT_EQ(BitmapPixel(rec.hLarge, 22 * 2, 0), kImageColors[2]);  // no grey marks in the large strip
}

TEST_F(BmpMgrTest, SuppliedStripsAreTheCallers) {
  HDC screen = ::GetDC(nullptr);
  HBITMAP small = ::CreateCompatibleBitmap(screen, 32, 15);
  ::ReleaseDC(nullptr, screen);
  const UINT ids[] = {kIdNew, kIdOpen};
  {
    bool deleted = false;
    SECBmpMgr* own = new WatchedBmpMgr(&deleted);
    ASSERT_TRUE(own->AddBitmap(small, nullptr, ids, 2));
    own->SetSmallMode(FALSE);  // stretched from the supplied strip, which stays
    EXPECT_EQ(own->GetRecord(0).hSmall, small);
    EXPECT_NE(own->GetRecord(0).hLarge, nullptr);
    own->AddRef();
    own->Release();
    EXPECT_FALSE(deleted);
    own->Release();
    EXPECT_TRUE(deleted);
  }
  EXPECT_EQ(BitmapSize(small), CSize(32, 15));  // still a live bitmap
  ::DeleteObject(small);
}
