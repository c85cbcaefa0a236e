// Printing to a PDF file: pages, the printer's capabilities, map modes.
#include <gtest/gtest.h>

#include <string>

#include "../ui/ui_test_support.h"
#include "platform/ui/cdc.h"
#include "platform/ui/print.h"
#include "tests/support/test_support.h"

namespace {

int CountPages(const std::string& pdf) {
  int n = 0;
  for (size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1))
    n += pdf.compare(at, 12, "/Type /Pages") != 0;
  return n;
}

TEST(Printing, TwoPagesWriteAPdfWithTwoPages) {
  ui_test::EnsureApp();
  std::string path = mirt_test::MakeTempDir("print") + "/out.pdf";
  mirt_ui::PrinterSetup setup;
  setup.output = path;
  CDC dc;
  ASSERT_TRUE(dc.Attach(mirt_ui::CreatePrinterDC(setup)));
  EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 300);
  EXPECT_EQ(dc.GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
  EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 2480 - 150);
  EXPECT_EQ(dc.GetDeviceCaps(PHYSICALWIDTH), 2480);
  EXPECT_EQ(dc.GetDeviceCaps(PHYSICALOFFSETY), 75);
  ASSERT_GT(dc.StartDoc("Listing"), 0);
  for (int page = 1; page <= 2; ++page) {
    ASSERT_GT(dc.StartPage(), 0);
    dc.SetMapMode(MM_LOENGLISH);
    POINT p{100, -100};
    LPtoDP(dc, &p, 1);
    EXPECT_EQ(p.x, 300);  // one inch
    EXPECT_EQ(p.y, 300);
    std::string text = "Page " + std::to_string(page);
    dc.TextOut(100, -100, text.c_str(), static_cast<int>(text.size()));
    dc.Rectangle(100, -200, 400, -300);
    ASSERT_GT(dc.EndPage(), 0);
  }
  ASSERT_GT(dc.EndDoc(), 0);
  dc.DeleteDC();
  std::string pdf = mirt_test::ReadFile(path);
  ASSERT_EQ(pdf.compare(0, 5, "%PDF-"), 0);
  EXPECT_EQ(CountPages(pdf), 2);
}

TEST(Printing, AbortedDocumentLeavesNoFileAndPagesNeedADocument) {
  ui_test::EnsureApp();
  std::string path = mirt_test::MakeTempDir("print") + "/aborted.pdf";
  HDC dc = mirt_ui::CreatePrinterDC(mirt_ui::PrinterSetup{path});
  EXPECT_EQ(StartPage(dc), SP_ERROR);
  DOCINFO di{sizeof di, "x", nullptr, nullptr, 0};
  ASSERT_GT(StartDoc(dc, &di), 0);
  StartPage(dc);
  EndPage(dc);
  EXPECT_GT(AbortDoc(dc), 0);
  EXPECT_EQ(mirt_test::ReadFile(path), "");
  EXPECT_EQ(EndDoc(dc), SP_ERROR);
  DeleteDC(dc);
  HDC screen = CreateCompatibleDC(nullptr);
  EXPECT_EQ(StartDoc(screen, &di), SP_ERROR);  // not a printer
  DeleteDC(screen);
}

}  // namespace
