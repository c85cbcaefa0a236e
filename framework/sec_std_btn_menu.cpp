#include "framework/sec_std_btn_menu.h"

#include "framework/sec_custom_tool_bar.h"
#include "framework/sec_global_data.h"
#include "platform/base/charcase.h"
#include "platform/ui/ui.h"

namespace {
SECStdBtn* SECTBMenuBtnCreate() { return new SECTBMenuBtn; }
// Room around a menu button's text.
constexpr int kSECMenuBtnPadX = 10;
constexpr int kSECMenuBtnPadY = 6;
}  // namespace

const SECButtonCreate SECTBMenuBtn::s_pfnCreate = &SECTBMenuBtnCreate;

void SECTBMenuBtn::Init(SECCustomToolBar* pBar, const UINT_PTR* params) {
  m_pBar = pBar;
  if (params) {
    m_dwValue1 = static_cast<DWORD>(params[0]);
    m_dwValue2 = static_cast<DWORD>(params[1]);
    m_strText = reinterpret_cast<LPCSTR>(params[2]) ? reinterpret_cast<LPCSTR>(params[2]) : "";
    m_dwValue4 = static_cast<DWORD>(params[3]);
  }
  ComputeMnemonic();
  AdjustSize();
}

void SECTBMenuBtn::ComputeMnemonic() {
  m_nMnemonic = 0;
  const int amp = m_strText.Find('&');
  if (amp >= 0 && amp + 1 < m_strText.GetLength())
    m_nMnemonic = mirt::ToLower1252(static_cast<unsigned char>(m_strText[amp + 1]));
}

void SECTBMenuBtn::AdjustSize() {
  if (!m_pBar) return;
  HDC screen = ::GetDC(nullptr);
  CDC* dc = CDC::FromHandle(screen);
  CFont* old = dc->SelectObject(m_pBar->GetMenuFont());
  CRect r(0, 0, 0, 0);
  dc->DrawText(m_strText, &r, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
  dc->SelectObject(old);
  ::ReleaseDC(nullptr, screen);
  m_cx = r.Width() + kSECMenuBtnPadX;
  m_cy = r.Height() + kSECMenuBtnPadY;
  m_pBar->RaiseWidestButton(m_cx);
}

BOOL SECTBMenuBtn::OnLButtonDown(CPoint point) {
  if (m_nStyle & TBBS_DISABLED) return FALSE;
  m_nStyle |= TBBS_PRESSED;
  Redraw();
  ShowMenu();
  return FALSE;
}

void SECTBMenuBtn::ShowMenu() {
  if (m_pBar) m_pBar->NotifyDropDown(this, m_dwValue1, m_dwValue2);
}

void SECTBMenuBtn::DrawFace(SECBtnDrawData& data, BOOL bFlat, int& x, int& y, int& cx, int& cy,
                            int nImageWidth) {
  const int x0 = x, y0 = y;
  SECStdBtn::DrawFace(data, bFlat, x, y, cx, cy, nImageWidth);
  const BOOL down = !bFlat && (m_nStyle & (TBBS_PRESSED | TBBS_CHECKED));
  CRect text(x0 + (down ? 5 : 4), y0 + (down ? 4 : 3), x + cx, y + cy);
  CDC& dc = data.m_dcButton;
  CFont* old = m_pBar ? dc.SelectObject(m_pBar->GetMenuFont()) : nullptr;
  dc.SetBkColor(secData.clrBtnFace);
  dc.SetTextColor(::GetSysColor(COLOR_MENUTEXT));
  dc.DrawText(m_strText, &text, DT_SINGLELINE);
  if (old) dc.SelectObject(old);
}
