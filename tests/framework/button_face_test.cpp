// Pixels of tool bar button faces drawn off-screen: raised, pressed,
// disabled (embossed), checked and indeterminate (dithered), flat, hot,
// transparent, customise mode and separators.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/sec_bmp_mgr.h"
#include "framework/sec_custom_tool_bar.h"
#include "framework/sec_global_data.h"
#include "platform/ui/ui.h"
#include "ui_test_support.h"

namespace {

constexpr UINT kId = 500;
constexpr int kBtnCx = 23, kBtnCy = 22;  // 16 x 15 images
// The image: button face everywhere but one black pixel and, below right of
// it, one highlight pixel. It sits at (3, 3) in a raised button.
const CPoint kBlackInImage{5, 5};
const CPoint kBlack{8, 8};   // the black pixel in a raised button
const CPoint kHilite{9, 9};  // the highlight pixel (or the black one, pressed)
const CPoint kPressedWhite{10, 10};
const CPoint kDitherFace{4, 4};                 // (x + y) even: the dither's face square
const CPoint kDitherHilite{4, 5};               // (x + y) odd: its highlight square
constexpr COLORREF kBehind = RGB(255, 0, 255);  // what the bar shows before the button

struct Expect {
  CPoint at;
  COLORREF color;
};

struct FaceCase {
  const char* name;
  UINT style;
  DWORD exStyle;
  BOOL customize;
  std::vector<Expect> pixels;
};

class ButtonFaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_test::EnsureApp();
    owned = std::make_unique<SECCustomToolBar>();
    face = secData.clrBtnFace;
    shadow = secData.clrBtnShadow;
    hilite = secData.clrBtnHilite;
    frameColor = secData.clrWindowFrame;
    screen = ::GetDC(nullptr);
    mem = ::CreateCompatibleDC(screen);
    strip = ::CreateCompatibleBitmap(screen, 16, 15);
    target = ::CreateCompatibleBitmap(screen, kBtnCx, kBtnCy);
    HGDIOBJ old = ::SelectObject(mem, strip);
    CDC* dc = CDC::FromHandle(mem);
    dc->FillSolidRect(0, 0, 16, 15, face);
    ::SetPixel(mem, kBlackInImage.x, kBlackInImage.y, RGB(0, 0, 0));
    ::SetPixel(mem, kBlackInImage.x + 1, kBlackInImage.y + 1, hilite);
    ::SelectObject(mem, old);
    bar().GetBmpMgr()->AddBitmap(strip, nullptr, &kId, 1);
  }
  void TearDown() override {
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(target);
  }
  // Draws one button with the style into a surface showing kBehind.
  void Draw(UINT style, DWORD exStyle, BOOL customize) {
    bar().m_dwExStyle = exStyle;
    bar().SetCustomizeMode(customize);
    const UINT ids[] = {kId};
    bar().SetButtons(ids, 1);
    SECStdBtn* btn = bar().GetBtn(0);
    btn->m_nStyle = style;
    btn->SetPos(0, 0);
    HGDIOBJ old = ::SelectObject(mem, target);
    CDC* dc = CDC::FromHandle(mem);
    dc->FillSolidRect(0, 0, kBtnCx, kBtnCy, kBehind);
    SECBtnDrawData* data = bar().GetDrawData();
    ASSERT_TRUE(data->PrepareDrawing(*dc, kBtnCx, kBtnCy));
    btn->Draw(*dc, *data);
    data->EndDrawing();
    ::SelectObject(mem, old);
  }
  COLORREF Pixel(CPoint at) {
    HGDIOBJ old = ::SelectObject(mem, target);
    COLORREF c = ::GetPixel(mem, at.x, at.y);
    ::SelectObject(mem, old);
    return c;
  }
  void Check(const FaceCase& c) {
    SCOPED_TRACE(c.name);
    // The second drawing comes from the face cache and must look the same.
    for (const char* pass : {"drawn", "cached"}) {
      SCOPED_TRACE(pass);
      Draw(c.style, c.exStyle, c.customize);
      for (const Expect& e : c.pixels) EXPECT_EQ(Pixel(e.at), e.color) << e.at.x << "," << e.at.y;
    }
  }

  std::unique_ptr<SECCustomToolBar> owned;  // made once the application exists
  HDC screen = nullptr, mem = nullptr;
  HBITMAP strip = nullptr, target = nullptr;
  SECCustomToolBar& bar() { return *owned; }
  COLORREF face = 0, shadow = 0, hilite = 0, frameColor = 0;
};

}  // namespace

