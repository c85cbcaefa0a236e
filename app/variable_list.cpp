#include "app/variable_list.h"

#include <cstring>

bool CExpressionEntry::HasType(const char* typeText) const {
  if (!type || !typeText) return !type && !typeText;
  return std::strcmp(*type, typeText) == 0;
}

void CExpressionEntry::SetType(const char* typeText) {
  if (typeText)
    type = std::make_unique<CString>(typeText);
  else
    type.reset();
}

CVariableList::~CVariableList() { FreeAll(); }

CExpressionEntry* CVariableList::FindByName(const char* entryName) const {
  auto it = m_byName.find(entryName);
  return it == m_byName.end() ? nullptr : it->second;
}

CExpressionEntry* CVariableList::FindByNode(HTREEITEM item) const {
  auto it = m_byNode.find(item);
  return it == m_byNode.end() ? nullptr : it->second;
}

CExpressionEntry* CVariableList::Append(const char* entryName, HTREEITEM item) {
  auto* e = new CExpressionEntry(entryName, item);
  AddTail(e);
  IndexName(e);
  m_byNode[item] = e;
  return e;
}

void CVariableList::IndexName(CExpressionEntry* entry) { m_byName.emplace(entry->name.str(), entry); }

void CVariableList::UnindexName(CExpressionEntry* entry) {
  auto it = m_byName.find(entry->name.str());
  if (it == m_byName.end() || it->second != entry) return;
  m_byName.erase(it);
  // A later entry of the same name becomes the first one.
  for (POSITION pos = GetHeadPosition(); pos;) {
    CExpressionEntry* e = GetNext(pos);
    if (e != entry && e->name == entry->name) {
      m_byName.emplace(e->name.str(), e);
      break;
    }
  }
}

void CVariableList::Rename(CExpressionEntry* entry, const char* entryName) {
  UnindexName(entry);
  entry->name = entryName;
  IndexName(entry);
}

void CVariableList::Free(CExpressionEntry* entry) {
  UnindexName(entry);
  m_byNode.erase(entry->node);
  if (POSITION pos = Find(entry)) RemoveAt(pos);
  delete entry;
}

void CVariableList::FreeAll() {
  m_byName.clear();
  m_byNode.clear();
  while (!IsEmpty()) delete RemoveHead();
}
