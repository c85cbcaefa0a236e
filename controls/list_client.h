// The interface through which the list's companion windows (the in-place
// edit and the label tip) call back into their list.
#pragma once

#include "platform/afx/afx.h"

class SECListClient {
 public:
  virtual ~SECListClient() = default;
  virtual HWND GetHwnd() const { return nullptr; }
  virtual BOOL IsLabelWrap() const { return FALSE; }
  virtual BOOL EndLabelEdit(BOOL bCommit) { return FALSE; }
  virtual int GetColumnSubItem(int nCol) const { return -1; }
  virtual BOOL GetScrollOrigin(POINT* pt) const { return FALSE; }
  virtual void GetInsideRect(RECT* rect) const {}
  virtual BOOL GetCellRect(int nRow, int nCol, RECT* rect, int nCode) { return FALSE; }
  virtual CString GetCellText(int nRow, int nSubItem) { return CString(); }
  virtual void ClientToScreen(RECT* rect) const {}
  virtual CWnd* CaptureMouse(BOOL bCapture) { return nullptr; }
  virtual BOOL IsItemSelected(int nRow) const { return FALSE; }
  virtual COLORREF GetSelTextColor() const { return 0; }
  virtual COLORREF GetSelTextBkColor() const { return 0; }
  virtual COLORREF GetTipTextColor() const { return 0; }
  virtual COLORREF GetTipBkColor() const { return 0; }
  virtual CFont* GetItemFont() const { return nullptr; }
  virtual UINT GetItemState(int nRow, UINT nMask) const { return 0; }
};
