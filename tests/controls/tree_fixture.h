// A tree control in an owner window that records the tree's notifications,
// for the tests that need a window (offscreen platform).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/sec_tree_ctrl.h"

namespace tree_test {

constexpr int kTreeWidth = 240;
constexpr int kTreeHeight = 200;
constexpr UINT kTreeId = 101;

// One WM_NOTIFY as the owner saw it: the code, the item it names (itemNew,
// or itemOld for deletions) and the action.
struct TreeNotice {
  UINT code;
  HTREEITEM item;
  UINT action;
};

class TreeOwner : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::vector<TreeNotice> notices;
  // lParam of each registered end-of-edit message.
  std::vector<LPARAM> endEdits;
  // The owner's reply (0 when unset).
  std::function<LRESULT(NMHDR*)> answer;
};

class TreeTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  void Make(DWORD treeStyle = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT);
  // The texts of the rows, top to bottom.
  std::vector<std::string> RowTexts();
  // Checks the recorded notifications against a table and clears them.
  void ExpectNotices(const std::vector<TreeNotice>& expected);
  void SavePicture(const std::string& name);

  TreeOwner owner;
  SECTreeCtrl* tree = nullptr;
};

}  // namespace tree_test
