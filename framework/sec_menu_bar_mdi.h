// SECMDIMenuBar: the menu bar of an MDI frame. While the active child is
// maximised it shows the child's system-menu icon first and the child's
// caption boxes last; both buttons belong to the bar, not its button list.
#pragma once

#include "framework/sec_menu_bar.h"
#include "framework/sec_menu_bar_buttons.h"

class SECMDIMenuBar : public SECMenuBar {
  DECLARE_DYNCREATE(SECMDIMenuBar)
 public:
  SECMDIMenuBar();
  ~SECMDIMenuBar() override;

  // Shows or hides the MDI buttons for the active child; TRUE when anything changed.
  virtual BOOL UpdateMDIButtons(BOOL bForce);
  virtual void ShowMenuMaskNoLayout(DWORD dwMask) { ShowMenuMask(dwMask, FALSE); }

  BOOL SetButtons(const UINT* lpIDArray, int nIDCount) override;
  void RemoveAllButtons() override;
  void ResetButtons(BOOL bNoLayout) override;
  void GetBarInfoEx(SECControlBarInfo* pInfo) override;
  void SetBarInfoEx(SECControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;
  BOOL DropButton(const CRect& rect, SECStdBtn* pBtn, BOOL bCopy, BOOL bNoLayout) override;

  SECCapMenuBtn& SysMenuButton() { return m_btnSysMenu; }
  SECBtnCaption& CaptionButton() { return m_btnCaption; }

 protected:
  // Takes the two MDI buttons out of the button array.
  void TakeOutMDIButtons();
  // Puts them back: the system-menu button first, the caption button last.
  void PutBackMDIButtons();
  CMDIChildWnd* ActiveMaximisedChild() const;

  SECBtnCaption m_btnCaption;
  SECCapMenuBtn m_btnSysMenu;
  DWORD m_dwLastChildStyle = 0;
  HICON m_hLastIcon = nullptr;
};
