// The WM_NOTIFY messages the list sends to its owner.
#include "controls/list_base.h"

#include <cstring>
#include <memory>

CWnd* SECListBaseC::GetNotifyTarget() const { return m_pNotifyWnd ? m_pNotifyWnd : GetParent(); }

LRESULT SECListBaseC::SendNotify(NMHDR* pHdr, UINT nCode) const {
  if (!HasWindow()) return 0;
  pHdr->hwndFrom = m_hWnd;
  pHdr->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  pHdr->code = nCode;
  CWnd* target = GetNotifyTarget();
  if (target == nullptr || target->GetSafeHwnd() == nullptr) return 0;
  return ::SendMessage(target->GetSafeHwnd(), WM_NOTIFY, pHdr->idFrom, reinterpret_cast<LPARAM>(pHdr));
}

LRESULT SECListBaseC::Notify(UINT nCode) {
  NMHDR hdr{};
  m_nNotifyResult = SendNotify(&hdr, nCode);
  return m_nNotifyResult;
}

namespace {
NMLISTVIEW NotifyRowRecord(int nRow) {
  NMLISTVIEW nm{};
  nm.iItem = nRow;
  return nm;
}
}  // namespace

void SECListBaseC::NotifyInsertItem(int nRow) {
  NMLISTVIEW nm = NotifyRowRecord(nRow);
  SendNotify(&nm.hdr, LVN_INSERTITEM);
}

void SECListBaseC::NotifyDeleteItem(int nRow) {
  NMLISTVIEW nm = NotifyRowRecord(nRow);
  SendNotify(&nm.hdr, LVN_DELETEITEM);
}

void SECListBaseC::NotifyColumnClick(int nCol) {
  NMLISTVIEW nm{};
  nm.iItem = -1;
  nm.iSubItem = nCol;
  SendNotify(&nm.hdr, LVN_COLUMNCLICK);
}

void SECListBaseC::NotifyKeyDown(UINT nVKey) {
  NMLVKEYDOWN nm{};
  nm.wVKey = static_cast<WORD>(nVKey);
  SendNotify(&nm.hdr, LVN_KEYDOWN);
}

void SECListBaseC::NotifyGetDispInfo(LV_ITEM* pItem) const {
  LV_DISPINFO info{};
  info.item = *pItem;
  SendNotify(&info.hdr, LVN_GETDISPINFOA);
  *pItem = info.item;
}

BOOL SECListBaseC::NotifyBeginLabelEdit(int nRow, int nSubItem) {
  LV_DISPINFO info{};
  info.item.mask = LVIF_TEXT;
  info.item.iItem = nRow;
  info.item.iSubItem = nSubItem;
  if (IsValidRow(nRow)) info.item.lParam = GetItemData(nRow);
  return static_cast<BOOL>(SendNotify(&info.hdr, LVN_BEGINLABELEDITA));
}

BOOL SECListBaseC::NotifyEndLabelEdit(int nRow, int nSubItem, CString* pText, BOOL bAccept) {
  LV_DISPINFO info{};
  info.item.mask = LVIF_TEXT;
  info.item.iItem = nRow;
  info.item.iSubItem = nSubItem;
  if (IsValidRow(nRow)) info.item.lParam = GetItemData(nRow);
  // The owner gets a buffer it may change; it is as large as the text needs
  // and never smaller than the list's usual text buffer.
  std::unique_ptr<char[]> buffer;
  int size = 0;
  if (bAccept && pText) {
    size = std::max(pText->GetLength() + 1, kSECListTextBufferSize);
    buffer = std::make_unique<char[]>(static_cast<size_t>(size));
    SECListCopyToBuffer(*pText, buffer.get(), size);
    info.item.pszText = buffer.get();
    info.item.cchTextMax = size;
  }
  const LRESULT answer = SendNotify(&info.hdr, LVN_ENDLABELEDITA);
  if (!bAccept || answer == 0 || pText == nullptr) return FALSE;
  buffer[static_cast<size_t>(size - 1)] = '\0';
  *pText = buffer.get();
  return TRUE;
}
