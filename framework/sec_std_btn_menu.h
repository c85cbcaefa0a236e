// SECTBMenuBtn: a text button of a tool bar that drops a menu (the menu
// bar's top-level items); it carries the menu bar's values into its
// drop-down notification.
#pragma once

#include "framework/sec_std_btn.h"

class SECTBMenuBtn : public SECStdBtn {
 public:
  static const SECButtonCreate s_pfnCreate;

  SECTBMenuBtn() { m_nType = SECBtnMenu; }
  // params (when given): first value, second value, text (a string pointer), fourth value.
  void Init(SECCustomToolBar* pBar, const UINT_PTR* params) override;
  void AdjustSize() override;
  BOOL OnLButtonDown(CPoint point) override;
  void SelectImage(SECBtnDrawData& data) override {}
  void DrawImage(int x, int y, int cx, int cy, SECBtnDrawData& data, int xSrc, int ySrc) override {}
  void DrawFace(SECBtnDrawData& data, BOOL bFlat, int& x, int& y, int& cx, int& cy,
                int nImageWidth = -1) override;
  SECButtonClass GetButtonClass() const override { return SEC_BUTTON_CLASS(SECTBMenuBtn); }
  virtual void ShowMenu();
  virtual void ComputeMnemonic();

  CString m_strText;
  DWORD m_dwValue1 = 0;
  DWORD m_dwValue2 = 0;
  int m_nMnemonic = 0;
  DWORD m_dwValue4 = 0;
};
