// SECStdBtn: one entry of a custom tool bar (an image button or a
// separator): command id, image index, state word, place and size. It
// measures itself from its bar, follows the mouse through the bar and draws
// itself off-screen with the bar's drawing resources before one blit.
#pragma once

#include "framework/sec_btn_draw_data.h"
#include "platform/afx/afx.h"

class SECCustomToolBar;
class SECStdBtn;

// Button style word (TBBS_* as the tool bar controls use them).
#define TBBS_SEPARATOR 0x00000001L
#define TBBS_CHECKBOX 0x00000002L
#define TBSTYLE_DROPDOWN 0x00000008L
#define TBBS_CHECKED 0x00010000L
#define TBBS_PRESSED 0x00020000L
#define TBBS_DISABLED 0x00040000L
#define TBBS_HIDDEN 0x00080000L
#define TBBS_INDETERMINATE 0x00100000L
#define TBBS_WRAPPED 0x00200000L
#define SEC_TBBS_SELECTED 0x01000000L
#define SEC_TBBS_HOT 0x02000000L
#define SEC_TBBS_NOAUTODISABLE 0x10000000L
#define SEC_TBBS_VCENTER 0x20000000L

// Button kinds.
enum SECButtonKind { SECBtnStandard = 0, SECBtnMenu = 3, SECBtnChildSysMenu = 4, SECBtnCaptionBoxes = 5 };

// Notification codes a button sends to its bar's owner.
#define TBN_DROPDOWN (-710)
#define SEC_TBN_MENUDROPDOWN (-2120)
#define SEC_TBN_MENUCLOSE (-2121)
#define SEC_TBN_MENUMODEON (-2122)
#define SEC_TBN_MENUMODEOFF (-2123)

// The record sent with every button notification (60 bytes).
struct SECBtnNotify {
  NMHDR hdr;
  int iItem;  // the command id
  BYTE reserved[28];
  int nIndex;  // the button's index in its bar
  DWORD dwValue1;
  DWORD dwValue2;
  DWORD dwReserved;
};

// A button class: its creation function; a class is named by the address
// of its stored function.
using SECButtonCreate = SECStdBtn* (*)();
using SECButtonClass = const SECButtonCreate*;
#define SEC_BUTTON_CLASS(class_name) (&class_name::s_pfnCreate)

class SECStdBtn {
 public:
  static const SECButtonCreate s_pfnCreate;

  SECStdBtn() = default;
  virtual ~SECStdBtn() = default;

  virtual void SetMode(DWORD dwOrientation) {}
  virtual void SetStyle(UINT nStyle) { m_nStyle = nStyle; }
  virtual UINT GetStyle() const { return m_nStyle; }
  virtual BOOL HasStyle(UINT nMask) const { return (m_nStyle & nMask) == nMask; }
  virtual void SetPos(int x, int y);
  virtual void Invalidate(BOOL bErase = FALSE) const;
  // Attaches to the bar; `params` (when given) are the button map's five words.
  virtual void Init(SECCustomToolBar* pBar, const UINT_PTR* params);
  virtual BOOL CanDrag() const { return TRUE; }
  virtual void Draw(CDC& dc, SECBtnDrawData& data);
  virtual BOOL OnLButtonDown(CPoint point);
  virtual void OnMouseMove(CPoint point);
  virtual void OnCancelMode();
  // The command id to post (0 when released outside).
  virtual UINT OnLButtonUp(CPoint point);
  virtual void OnHiddenChanged() {}
  virtual void BarStyleChanged(DWORD dwStyle) {}
  virtual INT_PTR OnToolHitTest(CPoint point, struct tagTOOLINFOA* pTI) const;
  // Code 1: clears the bits of `clear`, sets those of `set` and redraws.
  virtual void ChangeState(int nCode, UINT nSet, UINT nClear);
  virtual void AdjustSize();
  virtual BOOL GetPersistentData(BYTE*& pData, int& nLen) const { return FALSE; }
  virtual void SetPersistentData(const BYTE* pData, int nLen) {}
  virtual void SendNotify(int nCode, DWORD dwValue1, DWORD dwValue2) const;
  virtual void DrawFace(SECBtnDrawData& data, BOOL bFlat, int& x, int& y, int& cx, int& cy,
                        int nImageWidth = -1);
  virtual void DrawDisabled(SECBtnDrawData& data, int x, int y, int cx, int cy);
  virtual void DrawChecked(SECBtnDrawData& data, int x, int y, int cx, int cy);
  virtual void DrawIndeterminate(SECBtnDrawData& data, int x, int y, int cx, int cy);
  virtual void DrawSelectFrame(CDC& dc, const CRect& rect);
  virtual void SelectImage(SECBtnDrawData& data);
  virtual BOOL DrawSeparator(CDC& dc);
  virtual void DrawButton(SECBtnDrawData& data);
  virtual void DrawImage(int x, int y, int cx, int cy, SECBtnDrawData& data, int xSrc, int ySrc);
  virtual void DrawTransparent(CDC& dc, SECBtnDrawData& data);
  virtual void DrawSelection(SECBtnDrawData& data);
  virtual void BlitToScreen(CDC& dc, SECBtnDrawData& data);
  virtual SECButtonClass GetButtonClass() const { return SEC_BUTTON_CLASS(SECStdBtn); }

  CRect GetRect() const { return CRect(m_x, m_y, m_x + m_cx, m_y + m_cy); }
  // The button's index in its bar (-1 when not found).
  int GetIndex() const;

  UINT m_nID = 0;
  int m_nImage = 0;
  UINT m_nStyle = 0;
  int m_x = -1;
  int m_y = -1;
  int m_cx = 23;
  int m_cy = 22;
  int m_nType = SECBtnStandard;
  SECCustomToolBar* m_pBar = nullptr;

 protected:
  // Redraws the button in its bar at once.
  void Redraw() const;
  // The face-coloured and highlight-coloured pixels of the button image white.
  void CreateMask(SECBtnDrawData& data, int x, int y, int cx, int cy);
};
