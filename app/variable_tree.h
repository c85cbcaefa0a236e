// The two-column tree of a watch window (the Variable and the Registers
// bar): expressions and their values, structured values as members. Value
// texts are read by ParseValueText; a member is found again by its name,
// so an unchanged structure keeps its expanded items. Editing a name asks
// for the new expression's value; editing a value assigns it in the target.
#pragma once

#include <unordered_map>

#include "app/variable_list.h"
#include "controls/sec_tree_ctrl.h"

class CEval;
struct ParsedValue;
struct TargetRegisters;

// Who asks the debugger for values (the bar, which queues the request).
class CWatchRequester {
 public:
  virtual ~CWatchRequester() = default;
  virtual void RequestWatchValue(const char* name, HTREEITEM node) = 0;
  // Requests every top-level expression again.
  virtual void RefreshAll() = 0;
};

// Whether every expression is requested again after an edit.
enum class WatchRefresh { kNone, kAfterEdit };
// Where an edited value goes: the watch evaluator, or straight to the
// target's register of that name.
enum class WatchAssign { kEvaluator, kRegisters };

class CVariableTree : public SECTreeCtrl {
 public:
  static const UINT kControlId = 3095;
  static const int kNameColumn = 0, kValueColumn = 1;

  CVariableTree(WatchRefresh refresh, WatchAssign assign);
  ~CVariableTree() override;

  void SetRequester(CWatchRequester* requester) { m_pRequester = requester; }
  void SetEvaluator(CEval* eval) { m_pEval = eval; }
  void SetRegisters(TargetRegisters* block) { m_pRegisters = block; }

  // Shows a value: of the entry of `node` when one is given (an answer for
  // an item removed meanwhile is dropped), else of the expression `name`,
  // added when new. A new type text drops the old members.
  void SetValue(const char* name, const char* valueText, const char* typeText, HTREEITEM node);

  CVariableList& Variables() { return m_variables; }
  // The Value column of an item.
  CString ValueOf(HTREEITEM item) const;
  // The expression an item stands for: "s.a", "arr[2]", "s.arr[0].x".
  CString ExpressionOf(HTREEITEM item);

  using SECTreeCtrl::GetItem;
  BOOL GetItem(LV_ITEM* pItem, BOOL bCopyText = TRUE, BOOL bNotify = TRUE) const override;

 protected:
  BOOL NotifyEndLabelEdit(int nRow, int nSubItem, CString* pText, BOOL bAccept) override;
  using SECTreeCtrl::NotifyDeleteItem;
  void NotifyDeleteItem(HTREEITEM hItem) override;
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  DECLARE_MESSAGE_MAP()

 private:
  void ApplyValue(CExpressionEntry& entry, const ParsedValue& value);
  void ClearMembers(CExpressionEntry& entry);
  void DeleteSelected();
  BOOL EditName(HTREEITEM item, const CString& text);
  BOOL EditValue(HTREEITEM item, const CString& text);
  BOOL Assign(const CString& expression, double value);

  CVariableList m_variables;
  std::unordered_map<HTREEITEM, CString> m_values;
  CEval* m_pEval = nullptr;
  TargetRegisters* m_pRegisters = nullptr;
  BOOL m_bRefreshAfterEdit;
  WatchAssign m_assign;
  CWatchRequester* m_pRequester = nullptr;
};
