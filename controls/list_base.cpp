// Construction, colours, fonts, styles and the client interface of the list.
#include "controls/list_base.h"

#include "controls/list_edit.h"
#include "controls/list_tip.h"

namespace {
// The system colour of each colour-table entry.
constexpr int kListColourSources[kSECColourCount] = {
    COLOR_WINDOWTEXT,     // text
    COLOR_WINDOW,         // text background
    COLOR_HIGHLIGHTTEXT,  // selected text
    COLOR_HIGHLIGHT,      // selected background
    COLOR_GRAYTEXT,       // disabled text
    COLOR_WINDOW,         // label background
    COLOR_WINDOW,         // selected label background
    COLOR_INFOBK,         // tip background
    COLOR_INFOTEXT,       // tip text
    COLOR_WINDOW,         // background
};
constexpr DWORD kListStyleSplitMask = 0xF3FF;
constexpr DWORD kListStyleExSplitMask = 0x1FF00000;
}  // namespace

SECListBaseC::SECListBaseC() {
  m_pszTextBuffer = new char[kSECListTextBufferSize];
  m_pszTextBuffer[0] = '\0';
  m_pTip = new SECListTip(this);
  m_pEdit = new SECListEdit(this);
  m_bTrackSysColours = TRUE;
  ReloadColours();
  m_bTrackSysColours = FALSE;
}

SECListBaseC::~SECListBaseC() {
  if (m_hWnd) DestroyWindow();
  delete m_pTip;
  delete m_pEdit;
  delete[] m_pszTextBuffer;
  // Without a window the rows and columns were never given up by WM_DESTROY.
  for (SECListItem* item : m_items) delete item;
  for (SECListColumn* col : m_columns) delete col;
  if (!HasListStyle(LVS_SHAREIMAGELISTS))
    for (CImageList*& list : m_imageLists) {
      delete list;
      list = nullptr;
    }
  for (CImageList* list : m_replacedImageLists) delete list;
}

void SECListBaseC::ReloadColours() {
  if (!m_bTrackSysColours) return;
  for (int i = 0; i < kSECColourCount; ++i) m_colours[i] = ::GetSysColor(kListColourSources[i]);
}

BOOL SECListBaseC::SetColour(SECListColour which, COLORREF rgb) {
  m_colours[which] = rgb;
  return TRUE;
}

COLORREF SECListBaseC::GetBkColor() const {
  if (HasWindow() && !IsWindowEnabled()) return ::GetSysColor(COLOR_MENU);
  return m_colours[kSECColourBk];
}

BOOL SECListBaseC::SetBkColor(COLORREF rgb) {
  SetColour(kSECColourBk, rgb);
  return SetTextBkColor(rgb);
}

CFont* SECListBaseC::GetHeaderFont() const {
  return m_pHeaderFont ? m_pHeaderFont
                       : CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
}

CFont* SECListBaseC::GetItemFont() const {
  return m_pItemFont ? m_pItemFont
                     : CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
}

void SECListBaseC::OnSysColorChange() { ReloadColours(); }

// ---- Styles ----

void SECListBaseC::SplitCreateStyles(CREATESTRUCT* pcs) {
  m_dwListStyle |= pcs->style & kListStyleSplitMask;
  pcs->style &= ~kListStyleSplitMask;
  m_dwListStyleEx |= pcs->dwExStyle & kListStyleExSplitMask;
  pcs->dwExStyle &= ~kListStyleExSplitMask;
}

BOOL SECListBaseC::GetListStyles(DWORD& dwStyle, DWORD& dwStyleEx) const {
  dwStyle = m_dwListStyle;
  dwStyleEx = m_dwListStyleEx;
  return TRUE;
}

BOOL SECListBaseC::SetListStyle(DWORD dwStyle, BOOL bRedraw) {
  const DWORD old = m_dwListStyle;
  m_dwListStyle = dwStyle;
  EndLabelEdit(TRUE);
  KillEditTimer();
  m_pTip->Hide();
  if ((old ^ dwStyle) & LVS_NOLABELWRAP) {
    ResetItemHeights();
    RecalcLayout();
  }
  if (bRedraw) {
    RecalcLayout();
    if (HasWindow()) Invalidate(TRUE);
  }
  return TRUE;
}

