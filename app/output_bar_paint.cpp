#include "app/output_bar_paint.h"

#include "framework/sec_control_bar.h"
#include "platform/ui/cdc.h"

void FitChildToBarInside(SECControlBar* bar, CWnd& child) {
  if (!child.m_hWnd) return;
  CRect inside;
  bar->GetInsideRect(inside);
  child.SetWindowPos(nullptr, inside.left, inside.top, inside.Width(), inside.Height(),
                     SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
}

void PaintBarInsideFrame(SECControlBar* bar, CDC* pDC) {
  CRect client, inside;
  bar->GetClientRect(client);
  bar->GetInsideRect(inside);
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  pDC->FillSolidRect(CRect(client.left, client.top, client.right, inside.top), face);
  pDC->FillSolidRect(CRect(client.left, inside.bottom, client.right, client.bottom), face);
  pDC->FillSolidRect(CRect(client.left, inside.top, inside.left, inside.bottom), face);
  pDC->FillSolidRect(CRect(inside.right, inside.top, client.right, inside.bottom), face);
  pDC->FillSolidRect(inside, GetSysColor(COLOR_WINDOW));
}
