#include "framework/sec_frame_caption.h"

#include <algorithm>
#include "platform/ui/afxcmn.h"
#include "platform/ui/afxmenu.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/ui.h"

namespace {
// Text starts this far into the text area.
constexpr int kSECCaptionTextInset = 3;
// Measured for the gap the document part needs after the application part.
constexpr char kSECCaptionGapText[] = "W...";
constexpr UINT kSECCaptionTextFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
constexpr int kSECFixedShift = 8;

int SECGradientChannel(int from, int to, int step, int band) {
  int value = ((from << kSECFixedShift) + step * band) >> kSECFixedShift;
  return to >= from ? std::min(value, to) : std::max(value, to);
}

int SECTextWidth(CDC* pDC, CFont* pFont, const CString& text) {
  CFont* old = pFont ? pDC->SelectObject(pFont) : nullptr;
  int cx = pDC->GetTextExtent(text).cx;
  if (old) pDC->SelectObject(old);
  return cx;
}
}  // namespace

CRect SECCalcCaptionRect(CSize size, DWORD dwStyle, BOOL bCloseEnabled) {
  CRect rect;
  rect.left = ::GetSystemMetrics(SM_CXFRAME);
  rect.top = ::GetSystemMetrics(SM_CYFRAME) - ((dwStyle & WS_THICKFRAME) ? 0 : 1);
  rect.right = size.cx - ::GetSystemMetrics(SM_CXSIZE) - 1;
  rect.bottom = rect.top + ::GetSystemMetrics(SM_CYSIZE);
  const int boxes =
      ((dwStyle & WS_MAXIMIZEBOX) ? 1 : 0) + ((dwStyle & WS_MINIMIZEBOX) ? 1 : 0) + (bCloseEnabled ? 1 : 0);
  rect.right +=
      ::GetSystemMetrics(SM_CXBORDER) - (boxes - 1) * ::GetSystemMetrics(SM_CXSIZE) - (boxes >= 1 ? 1 : 0);
  return rect;
}

std::vector<SECGradientBand> SECCalcGradientBands(const CRect& rect, int nBands, COLORREF from, COLORREF to) {
  std::vector<SECGradientBand> bands;
  const int width = rect.Width();
  nBands = std::min(nBands, width);
  if (nBands <= 0) return bands;
  const int r0 = GetRValue(from), g0 = GetGValue(from), b0 = GetBValue(from);
  const int r1 = GetRValue(to), g1 = GetGValue(to), b1 = GetBValue(to);
  const int dr = ((r1 - r0) << kSECFixedShift) / nBands, dg = ((g1 - g0) << kSECFixedShift) / nBands,
            db = ((b1 - b0) << kSECFixedShift) / nBands;
  const int bandWidth = width / nBands;
  for (int i = 0; i < nBands; ++i) {
    CRect band(rect.left + i * bandWidth, rect.top, rect.left + (i + 1) * bandWidth, rect.bottom);
    if (i == nBands - 1) band.right = rect.right;
    bands.push_back({band, RGB(SECGradientChannel(r0, r1, dr, i), SECGradientChannel(g0, g1, dg, i),
                               SECGradientChannel(b0, b1, db, i))});
  }
  return bands;
}

void SECFillGradient(CDC* pDC, const CRect& rect, int nBands, COLORREF from, COLORREF to) {
  for (const SECGradientBand& band : SECCalcGradientBands(rect, nBands, from, to))
    pDC->FillSolidRect(&band.rect, band.color);
}

SECCaptionText SECSplitCaptionText(const CString& strText) {
  const int dash = strText.Find('-');
  if (dash < 0) return {strText, CString()};
  return {strText.Left(dash), strText.Mid(dash)};
}

void SECPaintCaption(CDC* pDC, CSize size, const SECCaptionPaint& paint) {
  const bool active = paint.state == SECCaptionState::kActive;
  CRect area(0, 0, size.cx, size.cy);
  if (paint.bSysMenu) {
    const int cx = ::GetSystemMetrics(SM_CXSIZE), cy = ::GetSystemMetrics(SM_CYSIZE);
    CRect box(0, 0, cx, cy);
    pDC->FillSolidRect(&box, active ? RGB(0, 0, 0) : ::GetSysColor(COLOR_INACTIVECAPTION));
    if (paint.hIcon) {
      const int icon = ::GetSystemMetrics(SM_CXSMICON);
      ::DrawIconEx(pDC->GetSafeHdc(), (cx - icon) / 2, (cy - icon) / 2, paint.hIcon, icon, icon, 0, nullptr,
                   DI_NORMAL);
    }
    area.left = cx;
  }
  if (active) {
    SECFillGradient(pDC, area, kSECCaptionBands, RGB(0, 0, 0), ::GetSysColor(COLOR_ACTIVECAPTION));
  } else {
    pDC->FillSolidRect(&area, ::GetSysColor(COLOR_INACTIVECAPTION));
  }
  const SECCaptionText text = SECSplitCaptionText(paint.strText);
  const int appWidth = SECTextWidth(pDC, paint.pAppFont, text.strApp);
  const int docWidth = text.strDoc.IsEmpty() ? 0 : SECTextWidth(pDC, paint.pDocFont, text.strDoc);
  CRect textArea = area;
  textArea.left += kSECCaptionTextInset;
  int x = textArea.left;
  if (paint.nAlignment == 1) {
    x = std::max(textArea.left, textArea.left + (textArea.Width() - appWidth - docWidth) / 2);
  } else if (paint.nAlignment != 0) {
    x = std::max(textArea.left, textArea.right - appWidth - docWidth);
  }
  const int oldMode = pDC->SetBkMode(TRANSPARENT);
  const COLORREF oldColor = pDC->SetTextColor(RGB(255, 255, 255));
  CFont* oldFont = paint.pAppFont ? pDC->SelectObject(paint.pAppFont) : nullptr;
  CRect appRect(x, textArea.top, textArea.right, textArea.bottom);
  pDC->DrawText(text.strApp, &appRect, kSECCaptionTextFormat);
  const int gap = SECTextWidth(pDC, paint.pDocFont, kSECCaptionGapText);
  if (!text.strDoc.IsEmpty() && textArea.right - x >= appWidth + gap) {
    if (paint.pDocFont) pDC->SelectObject(paint.pDocFont);
    if (!active) pDC->SetTextColor(::GetSysColor(COLOR_INACTIVECAPTIONTEXT));
    CRect docRect(x + appWidth, textArea.top, textArea.right, textArea.bottom);
    pDC->DrawText(text.strDoc, &docRect, kSECCaptionTextFormat);
  }
  if (oldFont) pDC->SelectObject(oldFont);
  pDC->SetTextColor(oldColor);
  pDC->SetBkMode(oldMode);
}

