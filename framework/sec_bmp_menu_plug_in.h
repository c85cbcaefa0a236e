// SECBmpMenuPlugIn: a frame plug-in that draws the frame's popup menus itself:
// string items become owner-drawn when their popup opens, and are measured
// and drawn with an image column (the command's toolbar image, or its check
// mark), the label and the accelerator right-aligned, in the system's menu
// colours and font; mnemonics of those items answer WM_MENUCHAR. Items
// owner-drawn by other code are left alone. The plug-in turns every item it
// converted back into a plain string item when it goes.
#pragma once

#include <vector>

#include "framework/sec_wnd_plug_in.h"

class SECBmpMgr;
#include "platform/afx/afx.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/menu.h"

// The record an owner-drawn item carries: its command, text and mnemonic.
class SECBmpMenuItemInfo : public CObject {
  DECLARE_DYNAMIC(SECBmpMenuItemInfo)
 public:
  UINT m_nID = 0;
  CString m_strText;
  int m_nMnemonic = 0;
};

class SECBmpMenuPlugIn : public SECWndPlugIn {
  DECLARE_DYNAMIC(SECBmpMenuPlugIn)
 public:
  explicit SECBmpMenuPlugIn(BOOL bOwnCheckBitmaps = FALSE);
  ~SECBmpMenuPlugIn() override;

  // Forgets menus that are gone and records no item carries any more.
  virtual void CleanUp();
  virtual void CreateMenuFont();
  virtual void CreateBoldMenuFont();
  // A monochrome mask of an image of the strip in `pSrcDC` (at nSrcX, 0):
  // white where the image shows the button face or highlight colour. The
  // mask is selected into `maskDC`, `hOld` being what was selected before.
  virtual BOOL CreateMask(CDC* pSrcDC, CDC& maskDC, CBitmap& maskBitmap, HGDIOBJ& hOld, int nWidth,
                          int nHeight, int nSrcX);
  // The image's background dithered as a checked tool bar button's.
  virtual void DrawCheckedBackground(CDC* pDC, int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int nSrcX);
  // The image embossed: highlight one pixel down and right, shadow on top.
  virtual void DrawDisabledImage(CDC* pDC, int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int nSrcX);
  // The small image of a command: the DC holding the image strip, the
  // image's index in it (-1 for none) and its size.
  virtual int GetItemImage(UINT nID, CDC*& pStrip, CSize& size);
  virtual void DrawItemImage(LPDRAWITEMSTRUCT lpDIS, CDC* pDC, CRect& rect, CDC* pStrip, int nIndex,
                             CSize size);

  // The store of button images (the frame passes its tool bar manager's);
  // reference-counted, both sizes kept.
  void SetBmpMgr(SECBmpMgr* pBmpMgr);
  SECBmpMgr* GetBmpMgr() const { return m_pBmpMgr; }

  LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam);
  void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS);
  void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS);
  LRESULT OnMenuChar(WPARAM wParam, LPARAM lParam);
  LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
  void OnSysColorChange();

  // The items converted in a menu, and whether an id belongs to someone else.
  int GetConvertedCount(HMENU hMenu) const;
  BOOL IsForeignItem(UINT nID) const;

 protected:
  struct MenuRecord {
    HMENU hMenu = nullptr;
    std::vector<SECBmpMenuItemInfo*> items;
  };
  MenuRecord* FindRecord(HMENU hMenu) const;
  SECBmpMenuItemInfo* FindInfo(const MenuRecord& record, ULONG_PTR data) const;
  // The record behind an owner-drawn item's data, when it is one of ours.
  SECBmpMenuItemInfo* OurInfo(ULONG_PTR data) const;
  void ReadColors();
  // Takes the strip out of the image DC again.
  void ReleaseStrip();
  // The check mark of an item without an image, or null for the system's.
  HBITMAP CheckBitmap(const MENUITEMINFO& mii, BOOL bChecked);
  void FreeBitmaps();
  // Turns the converted items of a menu back into string items.
  void Restore(MenuRecord& record);
  CFont* MenuFont(BOOL bBold);

  CMap<HMENU, HMENU, MenuRecord*, MenuRecord*> m_mapMenus{10};
  CMap<UINT, UINT, UINT, UINT> m_mapForeign{10};
  BOOL m_bOwnCheckBitmaps;
  CFont m_fontMenu;
  CFont m_fontBold;
  COLORREF m_clrHighlight = 0;
  COLORREF m_clrMenu = 0;
  COLORREF m_clrGrayText = 0;
  COLORREF m_clrHighlightText = 0;
  COLORREF m_clrMenuText = 0;
  COLORREF m_clrBtnHilite = 0;
  COLORREF m_clrBtnFace = 0;
  COLORREF m_clrBtnShadow = 0;
  CSize m_sizeImage{16, 15};
  SECBmpMgr* m_pBmpMgr = nullptr;
  CDC m_dcStrip;
  HGDIOBJ m_hOldStrip = nullptr;
  HBRUSH m_hDither = nullptr;
  HBITMAP m_hCheck = nullptr;  // with own check bitmaps: the program's check mark
  HBITMAP m_hRadio = nullptr;  // with own check bitmaps: the radio dot

  DECLARE_MESSAGE_MAP()
};
