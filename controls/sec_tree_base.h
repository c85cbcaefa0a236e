// SECTreeBaseC: the tree control, drawn as an indented list. Items live in
// a tree of _Node objects (sec_tree_node.h); every shown node has one list
// row whose item data holds the node's handle. Follows the tree-view
// programming model (TV_ITEM, TVN_ notifications to the owner). Handles
// given in are checked against the live nodes: a stale one is refused.
#pragma once

#include <functional>
#include <memory>
#include <unordered_set>
#include <vector>

#include "controls/list_ctrl.h"
#include "controls/sec_tree_node.h"
#include "controls/subitem_text_storage.h"
#include "platform/ui/commctrl.h"

// Tree styles kept by the control (the rest live in the list's style).
#define TVS_HASBUTTONS 0x0001
#define TVS_HASLINES 0x0002
#define TVS_LINESATROOT 0x0004
#define TVS_EDITLABELS 0x0008
#define TVS_DISABLEDRAGDROP 0x0010
#define TVS_SHOWSELALWAYS 0x0020
#define TVS_SINGLEEXPAND 0x0400
#define TVI_SORTDESCENDING ((HTREEITEM)(ULONG_PTR)0xFFFF0010)
#define TVC_UNKNOWN 0x0000
#define TVC_BYMOUSE 0x0001
#define TVC_BYKEYBOARD 0x0002

// GetNextItem codes of this control beside the TVGN_ ones.
inline constexpr UINT kSECTreeFirstSelected = 0x20;
inline constexpr UINT kSECTreeNextSelected = 0x21;
inline constexpr UINT kSECTreePrevSelected = 0x22;
inline constexpr UINT kSECTreeStyleMask = 0x417;
// Extended-style bits.
inline constexpr DWORD kSECTreeExMultiSelect = 1u << 20;
inline constexpr DWORD kSECTreeExLabelWrap = 1u << 21;
inline constexpr DWORD kSECTreeExHeader = 1u << 22;
inline constexpr DWORD kSECTreeExLabelTips = 1u << 23;
inline constexpr DWORD kSECTreeExAnimate = 1u << 24;
inline constexpr DWORD kSECTreeExHeaderButtons = 1u << 26;
inline constexpr DWORD kSECTreeExHeaderDrag = 1u << 27;
inline constexpr DWORD kSECTreeExHoverExpand = 1u << 25;
inline constexpr UINT kSECTreeDefaultIndent = 20;
inline constexpr UINT_PTR kSECTreeHoverTimer = 3;
// An edited label keeps at most this many bytes, terminator included.
inline constexpr int kSECTreeLabelBufferSize = 2048;

class SECTreeBaseC : public SECListCtrl {
 public:
  SECTreeBaseC();
  ~SECTreeBaseC() override;

  // Adds the label column, then creates the list window.
  // The tree's own bits of the styles (0x43F of the style, 0x3F00000 of the
  // extended style) become the tree's styles.
  BOOL Create(DWORD dwStyle, DWORD dwExStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
              LPVOID lpParam = nullptr) override;
  using SECListBaseC::Create;

  using SECListBaseC::DeleteItem;
  using SECListBaseC::EnsureVisible;
  using SECListBaseC::GetItem;
  using SECListBaseC::GetItemText;
  using SECListBaseC::GetNextItem;
  using SECListBaseC::InsertItem;
  using SECListBaseC::NotifyDeleteItem;
  using SECListBaseC::NotifyGetDispInfo;
  using SECListBaseC::SelectItem;
  using SECListBaseC::SetItem;
  using SECListBaseC::SetItemData;
  using SECListBaseC::SetItemState;
  using SECListBaseC::SetItemText;

