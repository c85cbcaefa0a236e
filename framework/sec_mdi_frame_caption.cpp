// SECMDIFrameWnd: the gradient caption the frame paints itself.
#include "framework/sec_frame_caption.h"
#include "framework/sec_mdi_frame_wnd.h"
#include "platform/ui/afxcmn.h"
#include "platform/ui/afxmenu.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/ui.h"

namespace {
BOOL SECCloseEnabled(CWnd* pWnd) {
  HMENU sys = ::GetSystemMenu(pWnd->m_hWnd, FALSE);
  return sys && !(::GetMenuState(sys, SC_CLOSE, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}
}  // namespace

BOOL SECMDIFrameWnd::EnableCustomCaption(BOOL bEnable, BOOL bRedraw) {
  if (!m_bNewShell) return FALSE;
  const BOOL old = m_bCustomCaption;
  m_bCustomCaption = bEnable;
  if (m_hWnd) {
    if (bRedraw) SendMessage(WM_NCPAINT);
    PostMessage(WM_NCACTIVATE, m_bCaptionActive);
  }
  return old;
}

void SECMDIFrameWnd::SetCaptionAlignment(int nAlignment, BOOL bRedraw) {
  m_nCaptionAlignment = nAlignment;
  if (bRedraw && m_hWnd) SendMessage(WM_NCPAINT);
}

void SECMDIFrameWnd::CreateCaptionAppFont(CFont& font) {
  NONCLIENTMETRICS metrics{};
  metrics.cbSize = sizeof(metrics);
  ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  metrics.lfCaptionFont.lfItalic = TRUE;
  font.CreateFontIndirect(&metrics.lfCaptionFont);
}

void SECMDIFrameWnd::CreateCaptionDocFont(CFont& font) {
  NONCLIENTMETRICS metrics{};
  metrics.cbSize = sizeof(metrics);
  ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  font.CreateFontIndirect(&metrics.lfCaptionFont);
}

CRect SECMDIFrameWnd::GetCaptionRect() const {
  CRect window;
  GetWindowRect(&window);
  return SECCalcCaptionRect(window.Size(), GetStyle(), SECCloseEnabled(const_cast<SECMDIFrameWnd*>(this)));
}

void SECMDIFrameWnd::PaintCaption(CDC* pDC, CSize size) {
  CFont appFont, docFont;
  CreateCaptionAppFont(appFont);
  CreateCaptionDocFont(docFont);
  SECCaptionPaint paint;
  GetWindowText(paint.strText);
  paint.state = m_bCaptionActive ? SECCaptionState::kActive : SECCaptionState::kInactive;
  paint.nAlignment = m_nCaptionAlignment;
  paint.bSysMenu = (GetStyle() & WS_SYSMENU) != 0;
  paint.hIcon = reinterpret_cast<HICON>(::GetClassLongPtr(m_hWnd, GCLP_HICON));
  paint.pAppFont = &appFont;
  paint.pDocFont = &docFont;
  SECPaintCaption(pDC, size, paint);
}

void SECMDIFrameWnd::DrawCaption() {
  if (!m_bCustomCaption || !m_hWnd) return;
  const CRect caption = GetCaptionRect();
  if (caption.IsRectEmpty()) return;
  CWindowDC window(this);
  CDC memory;
  CBitmap bitmap;
  if (!memory.CreateCompatibleDC(&window) ||
      !bitmap.CreateCompatibleBitmap(&window, caption.Width(), caption.Height())) {
    EnableCustomCaption(FALSE, TRUE);
    return;
  }
  CBitmap* old = memory.SelectObject(&bitmap);
  PaintCaption(&memory, caption.Size());
  window.BitBlt(caption.left, caption.top, caption.Width(), caption.Height(), &memory, 0, 0, SRCCOPY);
  memory.SelectObject(old);
}

BOOL SECMDIFrameWnd::OnNcActivate(BOOL bActive) {
  if (!m_bCustomCaption) return CMDIFrameWnd::OnNcActivate(bActive);
  m_bCaptionActive = IsWindowEnabled() ? bActive : FALSE;
  CFrameWnd* active = GetActiveFrame();
  if (active && active != this && active->m_hWnd && !active->IsKindOf(RUNTIME_CLASS(CMDIChildWnd))) {
    active->SendMessage(WM_NCACTIVATE, bActive);
    active->SendMessage(WM_NCPAINT);
  }
  // The layer paints no caption of its own, so the default runs as it is.
  BOOL result = CMDIFrameWnd::OnNcActivate(bActive);
  SendMessage(WM_NCPAINT);
  return result;
}

void SECMDIFrameWnd::OnNcPaint() {
  Default();
  if (m_bCustomCaption) DrawCaption();
}

LRESULT SECMDIFrameWnd::OnSetText(WPARAM, LPARAM) {
  if (!m_bCustomCaption) return Default();
  LRESULT result = Default();
  DrawCaption();
  return result;
}
