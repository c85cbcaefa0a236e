// The Go To dialog: a line number for a source view or a linear address
// for the disassembly view, decimal or hexadecimal. "Go To" moves the view
// and leaves the dialog open; Close ends it.
#pragma once

#include "debugger/ui/hex_numeric_edit.h"
#include "platform/ui/afxdlg.h"

class CView;

// Who moves the view (the main frame).
class CGoToTarget {
 public:
  virtual ~CGoToTarget() = default;
  virtual void GoToLineOrAddress(CView* view, DWORD number) = 0;
};

// The entry text and the label the dialog starts with ("Memory Address"
// or "Line Number", set by the frame); the entry keeps what was typed.
extern CString g_goToEntry;
extern CString g_goToLabel;

class CGoToDialog : public CDialog {
 public:
  static const UINT kTemplate = 143;
  static const int kEntry = 1001, kLabel = 1012, kGoTo = 1009;

  CGoToDialog(CGoToTarget* target, CView* view, CWnd* parent = nullptr);
  BOOL OnInitDialog() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnGoTo();
  void OnClose();
  BOOL OnHelpInfo(void* info);
  DECLARE_MESSAGE_MAP()

 private:
  CGoToTarget* m_target;
  CView* m_view;
  CHexNumericEdit m_edit;
};
