// Image lists: masks from colours and bitmaps, icons, the drawing styles
// on pixels, editing, merging, copies through bytes and the drag image.
#include <gtest/gtest.h>

#include <vector>

#include "platform/afx/archive.h"
#include "platform/sys/cfile.h"
#include "platform/ui/cdc.h"
#include "platform/ui/cwnd.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/imagelist.h"
#include "tests/platform/ui/ui_test_support.h"
#include "tests/support/test_support.h"
#include "tests/platform/ui_imagelist/res/imagelist_res.h"

using namespace ui_test;

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);  // the mask colour of the art
constexpr COLORREF kBg = RGB(10, 200, 30);   // what the image is drawn over
constexpr COLORREF kInk = RGB(200, 40, 0);   // the image's own pixels

// A memory DC over a colour bitmap of w x h filled with one colour.
struct Surface {
  HDC dc;
  HBITMAP bm;
  HGDIOBJ old;
  Surface(int w, int h, COLORREF fill) {
    dc = CreateCompatibleDC(nullptr);
    bm = CreateBitmap(w, h, 1, 32, nullptr);
    old = SelectObject(dc, bm);
    Fill(0, 0, w, h, fill);
  }
  ~Surface() {
    SelectObject(dc, old);
    DeleteObject(bm);
    DeleteDC(dc);
  }
  void Fill(int l, int t, int r, int b, COLORREF c) {
    HBRUSH br = CreateSolidBrush(c);
    RECT rc{l, t, r, b};
    FillRect(dc, &rc, br);
    DeleteObject(br);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc, x, y) & 0xFFFFFF; }
};

// n images of 4 x 4 side by side: image k has its left column in the mask
// colour and the rest in `ink` + k (so images can be told apart).
HBITMAP Strip(int n, COLORREF ink = kInk) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP b = CreateBitmap(4 * n, 4, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(dc, b);
  for (int k = 0; k < n; ++k) {
    HBRUSH own = CreateSolidBrush(RGB(GetRValue(ink), GetGValue(ink), GetBValue(ink) + k));
    HBRUSH key = CreateSolidBrush(kKey);
    RECT cell{4 * k, 0, 4 * k + 4, 4}, edge{4 * k, 0, 4 * k + 1, 4};
    FillRect(dc, &cell, own);
    FillRect(dc, &edge, key);
    DeleteObject(own);
    DeleteObject(key);
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  return b;
}

COLORREF InkOf(int k) { return RGB(GetRValue(kInk), GetGValue(kInk), GetBValue(kInk) + k); }

class ImageListTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureApp(); }
};

TEST_F(ImageListTest, MaskColourMakesTransparentPixelsAndDrawingStylesTreatThem) {
  HIMAGELIST il = ImageList_Create(4, 4, ILC_MASK | ILC_COLOR24, 1, 1);
  HBITMAP art = Strip(1);
  ASSERT_EQ(ImageList_AddMasked(il, art, kKey), 0);
  ImageList_SetBkColor(il, RGB(0, 0, 255));
  struct Case {
    const char* name;
    UINT style;
    COLORREF bk;
    COLORREF masked;  // at x = 0
    COLORREF inner;   // at x = 2
  } cases[] = {
      // No background colour: normal drawing is transparent.
      {"normal, no background", ILD_NORMAL, CLR_NONE, kBg, kInk},
      {"normal, blue background", ILD_NORMAL, RGB(0, 0, 255), RGB(0, 0, 255), kInk},
      {"transparent", ILD_TRANSPARENT, RGB(0, 0, 255), kBg, kInk},
      // The mask itself: white where transparent, black elsewhere.
      {"mask", ILD_MASK, CLR_NONE, RGB(255, 255, 255), RGB(0, 0, 0)},
      // The image without its mask: masked pixels were stored black.
      {"image", ILD_IMAGE, CLR_NONE, RGB(0, 0, 0), kInk},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ImageList_SetBkColor(il, c.bk);
    Surface s(8, 8, kBg);
    ASSERT_TRUE(ImageList_Draw(il, 0, s.dc, 2, 2, c.style));
    EXPECT_EQ(s.At(2, 3), c.masked);
    EXPECT_EQ(s.At(4, 3), c.inner);
    EXPECT_EQ(s.At(1, 1), kBg);  // nothing outside the image
    EXPECT_EQ(s.At(6, 6), kBg);
  }
  // The caller's bitmap keeps its mask colour.
  Surface probe(1, 1, 0);
  HGDIOBJ old = SelectObject(probe.dc, art);
  EXPECT_EQ(GetPixel(probe.dc, 0, 0) & 0xFFFFFF, kKey);
  SelectObject(probe.dc, old);
  DeleteObject(art);
  ImageList_Destroy(il);
}

