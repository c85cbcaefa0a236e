// A workbook application for the frame tests: a SECWorkbook main frame with
// two document types shown in worksheets, three framework bars, and helpers
// to open sheets, find tabs and write pictures into the build tree.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "afx_test_support.h"
#include "framework/sec_control_bar.h"
#include "framework/sec_workbook.h"
#include "framework/sec_worksheet.h"
#include "frames_test_ids.h"

namespace frames_test {

class SheetDoc : public CDocument {
  DECLARE_DYNCREATE(SheetDoc)
 public:
  int commands = 0;
  void OnFramesCommand() { ++commands; }
  DECLARE_MESSAGE_MAP()
};

class SheetView : public CView {
  DECLARE_DYNCREATE(SheetView)
 public:
  void OnDraw(CDC*) override {}
};

class Sheet : public SECWorksheet {
  DECLARE_DYNCREATE(Sheet)
};

// Counts the refresh messages the workbook gets.
class Book : public SECWorkbook {
  DECLARE_DYNCREATE(Book)
 public:
  int refreshes = 0;
  LRESULT OnRefreshTabs(WPARAM wParam, LPARAM lParam) {
    ++refreshes;
    return SECWorkbook::OnRefreshTabs(wParam, lParam);
  }
  int OnCreate(LPCREATESTRUCT lpcs);
  SECControlBar left, bottom, floating;
  DECLARE_MESSAGE_MAP()
};

// Records the docking hooks the frame calls.
class HookBar : public SECControlBar {
 public:
  std::string hooks;
  void BeforeDock() override { hooks += "BD "; }
  void AfterDock() override { hooks += "AD "; }
  void BeforeFloat() override { hooks += "BF "; }
  void AfterFloat() override { hooks += "AF "; }
  void BeforeMDIFloat() override { hooks += "BM "; }
  void AfterMDIFloat() override { hooks += "AM "; }
};

class FramesApp : public CWinApp {
 public:
  FramesApp() : CWinApp("FramesTest") {}
  CMultiDocTemplate* sheets = nullptr;
  CMultiDocTemplate* sheetsTwo = nullptr;
};
FramesApp& App();

class WorkbookTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Runs after the workbook object is made, before its window is.
  virtual void BeforeLoad() {}
  // A new document in a sheet of the first type, titled `title`.
  Sheet* OpenSheet(const char* title, CMultiDocTemplate* tmpl = nullptr);
  // A point inside the sheet's tab, in frame client coordinates.
  CPoint TabPoint(SECWorksheet* sheet);
  void Click(CPoint point);
  // Writes the picture of a window to <build>/bin/pictures/frames_<name>.png.
  void Picture(HWND wnd, const std::string& name);
  Book* book = nullptr;
};

}  // namespace frames_test
