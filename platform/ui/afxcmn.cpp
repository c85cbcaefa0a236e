#include "platform/ui/afxcmn.h"

#include <map>
#include <memory>
#include <string>

#include "platform/ui/afxctrl.h"

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

BOOL CSpinButtonCtrl::Create(DWORD style, const RECT& r, CWnd* parent, UINT id) {
  return CreateEx(0, UPDOWN_CLASS, "", style | WS_CHILD, r, parent, id);
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
  DWORD r = GetRange();
  lower = static_cast<short>(HIWORD(r));
  upper = static_cast<short>(LOWORD(r));
}

BOOL CProgressCtrl::Create(DWORD style, const RECT& r, CWnd* parent, UINT id) {
  return CreateEx(0, PROGRESS_CLASS, "", style | WS_CHILD, r, parent, id);
}

void CProgressCtrl::GetRange(int& lower, int& upper) const {
  PBRANGE range{0, 0};
  S(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
  lower = range.iLow;
  upper = range.iHigh;
}

// ---- CTreeCtrl ----

BOOL CTreeCtrl::Create(DWORD style, const RECT& r, CWnd* parent, UINT id) {
  return CreateEx(0, WC_TREEVIEW, "", style | WS_CHILD, r, parent, id);
}

HTREEITEM CTreeCtrl::InsertItem(LPTVINSERTSTRUCT ins) {
  return reinterpret_cast<HTREEITEM>(S(TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(ins)));
}

HTREEITEM CTreeCtrl::InsertItem(UINT mask, LPCSTR text, int image, int selImage, UINT state, UINT stateMask,
                                LPARAM param, HTREEITEM parent, HTREEITEM after) {
  TVINSERTSTRUCT ins{};
  ins.hParent = parent;
  ins.hInsertAfter = after;
  ins.item.mask = mask;
  ins.item.pszText = const_cast<LPSTR>(text);
  ins.item.iImage = image;
  ins.item.iSelectedImage = selImage;
  ins.item.state = state;
  ins.item.stateMask = stateMask;
  ins.item.lParam = param;
  return InsertItem(&ins);
}

HTREEITEM CTreeCtrl::InsertItem(LPCSTR text, HTREEITEM parent, HTREEITEM after) {
  return InsertItem(TVIF_TEXT, text, 0, 0, 0, 0, 0, parent, after);
}

HTREEITEM CTreeCtrl::InsertItem(LPCSTR text, int image, int selImage, HTREEITEM parent, HTREEITEM after) {
  return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, text, image, selImage, 0, 0, 0, parent,
                    after);
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM item, LPRECT r, BOOL textOnly) const {
  if (!r) return FALSE;
  *reinterpret_cast<HTREEITEM*>(r) = item;
  return B(TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(r));
}

CImageList* CTreeCtrl::GetImageList(UINT type) const {
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(S(TVM_GETIMAGELIST, type)));
}

CImageList* CTreeCtrl::SetImageList(CImageList* list, int type) {
  HIMAGELIST h = list ? list->GetSafeHandle() : nullptr;
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
      S(TVM_SETIMAGELIST, static_cast<WPARAM>(type), reinterpret_cast<LPARAM>(h))));
}

BOOL CTreeCtrl::SetItem(HTREEITEM item, UINT mask, LPCSTR text, int image, int selImage, UINT state,
                        UINT stateMask, LPARAM param) {
  TVITEM it{};
  it.hItem = item;
  it.mask = mask;
  it.pszText = const_cast<LPSTR>(text);
  it.iImage = image;
  it.iSelectedImage = selImage;
  it.state = state;
  it.stateMask = stateMask;
  it.lParam = param;
  return SetItem(&it);
}

CString CTreeCtrl::GetItemText(HTREEITEM item) const {
  char buf[1024] = {0};
  TVITEM it{};
  it.hItem = item;
  it.mask = TVIF_TEXT;
  it.pszText = buf;
  it.cchTextMax = sizeof buf;
  GetItem(&it);
  return CString(buf);
}