TEST_F(ButtonFaceTest, RaisedAndPressedFaces) {
  const CPoint corner{0, 0}, far{kBtnCx - 1, kBtnCy - 1}, inner{1, 1}, innerFar{kBtnCx - 2, kBtnCy - 2};
  const FaceCase cases[] = {
      {"raised",
       0,
       0,
       FALSE,
       {{corner, hilite},
        {far, frameColor},
        {inner, face},
        {innerFar, shadow},
        {kBlack, RGB(0, 0, 0)},
        {kHilite, hilite},
        {kPressedWhite, face}}},
      {"pressed: sunken, image one pixel down and right, no overlay even when disabled",
       TBBS_PRESSED | TBBS_DISABLED,
       0,
       FALSE,
       {{corner, frameColor},
        {far, hilite},
        {inner, shadow},
        {kBlack, face},
        {kHilite, RGB(0, 0, 0)},
        {kPressedWhite, hilite}}},
  };
  for (const FaceCase& c : cases) Check(c);
}

TEST_F(ButtonFaceTest, OverlaysOfDisabledCheckedAndIndeterminate) {
  const CPoint corner{0, 0};
  const FaceCase cases[] = {
      {"disabled: shadow image with a highlight copy one pixel off",
       TBBS_DISABLED,
       0,
       FALSE,
       {{corner, hilite}, {kBlack, shadow}, {kHilite, hilite}, {kPressedWhite, face}, {kDitherHilite, face}}},
      {"checked: sunken, dithered background, image kept",
       TBBS_CHECKED,
       0,
       FALSE,
       {{corner, frameColor},
        {kHilite, RGB(0, 0, 0)},
        {kDitherFace, face},
        {kDitherHilite, hilite},
        {kPressedWhite, face}}},
      {"indeterminate: shadow image on the dither",
       TBBS_INDETERMINATE,
       0,
       FALSE,
       {{corner, hilite}, {kBlack, shadow}, {kDitherFace, face}, {kDitherHilite, hilite}}},
      {"customise mode: raised without overlays",
       TBBS_DISABLED | TBBS_CHECKED,
       0,
       TRUE,
       {{corner, hilite}, {kBlack, RGB(0, 0, 0)}, {kHilite, hilite}, {kDitherHilite, face}}},
  };
  for (const FaceCase& c : cases) Check(c);
}

TEST_F(ButtonFaceTest, FlatFacesHotFramesAndTransparency) {
  const CPoint corner{0, 0}, far{kBtnCx - 1, kBtnCy - 1};
  const FaceCase cases[] = {
      {"flat", 0, SECBAR_FLATBORDERS, FALSE, {{corner, face}, {far, face}, {kBlack, RGB(0, 0, 0)}}},
      {"flat and hot",
       SEC_TBBS_HOT,
       SECBAR_FLATBORDERS,
       FALSE,
       {{corner, hilite}, {far, shadow}, {kBlack, RGB(0, 0, 0)}}},
      {"flat checked: shadow top-left",
       TBBS_CHECKED,
       SECBAR_FLATBORDERS,
       FALSE,
       {{corner, shadow}, {far, hilite}}},
      {"transparent: face pixels show what was behind",
       0,
       SECBAR_FLATBORDERS | SECBAR_TRANSPARENT,
       FALSE,
       {{corner, kBehind}, {kPressedWhite, kBehind}, {kBlack, RGB(0, 0, 0)}, {kHilite, hilite}}},
  };
  for (const FaceCase& c : cases) Check(c);
}

TEST_F(ButtonFaceTest, SeparatorsAreEtchedOnlyInCoolLook) {
  constexpr int kSepWidth = 8;
  const CPoint line{kSepWidth / 2, 10}, beside{kSepWidth / 2 + 1, 10}, edge{0, 10};
  const FaceCase cases[] = {
      {"raised look: a gap", TBBS_SEPARATOR, 0, FALSE, {{line, kBehind}, {edge, kBehind}}},
      {"cool look: an etched line",
       TBBS_SEPARATOR,
       SECBAR_FLATBORDERS,
       FALSE,
       {{line, shadow}, {beside, hilite}, {edge, face}}},
      {"cool look, wrapped: nothing",
       TBBS_SEPARATOR | TBBS_WRAPPED,
       SECBAR_FLATBORDERS,
       FALSE,
       {{line, kBehind}}},
  };
  for (const FaceCase& c : cases) Check(c);
}
