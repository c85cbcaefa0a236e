// The records of the owner-drawn list: a row (SECListItem), one extra cell
// of a row (SECListSubItem), a column (SECListColumn) and the per-cell
// paint context handed to every paint and measure step.
#pragma once

#include <vector>

#include "platform/afx/afx.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/listview.h"

// True for a text pointer that owns a copy (neither NULL nor the callback).
inline bool SECListOwnsText(const char* text) { return text != nullptr && text != LPSTR_TEXTCALLBACK; }
// A heap copy of text; NULL stays NULL and the callback marker stays itself.
char* SECListCopyText(const char* text);
void SECListFreeText(char*& text);
// Copies text into a caller buffer of size bytes, always terminated when
// size > 0; returns the bytes copied without the terminator.
int SECListCopyToBuffer(const char* text, char* buffer, int size);

class SECListSubItem {
 public:
  SECListSubItem() = default;
  virtual ~SECListSubItem();
  SECListSubItem(const SECListSubItem&) = delete;
  SECListSubItem& operator=(const SECListSubItem&) = delete;

  char* m_pszText = LPSTR_TEXTCALLBACK;
  DWORD m_dwReserved = 0;
  CRect m_rcText{0, 0, 0, 0};
};

class SECListItem {
 public:
  SECListItem() = default;
  virtual ~SECListItem();
  SECListItem(const SECListItem&) = delete;
  SECListItem& operator=(const SECListItem&) = delete;

  // Sub-items count from 1; sub-item n sits at array index n - 1.
  int AddSubItem();
  void InsertSubItem(int index);
  BOOL RemoveSubItem(int n);
  SECListSubItem* GetSubItem(int n) const;
  int GetSubItemCount() const { return static_cast<int>(m_subItems.size()); }

  std::vector<SECListSubItem*> m_subItems;
  char* m_pszText = nullptr;
  UINT m_state = 0;
  int m_iImage = 0;
  LPARAM m_lParam = 0;
  int m_cy = 0;  // measured height; -1: measure from scratch (read as 0)
  UINT m_stateEx = 0;
  BOOL m_bDirty = TRUE;  // needs measuring
  CRect m_rcText{0, 0, 0, 0};
  CRect m_rcIcon{0, 0, 0, 0};
  CRect m_rcStateIcon{0, 0, 0, 0};

  int Height() const { return m_cy < 0 ? 0 : m_cy; }
};

struct SECListColumn {
  int fmt = LVCFMT_LEFT;
  int cx = 0;
  CString strHeading;
  int iSubItem = 0;
  int iImage = -1;
  // The alignment bits of the format (LVCFMT_BITMAP_ON_RIGHT left out).
  int Alignment() const { return (fmt & ~LVCFMT_BITMAP_ON_RIGHT) & LVCFMT_JUSTIFYMASK; }
};

// The second state word of a row, asked for through GetItemEx.
struct SECListItemExRequest {
  UINT mask = 0;
  UINT state = 0;
  UINT stateMask = 0;
};
inline constexpr UINT kSECListExState = 0x1;          // request mask: the state word
inline constexpr UINT kSECListExDisabledRow = 0x100;  // state: drawn in the disabled colour

class SECListPaintContext {
 public:
  explicit SECListPaintContext(CDC* pDC) : pdc(pDC) {}
  virtual ~SECListPaintContext() = default;
  SECListPaintContext(const SECListPaintContext&) = delete;
  SECListPaintContext& operator=(const SECListPaintContext&) = delete;

  LV_ITEM lvi{};
  SECListItemExRequest lviEx;
  CDC* pdc = nullptr;
  CRect rect{0, 0, 0, 0};
  int iCol = 0;
  UINT nView = 0;
  int reserved = 0;
  CFont* pFont = nullptr;
  SECListItem* pItem = nullptr;
  SECListSubItem* pSubItem = nullptr;
  SECListColumn* pCol = nullptr;
  COLORREF rgbText = 0;
  COLORREF rgbTextBkgnd = 0;
  COLORREF rgbItemBkgnd = 0;
  COLORREF rgbIconBkgnd = 0;
};
