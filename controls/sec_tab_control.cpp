#include "controls/sec_tab_control.h"

#include <algorithm>

#include "platform/ui/cdc.h"
#include "platform/ui/gdi.h"
#include "platform/ui/input.h"
#include "platform/ui/sysmetrics.h"

IMPLEMENT_DYNAMIC(SECTabControl, SECTabControlBase)

BEGIN_MESSAGE_MAP(SECTabControl, SECTabControlBase)
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_TIMER()
ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

namespace {

constexpr DWORD kSECTabAllButtons =
    kSECTabButtonFirst | kSECTabButtonPrev | kSECTabButtonNext | kSECTabButtonLast;
constexpr DWORD kSECTabLeftButtons = kSECTabButtonFirst | kSECTabButtonPrev;
constexpr DWORD kSECTabRightButtons = kSECTabButtonNext | kSECTabButtonLast;
constexpr DWORD kSECTabStyleTwoButtons = 1;   // previous and next
constexpr DWORD kSECTabStyleFourButtons = 2;  // first, previous, next, last
constexpr int kSECTabFontWeights[3] = {FW_NORMAL, FW_NORMAL, FW_BOLD};

int SECTabBitCount(DWORD bits) {
  int n = 0;
  for (; bits; bits &= bits - 1) ++n;
  return n;
}

}  // namespace

SECTabControl::~SECTabControl() {
  if (m_hWnd) DestroyWindow();
}

void SECTabControl::Initialize(DWORD dwStyle) {
  m_dwButtons = (dwStyle & kSECTabStyleTwoButtons)    ? (kSECTabButtonPrev | kSECTabButtonNext)
                : (dwStyle & kSECTabStyleFourButtons) ? kSECTabAllButtons
                                                      : 0;
  const int h = ::GetSystemMetrics(SM_CYHSCROLL) + 1;
  m_nTabHeight = m_cyButton = m_cxButton = h;
  DestroyGDIObjects();
  for (int state = 0; state < 3; ++state) {
    m_fonts[state].CreateFont(h - 2, 0, 0, 0, kSECTabFontWeights[state], FALSE, FALSE, FALSE, 0,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS,
                              "Arial Narrow");
    m_brushes[state].CreateSolidBrush(
        ::GetSysColor(state == kSECTabStateNormal ? COLOR_BTNFACE : COLOR_WINDOW));
    m_pens[state].CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    m_clrText[state] = RGB(0, 0, 0);
  }
  m_penShadow.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
}

void SECTabControl::DestroyGDIObjects() {
  for (int state = 2; state >= 0; --state) {
    m_fonts[state].DeleteObject();
    m_brushes[state].DeleteObject();
    m_pens[state].DeleteObject();
  }
  m_penShadow.DeleteObject();
}

void SECTabControl::OnDestroy() {
  StopRepeat();
  SECTabControlBase::OnDestroy();
  DestroyGDIObjects();
}

// ---- geometry

int SECTabControl::ShownButtonsBelow(DWORD dwButton) const {
  return SECTabBitCount(m_dwButtons & (dwButton - 1));
}

CRect SECTabControl::GetButtonRect(DWORD dwButton) const {
  const int left = m_cxButton * ShownButtonsBelow(dwButton);
  return CRect(left, 0, left + m_cxButton, m_cyButton);
}

CRect SECTabControl::GetTabsArea() const {
  CRect area(0, 0, 0, 0);
  if (m_hWnd) GetClientRect(&area);
  area.left = m_cxButton * SECTabBitCount(m_dwButtons);
  return area;
}

CRect SECTabControl::GetButtonsArea() const {
  CRect area(0, 0, 0, 0);
  if (m_hWnd) GetClientRect(&area);
  area.right = 1 + m_cxButton * SECTabBitCount(m_dwButtons);
  return area;
}

int SECTabControl::GetTabLeft(int nIndex) const {
  int x = GetTabsArea().left + m_nScrollOffset;
  for (int i = 0; i < nIndex; ++i) x += GetTab(i)->m_nWidth - kSECTabOverlap;
  return x;
}