TEST_F(ImageListTest, SelectedAndFocusBlendOpaquePixelsWithTheHighlight) {
  HIMAGELIST il = ImageList_Create(4, 4, ILC_MASK | ILC_COLOR32, 1, 1);
  HBITMAP art = Strip(1);
  ImageList_AddMasked(il, art, kKey);
  COLORREF hi = GetSysColor(COLOR_HIGHLIGHT);
  auto mix = [](COLORREF a, COLORREF b, int pct) {
    auto m = [pct](int x, int y) { return (x * (100 - pct) + y * pct) / 100; };
    return RGB(m(GetRValue(a), GetRValue(b)), m(GetGValue(a), GetGValue(b)), m(GetBValue(a), GetBValue(b)));
  };
  struct Case {
    UINT style;
    COLORREF fg;
    COLORREF inner;
  } cases[] = {
      {ILD_SELECTED, CLR_DEFAULT, mix(kInk, hi, 50)},
      {ILD_FOCUS, CLR_DEFAULT, mix(kInk, hi, 25)},
      {ILD_SELECTED, RGB(255, 255, 255), mix(kInk, RGB(255, 255, 255), 50)},
      {ILD_SELECTED, CLR_NONE, kInk},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    Surface s(4, 4, kBg);
    ASSERT_TRUE(ImageList_DrawEx(il, 0, s.dc, 0, 0, 0, 0, CLR_NONE, c.fg, c.style | ILD_TRANSPARENT));
    EXPECT_EQ(s.At(2, 2), c.inner);
    EXPECT_EQ(s.At(0, 2), kBg);  // transparent pixels are not blended
  }
  DeleteObject(art);
  ImageList_Destroy(il);
}