  // ---- Items ----
  HTREEITEM InsertItem(const TV_INSERTSTRUCT* pInsert);
  HTREEITEM InsertItem(UINT nMask, LPCSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                       UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
  HTREEITEM InsertItem(LPCSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
  HTREEITEM InsertItem(LPCSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                       HTREEITEM hInsertAfter = TVI_LAST);
  // Appends the items as last children in one step; FALSE for no items or a failed link.
  BOOL InsertItems(TV_ITEM** ppItems, HTREEITEM hParent, int nCount, BOOL bRedraw = TRUE);
  // Takes the place of a dialog's placeholder control with the same id:
  // its style, rectangle and place in the tab order (label tips added).
  BOOL CreateFromDlgItem(UINT nID, CWnd* pDialog);
  virtual BOOL GetItem(TV_ITEM* pItem, BOOL bCopyText = TRUE, BOOL bAllowCallback = TRUE);
  virtual BOOL SetItem(const TV_ITEM* pItem);
  BOOL SetItemText(HTREEITEM hItem, LPCSTR lpszText);
  BOOL SetItemData(HTREEITEM hItem, LPARAM lParam);
  BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
  BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
  CString GetItemText(HTREEITEM hItem);
  LPARAM GetItemData(HTREEITEM hItem);
  using SECListBaseC::GetItemData;
  virtual int CompareItems(HTREEITEM hItem1, HTREEITEM hItem2);

  // ---- Navigation ----
  HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode);
  HTREEITEM GetChildItem(HTREEITEM hItem) { return GetNextItem(hItem, TVGN_CHILD); }
  HTREEITEM GetNextSiblingItem(HTREEITEM hItem) { return GetNextItem(hItem, TVGN_NEXT); }
  HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) { return GetNextItem(hItem, TVGN_PREVIOUS); }
  HTREEITEM GetParentItem(HTREEITEM hItem) { return GetNextItem(hItem, TVGN_PARENT); }
  HTREEITEM GetRootItem() { return GetNextItem(nullptr, TVGN_ROOT); }
  HTREEITEM GetSelectedItem() { return GetNextItem(nullptr, TVGN_CARET); }
  BOOL ItemHasChildren(HTREEITEM hItem) { return GetChildItem(hItem) != nullptr; }
  BOOL ItemHasCallbackChildren(HTREEITEM hItem);
  BOOL IsItemExpanded(HTREEITEM hItem);
  HTREEITEM GetItemAt(int nRow) const;
  int FindRow(HTREEITEM hItem, int nStart = 0) const;
  int CountItems(HTREEITEM hItem, BOOL bRecursive, BOOL bOnlyExpanded);
  int GetCount() { return CountItems(nullptr, TRUE, FALSE); }
  // TRUE when the handle names the root or a live item of this control.
  BOOL IsValidHandle(HTREEITEM hItem) const;

  // ---- Deletion ----
  BOOL DeleteItem(HTREEITEM hItem);
  BOOL DeleteAllItems() override;

  // ---- Expansion and selection ----
  BOOL Expand(HTREEITEM hItem, UINT nCode, BOOL bRedraw = TRUE, BOOL bForce = FALSE);
  BOOL ExpandAll(HTREEITEM hItem, BOOL bRedraw = TRUE);
  BOOL CollapseAll(HTREEITEM hItem, BOOL bRedraw = TRUE);
  BOOL EnsureVisible(HTREEITEM hItem, BOOL bPartial = FALSE);
  BOOL Select(HTREEITEM hItem, UINT nCode);
  BOOL SelectItem(HTREEITEM hItem);
  BOOL HideItem(HTREEITEM hItem, BOOL bHide);
  // Sorts the children (of the root for null) by CompareItems with adjacent
  // swaps, so equal items keep their order.
  BOOL SortChildren(HTREEITEM hItem, BOOL bRecursive = FALSE, BOOL bAscending = TRUE);
  BOOL IsItemHidden(HTREEITEM hItem) const;
  BOOL IsItemDisabled(HTREEITEM hItem) const;
  // Disables (or enables) the item with its subtree; with hidden disabled
  // items the subtree is hidden as well.
  BOOL DisableItem(HTREEITEM hItem, BOOL bDisable);
  void SetHideDisabledItems(BOOL bHide);
  BOOL GetHideDisabledItems() const { return m_bHideDisabled != 0; }
  // Pre-order walks over the items whose own flags hide or disable them.
  HTREEITEM GetFirstHiddenItem() const { return GetNextHiddenItem(nullptr); }
  HTREEITEM GetNextHiddenItem(HTREEITEM hItem) const { return NextFlaggedItem(hItem, kSECTreeNodeHidden); }
  HTREEITEM GetFirstDisabledItem() const { return GetNextDisabledItem(nullptr); }
  HTREEITEM GetNextDisabledItem(HTREEITEM hItem) const {
    return NextFlaggedItem(hItem, kSECTreeNodeDisabled);
  }
  BOOL ShowAllItems();
  // Moves the item with its subtree under a new parent; refused for a move
  // into its own subtree and for an insert-after item that is no child of
  // the new parent (the item then stays where it was).
  BOOL MoveItem(HTREEITEM hItem, HTREEITEM hNewParent, BOOL bRedraw = TRUE,
                HTREEITEM hInsertAfter = TVI_LAST);
  // Sorts by the caller's comparison of the items' lParam values.
  BOOL SortChildrenCB(const TVSORTCB* pSort, BOOL bRecursive = FALSE, BOOL bAscending = TRUE);
  BOOL SelectDropTarget(HTREEITEM hItem, BOOL bEnsure = FALSE);
  BOOL SelectItemRange(HTREEITEM hFirst, HTREEITEM hLast, BOOL bSelect = TRUE);
  BOOL SelectChildren(HTREEITEM hItem);

