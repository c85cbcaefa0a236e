// The expressions of a watch window: one entry per shown expression or
// member, with the type text of its last value and the tree item that
// shows it; structured values keep their members as a child list.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>

#include "platform/base/coll_list.h"
#include "platform/base/cstring.h"
#include "platform/ui/commctrl.h"

class CVariableList;

class CExpressionEntry {
 public:
  CExpressionEntry(const char* entryName, HTREEITEM item) : name(entryName), node(item) {}

  // Same type: both without one, or equal texts.
  bool HasType(const char* typeText) const;
  void SetType(const char* typeText);

  CString name;
  std::unique_ptr<CString> type;  // null until a value with a type came
  HTREEITEM node;
  std::unique_ptr<CVariableList> children;
};

class CVariableList : public CList<CExpressionEntry*, CExpressionEntry*> {
 public:
  CVariableList() : CList(10) {}
  ~CVariableList();
  CVariableList(const CVariableList&) = delete;
  CVariableList& operator=(const CVariableList&) = delete;

  CExpressionEntry* FindByName(const char* entryName) const;
  CExpressionEntry* FindByNode(HTREEITEM item) const;
  CExpressionEntry* Append(const char* entryName, HTREEITEM item);
  // Frees the entry and its children.
  void Free(CExpressionEntry* entry);
  void FreeAll();
  // Gives an entry a new name.
  void Rename(CExpressionEntry* entry, const char* entryName);

 private:
  void IndexName(CExpressionEntry* entry);
  void UnindexName(CExpressionEntry* entry);

  // Lookups for refreshes of many watches and large arrays: the first
  // entry of each name, and every entry by its item.
  std::unordered_map<std::string, CExpressionEntry*> m_byName;
  std::unordered_map<HTREEITEM, CExpressionEntry*> m_byNode;
};
