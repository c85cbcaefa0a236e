// A watch window as a docking bar: the Variable bar and the Registers bar.
// It keeps the requests whose values are still to come, oldest first, and
// gives each answer to the request it belongs to.
#pragma once

#include "app/variable_tree.h"
#include "framework/sec_control_bar.h"

class CVariableControlBar : public SECControlBar, public CWatchRequester {
 public:
  // A value asked for: the expression and its item (null for a new one).
  struct CWaiting {
    CString expression;
    HTREEITEM node;
  };

  CVariableControlBar(WatchRefresh refresh, WatchAssign assign);
  ~CVariableControlBar() override;

  // The bar's name, also the title of the name column.
  void SetName(const char* name);
  const CString& Name() const { return m_name; }
  void SetEvaluator(CEval* eval) { m_tree.SetEvaluator(eval); }
  void SetRegisters(TargetRegisters* block) { m_tree.SetRegisters(block); }
  // The frame's request path (asks the debugger, then queues here); without
  // one the bar asks the current debugger itself.
  void SetFrameRequester(CWatchRequester* frame) { m_pFrameRequester = frame; }

  void AddPendingRequest(const char* expression, HTREEITEM node);
  int PendingCount() const { return int(m_pending.GetCount()); }
  // The answer to the oldest request; none pending: ignored.
  void OnWatchValue(const char* valueText, const char* typeText);
  // "NAME = VALUE" lines, each ended by CR LF.
  void SetRegisterText(const char* text);

  void RequestWatchValue(const char* name, HTREEITEM node) override;
  void RefreshAll() override;

  CVariableTree m_tree;

 protected:
  int OnCreate(LPCREATESTRUCT lpcs);
  void OnSize(UINT nType, int cx, int cy);
  BOOL OnEraseBkgnd(CDC* pDC);
  DECLARE_MESSAGE_MAP()

 private:
  const char* NameColumnTitle() const;

  CList<CWaiting, const CWaiting&> m_pending;
  CString m_name;
  CWatchRequester* m_pFrameRequester = nullptr;
};
