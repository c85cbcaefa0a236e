#include "afx_test_support.h"

#include "ui_test_support.h"

namespace afx_test {

BOOL FixedBar::CreateBar(CWnd* parent, UINT id, const char* title) {
  m_dwStyle = 0;  // no side until docked
  return CWnd::Create(AfxControlBarClass(), title, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), parent, id);
}

CSize FixedBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  if (bHorz) return CSize(bStretch ? 32767 : 120, 24);
  return CSize(30, bStretch ? 32767 : 100);
}

void FixedBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) { updates.push_back(pTarget); }

void Pump(CWinThread* thread) {
  ::PumpWaitingMessages();
  if (!thread) thread = AfxGetThread();
  if (thread)
    for (LONG n = 0; thread->OnIdle(n); ++n) {
    }
  ::PumpWaitingMessages();
}

CRect RectIn(CWnd* wnd, CWnd* in) {
  CRect r;
  wnd->GetWindowRect(&r);
  in->ScreenToClient(&r);
  return r;
}

}  // namespace afx_test