  // ---- Label editing ----
  // Starts the in-place edit of the item's cell in a column; FALSE unless
  // labels may be edited and the item has a row.
  BOOL EditLabel(HTREEITEM hItem, int nCol = 0);
  using SECListBaseC::EditLabel;
  // The registered message sent to the owner after an edit of column 0
  // ends (wParam: the control's id, lParam: the item).
  static UINT GetEndLabelEditMessage();
  BOOL EndLabelEdit(BOOL bCommit) override;

  // ---- Texts of columns 1 and up ----
  virtual void EnableSubItemTexts(BOOL bEnable);
  virtual BOOL HasSubItemTexts() const { return m_pSubItemTexts != nullptr; }
  virtual BOOL SetItemText(HTREEITEM hItem, int nCol, LPCSTR lpszText);
  CString GetItemText(HTREEITEM hItem, int nCol);

  // ---- Row state bits (0x100 disabled, 0x200 hidden) ----
  // Set when the row's node or an ancestor has the bit.
  virtual UINT QueryRowStateBits(int nRow, UINT nMask) const;
  virtual void SetRowStateBits(int nRow, UINT nState, UINT nMask);

  // ---- Drag images ----
  // The item's icon with its text beside it; null without an image list,
  // an icon or on a failed step. The caller deletes the list.
  virtual CImageList* CreateDragImage(HTREEITEM hItem);
  virtual CBitmap* CreateTextBitmap(CDC* pDC, LPCSTR lpszText);
  virtual CImageList* CreateTextImageList(CDC* pDC, LPCSTR lpszText);
  virtual CImageList* CreateImageListFromIcon(CImageList* pList, int nImage);
  virtual CImageList* MergeImageLists(CImageList* pIcon, CImageList* pText);
  // One record per selected row: its rectangle and the item's indentation.
  struct DragRect {
    RECT rcRow;
    RECT rcLabel;
    int nIndent;
  };
  // The records moved so their union starts at (0, 0); the union's former
  // corner is returned.
  CPoint GetSelectionDragRects(std::vector<DragRect>& rects);
  void DrawSelectionDragImages(CDC* pDC, int x, int y);

  // ---- Styles and settings ----
  DWORD GetTreeStyle() const;
  void SetTreeStyle(DWORD dwStyle);
  DWORD GetExtendedStyle() const { return m_dwTreeExStyle; }
  // Stores the bits and sets the list styles they stand for (bits 20-23,
  // 26 and 27); 24 and 25 are the tree's own.
  void SetExtendedStyle(DWORD dwExStyle);
  void ModifyTreeStyle(DWORD dwRemove, DWORD dwAdd) { SetTreeStyle((GetTreeStyle() & ~dwRemove) | dwAdd); }
  void ModifyExtendedStyle(DWORD dwRemove, DWORD dwAdd) {
    SetExtendedStyle((m_dwTreeExStyle & ~dwRemove) | dwAdd);
  }
  void ModifyStyles(DWORD dwRemove, DWORD dwAdd, DWORD dwRemoveEx, DWORD dwAddEx, BOOL bRedraw = TRUE);
  void GetStyles(DWORD& dwStyle, DWORD& dwExStyle) const;
  void SetStyles(DWORD dwStyle, DWORD dwExStyle, BOOL bRedraw = TRUE);
  void SetIndent(UINT nIndent) { m_nIndent = nIndent + (nIndent & 1); }
  UINT GetIndent() const { return m_nIndent; }
  // At least 1: collapsing divides the row count by it.
  void SetAnimateLimit(UINT nLimit) { m_nAnimateLimit = nLimit < 1 ? 1 : nLimit; }
  UINT GetAnimateLimit() const { return m_nAnimateLimit; }
  // The number of window updates the last animated collapse made.
  int GetAnimationSteps() const { return m_nAnimationSteps; }

