// Construction, handles, the node-to-row mapping and navigation.
#include "controls/sec_tree_base.h"

SECTreeBaseC::SECTreeBaseC() {
  m_dwListStyle |= LVS_REPORT | LVS_SHAREIMAGELISTS;
  EnsureRoot();
}

SECTreeBaseC::~SECTreeBaseC() {
  if (m_hWnd) DestroyWindow();
  m_pSubItemTexts.reset();
  m_liveNodes.clear();
  delete m_pRoot;
  m_pRoot = nullptr;
}

namespace {
constexpr DWORD kSECTreeCreateStyleBits = 0x43F;
constexpr DWORD kSECTreeCreateExStyleBits = 0x3F00000;
}  // namespace

BOOL SECTreeBaseC::Create(DWORD dwStyle, DWORD dwExStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                          LPVOID lpParam) {
  InsertColumn(0, "", LVCFMT_CENTER, 0, 0, -1, FALSE);
  const DWORD treeStyle = dwStyle & kSECTreeCreateStyleBits;
  const DWORD treeExStyle = dwExStyle & kSECTreeCreateExStyleBits;
  if (!SECListBaseC::Create(dwStyle & ~kSECTreeCreateStyleBits, dwExStyle & ~kSECTreeCreateExStyleBits, rect,
                            pParentWnd, nID, lpParam))
    return FALSE;
  if (treeStyle) SetTreeStyle(GetTreeStyle() | treeStyle);
  SetExtendedStyle(m_dwTreeExStyle | treeExStyle);
  return TRUE;
}

