#include "app/variable_tree.h"

#include <cstdlib>
#include <cstring>

#include "app/core/number_text.h"
#include "debugger/debug_access.h"
#include "debugger/debug_message.h"
#include "debugger/eval.h"
#include "debugger/session_globals.h"
#include "debugger/target_registers.h"
#include "debugger/value_text_parse.h"

BEGIN_MESSAGE_MAP(CVariableTree, SECTreeCtrl)
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

CVariableTree::CVariableTree(WatchRefresh refresh, WatchAssign assign)
    : m_bRefreshAfterEdit(refresh == WatchRefresh::kAfterEdit), m_assign(assign) {}

CVariableTree::~CVariableTree() = default;

CString CVariableTree::ValueOf(HTREEITEM item) const {
  auto it = m_values.find(item);
  return it == m_values.end() ? CString() : it->second;
}

BOOL CVariableTree::GetItem(LV_ITEM* pItem, BOOL bCopyText, BOOL bNotify) const {
  if (!SECTreeCtrl::GetItem(pItem, bCopyText, bNotify)) return FALSE;
  if (pItem->iSubItem != kValueColumn || !(pItem->mask & LVIF_TEXT)) return TRUE;
  // Rows come and go with expansion: values belong to the items.
  auto it = m_values.find(GetItemAt(pItem->iItem));
  static const char kNoValue[] = "";
  const char* text = it == m_values.end() ? kNoValue : static_cast<const char*>(it->second);
  if (bCopyText && pItem->pszText && pItem->cchTextMax > 0) {
    std::strncpy(pItem->pszText, text, size_t(pItem->cchTextMax) - 1);
    pItem->pszText[pItem->cchTextMax - 1] = '\0';
  } else {
    pItem->pszText = const_cast<char*>(text);
  }
  return TRUE;
}

void CVariableTree::NotifyDeleteItem(HTREEITEM hItem) {
  m_values.erase(hItem);
  SECTreeCtrl::NotifyDeleteItem(hItem);
}

void CVariableTree::SetValue(const char* name, const char* valueText, const char* typeText, HTREEITEM node) {
  CExpressionEntry* entry = node ? m_variables.FindByNode(node) : m_variables.FindByName(name);
  if (node && !entry) return;
  if (entry) {
    if (!entry->HasType(typeText)) {
      ClearMembers(*entry);
      entry->SetType(typeText);
    }
  } else {
    entry = m_variables.Append(name, InsertItem(name));
    entry->SetType(typeText);
  }
  ValueParseResult parsed = ParseValueText(valueText);
  for (const ValueParseError& e : parsed.errors) DebugMessageBox(e.text.c_str(), e.caption.c_str());
  ApplyValue(*entry, parsed.value);
  if (m_hWnd) Invalidate(TRUE);
}

void CVariableTree::ApplyValue(CExpressionEntry& entry, const ParsedValue& value) {
  m_values[entry.node] = value.text.c_str();
  for (const ParsedMember& member : value.members) {
    if (!entry.children) entry.children = std::make_unique<CVariableList>();
    CExpressionEntry* child = entry.children->FindByName(member.name.c_str());
    if (!child)
      child = entry.children->Append(member.name.c_str(), InsertItem(member.name.c_str(), entry.node));
    ApplyValue(*child, member.value);
  }
}

void CVariableTree::ClearMembers(CExpressionEntry& entry) {
  while (HTREEITEM child = GetChildItem(entry.node)) DeleteItem(child);
  entry.children.reset();
}

CString CVariableTree::ExpressionOf(HTREEITEM item) {
  CString path = GetItemText(item);
  for (HTREEITEM p = GetParentItem(item); p && p != TVI_ROOT; p = GetParentItem(p)) {
    const CString name = GetItemText(p);
    path = path.Left(1) == "[" ? name + path : name + "." + path;
  }
  return path;
}

void CVariableTree::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_DELETE) {
    DeleteSelected();
    return;
  }
  SECTreeCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CVariableTree::DeleteSelected() {
  HTREEITEM item = GetSelectedItem();
  // Members come back with the next value: only whole expressions go.
  CExpressionEntry* entry = item ? m_variables.FindByNode(item) : nullptr;
  if (!entry) return;
  DeleteItem(item);
  m_variables.Free(entry);
}

BOOL CVariableTree::NotifyEndLabelEdit(int nRow, int nSubItem, CString* pText, BOOL bAccept) {
  HTREEITEM item = GetItemAt(nRow);
  if (!bAccept || !pText || !item || !IsValidHandle(item)) return FALSE;
  if (nSubItem == kNameColumn) return EditName(item, *pText);
  if (nSubItem == kValueColumn) return EditValue(item, *pText);
  return FALSE;
}

BOOL CVariableTree::EditName(HTREEITEM item, const CString& text) {
  CExpressionEntry* entry = m_variables.FindByNode(item);
  if (!entry || text.IsEmpty()) return FALSE;
  ClearMembers(*entry);
  m_variables.Rename(entry, text);
  entry->type.reset();
  SetItemText(item, text);
  m_values[item] = "";
  if (m_pRequester) m_pRequester->RequestWatchValue(text, item);
  return TRUE;
}

BOOL CVariableTree::EditValue(HTREEITEM item, const CString& text) {
  const bool typedHex = text.FindOneOf("x$h") >= 0;
  const double value = typedHex ? double(ParseNumberText(text)) : std::strtod(text, nullptr);
  if (!Assign(ExpressionOf(item), value)) return FALSE;
  m_values[item] = text;
  if (m_bRefreshAfterEdit && m_pRequester) m_pRequester->RefreshAll();
  return TRUE;
}

BOOL CVariableTree::Assign(const CString& expression, double value) {
  if (m_assign == WatchAssign::kRegisters) {
    if (!g_pDebugAccess) return FALSE;
    g_pDebugAccess->SetRegisterByName(expression, value);
    return TRUE;
  }
  if (!m_pEval) return FALSE;
  const CAddr context = m_pRegisters ? m_pRegisters->code : CAddr();
  m_pEval->Write(expression, &context, value);
  return TRUE;
}
