#include "platform/afx/statusbar.h"

#include <algorithm>
#include <cstring>

#include "platform/afx/afxstrings.h"
#include "platform/afx/cmdui.h"
#include "platform/afx/framewnd.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

namespace {
const int kGap = 2;     // between panes
const int kMargin = 4;  // text inside a pane

// The status pane's command state: blank when disabled, raised when checked.
class CStatusCmdUI : public CCmdUI {
 public:
  CStatusBar* bar = nullptr;
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex)) & ~SBPS_DISABLED;
    if (!bOn) style |= SBPS_DISABLED;
    bar->SetPaneStyle(static_cast<int>(m_nIndex), style);
  }
  void SetCheck(int nCheck) override {
    UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex)) & ~SBPS_POPOUT;
    if (nCheck) style |= SBPS_POPOUT;
    bar->SetPaneStyle(static_cast<int>(m_nIndex), style);
  }
  void SetText(LPCSTR text) override { bar->SetPaneText(static_cast<int>(m_nIndex), text); }
};
}  // namespace

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
ON_WM_SIZE()
END_MESSAGE_MAP()

CStatusBar::CStatusBar() {
  m_cxLeftBorder = m_cxRightBorder = 0;
  m_cyTopBorder = m_cyBottomBorder = 2;
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALL;
  return CWnd::Create(AfxControlBarClass(), nullptr, (dwStyle & ~CBRS_ALL) | WS_CHILD, CRect(0, 0, 0, 0),
                      pParentWnd, nID);
}