BOOL SECTreeBaseC::CreateFromDlgItem(UINT nID, CWnd* pDialog) {
  CWnd* placeholder = pDialog ? pDialog->GetDlgItem(static_cast<int>(nID)) : nullptr;
  if (placeholder == nullptr) return FALSE;
  const DWORD style = placeholder->GetStyle();
  const DWORD exStyle = placeholder->GetExStyle() | kSECTreeExLabelTips;
  CRect rect;
  placeholder->GetWindowRect(&rect);
  pDialog->ScreenToClient(&rect);
  CWnd* before = placeholder->GetWindow(GW_HWNDPREV);
  const HWND after = before ? before->GetSafeHwnd() : HWND_TOP;
  placeholder->DestroyWindow();
  if (!Create(style, exStyle, rect, pDialog, nID)) return FALSE;
  // Where the placeholder was in Z-order, so the tab order stays.
  SetWindowPos(CWnd::FromHandle(after), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return TRUE;
}

CImageList* SECTreeBaseC::SetImageList(CImageList* pImageList, int nKind) {
  CImageList* old = SECListBaseC::SetImageList(pImageList, nKind);
  IMAGEINFO info{};
  if (nKind == LVSIL_NORMAL && pImageList && pImageList->GetImageInfo(0, &info)) {
    const UINT width = static_cast<UINT>(CRect(info.rcImage).Width());
    if (width > m_nIndent) SetIndent(width);
  }
  return old;
}

void SECTreeBaseC::EnsureRoot() {
  if (m_pRoot) return;
  m_pRoot = CreateNode();
  m_pRoot->SetExpanded(TRUE);
}

BOOL SECTreeBaseC::IsValidHandle(HTREEITEM hItem) const {
  if (hItem == nullptr || hItem == TVI_ROOT) return TRUE;
  return m_liveNodes.count(reinterpret_cast<const SECTreeNode*>(hItem)) != 0;
}

_Node* SECTreeBaseC::NodeFromHandle(HTREEITEM hItem) const {
  if (hItem == nullptr || hItem == TVI_ROOT) return m_pRoot;
  if (!IsValidHandle(hItem)) return nullptr;
  return reinterpret_cast<_Node*>(hItem);
}

// ---- Rows ----

BOOL SECTreeBaseC::IsShown(const SECTreeNode* pNode) const {
  const SECTreeNode* node = pNode;
  if (node == m_pRoot) return FALSE;
  for (const SECTreeNode* p = node; p; p = p->GetParentNode()) {
    const auto* item = static_cast<const _Node*>(p);
    if (item->m_dwFlags & kSECTreeNodeHidden) return FALSE;
    if (p != node && !p->IsExpanded()) return FALSE;
  }
  return TRUE;
}

HTREEITEM SECTreeBaseC::GetItemAt(int nRow) const {
  SECListItem* record = GetItemRecord(nRow);
  return record ? reinterpret_cast<HTREEITEM>(record->m_lParam) : nullptr;
}

int SECTreeBaseC::FindRow(HTREEITEM hItem, int nStart) const {
  const auto value = reinterpret_cast<LPARAM>(hItem);
  for (int row = std::max(nStart, 0); row < GetItemCount(); ++row) {
    if (m_items[static_cast<size_t>(row)]->m_lParam == value) return row;
  }
  return -1;
}

int SECTreeBaseC::InsertRowAt(int nRow, _Node* pNode) {
  SECListItem* record = CreateItemRecord();
  record->m_lParam = reinterpret_cast<LPARAM>(HandleOf(pNode));
  record->m_cy = pNode->m_nRowValue;
  const int row = InsertItemRecord(nRow, record);
  if (row < 0) delete record;
  return row;
}

BOOL SECTreeBaseC::AddRow(_Node* pNode) {
  int row = 0;
  if (pNode->GetParentNode() != m_pRoot || pNode->GetPrevSiblingNode() != nullptr) {
    const int above = FindRow(GetNextItem(HandleOf(pNode), TVGN_PREVIOUSVISIBLE));
    if (above < 0) return FALSE;
    row = above + 1;
  }
  return InsertRowAt(row, pNode) >= 0;
}

void SECTreeBaseC::RemoveRow(_Node* pNode) {
  const int row = FindRow(HandleOf(pNode));
  if (row >= 0) SECListBaseC::DeleteItem(row);
}

BOOL SECTreeBaseC::SyncRows() {
  for (SECTreeNode* n = m_pRoot->GetNextInOrder(); n; n = n->GetNextInOrder()) {
    auto* node = static_cast<_Node*>(n);
    const int row = FindRow(HandleOf(node));
    if (IsShown(node)) {
      if (row < 0 && !AddRow(node)) return FALSE;
    } else if (row >= 0) {
      node->m_item.state &= ~static_cast<UINT>(TVIS_SELECTED);
      SECListBaseC::DeleteItem(row);
    }
  }
  return TRUE;
}

void SECTreeBaseC::Relayout() {
  if (!IsRedrawEnabled()) return;
  RecalcLayout();
  if (m_hWnd) Invalidate(TRUE);
}

LPARAM SECTreeBaseC::GetRecordData(const SECListItem* pItem) const {
  if (pItem == nullptr) return 0;
  const _Node* node = NodeFromHandle(reinterpret_cast<HTREEITEM>(pItem->m_lParam));
  return node && node != m_pRoot ? node->m_item.lParam : 0;
}

UINT SECTreeBaseC::GetItemState(int nRow, UINT nMask) const {
  const _Node* node = NodeFromHandle(GetItemAt(nRow));
  return node && node != m_pRoot ? node->m_item.state & nMask : 0;
}

// ---- Navigation ----

HTREEITEM SECTreeBaseC::GetNextItem(HTREEITEM hItem, UINT nCode) {
  _Node* node = NodeFromHandle(hItem);
  if (node == nullptr) return nullptr;
  auto handle = [](SECTreeNode* n) { return HandleOf(n); };
  switch (nCode) {
    case TVGN_ROOT: {
      SECTreeNode* top = node;
      while (top != m_pRoot && top->GetParentNode() != m_pRoot) top = top->GetParentNode();
      return handle(top->GetFirstChildNode());
    }
    case TVGN_NEXT:
      return node == m_pRoot ? nullptr : handle(node->GetNextSiblingNode());
    case TVGN_PREVIOUS:
      return node == m_pRoot ? nullptr : handle(node->GetPrevSiblingNode());
    case TVGN_PARENT: {
      SECTreeNode* parent = node->GetParentNode();
      return parent == m_pRoot ? nullptr : handle(parent);
    }
    case TVGN_CHILD:
      return handle(node->GetFirstChildNode());
    case TVGN_FIRSTVISIBLE:
      return GetItemAt(GetTopIndex());
    case TVGN_NEXTVISIBLE: {
      const int row = node == m_pRoot ? -1 : FindRow(hItem);
      if (row >= 0) return GetItemAt(row + 1);
      for (SECTreeNode* n = node->GetNextInOrder(); n; n = n->GetNextInOrder()) {
        if (IsShown(n)) return handle(n);
      }
      return nullptr;
    }
    case TVGN_PREVIOUSVISIBLE: {
      if (node == m_pRoot) return nullptr;
      const int row = FindRow(hItem);
      if (row >= 0) return GetItemAt(row - 1);
      for (SECTreeNode* n = node->GetPrevInOrder(); n && n != m_pRoot; n = n->GetPrevInOrder()) {
        if (IsShown(n)) return handle(n);
      }
      return nullptr;
    }
    case TVGN_DROPHILITE:
      return GetItemAt(GetDropHilightIndex());
    case TVGN_CARET:
      return GetItemAt(GetFocusIndex());
    case kSECTreeFirstSelected:
      return GetItemAt(SECListBaseC::GetNextItem(-1, LVNI_SELECTED | LVNI_BELOW));
    case kSECTreeNextSelected:
    case kSECTreePrevSelected: {
      SECTreeNode* n = node;
      int row = -1;
      while (n && n != m_pRoot && (row = FindRow(handle(n))) < 0) n = n->GetPrevInOrder();
      const int flags = LVNI_SELECTED | (nCode == kSECTreeNextSelected ? LVNI_BELOW : LVNI_ABOVE);
      return GetItemAt(SECListBaseC::GetNextItem(row, flags));
    }
    default:
      return nullptr;
  }
}

BOOL SECTreeBaseC::IsItemExpanded(HTREEITEM hItem) {
  const _Node* node = NodeFromHandle(hItem);
  return node ? node->IsExpanded() : FALSE;
}

int SECTreeBaseC::CountItems(HTREEITEM hItem, BOOL bRecursive, BOOL bOnlyExpanded) {
  const _Node* node = NodeFromHandle(hItem);
  if (node == nullptr) return 0;
  int count = 0;
  for (SECTreeNode* child = node->GetFirstChildNode(); child; child = child->GetNextSiblingNode()) {
    ++count;
    if (!bRecursive || child->m_pFirstChild == nullptr) continue;
    if (bOnlyExpanded && !child->IsExpanded()) continue;
    for (SECTreeNode* n = child->GetNextInOrder(); n && child->IsAncestorOf(n); n = n->GetNextInOrder())
      ++count;
  }
  return count;
}

BOOL SECTreeBaseC::IsItemHidden(HTREEITEM hItem) const {
  if (hItem == nullptr || hItem == TVI_ROOT) return FALSE;
  for (const SECTreeNode* p = NodeFromHandle(hItem); p && p != m_pRoot; p = p->GetParentNode()) {
    if (static_cast<const _Node*>(p)->m_dwFlags & kSECTreeNodeHidden) return TRUE;
  }
  return FALSE;
}

BOOL SECTreeBaseC::HideItem(HTREEITEM hItem, BOOL bHide) {
  if (hItem == nullptr || hItem == TVI_ROOT) return FALSE;
  _Node* node = NodeFromHandle(hItem);
  if (node == nullptr) return FALSE;
  if (bHide)
    node->m_dwFlags |= kSECTreeNodeHidden;
  else
    node->m_dwFlags &= ~kSECTreeNodeHidden;
  if (!SyncRows()) return FALSE;
  if (m_hWnd) Invalidate(TRUE);
  return TRUE;
}

void SECTreeBaseC::SetExtendedStyle(DWORD dwExStyle) {
  m_dwTreeExStyle = dwExStyle;
  // Each row: the tree bit, the list style it clears when set (and sets when clear).
  struct Mapping {
    bool on;
    DWORD listOff;
  };
  const bool headerButtons = (dwExStyle & kSECTreeExHeaderButtons) && (dwExStyle & kSECTreeExHeader);
  const Mapping kMappings[] = {
      {(dwExStyle & kSECTreeExMultiSelect) != 0, LVS_SINGLESEL},
      {(dwExStyle & kSECTreeExLabelWrap) != 0, LVS_NOLABELWRAP},
      {(dwExStyle & kSECTreeExHeader) != 0, LVS_NOCOLUMNHEADER},
      {headerButtons, LVS_NOSORTHEADER},
  };
  DWORD style = m_dwListStyle;
  for (const Mapping& m : kMappings) style = m.on ? (style & ~m.listOff) : (style | m.listOff);
  DWORD styleEx = m_dwListStyleEx & ~static_cast<DWORD>(LVXS_LABELTIPS | LVXS_HEADERDRAGDROP);
  if (dwExStyle & kSECTreeExLabelTips) styleEx |= LVXS_LABELTIPS;
  if (headerButtons && (dwExStyle & kSECTreeExHeaderDrag)) styleEx |= LVXS_HEADERDRAGDROP;
  SetListStyles(style, styleEx, FALSE);
}

DWORD SECTreeBaseC::GetTreeStyle() const {
  DWORD style = m_dwTreeStyle;
  if (m_dwListStyle & LVS_EDITLABELS) style |= TVS_EDITLABELS;
  if (m_dwListStyle & LVS_SHOWSELALWAYS) style |= TVS_SHOWSELALWAYS;
  return style;
}

void SECTreeBaseC::SetTreeStyle(DWORD dwStyle) {
  m_dwTreeStyle = dwStyle & kSECTreeStyleMask;
  DWORD list = m_dwListStyle & ~static_cast<DWORD>(LVS_EDITLABELS | LVS_SHOWSELALWAYS);
  if (dwStyle & TVS_EDITLABELS) list |= LVS_EDITLABELS;
  if (dwStyle & TVS_SHOWSELALWAYS) list |= LVS_SHOWSELALWAYS;
  SetListStyle(list, FALSE);
}

void SECTreeBaseC::GetStyles(DWORD& dwStyle, DWORD& dwExStyle) const {
  dwStyle = GetTreeStyle();
  dwExStyle = m_dwTreeExStyle;
}

void SECTreeBaseC::SetStyles(DWORD dwStyle, DWORD dwExStyle, BOOL bRedraw) {
  SetTreeStyle(dwStyle);
  SetExtendedStyle(dwExStyle);
  if (bRedraw && m_hWnd) Invalidate(TRUE);
}

void SECTreeBaseC::ModifyStyles(DWORD dwRemove, DWORD dwAdd, DWORD dwRemoveEx, DWORD dwAddEx, BOOL bRedraw) {
  SetStyles((GetTreeStyle() & ~dwRemove) | dwAdd, (m_dwTreeExStyle & ~dwRemoveEx) | dwAddEx, bRedraw);
}
