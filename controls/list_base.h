// SECListBaseC: the owner-drawn multi-column list. It keeps its own rows,
// cells, columns, selection, focus and drop highlight, measures its rows
// lazily, paints itself off-screen and follows the list-view programming
// model (LV_ITEM, LV_COLUMN, LVN_ notifications to its owner). The tree
// control derives from it; SECListCtrl (list_ctrl.h) gives it its message
// map. Without a window it works as a model (drawing does nothing).
#pragma once

#include <vector>

#include "controls/list_client.h"
#include "controls/list_height_index.h"
#include "controls/list_records.h"
#include "controls/list_selection.h"
#include "platform/afx/afx.h"
#include "platform/ui/afxcmn.h"
#include "platform/ui/afxctrl.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/imagelist.h"
#include "platform/ui/listview.h"

class SECListEdit;
class SECListTip;

// Extended list style bits (taken from bits 20 to 28 of the extended window
// style at creation; 0x10 only through the setters).
#define LVXS_HEADERDRAGDROP 0x00000010
#define LVXS_LABELTIPS 0x00100000
#define LVXS_HGRIDLINES 0x00400000
#define LVXS_VGRIDLINES 0x00800000
#define LVXS_FULLROWSELECT 0x02000000
#define LVXS_STRETCHLABEL 0x04000000
#define LVXS_KEEPCOLUMNWIDTHS 0x08000000

// Own hit-test bits beside the LVHT_ ones.
inline constexpr UINT kSECListHitDivider = 0x800;
inline constexpr UINT kSECListHitHeader = 0x1000;
inline constexpr UINT kSECListHitRow = 0x2000;
inline constexpr UINT kSECListHitLeftOfLabel = 0x4000;
inline constexpr UINT kSECListHitRightOfLabel = 0x8000;

// GetCellRect codes.
inline constexpr int kSECListRectBounds = 0;
inline constexpr int kSECListRectIcon = 1;
inline constexpr int kSECListRectLabel = 2;

// Type-ahead flags.
inline constexpr UINT kSECTypeAheadActive = 0x1;
inline constexpr UINT kSECTypeAheadKeyed = 0x2;
inline constexpr UINT kSECTypeAheadFailed = 0x4;
inline constexpr UINT kSECTypeAheadOff = 0x8;

// Child ids and timers.
inline constexpr UINT kSECListHScrollId = 59904;
inline constexpr UINT kSECListVScrollId = 59920;
inline constexpr UINT kSECListEditId = 1;
inline constexpr UINT kSECListDividerCursorId = 20692;
inline constexpr UINT_PTR kSECListEditTimer = 1;
inline constexpr UINT_PTR kSECListScrollTimer = 2;
inline constexpr UINT_PTR kSECListTypeAheadTimer = 3;
inline constexpr UINT kSECListEditDelayMs = 500;
inline constexpr int kSECListTextBufferSize = 2048;

// Entries of the colour table.
enum SECListColour {
  kSECColourText,
  kSECColourTextBk,
  kSECColourSelText,
  kSECColourSelTextBk,
  kSECColourDisabledText,
  kSECColourLabelBk,
  kSECColourSelLabelBk,
  kSECColourTipBk,
  kSECColourTipText,
  kSECColourBk,
  kSECColourCount
};

class SECListBaseC : public CWnd, public SECListClient {
 public:
  SECListBaseC();
  ~SECListBaseC() override;

