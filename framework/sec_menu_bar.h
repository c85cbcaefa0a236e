// SECMenuBar: a dockable tool bar standing in for a frame's menu. Its
// buttons are the top-level popups of the menu resources it was given; each
// menu gets a bit and only the buttons of the selected menu's bit are shown.
#pragma once

#include <vector>

#include "framework/sec_custom_tool_bar.h"

// The style of a menu bar button record.
#define SEC_MENUBAR_BTN_STYLE 0x30000000u

class SECMenuBar : public SECCustomToolBar {
  DECLARE_DYNCREATE(SECMenuBar)
 public:
  SECMenuBar();
  ~SECMenuBar() override;

  using SECCustomToolBar::CreateEx;
  BOOL CreateEx(DWORD dwExStyle, CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = SEC_IDW_MENUBAR, LPCSTR lpszTitle = nullptr) override;

  // Rebuilds the buttons from the menu resources listed; FALSE when no popup was found.
  virtual BOOL SetMenus(UINT nCount, const UINT* lpIDs);
  BOOL SetMenus(UINT nCount, UINT nID, ...);
  // Shows the buttons of the menu's bit; FALSE (nothing changes) for an unknown id.
  BOOL SelectMenu(UINT nID);
  virtual void ShowMenuMask(DWORD dwMask, BOOL bLayout);
  virtual void ResetButtons(BOOL bNoLayout);
  // The index of the first visible menu button with this mnemonic, else -1.
  virtual int FindMnemonic(int c) const;

  // Replaces the id-to-bit map by (id, bit) pairs.
  void SetMenuBits(UINT nCount, const UINT* lpIDBitPairs);
  DWORD GetMenuBit(UINT nID) const;
  DWORD GetMenuMask() const { return m_dwMenuMask; }
  UINT GetCurrentMenuID() const { return m_nIDCurrentMenu; }
  void SetStretch(BOOL bStretch) { m_bStretch = bStretch; }

  BOOL IsCoolLook() const override { return TRUE; }
  CFont* GetFont() const override;
  void InsertButton(int nIndex, UINT nID, BOOL bSeparator, BOOL bNoUpdate = FALSE) override;
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // A saved layout gives the title; the buttons come from the menus again.
  void SetBarInfoEx(SECControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;
  // Floating, the menu bar's frame has no system menu; a hide asked for
  // after an empty border negotiation is ignored once.
  void DelayShow(BOOL bShow) override;
  // The frame's in-place border negotiation left no border: the next hide is not meant.
  void IgnoreNextHide() { m_nKeepShown = 1; }

 protected:
  void CreateMenuFont();
  // A floating bar's mini frame goes without its system menu.
  void DropFloatingSysMenu();

  std::vector<SECBtnMapEntry> m_descs;  // one per top-level popup, ended by a zero record
  CMap<UINT, UINT, DWORD, DWORD> m_mapMenuBits{10};
  std::vector<CString> m_titles;
  HFONT m_hMenuFont = nullptr;
  DWORD m_dwMenuMask = 0;
  UINT m_nIDCurrentMenu = 0;
  BOOL m_bStretch = FALSE;
  int m_nKeepShown = 0;  // hides to ignore
};
