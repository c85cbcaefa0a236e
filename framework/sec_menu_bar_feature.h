// SECMenuBarFeature: the frame plug-in of menu-bar mode. It draws the frame's
// popups as bitmap menus and gives the menu bar its keyboard and mouse
// behaviour: the frame offers it every message first, and the messages of
// menu tracking go to SECMenuBarMessages.
#pragma once

#include "framework/sec_bmp_menu_plug_in.h"
#include "framework/sec_menu_bar_messages.h"

class SECMenuBarFeature : public SECBmpMenuPlugIn, public SECMenuBarMessages {
  DECLARE_DYNAMIC(SECMenuBarFeature)
 public:
  SECMenuBarFeature() = default;

  SECWndPlugIn* GetPlugIn() override { return this; }
  // Rebuilds the bar from menu resources (count, id, ...) and replaces the
  // frame's id-to-bit map with the bar's; FALSE when nothing was built.
  BOOL SetMenus(UINT nCount, UINT nID, ...);
  // Sets the id-to-bit map directly from (id, bit) pairs.
  BOOL SetMenuBits(UINT nCount, const UINT* lpIDBitPairs);

  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
};
