// The buttons a menu bar shows for a maximised MDI child: its system-menu
// icon at the left (SECCapMenuBtn) and its minimise, restore and close boxes
// at the right (SECBtnCaption).
#pragma once

#include "framework/sec_std_btn_menu.h"

// The menu-button value that names the MDI child's system menu.
#define SEC_MENUBAR_SYSMENU_INDEX 0xFFFFFFFFu

class SECBtnCaption : public SECStdBtn {
 public:
  // Boxes, left to right.
  enum Box { kNone = -1, kMinimize = 0, kRestore = 1, kClose = 2 };

  SECBtnCaption();
  void AdjustSize() override;
  BOOL CanDrag() const override { return FALSE; }
  void Draw(CDC& dc, SECBtnDrawData& data) override;
  BOOL OnLButtonDown(CPoint point) override;
  void OnMouseMove(CPoint point) override;
  void OnCancelMode() override;
  UINT OnLButtonUp(CPoint point) override;

  // The box under a bar point; boxes the child's style lacks do not hit.
  int HitTest(CPoint point) const;
  CRect BoxRect(int nBox) const;
  BOOL IsBoxEnabled(int nBox) const;
  void SetChildStyle(DWORD dwStyle) { m_dwChildStyle = dwStyle; }

  DWORD m_dwChildStyle = 0;
  int m_nPressedBox = kNone;
  BOOL m_bPressedLook = FALSE;

 private:
  int BoxWidth() const;
  int BoxHeight() const;
};

class SECCapMenuBtn : public SECTBMenuBtn {
 public:
  SECCapMenuBtn();
  void AdjustSize() override;
  BOOL CanDrag() const override { return FALSE; }
  void DrawFace(SECBtnDrawData& data, BOOL bFlat, int& x, int& y, int& cx, int& cy,
                int nImageWidth = -1) override;
  HICON m_hIcon = nullptr;
};