BOOL CTreeCtrl::SetItemText(HTREEITEM item, LPCSTR text) {
  return SetItem(item, TVIF_TEXT, text, 0, 0, 0, 0, 0);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM item, int& image, int& selImage) const {
  TVITEM it{};
  it.hItem = item;
  it.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  if (!GetItem(&it)) return FALSE;
  image = it.iImage;
  selImage = it.iSelectedImage;
  return TRUE;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM item, int image, int selImage) {
  return SetItem(item, TVIF_IMAGE | TVIF_SELECTEDIMAGE, nullptr, image, selImage, 0, 0, 0);
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const {
  TVITEM it{};
  it.hItem = item;
  it.mask = TVIF_STATE;
  it.stateMask = mask;
  GetItem(&it);
  return it.state & mask;
}

BOOL CTreeCtrl::SetItemState(HTREEITEM item, UINT state, UINT mask) {
  return SetItem(item, TVIF_STATE, nullptr, 0, 0, state, mask, 0);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM item) const {
  TVITEM it{};
  it.hItem = item;
  it.mask = TVIF_PARAM;
  GetItem(&it);
  return static_cast<DWORD_PTR>(it.lParam);
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, DWORD_PTR data) {
  return SetItem(item, TVIF_PARAM, nullptr, 0, 0, 0, 0, static_cast<LPARAM>(data));
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM item) const {
  TVITEM it{};
  it.hItem = item;
  it.mask = TVIF_CHILDREN;
  GetItem(&it);
  return it.cChildren != 0;
}

namespace {
// Temporary CEdit objects for the label editors (a real CEdit, so that
// the caller's CEdit calls are sound); dropped with their windows.
CEdit* TempEdit(HWND h) {
  if (!h) return nullptr;
  if (auto* permanent = dynamic_cast<CEdit*>(CWnd::FromHandlePermanent(h))) return permanent;
  static auto* temps = new std::map<HWND, std::unique_ptr<CEdit>>;
  for (auto it = temps->begin(); it != temps->end();) {
    if (!::IsWindow(it->first)) {
      it->second->m_hWnd = nullptr;
      it = temps->erase(it);
    } else {
      ++it;
    }
  }
  auto& slot = (*temps)[h];
  if (!slot) {
    slot = std::make_unique<CEdit>();
    slot->m_hWnd = h;
  }
  return slot.get();
}
}  // namespace

CEdit* CTreeCtrl::EditLabel(HTREEITEM item) {
  return TempEdit(reinterpret_cast<HWND>(S(TVM_EDITLABEL, 0, reinterpret_cast<LPARAM>(item))));
}

CEdit* CTreeCtrl::GetEditControl() const { return TempEdit(reinterpret_cast<HWND>(S(TVM_GETEDITCONTROL))); }

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* flags) const {
  TVHITTESTINFO ht{};
  ht.pt = pt;
  HTREEITEM h = HitTest(&ht);
  if (flags) *flags = ht.flags;
  return h;
}

// ---- CToolTipCtrl ----

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
  return CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASS, "", style | WS_POPUP, 0, 0, 0, 0,
                  parent ? parent->m_hWnd : nullptr, nullptr);
}

namespace {
TOOLINFO Info(CWnd* w, UINT_PTR id) {
  TOOLINFO ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = w ? w->m_hWnd : nullptr;
  ti.uId = id;
  if (!id && w) {
    ti.uId = reinterpret_cast<UINT_PTR>(w->m_hWnd);
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = ::GetParent(w->m_hWnd);
  }
  return ti;
}
}  // namespace

BOOL CToolTipCtrl::AddTool(CWnd* w, LPCSTR text, LPCRECT r, UINT_PTR id) {
  TOOLINFO ti = Info(w, id);
  if (r) ti.rect = *r;
  ti.lpszText = const_cast<LPSTR>(text);
  return static_cast<BOOL>(::SendMessage(m_hWnd, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
}

BOOL CToolTipCtrl::AddTool(CWnd* w, UINT textId, LPCRECT r, UINT_PTR id) {
  TOOLINFO ti = Info(w, id);
  if (r) ti.rect = *r;
  ti.hinst = AfxGetResourceHandle();
  ti.lpszText = MAKEINTRESOURCE(textId);
  return static_cast<BOOL>(::SendMessage(m_hWnd, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::DelTool(CWnd* w, UINT_PTR id) {
  TOOLINFO ti = Info(w, id);
  ::SendMessage(m_hWnd, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::GetText(CString& s, CWnd* w, UINT_PTR id) const {
  char buf[512] = {0};
  TOOLINFO ti = Info(w, id);
  ti.lpszText = buf;
  ::SendMessage(m_hWnd, TTM_GETTEXT, 0, reinterpret_cast<LPARAM>(&ti));
  s = buf;
}

BOOL CToolTipCtrl::GetToolInfo(TOOLINFO& out, CWnd* w, UINT_PTR id) const {
  out = Info(w, id);
  return static_cast<BOOL>(::SendMessage(m_hWnd, TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(&out)));
}

void CToolTipCtrl::SetToolRect(CWnd* w, UINT_PTR id, LPCRECT r) {
  TOOLINFO ti = Info(w, id);
  if (r) ti.rect = *r;
  ::SendMessage(m_hWnd, TTM_NEWTOOLRECT, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(LPCSTR text, CWnd* w, UINT_PTR id) {
  TOOLINFO ti = Info(w, id);
  ti.lpszText = const_cast<LPSTR>(text);
  ::SendMessage(m_hWnd, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
}
