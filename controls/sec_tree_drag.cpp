// Drag images of tree items: the item's icon with its label drawn beside it.
#include "controls/sec_tree_base.h"

namespace {
constexpr UINT kSECTreeDragTextFormat = DT_NOPREFIX | DT_EXPANDTABS;
constexpr int kSECTreeDragTextGap = 6;  // between the icon and the text
constexpr UINT kSECTreeDragListFlags = ILC_MASK | ILC_COLOR24;
}  // namespace

CBitmap* SECTreeBaseC::CreateTextBitmap(CDC* pDC, LPCSTR lpszText) {
  const CString text(lpszText ? lpszText : "");
  CRect rect(0, 0, 0, 0);
  pDC->DrawText(text, &rect, kSECTreeDragTextFormat | DT_CALCRECT | DT_NOCLIP);
  const int cx = std::max(1, rect.Width());
  const int cy = std::max(1, rect.Height());
  auto* bitmap = new CBitmap;
  if (!bitmap->CreateCompatibleBitmap(pDC, cx, cy)) {
    delete bitmap;
    return nullptr;
  }
  CBitmap* old = pDC->SelectObject(bitmap);
  pDC->FillSolidRect(0, 0, cx, cy, GetBkColor());
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextColor(GetTextColor());
  CRect area(0, 0, cx, cy);
  pDC->DrawText(text, &area, kSECTreeDragTextFormat);
  pDC->SelectObject(old);
  return bitmap;
}

CImageList* SECTreeBaseC::CreateTextImageList(CDC* pDC, LPCSTR lpszText) {
  CBitmap* bitmap = CreateTextBitmap(pDC, lpszText);
  if (bitmap == nullptr) return nullptr;
  BITMAP info{};
  bitmap->GetBitmap(&info);
  auto* list = new CImageList;
  const bool made = list->Create(info.bmWidth, info.bmHeight, kSECTreeDragListFlags, 1, 1) &&
                    list->Add(bitmap, static_cast<COLORREF>(CLR_DEFAULT)) >= 0;
  delete bitmap;
  if (!made) {
    delete list;
    return nullptr;
  }
  return list;
}

CImageList* SECTreeBaseC::CreateImageListFromIcon(CImageList* pList, int nImage) {
  IMAGEINFO info{};
  if (pList == nullptr || nImage < 0 || !pList->GetImageInfo(nImage, &info)) return nullptr;
  const CRect image(info.rcImage);
  auto* list = new CImageList;
  HICON icon = pList->ExtractIcon(nImage);
  const bool made = icon != nullptr &&
                    list->Create(image.Width(), image.Height(), kSECTreeDragListFlags, 1, 1) &&
                    list->Add(icon) >= 0;
  if (icon) ::DestroyIcon(icon);
  if (!made) {
    delete list;
    return nullptr;
  }
  return list;
}

CImageList* SECTreeBaseC::MergeImageLists(CImageList* pIcon, CImageList* pText) {
  IMAGEINFO info{};
  if (pIcon == nullptr || pText == nullptr || !pIcon->GetImageInfo(0, &info)) return nullptr;
  const int dx = CRect(info.rcImage).Width() + kSECTreeDragTextGap;
  auto* merged = new CImageList;
  if (!merged->Create(*pIcon, 0, *pText, 0, dx, 0)) {
    delete merged;
    return nullptr;
  }
  return merged;
}