BOOL SECListBaseC::SetListStyleEx(DWORD dwStyleEx, BOOL bRedraw) {
  EndLabelEdit(TRUE);
  m_pTip->Hide();
  const bool stretchOn = !(m_dwListStyleEx & LVXS_STRETCHLABEL) && (dwStyleEx & LVXS_STRETCHLABEL);
  if (stretchOn) SizeLabelColumn();
  m_dwListStyleEx = dwStyleEx;
  if (bRedraw) {
    RecalcLayout();
    if (HasWindow()) Invalidate(TRUE);
  }
  return TRUE;
}

BOOL SECListBaseC::SetListStyles(DWORD dwStyle, DWORD dwStyleEx, BOOL bRedraw) {
  return SetListStyle(dwStyle, FALSE) && SetListStyleEx(dwStyleEx, bRedraw);
}

BOOL SECListBaseC::ModifyListStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw) {
  return SetListStyle((m_dwListStyle & ~dwRemove) | dwAdd, bRedraw);
}

BOOL SECListBaseC::ModifyListStyleEx(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw) {
  return SetListStyleEx((m_dwListStyleEx & ~dwRemove) | dwAdd, bRedraw);
}

BOOL SECListBaseC::ModifyListStyles(DWORD dwRemove, DWORD dwAdd, DWORD dwRemoveEx, DWORD dwAddEx,
                                    BOOL bRedraw) {
  return ModifyListStyle(dwRemove, dwAdd, FALSE) && ModifyListStyleEx(dwRemoveEx, dwAddEx, bRedraw);
}

void SECListBaseC::SetLabelWrap(BOOL bWrap) {
  if (bWrap)
    ModifyListStyle(LVS_NOLABELWRAP, 0);
  else
    ModifyListStyle(0, LVS_NOLABELWRAP);
}

void SECListBaseC::SetLabelTips(BOOL bTips) {
  if (bTips)
    ModifyListStyleEx(0, LVXS_LABELTIPS);
  else
    ModifyListStyleEx(LVXS_LABELTIPS, 0);
}

void SECListBaseC::EnableMultiSelect(BOOL bMulti) {
  if (!bMulti && GetSelectedCount() > 1) DeselectAllExcept(-1);
  if (bMulti)
    ModifyListStyle(LVS_SINGLESEL, 0);
  else
    ModifyListStyle(0, LVS_SINGLESEL);
}

void SECListBaseC::ShowHeader(BOOL bShow, BOOL bSortable) {
  if (bShow)
    ModifyListStyle(LVS_NOCOLUMNHEADER | (bSortable ? LVS_NOSORTHEADER : 0), 0);
  else
    ModifyListStyle(0, LVS_NOCOLUMNHEADER | LVS_NOSORTHEADER);
}

// ---- Client interface ----

int SECListBaseC::GetColumnSubItem(int nCol) const {
  const SECListColumn* col = GetColumnRecord(nCol);
  return col ? col->iSubItem : -1;
}

BOOL SECListBaseC::GetScrollOrigin(POINT* pt) const {
  pt->x = m_xScroll;
  pt->y = m_yScroll;
  return TRUE;
}

void SECListBaseC::GetInsideRect(RECT* rect) const {
  ::SetRectEmpty(rect);
  if (!HasWindow()) return;
  GetClientRect(rect);
  if ((m_dwListStyle & LVS_TYPEMASK) == LVS_REPORT && IsHeaderVisible()) rect->top += m_cyHeader;
  if (m_dwScrollBars & WS_VSCROLL) rect->right -= ::GetSystemMetrics(SM_CXVSCROLL) - 1;
  if (m_dwScrollBars & WS_HSCROLL) rect->bottom -= ::GetSystemMetrics(SM_CYHSCROLL) - 1;
}

void SECListBaseC::GetClientRect(RECT* rect) const {
  if (HasWindow())
    CWnd::GetClientRect(rect);
  else
    ::SetRectEmpty(rect);
}

void SECListBaseC::ClientToScreen(RECT* rect) const {
  if (HasWindow()) CWnd::ClientToScreen(rect);
}

CWnd* SECListBaseC::CaptureMouse(BOOL bCapture) {
  if (!bCapture || !HasWindow()) return nullptr;
  return SetCapture();
}

BOOL SECListBaseC::IsItemSelected(int nRow) const {
  if (nRow == -1) return FALSE;
  return QueryState(nRow, LVIS_SELECTED) != 0;
}

CString SECListBaseC::GetCellText(int nRow, int nSubItem) {
  const int len = GetItemText(nRow, nSubItem, m_pszTextBuffer, kSECListTextBufferSize);
  return len > 0 ? CString(m_pszTextBuffer) : CString();
}
