// The Watch Expression dialog: asks for one expression to watch.
#pragma once

#include "platform/ui/afxdlg.h"

// The expression the dialog starts with; OK stores what was typed.
extern CString g_watchExpression;

class CWatchExprDialog : public CDialog {
 public:
  static const UINT kTemplate = 131;
  static const int kExpression = 1000;

  explicit CWatchExprDialog(CWnd* parent = nullptr) : CDialog(kTemplate, parent) {}

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
