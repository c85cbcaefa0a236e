#include "debugger/ui/watch_expr_dialog.h"

CString g_watchExpression;

void CWatchExprDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, kExpression, g_watchExpression);
}