CImageList* SECTreeBaseC::CreateDragImage(HTREEITEM hItem) {
  // The rows draw the small images; a normal list, when set, is preferred.
  CImageList* images = GetImageList(LVSIL_NORMAL) ? GetImageList(LVSIL_NORMAL) : GetImageList(LVSIL_SMALL);
  const _Node* node = NodeFromHandle(hItem);
  if (images == nullptr || node == nullptr || node == m_pRoot) return nullptr;
  char buffer[kSECTreeLabelBufferSize] = {};
  TV_ITEM item{};
  item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_HANDLE;
  item.hItem = hItem;
  item.stateMask = TVIS_SELECTED;
  item.pszText = buffer;
  item.cchTextMax = kSECTreeLabelBufferSize;
  if (!GetItem(&item, TRUE, TRUE)) return nullptr;
  const int image = (item.state & TVIS_SELECTED) ? item.iSelectedImage : item.iImage;
  BOOL deleteDC = FALSE;
  CDC* screen = GetControlDC(&deleteDC);
  CDC memory;
  CImageList* merged = nullptr;
  if (memory.CreateCompatibleDC(screen)) {
    CFont* font = GetItemFont();
    CFont* oldFont = font ? memory.SelectObject(font) : nullptr;
    CImageList* text = CreateTextImageList(&memory, item.pszText ? item.pszText : "");
    CImageList* icon = CreateImageListFromIcon(images, image);
    merged = MergeImageLists(icon, text);
    delete icon;
    delete text;
    if (oldFont) memory.SelectObject(oldFont);
  }
  if (deleteDC) delete screen;
  return merged;
}

// ---- Drags ----

void SECTreeBaseC::NotifyBeginDrag(UINT nCode, int nRow, CPoint point) {
  m_bRowDrag = FALSE;
  m_bDragPending = FALSE;
  if (m_dwTreeStyle & TVS_DISABLEDRAGDROP) return;
  const _Node* node = NodeFromHandle(GetItemAt(nRow));
  if (node == nullptr || node == m_pRoot) return;
  NM_TREEVIEW nm{};
  nm.action = 0;
  nm.itemNew = node->m_item;
  nm.ptDrag = point;
  SendTreeNotify(&nm.hdr, nCode);
}

void SECTreeBaseC::BeginDrag() { NotifyBeginDrag(TVN_BEGINDRAG, GetFocusIndex(), m_ptButtonDown); }

void SECTreeBaseC::BeginRightDrag(int nFocus, int x, int y) {
  NotifyBeginDrag(TVN_BEGINRDRAG, nFocus, CPoint(x, y));
}

CPoint SECTreeBaseC::GetSelectionDragRects(std::vector<DragRect>& rects) {
  rects.clear();
  CRect all(0, 0, 0, 0);
  for (int row = SECListBaseC::GetNextItem(-1, LVNI_SELECTED | LVNI_BELOW); row >= 0;
       row = SECListBaseC::GetNextItem(row, LVNI_SELECTED | LVNI_BELOW)) {
    DragRect record{};
    CRect rect;
    if (!GetItemRect(row, &rect)) continue;
    record.nIndent = GetIndentWidth(GetItemAt(row));
    rect.left += record.nIndent;
    record.rcRow = rect;
    record.rcLabel = rect;
    all = all.IsRectEmpty() ? rect : (all | rect);
    rects.push_back(record);
  }
  const CPoint corner = all.TopLeft();
  for (DragRect& r : rects) {
    ::OffsetRect(&r.rcRow, -corner.x, -corner.y);
    ::OffsetRect(&r.rcLabel, -corner.x, -corner.y);
  }
  return corner;
}

void SECTreeBaseC::DrawSelectionDragImages(CDC* pDC, int x, int y) {
  for (int row = SECListBaseC::GetNextItem(-1, LVNI_SELECTED | LVNI_BELOW); row >= 0;
       row = SECListBaseC::GetNextItem(row, LVNI_SELECTED | LVNI_BELOW)) {
    CRect rect;
    if (!GetItemRect(row, &rect)) continue;
    CImageList* image = CreateDragImage(GetItemAt(row));
    if (image == nullptr) continue;
    const CPoint at(rect.left - x + GetIndentWidth(GetItemAt(row)), rect.top - y);
    image->Draw(pDC, 0, at, ILD_NORMAL);
    delete image;
  }
}
