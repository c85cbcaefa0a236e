#include "controls/subitem_text_storage.h"

#include "controls/list_records.h"

SECSubItemTextStorage::~SECSubItemTextStorage() {
  for (auto& [item, texts] : m_texts) delete texts;
  m_texts.clear();
}

BOOL SECSubItemTextStorage::GetSubItemText(HTREEITEM hItem, int n, char* buffer, int size) const {
  const auto it = m_texts.find(hItem);
  if (it == m_texts.end() || n < 1 || n - 1 >= it->second->GetSize()) {
    SECListCopyToBuffer("", buffer, size);
    return FALSE;
  }
  SECListCopyToBuffer(it->second->GetAt(n - 1), buffer, size);
  return TRUE;
}

BOOL SECSubItemTextStorage::SetSubItemText(HTREEITEM hItem, int n, LPCSTR text) {
  if (n < 1) return FALSE;
  CStringArray*& texts = m_texts[hItem];
  if (texts == nullptr) texts = new CStringArray;
  texts->SetAtGrow(n - 1, text ? text : "");
  return TRUE;
}

BOOL SECSubItemTextStorage::MoveSubItemText(HTREEITEM hItem, int nFrom, int nTo) {
  const auto it = m_texts.find(hItem);
  if (it == m_texts.end()) return FALSE;
  CStringArray& texts = *it->second;
  if (nFrom < 1 || nFrom > texts.GetSize()) return TRUE;
  const CString moved = texts.GetAt(nFrom - 1);
  texts.RemoveAt(nFrom - 1);
  texts.InsertAt(std::clamp(nTo - 1, 0, static_cast<int>(texts.GetSize())), moved);
  return TRUE;
}

void SECSubItemTextStorage::RemoveItem(HTREEITEM hItem) {
  const auto it = m_texts.find(hItem);
  if (it == m_texts.end()) return;
  delete it->second;
  m_texts.erase(it);
}