  virtual _Node* CreateNode() { return new _Node; }

  // ---- Drawing (column 0) and hit testing ----
  // Width left of the label for the node's indentation, lines and button.
  int GetIndentWidth(HTREEITEM hItem) const;
  // The button box of a row's item in client coordinates; FALSE without one.
  virtual BOOL GetButtonRect(int nRow, RECT* rect);
  HTREEITEM HitTest(int x, int y, UINT* pFlags);
  // The list's hit test, with column 0's labels and icons where the tree
  // draws them: right of the row's indentation.
  int HitTest(int x, int y, UINT* pFlags, int* pCol) override;
  void DrawCell(SECListPaintContext* pContext) override;
  virtual void DrawItemLines(SECListPaintContext* pContext, _Node* pNode);
  virtual void DrawItemButton(SECListPaintContext* pContext, _Node* pNode);
  // Measures a label; with wrapping labels a text holding the indent marker
  // "\{HI}" is split there (the node keeps both parts and the first part's
  // width) and the rest is measured wrapped in a column right of the first.
  virtual void MeasureItemText(CDC* pDC, _Node* pNode, LPCSTR lpszText, RECT* rect);
  virtual void DrawHorizontalDots(CDC* pDC, int x1, int x2, int y);
  virtual void DrawVerticalDots(CDC* pDC, int x, int y1, int y2);

  // ---- List overrides ----
  LPARAM GetRecordData(const SECListItem* pItem) const override;
  BOOL GetItem(LV_ITEM* pItem, BOOL bCopyText = TRUE, BOOL bNotify = TRUE) const override;
  UINT GetItemState(int nRow, UINT nMask) const override;
  void OnSelChanged(int nNew, int nOldFocus, BOOL bByMouse) override;
  BOOL OnSelChanging(int nNew, int nOldFocus, BOOL bByMouse) override;
  void NotifyKeyDown(UINT nVKey) override;
  // Rows come and go with expansion; the owner hears of deleted items
  // through TVN_DELETEITEM only.
  void NotifyDeleteItem(int) override {}
  void KeyReturn(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags) override;
  void KeyCollapse(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags) override;
  void KeyBack(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags) override;
  void KeyExpand(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags) override;
  void KeyExpandAll(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags) override;
  BOOL SetItem(const LV_ITEM* pItem, BOOL bRedraw = TRUE) override;
  BOOL SetItemEx(const LV_ITEM* pItem, const SECListItemExRequest* pRequest) override;
  // A row whose item's text, children, image or selected image is asked of the owner.
  BOOL IsCallbackItem(int nItem) const override;
  BOOL GetItemEx(const LV_ITEM* pItem, SECListItemExRequest* pRequest, BOOL bNotify = TRUE) const override;
  BOOL NotifyBeginLabelEdit(int nRow, int nSubItem) override;
  BOOL NotifyEndLabelEdit(int nRow, int nSubItem, CString* pText, BOOL bAccept) override;
  void MoveSubItemData(int nFrom, int nTo) override;
  BOOL PrepareCell(SECListPaintContext* pContext) override;
  void SetCellFont(SECListPaintContext* pContext) override;
  void MeasureCell(SECListPaintContext* pContext, int* pHeight) override;
  void OnTimer(UINT_PTR nIDEvent);
  // The owner hears of a drag (TVN_BEGINDRAG, TVN_BEGINRDRAG) unless drag
  // and drop is off; either way the list's own row drag ends there.
  void BeginDrag() override;
  void BeginRightDrag(int nFocus, int x, int y) override;
  // A normal image list wider than the indent widens it.
  CImageList* SetImageList(CImageList* pImageList, int nKind) override;

