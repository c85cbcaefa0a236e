#include "app/text_display_control_bar.h"

#include "app/command_ids.h"
#include "app/output_bar_paint.h"

IMPLEMENT_DYNAMIC(CTextDisplayControlBar, SECControlBar)

BEGIN_MESSAGE_MAP(CTextDisplayControlBar, SECControlBar)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

int CTextDisplayControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (SECControlBar::OnCreate(lpCreateStruct) == -1) return -1;
  constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL;
  if (!m_wndDisplay.Create(kStyle, CRect(0, 0, 0, 0), this, ID_TEXT_DISPLAY)) return -1;
  return 0;
}

void CTextDisplayControlBar::OnSize(UINT nType, int cx, int cy) {
  FitChildToBarInside(this, m_wndDisplay);
  SECControlBar::OnSize(nType, cx, cy);
}

BOOL CTextDisplayControlBar::OnEraseBkgnd(CDC* pDC) {
  PaintBarInsideFrame(this, pDC);
  return SECControlBar::OnEraseBkgnd(pDC);
}