  // ---- 1. Creation ----
  virtual BOOL Create(DWORD dwStyle, DWORD dwExStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                      LPVOID lpParam = nullptr);
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
  BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
              UINT nID, void* pContext = nullptr) override;
  BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                LPVOID lpParam = nullptr) override;
  virtual BOOL ReplaceDlgItem(UINT nID, CWnd* pParentWnd);

  // ---- 2. Colours and fonts ----
  virtual COLORREF GetBkColor() const;
  virtual COLORREF GetTextColor() const { return m_colours[kSECColourText]; }
  virtual COLORREF GetTextBkColor() const { return m_colours[kSECColourTextBk]; }
  virtual COLORREF GetDisabledTextColor() const { return m_colours[kSECColourDisabledText]; }
  virtual COLORREF GetLabelBkColor() const { return m_colours[kSECColourLabelBk]; }
  virtual COLORREF GetSelLabelBkColor() const { return m_colours[kSECColourSelLabelBk]; }
  virtual CFont* GetHeaderFont() const;
  virtual CWnd* GetNotifyWnd() const { return m_pNotifyWnd; }
  virtual BOOL SetBkColor(COLORREF rgb);
  virtual BOOL SetTextColor(COLORREF rgb) { return SetColour(kSECColourText, rgb); }
  virtual BOOL SetTextBkColor(COLORREF rgb) { return SetColour(kSECColourTextBk, rgb); }
  virtual BOOL SetSelTextColor(COLORREF rgb) { return SetColour(kSECColourSelText, rgb); }
  virtual BOOL SetSelTextBkColor(COLORREF rgb) { return SetColour(kSECColourSelTextBk, rgb); }
  virtual BOOL SetDisabledTextColor(COLORREF rgb) { return SetColour(kSECColourDisabledText, rgb); }
  virtual BOOL SetLabelBkColor(COLORREF rgb) { return SetColour(kSECColourLabelBk, rgb); }
  virtual BOOL SetSelLabelBkColor(COLORREF rgb) { return SetColour(kSECColourSelLabelBk, rgb); }
  virtual BOOL SetTipBkColor(COLORREF rgb) { return SetColour(kSECColourTipBk, rgb); }
  virtual BOOL SetTipTextColor(COLORREF rgb) { return SetColour(kSECColourTipText, rgb); }
  virtual void SetItemFont(CFont* pFont) { m_pItemFont = pFont; }
  virtual void SetHeaderFont(CFont* pFont) { m_pHeaderFont = pFont; }
  virtual void SetNotifyWnd(CWnd* pWnd) { m_pNotifyWnd = pWnd; }
  virtual void SetTrackSysColors(BOOL bTrack) { m_bTrackSysColours = bTrack; }
  virtual BOOL GetTrackSysColors() const { return m_bTrackSysColours; }

  // ---- 3. Timers, redraw and row geometry ----
  virtual UINT_PTR StartScrollTimer(UINT nPeriod);
  virtual BOOL KillScrollTimer();
  virtual BOOL UpdateItem(int nRow, BOOL bLabelOnly = FALSE, BOOL bErase = FALSE, BOOL bToEnd = FALSE,
                          BOOL bNow = FALSE);
  virtual void UpdateItems(int nFirst, int nLast);
  virtual int GetTopIndex() const { return m_nTopIndex; }
  virtual int GetCountPerPage();
  virtual int GetCountPerPageAtEnd(BOOL bMeasure = TRUE);
  virtual int GetMaxTopIndex();
  virtual int GetLastFullyVisibleIndex(BOOL bMeasure = TRUE);
  virtual int GetEndVisibleIndex();
  virtual int GetPageUpIndex();
  virtual int IndexFromOffset(const POINT* pt);
  virtual int IndexFromOffset(int y);
  virtual int IndexFromY(int y);
  virtual BOOL SetItemHeight(int nRow, int cy);
  virtual int GetRowsHeight(int nFirst, int nLast, BOOL bInclusive);
  virtual int CountRowsInHeight(int cy, int nStart, BOOL bDown = TRUE);
  virtual void RecalcLayout();
  virtual void RecalcItem(int nRow);

  // ---- 4. Columns ----
  virtual BOOL DeleteColumn(LPCSTR lpszHeading);
  virtual BOOL DeleteColumn(int nCol);
  virtual BOOL DeleteAllColumns();
  virtual BOOL AppendColumn(const LV_COLUMN* pColumn);
  virtual BOOL AppendColumn(LPCSTR lpszHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1,
                            int nImage = -1);
  virtual BOOL AppendColumnRecord(SECListColumn* pCol);
  virtual BOOL InsertColumn(int nCol, const LV_COLUMN* pColumn, BOOL bRedraw = TRUE);
  virtual BOOL InsertColumn(int nCol, LPCSTR lpszHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                            int nSubItem = -1, int nImage = -1, BOOL bRedraw = TRUE);
  virtual BOOL InsertColumnRecord(int nCol, SECListColumn* pCol, BOOL bRedraw = TRUE);
  virtual BOOL MoveColumn(int nFrom, int nTo, BOOL bRedraw = TRUE);
  virtual BOOL GetColumn(int nCol, LV_COLUMN* pColumn) const;
  virtual BOOL SetColumn(int nCol, const LV_COLUMN* pColumn, BOOL bRedraw = TRUE);
  virtual int GetColumnLeft(int nCol) const;
  virtual int GetColumnRight(int nCol) const;
  virtual BOOL SetColumnWidth(int nCol, int cx);
  virtual int GetColumnWidth(int nCol) const;
  virtual BOOL SetColumnFormat(int nCol, int nFormat);
  virtual int GetColumnFormat(int nCol) const;
  virtual BOOL SetColumnHeading(int nCol, LPCSTR lpszHeading);
  virtual CString GetColumnHeading(int nCol) const;
  virtual BOOL FindColumn(LPCSTR lpszHeading) const;
  virtual int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
  virtual BOOL FindColumn(LPCSTR lpszHeading, int& nCol, int& nSubItem) const;
  virtual SECListColumn* GetColumnRecord(int nCol) const;

  // ---- 5. Items ----
  virtual LPARAM GetRecordData(const SECListItem* pItem) const { return pItem ? pItem->m_lParam : 0; }
  virtual int GetItemCount() const { return static_cast<int>(m_items.size()); }
  virtual int GetSubItemCount() const { return m_nSubItems; }
  virtual BOOL SetItem(const LV_ITEM* pItem, BOOL bRedraw = TRUE);
  virtual BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCSTR lpszItem, int nImage, UINT nState,
                       UINT nStateMask, LPARAM lParam);
  virtual BOOL SetItemEx(const LV_ITEM* pItem, const SECListItemExRequest* pRequest);
  virtual BOOL GetItem(LV_ITEM* pItem, BOOL bCopyText = TRUE, BOOL bNotify = TRUE) const;
  virtual BOOL GetItemEx(const LV_ITEM* pItem, SECListItemExRequest* pRequest, BOOL bNotify = TRUE) const;
  virtual BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
  virtual int GetItemText(int nItem, int nSubItem, LPSTR lpszText, int nLen) const;
  virtual BOOL DeleteItem(SECListItem* pItem);
  virtual BOOL DeleteItem(int nItem, int nCount = 1);
  virtual BOOL DeleteAllItems();
  virtual int GetSelectedCount() const { return m_selection.GetSize(); }
  virtual BOOL GetItemRect(int nItem, RECT* rect, int nCode = kSECListRectBounds);
  virtual int InsertItemRecord(int nItem, SECListItem* pItem);
  virtual int InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                         LPARAM lParam);
  virtual int InsertItem(int nItem, LPCSTR lpszItem, int nImage);
  virtual int InsertItem(int nItem, LPCSTR lpszItem);
  virtual int InsertItem(const LV_ITEM* pItem);
  virtual int InsertItemAfter(SECListItem* pAfter, LV_ITEM* pItem);
  virtual int InsertItemBefore(SECListItem* pBefore, LV_ITEM* pItem);
  virtual BOOL SetFocusItem(int nItem, BOOL bSelect = TRUE);
  virtual BOOL SetFocusIndex(int nItem);
  virtual void DeselectAllExcept(int nItem);
  virtual void SelectRange(int nFirst, int nLast, BOOL bSelect = TRUE);
  virtual int GetFocusIndex() const { return m_nFocusIndex; }
  virtual BOOL GetContentSize(SIZE* size, BOOL bMeasure = FALSE);
  virtual BOOL SetItemState(int nItem, UINT nState, UINT nMask);
  virtual UINT GetItemState(int nItem, UINT nMask);
  virtual BOOL SetItemData(int nItem, LPARAM lParam);
  virtual LPARAM GetItemData(int nItem) const;
  virtual BOOL SelectItem(int nItem, BOOL bSelect = TRUE);
  virtual UINT GetCallbackMask() const { return m_nCallbackMask; }
  virtual BOOL SetCallbackMask(UINT nMask);
  virtual UINT GetCallbackMaskEx() const { return m_nCallbackMaskEx; }
  virtual BOOL SetCallbackMaskEx(UINT nMask);
  virtual BOOL IsCallbackItem(int nItem) const;
  virtual int GetNextItem(int nItem, int nFlags) const;
  virtual void SetDropHilightIndex(int nItem);
  virtual int GetDropHilightIndex() const { return m_nDropHilightIndex; }

  // ---- 6. Image lists, hit-testing and scrolling ----
  virtual CImageList* GetImageList(int nKind) const;
  virtual CImageList* SetImageList(CImageList* pImageList, int nKind);
  virtual BOOL CopyImageList(CImageList* pSource, CImageList** ppDest);
  virtual int HitTest(int x, int y, UINT* pFlags, int* pCol);
  virtual void SetTopIndex(int nRow);
  virtual void ScrollHorz(int dx);
  virtual void ScrollRows(int nRows, BOOL bFromBottom = FALSE);
  virtual BOOL EnsureVisible(int nRow, BOOL bPartialOK = FALSE);
  virtual BOOL EnsureRangeVisible(int nFirst, int nLast);

  // ---- 7. Label editing ----
  virtual CEdit* EditLabel(int nRow, int nCol);
  virtual CEdit* GetEditControl() const;
  virtual BOOL KillEditTimer();

  // ---- 8. Styles ----
  virtual BOOL HasListStyle(DWORD dwBits) const { return (m_dwListStyle & dwBits) == dwBits; }
  virtual BOOL HasListStyleEx(DWORD dwBits) const { return (m_dwListStyleEx & dwBits) == dwBits; }
  virtual BOOL GetListStyles(DWORD& dwStyle, DWORD& dwStyleEx) const;
  virtual BOOL SetListStyles(DWORD dwStyle, DWORD dwStyleEx, BOOL bRedraw = TRUE);
  virtual DWORD GetListStyle() const { return m_dwListStyle; }
  virtual DWORD GetListStyleEx() const { return m_dwListStyleEx; }
  virtual BOOL SetListStyle(DWORD dwStyle, BOOL bRedraw = TRUE);
  virtual BOOL SetListStyleEx(DWORD dwStyleEx, BOOL bRedraw = TRUE);
  virtual BOOL ModifyListStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw = TRUE);
  virtual BOOL ModifyListStyleEx(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw = TRUE);
  virtual BOOL ModifyListStyles(DWORD dwRemove, DWORD dwAdd, DWORD dwRemoveEx, DWORD dwAddEx,
                                BOOL bRedraw = TRUE);
  virtual void SetLabelWrap(BOOL bWrap);
  virtual void SetLabelTips(BOOL bTips);
  virtual void EnableMultiSelect(BOOL bMulti);
  virtual BOOL GetLabelTips() const { return (m_dwListStyleEx & LVXS_LABELTIPS) ? 1 : 0; }
  virtual BOOL IsHeaderVisible() const { return (m_dwListStyle & LVS_NOCOLUMNHEADER) == 0; }
  virtual void ShowHeader(BOOL bShow, BOOL bSortable = TRUE);
  virtual BOOL IsMultiSelect() const { return (m_dwListStyle & LVS_SINGLESEL) == 0; }
  virtual void EnableRedraw(BOOL bRedraw) { m_bRedraw = bRedraw; }
  virtual BOOL IsRedrawEnabled() const { return m_bRedraw; }

  // ---- 9. Layout ----
  virtual void UpdateScrollBars();
  virtual int GetContentWidth(BOOL bMeasure = FALSE);
  virtual int GetContentHeight() const { return GetItemCount(); }
  virtual void GetClientRect(RECT* rect) const;
  virtual CDC* GetControlDC(BOOL* pbDelete);
  virtual BOOL FillLabelColumn();
  virtual BOOL CreateScrollBarCtrl(DWORD dwStyle, UINT nID);

  // ---- 10. Item records ----
  virtual BOOL AddSubItems(SECListItem* pItem);
  virtual BOOL RemoveAllSubItems(SECListItem* pItem);
  virtual int InitItemRecord(SECListItem* pItem);
  virtual SECListItem* CreateItemRecord();
  virtual void ShowScrollBarCtrl(int nBar, BOOL bShow, SCROLLINFO* pInfo = nullptr);

  // ---- 11. Painting and measuring ----
  virtual void SetRowBkColor(SECListPaintContext* pContext);
  virtual void SetFocusColor(SECListPaintContext* pContext);
  virtual void SetItemColors(SECListPaintContext* pContext);
  virtual void SetCellFont(SECListPaintContext* pContext);
  virtual void GetHorzGridPen(CPen** ppPen);
  virtual void GetVertGridPen(CPen** ppPen);
  virtual void MeasureItem(SECListPaintContext* pContext);
  virtual void MeasureRow(int nRow, SECListPaintContext* pContext = nullptr);
  virtual void MeasureCell(SECListPaintContext* pContext, int* pHeight);
  virtual int GetImageRect(SECListPaintContext* pContext, RECT* rect);
  virtual void GetTextRect(SECListPaintContext* pContext, RECT* rect);
  virtual void PositionScrollBars();
  virtual int SizeLabelColumn();
  virtual int GetRowSpacing() const { return 0; }
  virtual int TrackColumnResize(int x, int y, int nCol);
  virtual void PaintClient(CDC* pDC);
  virtual BOOL PrepareCell(SECListPaintContext* pContext);
  virtual SECListPaintContext* CreatePaintContext(CDC* pDC);
  virtual BOOL CreateMemDC(CDC* pDC, CDC** ppMemDC, RECT* area);
  virtual void DrawHeader(SECListPaintContext* pContext);
  virtual void DrawHeaderItem(int nCol, BOOL bPressed);
  virtual void DrawHeaderImage(CDC* pDC, SECListColumn* pCol, RECT* rectText, UINT* pFormat);
  virtual CImageList* CreateHeaderDragImage(int nCol);
  virtual void DrawDropMarker(int x, int y, int nCol);
  virtual void MoveSubItemData(int nFrom, int nTo) {}
  virtual void DrawItems(SECListPaintContext* pContext);
  virtual void DrawRowReport(SECListPaintContext* pContext);
  virtual void DrawCell(SECListPaintContext* pContext);
  virtual void DrawCellImage(SECListPaintContext* pContext);
  virtual void DrawCellText(SECListPaintContext* pContext);
  virtual void DrawHorzGridLine(CDC* pDC, int nRow, const RECT* rect);
  virtual void DrawVertGridLines(CDC* pDC, int nRow, const RECT* rect);

  // ---- 12. Scroll bars, keys, selection input and notifications ----
  virtual void UpdateVScroll(int nRows);
  virtual void UpdateHScroll(int nWidth);
  virtual void KeyPrevItem(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
  virtual void KeyNextItem(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
  virtual void KeyEditLabel(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
  virtual void KeyReturn(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
  virtual void KeyHome(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
  virtual void KeyEnd(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
  virtual void KeyCollapse(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags) {}
  virtual void KeyBack(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags) {}
  virtual void KeyExpand(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags) {}
  virtual void KeyExpandAll(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags) {}
  virtual void KeyPageUp(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
  virtual void KeyPageDown(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
  virtual LRESULT Notify(UINT nCode);
  virtual void BeginDrag() {}
  virtual BOOL NotifyBeginLabelEdit(int nRow, int nSubItem);
  virtual void BeginRightDrag(int nFocus, int x, int y) {}
  virtual void NotifyDeleteItem(int nRow);
  virtual BOOL NotifyEndLabelEdit(int nRow, int nSubItem, CString* pText, BOOL bAccept);
  virtual void OnEndLabelEdit(int nRow, int nSubItem) {}
  virtual void OnSelChanged(int nNew, int nOldFocus, BOOL bByMouse) {}
  virtual BOOL OnSelChanging(int nNew, int nOldFocus, BOOL bByMouse) { return 0; }
  virtual void NotifyGetDispInfo(LV_ITEM* pItem) const;
  virtual void OnSetItem(const LV_ITEM* pItem) {}
  virtual void OnGetItemEx(SECListItemExRequest* pRequest) const {}
  virtual void ReservedHook() {}
  virtual void NotifyInsertItem(int nRow);
  virtual void NotifyKeyDown(UINT nVKey);
  virtual void NotifyColumnClick(int nCol);
  virtual BOOL SelectItemByInput(int nRow, UINT nHitFlags, UINT nKeyFlags, BOOL bByMouse);
  virtual void OnInputSelect(int nRow, BOOL bByMouse) {}
  virtual CWnd* GetNotifyTarget() const;

  // ---- 13. ----
  virtual void SplitCreateStyles(CREATESTRUCT* pcs);
  virtual void PrepareClickSelection(const POINT* pt, int nRow, UINT nHitFlags, BOOL* pbDragPending,
                                     BOOL* pbSelectNow);

  // ---- SECListClient ----
  HWND GetHwnd() const override { return m_hWnd; }
  BOOL IsLabelWrap() const override { return (m_dwListStyle & LVS_NOLABELWRAP) == 0; }
  BOOL EndLabelEdit(BOOL bCommit) override;
  int GetColumnSubItem(int nCol) const override;
  BOOL GetScrollOrigin(POINT* pt) const override;
  void GetInsideRect(RECT* rect) const override;
  BOOL GetCellRect(int nRow, int nCol, RECT* rect, int nCode) override;
  CString GetCellText(int nRow, int nSubItem) override;
  void ClientToScreen(RECT* rect) const override;
  CWnd* CaptureMouse(BOOL bCapture) override;
  BOOL IsItemSelected(int nRow) const override;
  COLORREF GetSelTextColor() const override { return m_colours[kSECColourSelText]; }
  COLORREF GetSelTextBkColor() const override { return m_colours[kSECColourSelTextBk]; }
  COLORREF GetTipTextColor() const override { return m_colours[kSECColourTipText]; }
  COLORREF GetTipBkColor() const override { return m_colours[kSECColourTipBk]; }
  CFont* GetItemFont() const override;
  // Extra state bits for the tip window: none in the list (the tree answers
  // from its node).
  UINT GetItemState(int nRow, UINT nMask) const override { return 0; }

  // Handlers (routed by SECListCtrl's message map); plain members so that
  // derived windows may forward to them.
  int OnCreate(LPCREATESTRUCT lpcs);
  void OnDestroy();
  void OnSize(UINT nType, int cx, int cy);
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC) { return TRUE; }
  void OnTimer(UINT_PTR nIDEvent);
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnCancelMode();
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnRButtonDown(UINT nFlags, CPoint point);
  void OnRButtonUp(UINT nFlags, CPoint point);
  BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  UINT OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS; }
  void OnSetFocus(CWnd* pOldWnd);
  void OnKillFocus(CWnd* pNewWnd);
  void OnEnable(BOOL bEnable);
  void OnSysColorChange();
  void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  void OnEditUpdate();
  void OnEditKillFocus();

  virtual CScrollBar* GetScrollBarCtrl(int nBar) const;

  // Every row: measured height -1 and measure again.
  void ResetItemHeights();
  void RedrawDropColumn(int nDropCol);
  // The label-edit, type-ahead and header state, for tests and derived
  // controls.
  int GetEditIndex() const { return m_nEditIndex; }
  // The column whose cell is being edited (meaningful while editing).
  int GetEditColumn() const { return m_nEditColumn; }
  int GetPendingEditIndex() const { return m_nPendingEdit; }
  int GetAnchorIndex() const { return m_nAnchor; }
  int GetCurrentColumn() const { return m_nCurColumn; }
  int GetHeaderHeight() const { return m_cyHeader; }
  int GetHorzScroll() const { return m_xScroll; }
  UINT GetTypeAheadFlags() const { return m_nTypeAheadFlags; }
  const CString& GetTypeAheadText() const { return m_strTypeAhead; }
  UINT_PTR GetLabelEditTimer() const { return m_nEditTimer; }
  UINT_PTR GetTypeAheadTimer() const { return m_nTypeAheadTimer; }
  DWORD GetScrollBarState() const { return m_dwScrollBars; }
  int GetWheelDelta() const { return m_nWheelDelta; }
  int GetDropColumn() const { return m_nDropColumn; }
  BOOL IsRowDragging() const { return m_bRowDrag; }
  BOOL IsHeaderDragging() const { return m_bHeaderDrag; }
  const SECListSelection& GetSelection() const { return m_selection; }
  SECListItem* GetItemRecord(int nItem) const;
  SECListTip* GetTipWnd() const { return m_pTip; }
  UINT GetTypeAheadPeriod() const { return m_nTypeAheadPeriod; }
  // The y of a row's top below the inside top when the rows from the top
  // row on are laid out (rows above the top give a negative value).
  long long RowOffsetFromTop(int nRow);

 protected:
  BOOL SetColour(SECListColour which, COLORREF rgb);
  void ReloadColours();
  bool HasWindow() const { return m_hWnd != nullptr; }
  bool IsValidRow(int nRow) const { return nRow >= 0 && nRow < GetItemCount(); }
  // Measures the row when it needs it and keeps the height index in step.
  void EnsureMeasured(int nRow, BOOL bMeasure = TRUE);
  void SyncHeight(int nRow);
  int RowExtent(int nRow) { return GetRowSpacing() + m_heights.Get(nRow); }
  UINT KeyFlagsFromKeyboard() const;
  void SelectAndShow(int nRow, UINT nKeyFlags);
  void KeyToEnd(int nRow, UINT nScrollCode, UINT nKeyFlags);
  int TypeAheadSearch(int nStart, const CString& text);
  void FinishColumnResize(int nCol, int nDelta);
  void EndHeaderDrag();
  void ApplyStyleChange(DWORD dwOld);
  SECListColumn* LabelColumn(int* pIndex) const;
  void MakeLabelColumnOwnCells();
  LRESULT SendNotify(NMHDR* pHdr, UINT nCode) const;
  // The row's state bits under the mask, through GetItem (0 for a missing row).
  UINT QueryState(int nItem, UINT nMask) const;

  // Members in the order of the record.
  UINT m_nTypeAheadPeriod = 250;
  int m_nWheelDelta = 0;
  int m_nTopIndex = 0;
  int m_cyHeader = 20;
  int m_nClickRow = -1;
  int m_nPendingEdit = -1;
  int m_nCurColumn = 0;
  int m_nEditIndex = -1;
  int m_nEditColumn = 0;
  int m_nSubItems = 0;
  int m_nFocusIndex = -1;
  int m_nDropHilightIndex = -1;
  int m_nAnchor = -1;
  LRESULT m_nNotifyResult = 0;
  UINT m_nCallbackMask = 0;
  UINT m_nCallbackMaskEx = 0;
  UINT_PTR m_nEditTimer = 0;
  UINT_PTR m_nScrollTimer = 0;
  UINT_PTR m_nTypeAheadTimer = 0;
  UINT m_nTypeAheadFlags = 0;
  DWORD m_dwListStyle = 0;
  DWORD m_dwListStyleEx = 0;
  DWORD m_dwScrollBars = 0;
  COLORREF m_colours[kSECColourCount] = {};
  BOOL m_bSpecialCursor = FALSE;
  BOOL m_bClickSelect = FALSE;
  BOOL m_bEndingEdit = FALSE;
  BOOL m_bRedraw = FALSE;
  BOOL m_bRowDrag = FALSE;
  BOOL m_bHeaderDrag = FALSE;
  BOOL m_bDragPending = FALSE;
  BOOL m_bTrackSysColours = FALSE;
  HCURSOR m_hDividerCursor = nullptr;
  char* m_pszTextBuffer = nullptr;
  CFont* m_pItemFont = nullptr;
  CFont* m_pHeaderFont = nullptr;
  CImageList* m_imageLists[4] = {};
  CImageList* m_pHeaderDragImage = nullptr;
  // Private copies replaced by later ones; callers may still hold them.
  std::vector<CImageList*> m_replacedImageLists;
  SECListTip* m_pTip = nullptr;
  int m_xScroll = 0;
  int m_yScroll = 0;
  CPoint m_ptButtonDown{0, 0};
  CString m_strSavedLabel;
  CString m_strTypeAhead;
  std::vector<SECListColumn*> m_columns;
  std::vector<SECListItem*> m_items;
  SECListSelection m_selection;
  SECListEdit* m_pEdit = nullptr;
  CWnd* m_pNotifyWnd = nullptr;
  int m_nPressedColumn = -1;
  int m_nDropColumn = -1;
  // The scroll-bar children (made on demand).
  CScrollBar m_horzBar;
  CScrollBar m_vertBar;
  // Heights (spacing excluded) of the rows as last measured, summed.
  SECListHeightIndex m_heights;
};
