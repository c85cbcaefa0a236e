// Records of the standard and common controls: owner drawing, spin
// buttons, tree views and tool tips.
#pragma once

#include "platform/base/winctrl.h"
#include "platform/ui/wintypes.h"

typedef struct tagCOMPAREITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  HWND hwndItem;
  UINT itemID1;
  ULONG_PTR itemData1;
  UINT itemID2;
  ULONG_PTR itemData2;
  DWORD dwLocaleId;
} COMPAREITEMSTRUCT, *LPCOMPAREITEMSTRUCT;

typedef struct tagDELETEITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  UINT itemID;
  HWND hwndItem;
  ULONG_PTR itemData;
} DELETEITEMSTRUCT, *LPDELETEITEMSTRUCT;

typedef struct _NM_UPDOWN {
  NMHDR hdr;
  int iPos;
  int iDelta;
} NMUPDOWN, *LPNMUPDOWN, NM_UPDOWN;

typedef struct _UDACCEL {
  UINT nSec;
  UINT nInc;
} UDACCEL, *LPUDACCEL;

typedef struct PBRANGE {
  int iLow;
  int iHigh;
} PBRANGE, *PPBRANGE;

typedef struct tagTVITEMA {
  UINT mask;
  HTREEITEM hItem;
  UINT state;
  UINT stateMask;
  LPSTR pszText;
  int cchTextMax;
  int iImage;
  int iSelectedImage;
  int cChildren;
  LPARAM lParam;
} TVITEM, TV_ITEM, *LPTVITEM;

typedef struct tagTVINSERTSTRUCTA {
  HTREEITEM hParent;
  HTREEITEM hInsertAfter;
  TVITEM item;
} TVINSERTSTRUCT, TV_INSERTSTRUCT, *LPTVINSERTSTRUCT;

typedef struct tagNMTREEVIEWA {
  NMHDR hdr;
  UINT action;
  TVITEM itemOld;
  TVITEM itemNew;
  POINT ptDrag;
} NMTREEVIEW, NM_TREEVIEW, *LPNMTREEVIEW;

typedef struct tagTVDISPINFOA {
  NMHDR hdr;
  TVITEM item;
} NMTVDISPINFO, TV_DISPINFO, *LPNMTVDISPINFO;

typedef struct tagTVKEYDOWN {
  NMHDR hdr;
  WORD wVKey;
  UINT flags;
} NMTVKEYDOWN, TV_KEYDOWN, *LPNMTVKEYDOWN;

typedef struct tagTVHITTESTINFO {
  POINT pt;
  UINT flags;
  HTREEITEM hItem;
} TVHITTESTINFO, TV_HITTESTINFO, *LPTVHITTESTINFO;

typedef int(CALLBACK* PFNTVCOMPARE)(LPARAM, LPARAM, LPARAM);
typedef struct tagTVSORTCB {
  HTREEITEM hParent;
  PFNTVCOMPARE lpfnCompare;
  LPARAM lParam;
} TVSORTCB, *LPTVSORTCB;

typedef struct tagTOOLINFOA {
  UINT cbSize;
  UINT uFlags;
  HWND hwnd;
  UINT_PTR uId;
  RECT rect;
  HINSTANCE hinst;
  LPSTR lpszText;
  LPARAM lParam;
} TOOLINFO, TTTOOLINFO, *LPTOOLINFO;

typedef struct tagNMTTDISPINFOA {
  NMHDR hdr;
  LPSTR lpszText;
  char szText[80];
  HINSTANCE hinst;
  UINT uFlags;
  LPARAM lParam;
} NMTTDISPINFO, TOOLTIPTEXT, TOOLTIPTEXTA, *LPNMTTDISPINFO, *LPTOOLTIPTEXT;

typedef struct _TT_HITTESTINFOA {
  HWND hwnd;
  POINT pt;
  TOOLINFO ti;
} TTHITTESTINFO, *LPTTHITTESTINFO;

// The layer's own list box message: the list's items become the given
// ones (wParam: their number; lParam: an array of what LB_ADDSTRING takes),
// as LB_RESETCONTENT and an LB_ADDSTRING for each would leave them, with one
// repaint and one scroll bar update. A plain list keeps its items' storage.
// Returns the number of items, LB_ERR for a negative number or no array.
constexpr UINT LB_REPLACECONTENT = 0x01C0;

// The common controls register with the standard ones; kept for callers.
inline void InitCommonControls() {}
