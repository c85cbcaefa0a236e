// A parent window that records what tab strips and tab windows send it, and
// the pictures of the tab tests (offscreen platform).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/sec_tab.h"
#include "platform/ui/cwnd.h"

namespace tab_test {

// One message as the parent saw it; the record's fields for WM_TABSEL.
struct TabNotice {
  UINT message;
  WPARAM wParam;
  int ctrlId;
  int newTab;
  int oldTab;
};

class TabParent : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::vector<TabNotice> notices;
};

// Checks the recorded messages against (message, wParam) pairs.
struct ExpectedNotice {
  UINT message;
  WPARAM wParam;
};
void ExpectNotices(const TabParent& parent, const std::vector<ExpectedNotice>& expected);

void SaveTabPicture(HWND hWnd, const std::string& name);

}  // namespace tab_test
