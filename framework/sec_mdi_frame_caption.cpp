// SECMDIFrameWnd: the gradient caption the frame paints itself.
#include "framework/sec_frame_caption.h"
#include "framework/sec_mdi_frame_wnd.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/ui.h"

BOOL SECMDIFrameWnd::EnableCustomCaption(BOOL bEnable, BOOL bRedraw) {
  return m_caption.Enable(this, bEnable, bRedraw, SECNcPaintRequest::kSend);
}

void SECMDIFrameWnd::SetCaptionAlignment(int nAlignment, BOOL bRedraw) {
  m_caption.SetAlignment(this, nAlignment, bRedraw);
}

void SECMDIFrameWnd::CreateCaptionAppFont(CFont& font) {
  SECCreateCaptionFont(font, SECCaptionFontStyle::kItalic);
}

void SECMDIFrameWnd::CreateCaptionDocFont(CFont& font) {
  SECCreateCaptionFont(font, SECCaptionFontStyle::kPlain);
}

CRect SECMDIFrameWnd::GetCaptionRect() const { return m_caption.GetRect(const_cast<SECMDIFrameWnd*>(this)); }

void SECMDIFrameWnd::PaintCaption(CDC* pDC, CSize size) {
  CFont appFont, docFont;
  CreateCaptionAppFont(appFont);
  CreateCaptionDocFont(docFont);
  m_caption.Paint(this, pDC, size, &appFont, &docFont);
}

void SECMDIFrameWnd::DrawCaption() {
  if (!m_caption.bEnabled || !m_hWnd) return;
  CFont appFont, docFont;
  CreateCaptionAppFont(appFont);
  CreateCaptionDocFont(docFont);
  // Without a memory bitmap the frame goes back to the standard caption.
  if (!m_caption.Draw(this, &appFont, &docFont)) EnableCustomCaption(FALSE, TRUE);
}

BOOL SECMDIFrameWnd::OnNcActivate(BOOL bActive) {
  if (!m_caption.bEnabled) return CMDIFrameWnd::OnNcActivate(bActive);
  m_caption.bActive = IsWindowEnabled() ? bActive : FALSE;
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
  if (m_caption.bEnabled) DrawCaption();
}

LRESULT SECMDIFrameWnd::OnSetText(WPARAM, LPARAM) {
  LRESULT result = Default();
  if (m_caption.bEnabled) DrawCaption();
  return result;
}