CRect SECTabControl::GetTabBox(int nIndex) const {
  if (!IsValidTab(nIndex)) return CRect(0, 0, 0, 0);
  const CRect area = GetTabsArea();
  const int x = GetTabLeft(nIndex);
  return CRect(x, area.top, x + GetTab(nIndex)->m_nWidth, area.bottom);
}

BOOL SECTabControl::GetTabRgn(int nIndex, CRgn& rgn) const {
  if (!IsValidTab(nIndex)) return FALSE;
  const CRect box = GetTabBox(nIndex);
  POINT pts[4] = {{box.left, box.top},
                  {box.left + kSECTabSlant, box.bottom},
                  {box.right - kSECTabSlant, box.bottom},
                  {box.right, box.top}};
  rgn.DeleteObject();
  return rgn.CreatePolygonRgn(pts, 4, ALTERNATE);
}

int SECTabControl::HitTestTab(CPoint point) const {
  if (!GetTabsArea().PtInRect(point)) return -1;
  for (int i = 0; i < GetTabCount(); ++i) {
    CRgn rgn;
    if (GetTabRgn(i, rgn) && rgn.PtInRegion(point)) return i;
  }
  return -1;
}

DWORD SECTabControl::HitTestButton(CPoint point) const {
  for (DWORD b = kSECTabButtonFirst; b <= kSECTabButtonLast; b <<= 1)
    if ((m_dwButtons & b) && GetButtonRect(b).PtInRect(point)) return b;
  return 0;
}

void SECTabControl::RecalcLayout() {
  if (!m_hWnd) return;
  {
    CClientDC dc(this);
    CFont* old = dc.SelectObject(&m_fonts[kSECTabStateActive]);
    for (int i = 0; i < GetTabCount(); ++i)
      GetTab(i)->m_nWidth = dc.GetTextExtent(GetTab(i)->m_csLabel).cx + kSECTabLabelPadding;
    dc.SelectObject(old);
  }
  // New or wider tabs may now need the scroll buttons.
  const int oldOffset = m_nScrollOffset;
  UpdateScrollButtons();
  ScrollTabsBy(oldOffset);
}

SECTab* SECTabControl::InsertTab(int nIndex, LPCSTR lpszLabel, CObject* pClient, DWORD dwData1,
                                 DWORD dwData2) {
  SECTab* tab = SECTabControlBase::InsertTab(nIndex, lpszLabel, pClient, dwData1, dwData2);
  if (!tab) return nullptr;
  RecalcLayout();
  InvalidateTabsFrom(nIndex);
  return tab;
}

SECTab* SECTabControl::AddTab(LPCSTR lpszLabel, CObject* pClient, DWORD dwData1, DWORD dwData2) {
  return InsertTab(GetTabCount(), lpszLabel, pClient, dwData1, dwData2);
}

void SECTabControl::InvalidateTab(int nIndex) {
  CRgn rgn;
  if (m_hWnd && GetTabRgn(nIndex, rgn)) InvalidateRgn(&rgn, TRUE);
}

// ---- scrolling

void SECTabControl::SetButtonsEnabled(DWORD dwButtons, BOOL bEnable) {
  const DWORD shown = dwButtons & m_dwButtons;
  const DWORD before = m_dwDisabledButtons;
  m_dwDisabledButtons = bEnable ? (m_dwDisabledButtons & ~shown) : (m_dwDisabledButtons | shown);
  if (!m_hWnd) return;
  for (DWORD b = kSECTabButtonFirst; b <= kSECTabButtonLast; b <<= 1) {
    if ((before ^ m_dwDisabledButtons) & b) {
      const CRect r = GetButtonRect(b);
      InvalidateRect(&r, FALSE);
    }
  }
}