TEST_F(ImageListTest, MaskBitmapAndImagesCutFromAWideBitmap) {
  HIMAGELIST il = ImageList_Create(4, 4, ILC_MASK, 2, 2);
  HBITMAP art = Strip(3);
  // Monochrome mask: white (transparent) on the bottom row of every image.
  HBITMAP mask = CreateBitmap(12, 4, 1, 1, nullptr);
  {
    Surface m(1, 1, 0);
    HGDIOBJ old = SelectObject(m.dc, mask);
    m.Fill(0, 0, 12, 4, RGB(0, 0, 0));
    m.Fill(0, 3, 12, 4, RGB(255, 255, 255));
    SelectObject(m.dc, old);
  }
  EXPECT_EQ(ImageList_Add(il, art, mask), 0);
  EXPECT_EQ(ImageList_GetImageCount(il), 3);
  EXPECT_EQ(ImageList_Add(il, art, mask), 3);  // grows past its first room
  EXPECT_EQ(ImageList_GetImageCount(il), 6);
  for (int k = 0; k < 6; ++k) {
    SCOPED_TRACE(k);
    Surface s(4, 4, kBg);
    ImageList_Draw(il, k, s.dc, 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(s.At(2, 1), InkOf(k % 3));
    EXPECT_EQ(s.At(0, 1), kKey);  // not masked: the mask bitmap decides
    EXPECT_EQ(s.At(2, 3), kBg);
  }
  IMAGEINFO info;
  ASSERT_TRUE(ImageList_GetImageInfo(il, 4, &info));
  EXPECT_EQ(info.rcImage.left, 16);
  EXPECT_EQ(info.rcImage.right, 20);
  EXPECT_EQ(info.rcImage.bottom, 4);
  BITMAP bm;
  ASSERT_TRUE(GetObject(info.hbmMask, sizeof bm, &bm));
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_FALSE(ImageList_GetImageInfo(il, 6, &info));
  DeleteObject(mask);
  DeleteObject(art);
  ImageList_Destroy(il);
}

TEST_F(ImageListTest, RemoveReplaceCopyAndCountKeepTheOtherImages) {
  HIMAGELIST il = ImageList_Create(4, 4, ILC_MASK, 4, 4);
  HBITMAP art = Strip(4);
  ImageList_AddMasked(il, art, kKey);
  auto inner = [&](int i) {
    Surface s(4, 4, kBg);
    ImageList_Draw(il, i, s.dc, 0, 0, ILD_TRANSPARENT);
    return s.At(2, 2);
  };
  ASSERT_TRUE(ImageList_Remove(il, 1));
  EXPECT_EQ(ImageList_GetImageCount(il), 3);
  EXPECT_EQ(inner(0), InkOf(0));
  EXPECT_EQ(inner(1), InkOf(2));
  EXPECT_EQ(inner(2), InkOf(3));
  HBITMAP other = Strip(1, RGB(0, 0, 90));
  ASSERT_TRUE(ImageList_Replace(il, 2, other, nullptr));
  EXPECT_EQ(inner(2), RGB(0, 0, 90));
  ASSERT_TRUE(ImageList_Copy(il, 0, il, 2, ILCF_SWAP));
  EXPECT_EQ(inner(0), RGB(0, 0, 90));
  EXPECT_EQ(inner(2), InkOf(0));
  // Bad indexes are refused and change nothing.
  EXPECT_FALSE(ImageList_Remove(il, 3));
  EXPECT_FALSE(ImageList_Replace(il, 5, other, nullptr));
  EXPECT_EQ(ImageList_ReplaceIcon(il, 7, LoadIcon(nullptr, IDI_ASTERISK)), -1);
  Surface elsewhere(4, 4, kBg);
  EXPECT_FALSE(ImageList_Draw(il, 3, elsewhere.dc, 0, 0, ILD_NORMAL));
  EXPECT_EQ(ImageList_GetImageCount(il), 3);
  ASSERT_TRUE(ImageList_SetImageCount(il, 5));
  EXPECT_EQ(inner(4), RGB(0, 0, 0));
  EXPECT_EQ(inner(1), InkOf(2));
  ASSERT_TRUE(ImageList_RemoveAll(il));
  EXPECT_EQ(ImageList_GetImageCount(il), 0);
  DeleteObject(other);
  DeleteObject(art);
  ImageList_Destroy(il);
}

TEST_F(ImageListTest, StaleHandlesAreRefused) {
  HIMAGELIST il = ImageList_Create(4, 4, ILC_MASK, 1, 1);
  ASSERT_TRUE(ImageList_Destroy(il));
  Surface s(4, 4, kBg);
  EXPECT_FALSE(ImageList_Destroy(il));
  EXPECT_EQ(ImageList_GetImageCount(il), 0);
  EXPECT_EQ(ImageList_AddIcon(il, LoadIcon(nullptr, IDI_HAND)), -1);
  EXPECT_FALSE(ImageList_Draw(il, 0, s.dc, 0, 0, ILD_NORMAL));
  EXPECT_EQ(ImageList_Create(0, 4, ILC_MASK, 1, 1), nullptr);
  EXPECT_EQ(ImageList_Create(4, 100000, ILC_MASK, 1, 1), nullptr);
}

TEST_F(ImageListTest, IconsTakeTheResourceImageOfTheListsSize) {
  HICON icon = LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(IDI_TWO_SIZES));
  ASSERT_NE(icon, nullptr);
  ICONINFO ii;
  ASSERT_TRUE(GetIconInfo(icon, &ii));
  BITMAP bm;
  GetObject(ii.hbmColor, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 32);  // the system size is loaded
  DeleteObject(ii.hbmColor);
  DeleteObject(ii.hbmMask);
  struct Case {
    int size;
    COLORREF colour;
  } cases[] = {{16, RGB(0, 160, 0)}, {32, RGB(0, 0, 255)}, {24, RGB(0, 0, 255)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    CImageList list;
    ASSERT_TRUE(list.Create(c.size, c.size, ILC_MASK | ILC_COLOR8, 2, 0));
    EXPECT_EQ(list.Add(icon), 0);
    Surface s(c.size, c.size, kBg);
    CDC* dc = CDC::FromHandle(s.dc);
    list.Draw(dc, 0, CPoint(0, 0), ILD_NORMAL);
    EXPECT_EQ(s.At(c.size / 2, c.size / 2), c.colour);
    EXPECT_EQ(s.At(0, 0), kBg);  // the icon's transparent corner
    // Back as an icon: the same pixels and the same transparent corner.
    HICON back = list.ExtractIcon(0);
    ASSERT_NE(back, nullptr);
    Surface t(c.size, c.size, kBg);
    DrawIconEx(t.dc, 0, 0, back, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(t.At(c.size / 2, c.size / 2), c.colour);
    EXPECT_EQ(t.At(0, 0), kBg);
    DestroyIcon(back);
  }
}

TEST_F(ImageListTest, IconsReplaceImagesInPlace) {
  // Twenty copies, then some replaced: the other images stay.
  CImageList list;
  ASSERT_TRUE(list.Create(16, 16, ILC_MASK, 0, 20));
  HICON a = LoadIcon(nullptr, IDI_HAND);
  HICON b = LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(IDI_TWO_SIZES));
  for (int i = 0; i < 20; ++i) ASSERT_EQ(list.Add(a), i);
  EXPECT_EQ(list.Replace(3, b), 3);
  EXPECT_EQ(list.GetImageCount(), 20);
  auto centre = [&](int i) {
    Surface s(16, 16, kBg);
    list.Draw(CDC::FromHandle(s.dc), i, CPoint(0, 0), ILD_TRANSPARENT);
    return s.At(8, 8);
  };
  EXPECT_EQ(centre(3), RGB(0, 160, 0));
  EXPECT_EQ(centre(2), centre(4));
  EXPECT_NE(centre(2), RGB(0, 160, 0));
}

TEST_F(ImageListTest, MergeLaysTheSecondImageOverTheFirst) {
  HIMAGELIST a = ImageList_Create(4, 4, ILC_MASK, 1, 1);
  HIMAGELIST b = ImageList_Create(4, 4, ILC_MASK, 1, 1);
  HBITMAP red = Strip(1, RGB(200, 0, 0));
  HBITMAP blue = Strip(1, RGB(0, 0, 200));
  ImageList_AddMasked(a, red, kKey);
  ImageList_AddMasked(b, blue, kKey);
  // b at (6, 0): two pixels of gap, so the result is 10 wide.
  HIMAGELIST m = ImageList_Merge(a, 0, b, 0, 6, 0);
  ASSERT_NE(m, nullptr);
  int cx = 0, cy = 0;
  ImageList_GetIconSize(m, &cx, &cy);
  EXPECT_EQ(cx, 10);
  EXPECT_EQ(cy, 4);
  Surface s(10, 4, kBg);
  ImageList_Draw(m, 0, s.dc, 0, 0, ILD_TRANSPARENT);
  const COLORREF row[10] = {kBg, RGB(200, 0, 0), RGB(200, 0, 0), RGB(200, 0, 0), kBg, kBg,
                            kBg, RGB(0, 0, 200), RGB(0, 0, 200), RGB(0, 0, 200)};
  for (int x = 0; x < 10; ++x) EXPECT_EQ(s.At(x, 2), row[x]) << x;
  // Overlapping: the second image wins where it is opaque.
  HIMAGELIST o = ImageList_Merge(a, 0, b, 0, 2, 0);
  Surface t(6, 4, kBg);
  ImageList_Draw(o, 0, t.dc, 0, 0, ILD_TRANSPARENT);
  EXPECT_EQ(t.At(1, 0), RGB(200, 0, 0));
  EXPECT_EQ(t.At(2, 0), RGB(200, 0, 0));  // b's masked column shows a
  EXPECT_EQ(t.At(3, 0), RGB(0, 0, 200));
  EXPECT_EQ(ImageList_Merge(a, 0, b, 1, 0, 0), nullptr);
  for (HIMAGELIST h : {a, b, m, o}) ImageList_Destroy(h);
  DeleteObject(red);
  DeleteObject(blue);
}

TEST_F(ImageListTest, BytesGiveAnEqualButSeparateList) {
  HIMAGELIST il = ImageList_Create(4, 4, ILC_MASK | ILC_COLOR24, 2, 3);
  HBITMAP art = Strip(2);
  ImageList_AddMasked(il, art, kKey);
  ImageList_SetBkColor(il, RGB(1, 2, 3));
  std::vector<unsigned char> bytes;
  ASSERT_TRUE(mirt_ui::WriteImageList(il, [&](const void* p, size_t n) {
    bytes.insert(bytes.end(), static_cast<const unsigned char*>(p), static_cast<const unsigned char*>(p) + n);
  }));
  auto readFrom = [](const std::vector<unsigned char>& data) {
    size_t at = 0;
    return mirt_ui::ReadImageList([&](void* p, size_t n) {
      if (data.size() - at < n) return false;
      memcpy(p, data.data() + at, n);
      at += n;
      return true;
    });
  };
  HIMAGELIST copy = readFrom(bytes);
  ASSERT_NE(copy, nullptr);
  ASSERT_NE(copy, il);
  EXPECT_EQ(ImageList_GetImageCount(copy), 2);
  EXPECT_EQ(ImageList_GetBkColor(copy), RGB(1, 2, 3));
  ImageList_Remove(il, -1);  // the copy has its own images
  for (int k = 0; k < 2; ++k) {
    Surface s(4, 4, kBg);
    ImageList_Draw(copy, k, s.dc, 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(s.At(0, 0), kBg);
    EXPECT_EQ(s.At(3, 3), InkOf(k));
  }
  // Every shortened copy and a damaged mask are refused.
  for (size_t cut = 0; cut < bytes.size(); cut += 7)
    EXPECT_EQ(readFrom(std::vector<unsigned char>(bytes.begin(), bytes.begin() + cut)), nullptr) << cut;
  std::vector<unsigned char> bad = bytes;
  bad.back() = 2;
  EXPECT_EQ(readFrom(bad), nullptr);
  ImageList_Destroy(copy);
  ImageList_Destroy(il);
  DeleteObject(art);
}

TEST_F(ImageListTest, ArchiveCopyHasItsOwnImagesAndMasks) {
  CImageList list;
  ASSERT_TRUE(list.Create(4, 4, ILC_MASK, 1, 1));
  HBITMAP art = Strip(2);
  ASSERT_EQ(list.Add(CBitmap::FromHandle(art), kKey), 0);
  std::string path = mirt_test::MakeTempDir("il") + "/list.bin";
  {
    CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&f, CArchive::store);
    ASSERT_TRUE(list.Write(&ar));
    ar.Close();
  }
  CImageList copy;
  {
    CFile f(path.c_str(), CFile::modeRead);
    CArchive ar(&f, CArchive::load);
    ASSERT_TRUE(copy.Read(&ar));
  }
  list.DeleteImageList();
  ASSERT_EQ(copy.GetImageCount(), 2);
  Surface s(4, 4, kBg);
  copy.Draw(CDC::FromHandle(s.dc), 1, CPoint(0, 0), ILD_TRANSPARENT);
  EXPECT_EQ(s.At(0, 1), kBg);
  EXPECT_EQ(s.At(1, 1), InkOf(1));
  DeleteObject(art);
}

TEST_F(ImageListTest, DragImageMovesOverAWindowAndLeavesItsPixelsWhole) {
  HWND w = MakeTop(40, 20);
  HDC dc = GetWindowDC(w);
  HBRUSH grey = CreateSolidBrush(RGB(128, 128, 128));
  RECT all{0, 0, 40, 20};
  FillRect(dc, &all, grey);
  DeleteObject(grey);
  ReleaseDC(w, dc);
  QImage before = Picture(w);

  CImageList list;
  list.Create(4, 4, ILC_MASK, 1, 1);
  HBITMAP art = Strip(1);
  CBitmap* bmp = CBitmap::FromHandle(art);
  ASSERT_EQ(list.Add(bmp, kKey), 0);
  ASSERT_TRUE(list.BeginDrag(0, CPoint(1, 1)));
  ASSERT_TRUE(CImageList::DragEnter(CWnd::FromHandle(w), CPoint(5, 5)));
  EXPECT_EQ(Pixel(w, 6, 5), kInk);                // drawn at the point less the hotspot
  EXPECT_EQ(Pixel(w, 4, 5), RGB(128, 128, 128));  // its transparent column
  ASSERT_TRUE(CImageList::DragMove(CPoint(20, 10)));
  EXPECT_EQ(Pixel(w, 6, 5), RGB(128, 128, 128));  // the old place is back
  EXPECT_EQ(Pixel(w, 21, 10), kInk);
  ASSERT_TRUE(CImageList::DragLeave(CWnd::FromHandle(w)));
  EXPECT_EQ(Picture(w), before);
  ASSERT_TRUE(CImageList::DragEnter(CWnd::FromHandle(w), CPoint(30, 10)));
  EXPECT_EQ(Pixel(w, 31, 10), kInk);
  ASSERT_TRUE(CImageList::DragShowNolock(FALSE));  // hidden, still locked
  EXPECT_EQ(Picture(w), before);
  ASSERT_TRUE(CImageList::DragShowNolock(TRUE));
  EXPECT_EQ(Pixel(w, 31, 10), kInk);
  CImageList::EndDrag();
  EXPECT_EQ(Picture(w), before);
  EXPECT_FALSE(ImageList_DragMove(1, 1));  // no drag any more
  DeleteObject(art);
  DestroyWindow(w);
}

}  // namespace
