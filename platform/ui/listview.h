// Records, flags and notification codes of the list-view programming model
// (items, columns, search flags, hit-test flags), with their published
// values, for controls that follow that model.
#pragma once

#include "platform/base/winctrl.h"
#include "platform/ui/wintypes.h"

// ---- Styles ----
#define LVS_ICON 0x0000
#define LVS_REPORT 0x0001
#define LVS_SMALLICON 0x0002
#define LVS_LIST 0x0003
#define LVS_TYPEMASK 0x0003
#define LVS_SINGLESEL 0x0004
#define LVS_SHOWSELALWAYS 0x0008
#define LVS_SHAREIMAGELISTS 0x0040
#define LVS_NOLABELWRAP 0x0080
#define LVS_EDITLABELS 0x0200
#define LVS_NOSCROLL 0x2000
#define LVS_NOCOLUMNHEADER 0x4000
#define LVS_NOSORTHEADER 0x8000

// ---- Items ----
#define LVIF_TEXT 0x0001
#define LVIF_IMAGE 0x0002
#define LVIF_PARAM 0x0004
#define LVIF_STATE 0x0008
#define LVIF_DI_SETITEM 0x1000
#define LVIS_FOCUSED 0x0001
#define LVIS_SELECTED 0x0002
#define LVIS_CUT 0x0004
#define LVIS_DROPHILITED 0x0008
#define LVNI_ALL 0x0000
#define LVNI_FOCUSED 0x0001
#define LVNI_SELECTED 0x0002
#define LVNI_CUT 0x0004
#define LVNI_DROPHILITED 0x0008
#define LVNI_ABOVE 0x0100
#define LVNI_BELOW 0x0200
#define LVNI_TOLEFT 0x0400
#define LVNI_TORIGHT 0x0800
#define LVSIL_NORMAL 0
#define LVSIL_SMALL 1
#define LVSIL_STATE 2

// ---- Columns ----
#define LVCF_FMT 0x0001
#define LVCF_WIDTH 0x0002
#define LVCF_TEXT 0x0004
#define LVCF_SUBITEM 0x0008
#define LVCF_IMAGE 0x0010
#define LVCFMT_LEFT 0x0000
#define LVCFMT_RIGHT 0x0001
#define LVCFMT_CENTER 0x0002
#define LVCFMT_JUSTIFYMASK 0x0003
#define LVCFMT_BITMAP_ON_RIGHT 0x1000

// ---- Hit testing ----
#define LVHT_NOWHERE 0x0001
#define LVHT_ONITEMICON 0x0002
#define LVHT_ONITEMLABEL 0x0004
#define LVHT_ONITEMSTATEICON 0x0008
#define LVHT_ABOVE 0x0008
#define LVHT_BELOW 0x0010
#define LVHT_TORIGHT 0x0020
#define LVHT_TOLEFT 0x0040

// ---- Notifications ----
#define LVN_FIRST (0U - 100U)
#define LVN_INSERTITEM (LVN_FIRST - 2)
#define LVN_DELETEITEM (LVN_FIRST - 3)
#define LVN_BEGINLABELEDITA (LVN_FIRST - 5)
#define LVN_ENDLABELEDITA (LVN_FIRST - 6)
#define LVN_COLUMNCLICK (LVN_FIRST - 8)
#define LVN_GETDISPINFOA (LVN_FIRST - 50)
#define LVN_KEYDOWN (LVN_FIRST - 55)
#define LVN_BEGINLABELEDIT LVN_BEGINLABELEDITA
#define LVN_ENDLABELEDIT LVN_ENDLABELEDITA
#define LVN_GETDISPINFO LVN_GETDISPINFOA

typedef struct tagLVITEMA {
  UINT mask;
  int iItem;
  int iSubItem;
  UINT state;
  UINT stateMask;
  LPSTR pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
  int iIndent;
} LVITEM, LV_ITEM, *LPLVITEM;

typedef struct tagLVCOLUMNA {
  UINT mask;
  int fmt;
  int cx;
  LPSTR pszText;
  int cchTextMax;
  int iSubItem;
  int iImage;
  int iOrder;
} LVCOLUMN, LV_COLUMN, *LPLVCOLUMN;

typedef struct tagNMLISTVIEW {
  NMHDR hdr;
  int iItem;
  int iSubItem;
  UINT uNewState;
  UINT uOldState;
  UINT uChanged;
  POINT ptAction;
  LPARAM lParam;
} NMLISTVIEW, NM_LISTVIEW, *LPNMLISTVIEW;

typedef struct tagLVDISPINFO {
  NMHDR hdr;
  LVITEM item;
} NMLVDISPINFO, LV_DISPINFO, *LPNMLVDISPINFO;

typedef struct tagLVKEYDOWN {
  NMHDR hdr;
  WORD wVKey;
  UINT flags;
} NMLVKEYDOWN, LV_KEYDOWN, *LPNMLVKEYDOWN;

typedef struct tagLVHITTESTINFO {
  POINT pt;
  UINT flags;
  int iItem;
  int iSubItem;
} LVHITTESTINFO, LV_HITTESTINFO, *LPLVHITTESTINFO;