void SECTabControl::UpdateScrollButtons() {
  if (GetTabCount() == 0) {
    m_dwDisabledButtons = kSECTabAllButtons;
    m_nScrollOffset = 0;
    if (m_hWnd) {
      const CRect area = GetButtonsArea();
      InvalidateRect(&area, FALSE);
    }
    return;
  }
  CRect client(0, 0, 0, 0);
  if (m_hWnd) GetClientRect(&client);
  const int limit = m_nScrollOffset - GetTabBox(GetTabCount() - 1).right + client.right;
  const BOOL prevDisabled = (m_dwDisabledButtons & kSECTabButtonPrev) != 0;
  if (m_nScrollOffset >= 0) {
    m_nScrollOffset = 0;
    if (!prevDisabled) SetButtonsEnabled(kSECTabLeftButtons, FALSE);
  } else if (prevDisabled) {
    SetButtonsEnabled(kSECTabLeftButtons, TRUE);
  }
  const BOOL nextDisabled = (m_dwDisabledButtons & kSECTabButtonNext) != 0;
  if (m_nScrollOffset > limit) {
    if (nextDisabled) SetButtonsEnabled(kSECTabRightButtons, TRUE);
  } else {
    m_nScrollOffset = std::min(limit, 0);
    if (!nextDisabled) SetButtonsEnabled(kSECTabRightButtons, FALSE);
  }
}

void SECTabControl::ScrollTabsBy(int nOldOffset) {
  if (!m_hWnd || m_nScrollOffset == nOldOffset) return;
  const CRect area = GetTabsArea();
  ScrollWindow(m_nScrollOffset - nOldOffset, 0, &area, &area);
  UpdateWindow();
}

void SECTabControl::ScrollToTab(int nIndex) {
  if (!IsValidTab(nIndex) || !m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  if (client.IsRectEmpty()) return;
  const CRect area = GetTabsArea();
  const int oldOffset = m_nScrollOffset;
  const int margin = GetTab(nIndex)->m_nWidth + kSECTabScrollMargin < area.Width() ? kSECTabScrollMargin : 0;
  CRect box = GetTabBox(nIndex);
  if (box.right > area.right) m_nScrollOffset += area.right - box.right - margin;
  box = GetTabBox(nIndex);
  if (box.left < area.left) m_nScrollOffset += margin - box.left + area.left;
  UpdateScrollButtons();
  ScrollTabsBy(oldOffset);
}

void SECTabControl::OnSize(UINT nType, int cx, int cy) {
  const int oldOffset = m_nScrollOffset;
  UpdateScrollButtons();
  ScrollTabsBy(oldOffset);
  SECTabControlBase::OnSize(nType, cx, cy);
}

void SECTabControl::StepButton(DWORD dwButton) {
  const int oldOffset = m_nScrollOffset;
  switch (dwButton) {
    case kSECTabButtonFirst:
      m_nScrollOffset = 0;
      break;
    case kSECTabButtonPrev:
      m_nScrollOffset += kSECTabScrollStep;
      break;
    case kSECTabButtonNext:
      m_nScrollOffset -= kSECTabScrollStep;
      break;
    case kSECTabButtonLast:
      if (GetTabCount() > 0) m_nScrollOffset += GetTabsArea().right - GetTabBox(GetTabCount() - 1).right;
      break;
    default:
      return;
  }
  UpdateScrollButtons();
  ScrollTabsBy(oldOffset);
}

void SECTabControl::StopRepeat() {
  if (m_bRepeating && m_hWnd) KillTimer(kSECTabRepeatTimer);
  m_bRepeating = FALSE;
}

void SECTabControl::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kSECTabRepeatTimer) return SECTabControlBase::OnTimer(nIDEvent);
  const DWORD b = m_nPressedButton;
  if (!m_bRepeating || (b != kSECTabButtonPrev && b != kSECTabButtonNext) || (m_dwDisabledButtons & b)) {
    StopRepeat();
    return;
  }
  StepButton(b);
  SetTimer(kSECTabRepeatTimer, kSECTabRepeatMs, nullptr);
}

// ---- mouse

