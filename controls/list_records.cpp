#include "controls/list_records.h"

#include <cstring>

char* SECListCopyText(const char* text) {
  if (!SECListOwnsText(text)) return const_cast<char*>(text);
  const size_t n = std::strlen(text);
  char* copy = new char[n + 1];
  std::memcpy(copy, text, n + 1);
  return copy;
}

void SECListFreeText(char*& text) {
  if (SECListOwnsText(text)) delete[] text;
  text = nullptr;
}

int SECListCopyToBuffer(const char* text, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  if (!SECListOwnsText(text)) {
    buffer[0] = '\0';
    return 0;
  }
  const size_t n = std::min(std::strlen(text), static_cast<size_t>(size - 1));
  std::memcpy(buffer, text, n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

SECListSubItem::~SECListSubItem() { SECListFreeText(m_pszText); }

SECListItem::~SECListItem() {
  SECListFreeText(m_pszText);
  while (!m_subItems.empty()) RemoveSubItem(1);
}

int SECListItem::AddSubItem() {
  m_subItems.push_back(new SECListSubItem);
  return GetSubItemCount() - 1;
}

void SECListItem::InsertSubItem(int index) {
  index = std::clamp(index, 0, GetSubItemCount());
  m_subItems.insert(m_subItems.begin() + index, new SECListSubItem);
}

BOOL SECListItem::RemoveSubItem(int n) {
  if (n < 1 || n > GetSubItemCount()) return FALSE;
  delete m_subItems[static_cast<size_t>(n - 1)];
  m_subItems.erase(m_subItems.begin() + (n - 1));
  return TRUE;
}

SECListSubItem* SECListItem::GetSubItem(int n) const {
  if (n < 1 || n > GetSubItemCount()) return nullptr;
  return m_subItems[static_cast<size_t>(n - 1)];
}
