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
  for (POSITION pos = GetHeadPosition(); pos;) {
    CExpressionEntry* e = GetNext(pos);
    if (std::strcmp(e->name, entryName) == 0) return e;
  }
  return nullptr;
}

CExpressionEntry* CVariableList::FindByNode(HTREEITEM item) const {
  for (POSITION pos = GetHeadPosition(); pos;) {
    CExpressionEntry* e = GetNext(pos);
    if (e->node == item) return e;
  }
  return nullptr;
}

CExpressionEntry* CVariableList::Append(const char* entryName, HTREEITEM item) {
  auto* e = new CExpressionEntry(entryName, item);
  AddTail(e);
  return e;
}

void CVariableList::Free(CExpressionEntry* entry) {
  if (POSITION pos = Find(entry)) RemoveAt(pos);
  delete entry;
}

void CVariableList::FreeAll() {
  while (!IsEmpty()) delete RemoveHead();
}