void SECTabControl::OnLButtonDown(UINT nFlags, CPoint point) {
  const DWORD button = HitTestButton(point);
  if (button) {
    m_nPressedButton = button;
    const CRect r = GetButtonRect(button);
    InvalidateRect(&r, FALSE);
    if (m_dwDisabledButtons & button) return;
    StepButton(button);
    SetCapture();
    if (button == kSECTabButtonPrev || button == kSECTabButtonNext) {
      m_bRepeating = TRUE;
      SetTimer(kSECTabRepeatTimer, kSECTabRepeatFirstMs, nullptr);
    }
    return;
  }
  m_nPressedButton = 0;
  const int tab = HitTestTab(point);
  if (tab >= 0) ClickTab(nFlags, tab);
  SECTabControlBase::OnLButtonDown(nFlags, point);
}

void SECTabControl::ClickTab(UINT nFlags, int nTab) {
  SECTab* tab = GetTab(nTab);
  if ((nFlags & MK_CONTROL) && m_bMultiSelect) {
    tab->m_bSelected = !tab->m_bSelected;
    if (m_bActiveTab && m_nActiveTab == nTab) m_bActiveTab = FALSE;
    InvalidateTab(nTab);
  } else if ((nFlags & MK_SHIFT) && m_bMultiSelect) {
    const int anchor = std::clamp(m_nActiveTab, 0, GetTabCount() - 1);
    const int lo = std::min(anchor, nTab);
    const int hi = std::max(anchor, nTab);
    m_bActiveTab = FALSE;
    for (int i = 0; i < GetTabCount(); ++i) {
      const BOOL inRange = i >= lo && i <= hi;
      if (inRange || GetTab(i)->m_bSelected) InvalidateTab(i);
      GetTab(i)->m_bSelected = inRange;
    }
    ActivateTab(nTab);
  } else if (m_bActiveTab && m_nActiveTab == nTab) {
    NotifyActiveTabClicked();
  } else {
    for (int i = 0; i < GetTabCount(); ++i) {
      if (GetTab(i)->m_bSelected || i == nTab) {
        GetTab(i)->m_bSelected = FALSE;
        InvalidateTab(i);
      }
    }
    ActivateTab(nTab);
  }
}

void SECTabControl::OnLButtonUp(UINT nFlags, CPoint point) {
  StopRepeat();
  if (m_nPressedButton & m_dwButtons) {
    const CRect r = GetButtonRect(m_nPressedButton);
    InvalidateRect(&r, FALSE);
  }
  m_nPressedButton = 0;
  if (GetCapture() == this) ::ReleaseCapture();
  SECTabControlBase::OnLButtonUp(nFlags, point);
}

void SECTabControl::OnCaptureChanged(CWnd* pWnd) {
  StopRepeat();
  SECTabControlBase::OnCaptureChanged(pWnd);
}

void SECTabControl::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (HitTestButton(point)) return OnLButtonDown(nFlags, point);
  const int tab = std::max(HitTestTab(point), 0);
  SECTabControlBase::OnLButtonDblClk(nFlags, point);
  if (CWnd* parent = GetParent()) parent->SendMessage(WM_TABDBLCLK, tab, 0);
}

// ---- fonts

BOOL SECTabControl::SetTabFont(CFont* pFont, int nState, BOOL bRedraw) {
  if (!pFont || nState < 0 || nState > 2) return FALSE;
  LOGFONT newDesc{};
  LOGFONT oldDesc{};
  if (!pFont->GetLogFont(&newDesc) || !m_fonts[nState].GetLogFont(&oldDesc)) return FALSE;
  m_fonts[nState].DeleteObject();
  if (!m_fonts[nState].CreateFontIndirect(&newDesc)) {
    m_fonts[nState].CreateFontIndirect(&oldDesc);
    return FALSE;
  }
  if (bRedraw && m_hWnd) {
    if (nState == kSECTabStateActive) {
      if (m_bActiveTab) InvalidateTab(m_nActiveTab);
    } else {
      InvalidateTabsFrom(0);
    }
  }
  return TRUE;
}
