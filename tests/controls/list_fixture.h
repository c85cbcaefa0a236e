// A list control in an owner window that records the list's notifications,
// for the tests that need a window (offscreen platform).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/list_ctrl.h"

namespace list_test {

constexpr int kListWidth = 240;
constexpr int kListHeight = 160;
constexpr UINT kListId = 100;

// One WM_NOTIFY as the owner saw it.
struct Notice {
  UINT code;
  int item;
  int subItem;
  std::string text;  // LVN_ENDLABELEDIT
  WORD key;          // LVN_KEYDOWN
};

class NotifyOwner : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::vector<Notice> notices;
  // Answers to give, by notification code (0 when none is set).
  std::function<LRESULT(NMHDR*)> answer;
  std::vector<UINT> Codes() const;
};

class ListTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Creates the list with these list and extended styles in the window style.
  void Make(DWORD listStyle, DWORD exStyle = 0);
  // Report list with columns "Name" (label, 100 wide) and "Value" (80), and
  // rows "row 0" ... with values "value 0" ...
  void MakeReport(int rows, DWORD listStyle = 0, DWORD exStyle = 0);
  void Paint();
  COLORREF Pixel(int x, int y);
  void SavePicture(const std::string& name);
  void Click(UINT message, UINT keys, CPoint at);
  // The centre of a row's label.
  CPoint LabelPoint(int row);

  NotifyOwner owner;
  SECListCtrl* list = nullptr;
};

}  // namespace list_test