int CStatusBar::TextWidth(LPCSTR text) const {
  HDC dc = ::GetDC(m_hWnd);
  HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{0, 0};
  ::GetTextExtentPoint32(dc, text, static_cast<int>(strlen(text)), &size);
  ::SelectObject(dc, old);
  ::ReleaseDC(m_hWnd, dc);
  return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
  m_panes.assign(static_cast<size_t>(nIDCount > 0 ? nIDCount : 0), Pane());
  for (int i = 0; i < nIDCount; ++i) {
    Pane& p = m_panes[static_cast<size_t>(i)];
    p.id = lpIDArray ? lpIDArray[i] : 0;
    if (p.id) {
      p.text = afx::FrameworkString(p.id);
      int nl = p.text.Find('\n');
      if (nl >= 0) p.text = p.text.Left(nl);
      p.width = TextWidth(p.text);
    }
  }
  // The first pane takes what the others leave.
  if (!m_panes.empty() && m_panes[0].id == ID_SEPARATOR) m_panes[0].style |= SBPS_NOBORDERS | SBPS_STRETCH;
  m_nCount = nIDCount;
  Invalidate();
  return TRUE;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const {
  for (size_t i = 0; i < m_panes.size(); ++i)
    if (m_panes[i].id == nIDFind) return static_cast<int>(i);
  return -1;
}

UINT CStatusBar::GetItemID(int i) const {
  return i >= 0 && i < static_cast<int>(m_panes.size()) ? m_panes[static_cast<size_t>(i)].id : 0;
}

void CStatusBar::LayoutPanes(std::vector<CRect>* out) const {
  CRect inside;
  GetClientRect(&inside);
  CalcInsideRect(inside, TRUE);
  int fixed = 0, stretch = 0;
  for (const Pane& p : m_panes) {
    if (p.style & SBPS_STRETCH)
      ++stretch;
    else
      fixed += p.width + 2 * kMargin;
    fixed += kGap;
  }
  int spare = std::max(0, inside.Width() - fixed);
  int x = inside.left;
  out->clear();
  for (const Pane& p : m_panes) {
    int w = (p.style & SBPS_STRETCH) ? spare / std::max(1, stretch) : p.width + 2 * kMargin;
    out->emplace_back(x, inside.top, x + w, inside.bottom);
    x += w + kGap;
  }
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  std::vector<CRect> rects;
  LayoutPanes(&rects);
  if (nIndex >= 0 && nIndex < static_cast<int>(rects.size()))
    *lpRect = rects[static_cast<size_t>(nIndex)];
  else
    ::SetRectEmpty(lpRect);
}

void CStatusBar::GetPaneInfo(int i, UINT& nID, UINT& nStyle, int& cxWidth) const {
  if (i < 0 || i >= static_cast<int>(m_panes.size())) return;
  const Pane& p = m_panes[static_cast<size_t>(i)];
  nID = p.id;
  nStyle = p.style;
  cxWidth = p.width;
}

void CStatusBar::SetPaneInfo(int i, UINT nID, UINT nStyle, int cxWidth) {
  if (i < 0 || i >= static_cast<int>(m_panes.size())) return;
  Pane& p = m_panes[static_cast<size_t>(i)];
  p.id = nID;
  p.style = nStyle;
  p.width = cxWidth;
  Invalidate();
}

UINT CStatusBar::GetPaneStyle(int i) const {
  return i >= 0 && i < static_cast<int>(m_panes.size()) ? m_panes[static_cast<size_t>(i)].style : 0;
}

void CStatusBar::SetPaneStyle(int i, UINT nStyle) {
  if (i < 0 || i >= static_cast<int>(m_panes.size()) || m_panes[static_cast<size_t>(i)].style == nStyle)
    return;
  m_panes[static_cast<size_t>(i)].style = nStyle;
  CRect r;
  GetItemRect(i, &r);
  InvalidateRect(&r);
}

CString CStatusBar::GetPaneText(int i) const {
  return i >= 0 && i < static_cast<int>(m_panes.size()) ? m_panes[static_cast<size_t>(i)].text : CString();
}

void CStatusBar::GetPaneText(int i, CString& rString) const { rString = GetPaneText(i); }

BOOL CStatusBar::SetPaneText(int i, LPCSTR text, BOOL bUpdate) {
  if (i < 0 || i >= static_cast<int>(m_panes.size())) return FALSE;
  CString t = text ? text : "";
  if (m_panes[static_cast<size_t>(i)].text == t) return TRUE;
  m_panes[static_cast<size_t>(i)].text = t;
  if (bUpdate && m_hWnd) {
    CRect r;
    GetItemRect(i, &r);
    InvalidateRect(&r);
  }
  return TRUE;
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
  TEXTMETRIC tm{};
  HDC dc = ::GetDC(m_hWnd);
  HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
  ::GetTextMetrics(dc, &tm);
  ::SelectObject(dc, old);
  ::ReleaseDC(m_hWnd, dc);
  size.cy += tm.tmHeight + 4;
  return size;
}

void CStatusBar::DoPaint(CDC* pDC) {
  CControlBar::DoPaint(pDC);
  std::vector<CRect> rects;
  LayoutPanes(&rects);
  HGDIOBJ old = pDC->SelectObject(::GetStockObject(DEFAULT_GUI_FONT));
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
  for (size_t i = 0; i < m_panes.size(); ++i) {
    const Pane& p = m_panes[i];
    CRect r = rects[i];
    pDC->FillSolidRect(&r, ::GetSysColor(COLOR_BTNFACE));
    if (!(p.style & SBPS_NOBORDERS)) {
      COLORREF dark = ::GetSysColor(COLOR_BTNSHADOW), light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
      if (p.style & SBPS_POPOUT)
        pDC->Draw3dRect(&r, light, dark);
      else
        pDC->Draw3dRect(&r, dark, light);
    }
    if (p.style & SBPS_DISABLED) continue;  // a disabled pane shows no text
    CRect t = r;
    t.DeflateRect(kMargin, 0);
    pDC->DrawText(p.text, &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  pDC->SelectObject(old);
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) {
  CStatusCmdUI state;
  state.bar = this;
  state.m_pOther = this;
  state.m_nIndexMax = static_cast<UINT>(m_panes.size());
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = m_panes[state.m_nIndex].id;
    // Panes are never disabled for lack of a handler: indicators show text.
    state.DoUpdate(pTarget, FALSE);
  }
}

void CStatusBar::OnSize(UINT nType, int cx, int cy) {
  CControlBar::OnSize(nType, cx, cy);
  Invalidate();
}

LRESULT CStatusBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // The window text is the first pane's.
  if (message == WM_SETTEXT) {
    if (!m_panes.empty()) SetPaneText(0, reinterpret_cast<LPCSTR>(lParam));
    return TRUE;
  }
  if (message == WM_GETTEXT) {
    CString t = GetPaneText(0);
    int n = static_cast<int>(wParam);
    if (n <= 0) return 0;
    int len = std::min(n - 1, t.GetLength());
    memcpy(reinterpret_cast<char*>(lParam), static_cast<LPCSTR>(t), static_cast<size_t>(len));
    reinterpret_cast<char*>(lParam)[len] = 0;
    return len;
  }
  if (message == WM_GETTEXTLENGTH) return GetPaneText(0).GetLength();
  return CControlBar::WindowProc(message, wParam, lParam);
}