 protected:
  _Node* NodeFromHandle(HTREEITEM hItem) const;
  static HTREEITEM HandleOf(const SECTreeNode* pNode) {
    return reinterpret_cast<HTREEITEM>(const_cast<SECTreeNode*>(pNode));
  }
  void EnsureRoot();
  // Stores the fields named by the mask; TRUE when the text was given.
  BOOL StoreFields(_Node* pNode, const TV_ITEM* pItem);
  BOOL LinkNode(_Node* pParent, _Node* pNode, HTREEITEM hInsertAfter);
  BOOL IsShown(const SECTreeNode* pNode) const;
  BOOL HasRootLines() const;
  BOOL HasButtonChildren(_Node* pNode);
  BOOL AddRow(_Node* pNode);
  int InsertRowAt(int nRow, _Node* pNode);
  void RemoveRow(_Node* pNode);
  BOOL SyncRows();
  virtual BOOL DeleteSubtree(HTREEITEM hItem);
  BOOL DeleteNode(_Node* pNode, BOOL bAll);
  void InsertDescendantRows(_Node* pNode, int nRow);
  void CollapseRows(_Node* pNode, int nRow);
  void MoveSelectionOutOf(_Node* pNode, int nRow);
  void Relayout();
  // Adjacent swaps wherever compare(upper, lower) is positive.
  void SortChildNodes(_Node* pNode, const std::function<int(HTREEITEM, HTREEITEM)>& compare);
  BOOL SortWith(HTREEITEM hItem, BOOL bRecursive, const std::function<int(HTREEITEM, HTREEITEM)>& compare);
  HTREEITEM NextFlaggedItem(HTREEITEM hItem, DWORD dwFlag) const;
  // The insert-after handle names a child of the parent (or a TVI_ code).
  BOOL IsInsertPlace(const _Node* pParent, HTREEITEM hInsertAfter) const;
  // Collapses and expands an expanded item with a row, so its rows follow its children.
  void RebuildRows(_Node* pNode);
  // Where a row's line column and button centre sit within one indent and
  // the row: under the icon's centre when the row shows an icon, else a
  // fixed step in and halfway down. iconHalf is half the icon's height.
  struct LineAnchor {
    int dx;
    int dy;
    int iconHalf;
    bool icon;
  };
  LineAnchor RowLineAnchor(int nRow, int nRowHeight) const;
  // The label's box in column 0, relative to the cell right of the indentation.
  CRect MarkerTextRect(const SECListPaintContext* pContext, int cellWidth) const;
  void DrawMarkedLabel(SECListPaintContext* pContext, _Node* pNode);

  virtual void NotifyDeleteItem(HTREEITEM hItem);
  virtual void NotifyGetDispInfo(TV_ITEM* pItem);
  virtual void NotifySetDispInfo(TV_ITEM* pItem);
  virtual LRESULT NotifyItemExpanding(_Node* pNode, UINT nCode);
  virtual void NotifyItemExpanded(_Node* pNode, UINT nCode);
  LRESULT NotifySelection(UINT nCode, int nNewRow, int nOldRow, UINT nAction);
  void NotifyBeginDrag(UINT nCode, int nRow, CPoint point);
  LRESULT SendTreeNotify(NMHDR* pHdr, UINT nCode) const { return SendNotify(pHdr, nCode); }

  std::unique_ptr<SECSubItemTextStorage> m_pSubItemTexts;
  _Node* m_pRoot = nullptr;
  UINT m_nIndent = kSECTreeDefaultIndent;
  DWORD m_bHideDisabled = 0;
  DWORD m_dwTreeStyle = 0;
  DWORD m_dwTreeExStyle = 0;
  UINT_PTR m_nHoverTimer = 0;
  UINT m_nHoverDelay = 1000;
  UINT m_nAnimateLimit = 5;
  UINT m_nAnimateCount = 0;
  BOOL m_bRevealChildren = TRUE;
  int m_nAnimationSteps = 0;
  std::unordered_set<const SECTreeNode*> m_liveNodes;
  // The bold variant of the item font and the font it was made from.
  CFont m_fontBold;
  CFont* m_pBoldBase = nullptr;
};
