// Walks the settings dialog of a plug-in through its messages: the items
// of its page tree, choosing a page, and the page that is shown.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/ui/commctrl.h"
#include "platform/ui/dialog.h"
#include "platform/ui/ui.h"

namespace plugins_test {

constexpr int kSettingsPageTree = 1000;

inline std::string PageItemText(HWND tree, HTREEITEM item) {
  char text[256] = {};
  TVITEM tv = {};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = text;
  tv.cchTextMax = sizeof text;
  SendMessage(tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&tv));
  return text;
}

// Every item of the tree in display order, with its level.
inline void CollectPageItems(HWND tree, HTREEITEM first, int level,
                             std::vector<std::pair<HTREEITEM, int>>& out) {
  for (HTREEITEM i = first; i; i = reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_GETNEXTITEM, TVGN_NEXT,
                                                                           reinterpret_cast<LPARAM>(i)))) {
    out.emplace_back(i, level);
    CollectPageItems(tree,
                     reinterpret_cast<HTREEITEM>(
                         SendMessage(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(i))),
                     level + 1, out);
  }
}

inline std::vector<std::pair<HTREEITEM, int>> PageTreeItems(HWND dialog) {
  HWND tree = GetDlgItem(dialog, kSettingsPageTree);
  std::vector<std::pair<HTREEITEM, int>> items;
  CollectPageItems(tree, reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)), 0,
                   items);
  return items;
}

// Selects the page titled `title` under the branch `branch` ("" at the root).
inline void SelectPage(HWND dialog, const std::string& branch, const std::string& title) {
  HWND tree = GetDlgItem(dialog, kSettingsPageTree);
  std::string current;
  for (auto [item, level] : PageTreeItems(dialog)) {
    std::string text = PageItemText(tree, item);
    if (level == 0) current = text;
    if (text == title && (level == 0 ? branch.empty() : current == branch)) {
      SendMessage(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
      return;
    }
  }
  ADD_FAILURE() << "no page " << branch << "/" << title;
}

// The page window that is shown.
inline HWND ShownPage(HWND dialog) {
  HWND shown = nullptr;
  int count = 0;
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    char cls[64] = {};
    GetClassName(c, cls, sizeof cls);
    if (std::string(cls) == "#32770" && IsWindowVisible(c)) shown = c, ++count;
  }
  EXPECT_LE(count, 1) << "more than one page shown";
  return shown;
}

}  // namespace plugins_test