void SECCreateCaptionFont(CFont& font, SECCaptionFontStyle style) {
  NONCLIENTMETRICS metrics{};
  metrics.cbSize = sizeof(metrics);
  ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  if (style == SECCaptionFontStyle::kItalic) metrics.lfCaptionFont.lfItalic = TRUE;
  font.CreateFontIndirect(&metrics.lfCaptionFont);
}

BOOL SECCustomCaption::Enable(CWnd* pFrame, BOOL bEnable, BOOL bRedraw, SECNcPaintRequest request) {
  if (!bNewShell) return FALSE;
  const BOOL old = bEnabled;
  bEnabled = bEnable;
  if (pFrame->m_hWnd) {
    if (bRedraw && request == SECNcPaintRequest::kSend) pFrame->SendMessage(WM_NCPAINT);
    if (bRedraw && request == SECNcPaintRequest::kPost) pFrame->PostMessage(WM_NCPAINT);
    pFrame->PostMessage(WM_NCACTIVATE, bActive);
  }
  return old;
}

void SECCustomCaption::SetAlignment(CWnd* pFrame, int nNewAlignment, BOOL bRedraw) {
  nAlignment = nNewAlignment;
  if (bRedraw && pFrame->m_hWnd) pFrame->SendMessage(WM_NCPAINT);
}

CRect SECCustomCaption::GetRect(CWnd* pFrame) const {
  CRect window;
  pFrame->GetWindowRect(&window);
  HMENU sys = ::GetSystemMenu(pFrame->m_hWnd, FALSE);
  const BOOL closeEnabled = sys && !(::GetMenuState(sys, SC_CLOSE, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
  return SECCalcCaptionRect(window.Size(), pFrame->GetStyle(), closeEnabled);
}

void SECCustomCaption::Paint(CWnd* pFrame, CDC* pDC, CSize size, CFont* pAppFont, CFont* pDocFont) const {
  SECCaptionPaint paint;
  pFrame->GetWindowText(paint.strText);
  paint.state = bActive ? SECCaptionState::kActive : SECCaptionState::kInactive;
  paint.nAlignment = nAlignment;
  paint.bSysMenu = (pFrame->GetStyle() & WS_SYSMENU) != 0;
  paint.hIcon = reinterpret_cast<HICON>(::GetClassLongPtr(pFrame->m_hWnd, GCLP_HICON));
  paint.pAppFont = pAppFont;
  paint.pDocFont = pDocFont;
  SECPaintCaption(pDC, size, paint);
}

BOOL SECCustomCaption::Draw(CWnd* pFrame, CFont* pAppFont, CFont* pDocFont) const {
  const CRect caption = GetRect(pFrame);
  if (caption.IsRectEmpty()) return TRUE;
  // Only a border with room for the caption is painted: where the window
  // manager draws the caption, the window's top is its menu or client area.
  CRect window0;
  pFrame->GetWindowRect(&window0);
  CPoint client(0, 0);
  pFrame->ClientToScreen(&client);
  if (HMENU menu = ::GetMenu(pFrame->m_hWnd); menu && ::GetMenuItemCount(menu) > 0)
    client.y -= ::GetSystemMetrics(SM_CYMENU);
  if (client.y - window0.top < caption.bottom) return TRUE;
  CWindowDC window(pFrame);
  CDC memory;
  CBitmap bitmap;
  if (!memory.CreateCompatibleDC(&window) ||
      !bitmap.CreateCompatibleBitmap(&window, caption.Width(), caption.Height())) {
    return FALSE;
  }
  CBitmap* old = memory.SelectObject(&bitmap);
  Paint(pFrame, &memory, caption.Size(), pAppFont, pDocFont);
  window.BitBlt(caption.left, caption.top, caption.Width(), caption.Height(), &memory, 0, 0, SRCCOPY);
  memory.SelectObject(old);
  return TRUE;
}
