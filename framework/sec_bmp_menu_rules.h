// The rules of bitmap menus that need no window: which items become
// owner-drawn, an item's mnemonic, the split of its label and accelerator,
// its measured size and the answer to a menu character.
#pragma once

#include <vector>

#include "platform/afx/afx.h"

enum class SECMenuItemOwner { kOurs, kForeign };

// A string item that is not a system command (0xF000-0xFEFF) and not owned
// by someone else becomes owner-drawn.
BOOL SECBmpMenuConverts(UINT fType, UINT nID, SECMenuItemOwner owner);
// The lowercase character after the first single "&", 0 when none.
int SECMenuMnemonic(const CString& strText);
// The label before the first tab and the accelerator text after it.
struct SECMenuLabel {
  CString strLabel;
  CString strAccel;
};
SECMenuLabel SECSplitMenuLabel(const CString& strText);
// An item's size from its text size, the image size and the menu height.
CSize SECBmpMenuItemSize(CSize text, CSize image, int cyMenu);
// WM_MENUCHAR: the positions of the items whose mnemonic matched, in order,
// and the highlighted position (-1 for none). 0 lets the default run; one
// match executes it; several select the first one after the highlighted.
LRESULT SECBmpMenuCharResult(const std::vector<int>& matches, int nHilite);
