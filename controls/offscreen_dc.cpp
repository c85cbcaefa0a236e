#include "controls/offscreen_dc.h"

SECOffscreenDC::SECOffscreenDC(CDC* pTarget, const RECT& area) : m_pTarget(pTarget), m_area(area) {
  if (pTarget == nullptr) AfxThrowResourceException();
  m_viewportOrg = pTarget->GetViewportOrg();
  m_windowOrg = pTarget->GetWindowOrg();
  m_viewportExt = pTarget->GetViewportExt();
  m_windowExt = pTarget->GetWindowExt();
  if (!CreateCompatibleDC(pTarget)) AfxThrowResourceException();
  if (!m_bitmap.CreateCompatibleBitmap(pTarget, std::max(m_area.Width(), 1), std::max(m_area.Height(), 1))) {
    DeleteDC();
    AfxThrowResourceException();
  }
  m_pOldBitmap = SelectObject(&m_bitmap);
  ApplyMapping();
}

void SECOffscreenDC::ApplyMapping() {
  // The target's mapping, moved so that the area's corner lands on the
  // bitmap's first pixel: the painter draws at the area's own coordinates.
  CPoint corner(m_area.left, m_area.top);
  m_pTarget->LPtoDP(&corner);
  SetViewportOrg(m_viewportOrg.x - corner.x, m_viewportOrg.y - corner.y);
  SetWindowOrg(m_windowOrg);
  SetViewportExt(m_viewportExt);
  SetWindowExt(m_windowExt);
}

SECOffscreenDC::~SECOffscreenDC() {
  ApplyMapping();
  m_pTarget->BitBlt(m_area.left, m_area.top, m_area.Width(), m_area.Height(), this, m_area.left, m_area.top,
                    SRCCOPY);
  SelectObject(m_pOldBitmap);
  m_bitmap.DeleteObject();
  DeleteDC();
}
