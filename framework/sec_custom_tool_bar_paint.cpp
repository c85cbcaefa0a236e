// Tool bar painting: the buttons through the shared off-screen resources,
// then the flat or raised borders.
#include <algorithm>

#include "framework/sec_bmp_mgr.h"
#include "framework/sec_custom_tool_bar.h"
#include "framework/sec_global_data.h"
#include "framework/sec_tool_bar_manager.h"
#include "platform/ui/ui.h"

namespace {
constexpr int kSECToolBarGripperClosePad = 2;
}  // namespace

SECBtnDrawData* SECCustomToolBar::GetDrawData() {
  if (SECToolBarManager* mgr = GetManager()) return mgr->GetDrawData();
  if (!m_pDrawData) m_pDrawData = new SECBtnDrawData;
  return m_pDrawData;
}

void SECCustomToolBar::DoPaint(CDC* pDC) {
  SECControlBar::DoPaint(pDC);
  if (m_btns.empty()) return;
  SECBtnDrawData* data = GetDrawData();
  if (!data || !data->PrepareDrawing(*pDC, std::max(m_nMaxBtnWidth, 1), GetButtonHeight())) return;
  for (SECStdBtn* btn : m_btns)
    if (!(btn->m_nStyle & TBBS_HIDDEN)) btn->Draw(*pDC, *data);
  data->EndDrawing();
}

void SECCustomToolBar::DrawBorders(CDC* pDC, CRect& rect) {
  if (IsCoolLook()) {
    const COLORREF topLeft = (m_dwStyle & CBRS_BORDER_3D) ? secData.clrBtnHilite : secData.clrBtnShadow;
    const CRect r = rect;
    if (m_dwStyle & CBRS_BORDER_LEFT) pDC->FillSolidRect(r.left, r.top, 1, r.Height(), topLeft);
    if (m_dwStyle & CBRS_BORDER_TOP) pDC->FillSolidRect(r.left, r.top, r.Width(), 1, topLeft);
    if (m_dwStyle & CBRS_BORDER_RIGHT)
      pDC->FillSolidRect(r.right - 1, r.top, 1, r.Height(), secData.clrBtnShadow);
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
      pDC->FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, secData.clrBtnShadow);
    if (!m_pDockContext) {
      pDC->FillSolidRect(r.left, r.top, r.Width(), 1, secData.clrBtnShadow);
      pDC->FillSolidRect(r.left, r.top + 1, r.Width(), 1, secData.clrBtnHilite);
    }
  } else if (!rect.IsRectEmpty()) {
    rect.right -= 1;
    rect.bottom -= 1;
  }
  SECControlBar::DrawBorders(pDC, rect);
}

void SECCustomToolBar::AdjustForGripper(CRect& rect, BOOL bHorz) const {
  SECControlBar::AdjustForGripper(rect, bHorz);
  if (!(m_dwExStyle & SECBAR_GRIPPERCLOSE)) return;
  if (bHorz)
    rect.left += kSECToolBarGripperClosePad;
  else
    rect.top += kSECToolBarGripperClosePad;
}

void SECCustomToolBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) {
  SECControlBar::OnBarStyleChange(dwOldStyle, dwNewStyle);
  for (SECStdBtn* btn : m_btns) btn->BarStyleChanged(dwNewStyle);
}

void SECCustomToolBar::OnSysColorChange() {
  if (m_pDrawData) m_pDrawData->RebuildDitherBrush();
  if (SECToolBarManager* mgr = GetManager()) mgr->GetDrawData()->RebuildDitherBrush();
  if (m_pBmpMgr) m_pBmpMgr->ReloadAll(TRUE);
  Invalidate();
}
