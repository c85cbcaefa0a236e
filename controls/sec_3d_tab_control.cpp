// The 3-D strip: drawing objects, tabs, layout and label fitting, mouse,
// keys and tool tips.
#include "controls/sec_3d_tab_control.h"

#include <cstring>

#include "platform/ui/cdc.h"
#include "platform/ui/commctrl.h"
#include "platform/ui/input.h"
#include "platform/ui/resources.h"
#include "platform/ui/sysmetrics.h"
#include "platform/ui/tooltip.h"

IMPLEMENT_DYNAMIC(SEC3DTabControl, SECTabControlBase)

BEGIN_MESSAGE_MAP(SEC3DTabControl, SECTabControlBase)
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEMOVE()
ON_WM_RBUTTONDOWN()
ON_WM_RBUTTONUP()
ON_WM_KEYDOWN()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

namespace {
constexpr int kSEC3DTabFontHeight = 15;
constexpr int kSEC3DTabEscapeRight = 900;
constexpr int kSEC3DTabEscapeLeft = -900;
constexpr int kSEC3DTabFontWeights[2] = {FW_NORMAL, 600};
constexpr BYTE kSEC3DTabPitchAndFamily = 0x20;
constexpr int kSEC3DTabIconPlusGap = 25;  // laid-out width of an icon with its padding
constexpr int kSEC3DTabCutFull = 4;       // characters a full label loses on its first cut
constexpr int kSEC3DTabEllipsisLength = 3;

int SEC3DTabEscapement(DWORD dwStyle) {
  if (dwStyle & kSEC3DTabRight) return kSEC3DTabEscapeRight;
  if (dwStyle & kSEC3DTabLeft) return kSEC3DTabEscapeLeft;
  return 0;
}

bool SEC3DTabAnyLabel(const SEC3DTab*) { return true; }
// A label that can lose another character before it is only "...".
bool SEC3DTabCanShorten(const SEC3DTab* tab) {
  return tab->m_csLabel.GetLength() >= kSEC3DTabEllipsisLength && tab->m_csLabel != kSEC3DTabEllipsis;
}
bool SEC3DTabHasText(const SEC3DTab* tab) { return !tab->m_csLabel.IsEmpty(); }
}  // namespace

SEC3DTabControl::~SEC3DTabControl() {
  if (m_hWnd) DestroyWindow();
  DestroyGDIObjects();
}

// ---- drawing objects

void SEC3DTabControl::Initialize(DWORD dwStyle) {
  DestroyGDIObjects();
  CreateFonts(dwStyle);
  m_brushes[0].CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
  m_brushes[1].CreateSolidBrush(::GetSysColor(COLOR_WINDOW));
  for (CPen& pen : m_pens) pen.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  m_penShadow.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
  m_penHilight.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
  m_clrText[0] = m_clrText[1] = RGB(0, 0, 0);
  EnableToolTips(TRUE);
}

void SEC3DTabControl::CreateFonts(DWORD dwStyle) {
  const int escapement = SEC3DTabEscapement(dwStyle);
  for (int state = 0; state < 2; ++state) {
    m_fonts[state].DeleteObject();
    m_fonts[state].CreateFont(kSEC3DTabFontHeight, 0, escapement, 0, kSEC3DTabFontWeights[state], FALSE,
                              FALSE, FALSE, 0, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              kSEC3DTabPitchAndFamily, "Arial Narrow");
  }
}

void SEC3DTabControl::DestroyGDIObjects() {
  for (int state = 1; state >= 0; --state) {
    m_fonts[state].DeleteObject();
    m_pens[state].DeleteObject();
    m_brushes[state].DeleteObject();
  }
  m_penShadow.DeleteObject();
  m_penHilight.DeleteObject();
}

void SEC3DTabControl::OnDestroy() {
  SECTabControlBase::OnDestroy();
  DestroyGDIObjects();
}

BOOL SEC3DTabControl::ModifyTabStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  const BOOL done = CWnd::ModifyStyle(dwRemove, dwAdd, nFlags);
  if (dwAdd & kSEC3DTabEdges) {
    // Both fonts again from their own descriptions, turned for the new edge.
    const int escapement = SEC3DTabEscapement(GetStyle());
    for (CFont& font : m_fonts) {
      LOGFONT lf{};
      if (font.GetSafeHandle() == nullptr || font.GetLogFont(&lf) == 0) continue;
      lf.lfEscapement = escapement;
      font.DeleteObject();
      font.CreateFontIndirect(&lf);
    }
    RecalcLayout();
    Invalidate(TRUE);
  }
  return done;
}

BOOL SEC3DTabControl::SetTabFont(CFont* pFont, int nState, BOOL bRedraw) {
  LOGFONT lf{};
  if (pFont == nullptr || nState < 0 || nState > 1 || pFont->GetLogFont(&lf) == 0) return FALSE;
  lf.lfEscapement = SEC3DTabEscapement(m_hWnd ? GetStyle() : 0);
  m_fonts[nState].DeleteObject();
  if (!m_fonts[nState].CreateFontIndirect(&lf)) return FALSE;
  RecalcLayout();
  if (bRedraw) {
    if (nState == 1) {
      if (m_bActiveTab) InvalidateTab(m_nActiveTab);
    } else {
      InvalidateTabsFrom(0);
    }
  }
  return TRUE;
}

// ---- tabs

SECTab* SEC3DTabControl::InsertTab(int nIndex, LPCSTR lpszLabel, CObject* pClient, DWORD dwData1,
                                   DWORD dwData2) {
  SECTab* tab = SECTabControlBase::InsertTab(nIndex, lpszLabel, pClient, dwData1, dwData2);
  if (tab == nullptr) return nullptr;
  static_cast<SEC3DTab*>(tab)->m_csFullLabel = tab->m_csLabel;
  RecalcLayout();
  InvalidateTabsFrom(nIndex);
  return tab;
}

SECTab* SEC3DTabControl::AddTab(LPCSTR lpszLabel, CObject* pClient, DWORD dwData1, DWORD dwData2) {
  return InsertTab(GetTabCount(), lpszLabel, pClient, dwData1, dwData2);
}

void SEC3DTabControl::RenameTab(int nIndex, LPCSTR lpszLabel) {
  if (!IsValidTab(nIndex)) return;
  Get3DTab(nIndex)->m_csFullLabel = lpszLabel ? lpszLabel : "";
  SECTabControlBase::RenameTab(nIndex, lpszLabel);
}

void SEC3DTabControl::SetTabIcon(int nIndex, HICON hIcon) {
  if (!IsValidTab(nIndex)) return;
  Get3DTab(nIndex)->m_hIcon = hIcon;
  RecalcLayout();
  InvalidateTabsFrom(nIndex);
}

void SEC3DTabControl::SetTabIcon(int nIndex, LPCSTR lpszResourceName, int cx, int cy) {
  if (!IsValidTab(nIndex)) return;
  auto icon =
      static_cast<HICON>(::LoadImage(AfxGetResourceHandle(), lpszResourceName, IMAGE_ICON, cx, cy, 0));
  if (icon) SetTabIcon(nIndex, icon);
}

void SEC3DTabControl::SetTabIcon(int nIndex, UINT nIDResource, int cx, int cy) {
  SetTabIcon(nIndex, MAKEINTRESOURCE(nIDResource), cx, cy);
}

void SEC3DTabControl::EnableTab(int nIndex, BOOL bEnable) {
  SEC3DTab* tab = Get3DTab(nIndex);
  if (tab == nullptr || (tab->m_bEnabled != FALSE) == (bEnable != FALSE)) return;
  tab->m_bEnabled = bEnable ? TRUE : FALSE;
  InvalidateTab(nIndex);
}

BOOL SEC3DTabControl::IsTabEnabled(int nIndex) const {
  const SEC3DTab* tab = Get3DTab(nIndex);
  return tab != nullptr && tab->m_bEnabled;
}

void SEC3DTabControl::GetTabRect(int nIndex, LPRECT lpRect) const {
  if (const SEC3DTab* tab = Get3DTab(nIndex))
    *lpRect = tab->m_rcTab;
  else
    ::SetRectEmpty(lpRect);
}

void SEC3DTabControl::InvalidateTab(int nIndex) {
  const SEC3DTab* tab = Get3DTab(nIndex);
  if (tab == nullptr || m_hWnd == nullptr) return;
  CRect rect = tab->m_rcTab;
  rect.right += 1;
  rect.bottom += 1;
  InvalidateRect(&rect, TRUE);
}

void SEC3DTabControl::OnActivateTab(int) { RecalcLayout(); }

int SEC3DTabControl::HitTestTab(CPoint point) const {
  for (int i = 0; i < GetTabCount(); ++i) {
    if (Get3DTab(i)->m_rcTab.PtInRect(point)) return i;
  }
  return -1;
}

BOOL SEC3DTabControl::IsHorizontal() const {
  return (m_hWnd ? GetStyle() : 0) & (kSEC3DTabTop | kSEC3DTabBottom) ? TRUE : FALSE;
}

// ---- layout

int SEC3DTabControl::LabelWidth(const SEC3DTab* pTab, LabelSet labels) const {
  const CString& text = labels == LabelSet::kFull ? pTab->m_csFullLabel : pTab->m_csLabel;
  if (text.IsEmpty() || m_hWnd == nullptr) return 0;
  CClientDC dc(const_cast<SEC3DTabControl*>(this));
  CFont* old = dc.SelectObject(const_cast<CFont*>(&m_fonts[1]));
  // Turned fonts measure along their baseline: the width is the larger side.
  const CSize size = dc.GetTextExtent(text);
  dc.SelectObject(old);
  return IsHorizontal() ? size.cx : std::max(size.cx, size.cy);
}

void SEC3DTabControl::Measure(LabelSet labels, int* pcxFull, int* pcxMin) const {
  int full = 0, minimum = 0;
  for (int i = 0; i < GetTabCount(); ++i) {
    const SEC3DTab* tab = Get3DTab(i);
    const int base = kSEC3DTabPadding + (tab->m_hIcon ? kSEC3DTabIconSpan : 0);
    full += base + LabelWidth(tab, labels) + kSEC3DTabPadding;
    minimum += base + kSEC3DTabIconSpan;
  }
  if (pcxFull) *pcxFull = full;
  if (pcxMin) *pcxMin = minimum;
}

void SEC3DTabControl::ShowFullLabels() {
  for (int i = 0; i < GetTabCount(); ++i) {
    SEC3DTab* tab = Get3DTab(i);
    tab->m_csLabel = tab->m_csFullLabel;
    tab->m_bShortened = FALSE;
  }
}

int SEC3DTabControl::WidestShownLabel(bool (*accept)(const SEC3DTab*)) const {
  int widest = -1, width = -1;
  for (int i = 0; i < GetTabCount(); ++i) {
    const SEC3DTab* tab = Get3DTab(i);
    if (!accept(tab)) continue;
    const int w = LabelWidth(tab, LabelSet::kShown);
    if (w > width) {
      width = w;
      widest = i;
    }
  }
  return widest;
}

// Shortens the widest shown labels one character at a time, each ending in
// "...", until the strip fits; then, when even that is too long, takes
// characters off the widest labels until none is left and hides labels.
// The next label to cut is always one that can still lose a character, so
// the loops end whatever the order of the tabs.
void SEC3DTabControl::FitLabels(int cxFull, int cxMin, int cxAvail) {
  const int count = GetTabCount();
  for (int i = 0; i < count; ++i) {
    SEC3DTab* tab = Get3DTab(i);
    if (tab->m_csFullLabel.GetLength() >= kSEC3DTabEllipsisLength) tab->m_csLabel = kSEC3DTabEllipsis;
  }
  int width = 0;
  Measure(LabelSet::kShown, &width, nullptr);
  BOOL canShorten = width + kSEC3DTabFitSlack <= cxAvail;
  if (canShorten) ShowFullLabels();
  m_bShowLabels = cxAvail > cxMin;
  if (cxAvail <= 0) return;
  width = cxFull;
  while (width + kSEC3DTabFitSlack > cxAvail && canShorten) {
    const int widest = WidestShownLabel(SEC3DTabCanShorten);
    canShorten = widest >= 0;
    if (!canShorten) break;
    SEC3DTab* tab = Get3DTab(widest);
    CString label = tab->m_csLabel;
    if (label == tab->m_csFullLabel) {
      const int cut = label.Find(kSEC3DTabEllipsis) == 0 ? kSEC3DTabEllipsisLength : kSEC3DTabCutFull;
      label = label.Left(std::max(0, label.GetLength() - cut));
    } else {
      if (label.Find(kSEC3DTabEllipsis, 1) > 0 && label.Right(kSEC3DTabEllipsisLength) == kSEC3DTabEllipsis)
        label = label.Left(label.GetLength() - kSEC3DTabEllipsisLength);
      label = label.Left(std::max(0, label.GetLength() - 1));
    }
    if (tab->m_csFullLabel.GetLength() >= kSEC3DTabEllipsisLength) label += kSEC3DTabEllipsis;
    tab->m_csLabel = label;
    tab->m_bShortened = TRUE;
    Measure(LabelSet::kShown, &width, nullptr);
  }
  while (width + kSEC3DTabFitSlack > cxAvail && m_bShowLabels && !canShorten) {
    for (int i = 0; i < count; ++i) Get3DTab(i)->m_bShortened = TRUE;
    const int widest = WidestShownLabel(SEC3DTabHasText);
    m_bShowLabels = widest >= 0;
    if (!m_bShowLabels) break;
    SEC3DTab* tab = Get3DTab(widest);
    tab->m_csLabel = tab->m_csLabel.Left(tab->m_csLabel.GetLength() - 1);
    Measure(LabelSet::kShown, &width, nullptr);
  }
}

void SEC3DTabControl::LayoutTab(int nIndex, int x, int y, DWORD dwStyle) {
  SEC3DTab* tab = Get3DTab(nIndex);
  if (tab == nullptr) return;
  int length = tab->m_hIcon ? kSEC3DTabIconPlusGap : kSEC3DTabPadding;
  if (m_bShowLabels) length += LabelWidth(tab, LabelSet::kShown) + kSEC3DTabPadding;
  if (dwStyle & (kSEC3DTabTop | kSEC3DTabBottom)) {
    tab->m_nWidth = length;
    tab->m_nHeight = m_cyTab;
  } else {
    tab->m_nWidth = m_cxTab;
    tab->m_nHeight = length;
  }
  tab->m_rcTab.SetRect(x, y, x + tab->m_nWidth, y + tab->m_nHeight);
}

void SEC3DTabControl::RecalcLayout() {
  if (m_hWnd == nullptr || GetTabCount() == 0) return;
  const DWORD style = GetStyle();
  const bool horizontal = (style & (kSEC3DTabTop | kSEC3DTabBottom)) != 0;
  CRect client;
  GetClientRect(&client);
  ShowFullLabels();
  int cxFull = 0, cxMin = 0;
  Measure(LabelSet::kFull, &cxFull, &cxMin);
  const int available = horizontal ? client.Width() : client.Height();
  if (m_bFitLabels)
    FitLabels(cxFull, cxMin, available);
  else
    m_bShowLabels = available > cxFull + kSEC3DTabFitSlack;
  if (horizontal) {
    int x = client.left + m_cxMargin;
    const int y = (style & kSEC3DTabTop) ? client.top + 2 : client.bottom - m_cyTab - 3;
    for (int i = 0; i < GetTabCount(); ++i) {
      LayoutTab(i, x, y, style);
      x += Get3DTab(i)->m_nWidth;
    }
  } else {
    int y = client.top + m_cyMargin;
    const int x = (style & kSEC3DTabRight) ? client.right - m_cxTab - 3 : client.left + 2;
    for (int i = 0; i < GetTabCount(); ++i) {
      LayoutTab(i, x, y, style);
      y += Get3DTab(i)->m_nHeight;
    }
  }
  SEC3DTab* active = m_bActiveTab ? Get3DTab(m_nActiveTab) : nullptr;
  if (active == nullptr || (style & kSEC3DTabNoEnlarge)) return;
  CRect& rect = active->m_rcTab;
  if (horizontal) {
    rect.InflateRect(kSEC3DTabEnlarge, 0);
    if (style & kSEC3DTabTop)
      rect.bottom += kSEC3DTabEnlarge;
    else
      rect.top -= kSEC3DTabEnlarge;
  } else {
    rect.InflateRect(0, kSEC3DTabEnlarge);
    if (style & kSEC3DTabRight)
      rect.left -= kSEC3DTabEnlarge;
    else
      rect.right += kSEC3DTabEnlarge;
  }
}

void SEC3DTabControl::OnSize(UINT, int, int) {
  RecalcLayout();
  Default();
}

// ---- mouse and keys

BOOL SEC3DTabControl::ParentHasTabStop() const {
  CWnd* parent = GetParent();
  return parent && (parent->GetStyle() & WS_TABSTOP) ? TRUE : FALSE;
}

void SEC3DTabControl::RelayToToolTip(UINT message, UINT nFlags, CPoint point) {
  MSG msg{};
  msg.hwnd = m_hWnd;
  msg.message = message;
  msg.wParam = nFlags;
  msg.lParam = MAKELPARAM(point.x, point.y);
  mirt_ui::FilterToolTipMessage(this, &msg);
}

BOOL SEC3DTabControl::PreTranslateMessage(MSG* pMsg) {
  switch (pMsg->message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      return FALSE;  // the handlers relay these to the tool tip
    default:
      return CWnd::PreTranslateMessage(pMsg);
  }
}

INT_PTR SEC3DTabControl::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  const INT_PTR hit = CWnd::OnToolHitTest(point, pTI);
  if (hit != -1) return hit;
  const bool tipsForAll = !m_bFitLabels && !m_bShowLabels;
  for (int i = 0; i < GetTabCount(); ++i) {
    const SEC3DTab* tab = Get3DTab(i);
    if (!tab->m_rcTab.PtInRect(point) || !(tab->m_bShortened || tipsForAll)) continue;
    if (pTI) {
      pTI->hwnd = m_hWnd;
      pTI->uId = static_cast<UINT_PTR>(i + 1);
      pTI->rect = tab->m_rcTab;
      pTI->lpszText = strdup(tab->m_csFullLabel);  // the tool-tip filter frees it
    }
    return i + 1;
  }
  return -1;
}

void SEC3DTabControl::OnLButtonDown(UINT nFlags, CPoint point) {
  RelayToToolTip(WM_LBUTTONDOWN, nFlags, point);
  for (int i = 0; i < GetTabCount(); ++i) {
    const SEC3DTab* tab = Get3DTab(i);
    if (!tab->m_bEnabled || !tab->m_rcTab.PtInRect(point)) continue;
    if (m_bActiveTab && i == m_nActiveTab)
      NotifyActiveTabClicked();
    else
      ActivateTab(i);
  }
  Default();
  if (GetStyle() & kSEC3DTabDragMove) SetCapture();
  if (ParentHasTabStop()) SetFocus();
}

void SEC3DTabControl::OnLButtonUp(UINT nFlags, CPoint point) {
  RelayToToolTip(WM_LBUTTONUP, nFlags, point);
  if ((GetStyle() & kSEC3DTabDragMove) && ::GetCapture() == m_hWnd) ::ReleaseCapture();
  Default();
}

void SEC3DTabControl::OnLButtonDblClk(UINT, CPoint point) {
  for (int i = 0; i < GetTabCount(); ++i) {
    const SEC3DTab* tab = Get3DTab(i);
    if (tab->m_bEnabled && tab->m_rcTab.PtInRect(point) && GetParent())
      GetParent()->SendMessage(WM_TABDBLCLK, static_cast<WPARAM>(i), 0);
  }
  Default();
}

void SEC3DTabControl::OnRButtonDown(UINT nFlags, CPoint point) {
  RelayToToolTip(WM_RBUTTONDOWN, nFlags, point);
  Default();
}

void SEC3DTabControl::OnRButtonUp(UINT nFlags, CPoint point) {
  RelayToToolTip(WM_RBUTTONUP, nFlags, point);
  Default();
}

void SEC3DTabControl::MoveActiveTab(int nIndex) {
  CWnd* focus = CWnd::GetFocus();
  SECTab* tab = GetTab(m_nActiveTab);
  InvalidateTabsFrom(0);
  m_pTabArray->RemoveAt(m_nActiveTab);
  m_pTabArray->InsertAt(nIndex, tab);
  // Activated anew at its new place; the parent hears of the move.
  m_bActiveTab = FALSE;
  ActivateTab(nIndex);
  InvalidateTabsFrom(0);
  if (focus && focus->GetSafeHwnd()) focus->SetFocus();
}

void SEC3DTabControl::OnMouseMove(UINT nFlags, CPoint point) {
  RelayToToolTip(WM_MOUSEMOVE, nFlags, point);
  if (!(GetStyle() & kSEC3DTabDragMove) || ::GetCapture() != m_hWnd || !m_bActiveTab) return;
  const CRect active = Get3DTab(m_nActiveTab)->m_rcTab;
  if (active.PtInRect(point)) return;
  const bool horizontal = IsHorizontal() != FALSE;
  for (int i = 0; i < GetTabCount(); ++i) {
    if (i == m_nActiveTab) continue;
    const CRect r = Get3DTab(i)->m_rcTab;
    if (!r.PtInRect(point)) continue;
    // Past far enough: by the target's length beyond the active tab's start,
    // or into the target by the active tab's length.
    const int at = horizontal ? point.x : point.y;
    const int aStart = horizontal ? active.left : active.top;
    const int aEnd = horizontal ? active.right : active.bottom;
    const int rStart = horizontal ? r.left : r.top;
    const int rLength = horizontal ? r.Width() : r.Height();
    const int aLength = horizontal ? active.Width() : active.Height();
    const bool after = rStart > aStart;
    const bool far =
        after ? (aStart + rLength < at && at < aEnd + rLength) : (rStart < at && at < rStart + aLength);
    if (far) MoveActiveTab(i);
    return;
  }
}

void SEC3DTabControl::OnKeyDown(UINT nChar, UINT, UINT) {
  int step = 0;
  if (nChar == VK_LEFT || nChar == VK_UP) step = -1;
  if (nChar == VK_RIGHT || nChar == VK_DOWN) step = 1;
  if (step != 0) {
    for (int i = m_nActiveTab + step; IsValidTab(i); i += step) {
      if (!IsTabEnabled(i)) continue;
      ActivateTab(i);
      SetFocus();
      break;
    }
  }
  Default();
}

void SEC3DTabControl::OnSetFocus(CWnd*) {
  Default();
  if (ParentHasTabStop()) Invalidate(TRUE);
}

void SEC3DTabControl::OnKillFocus(CWnd*) {
  Default();
  if (ParentHasTabStop()) Invalidate(TRUE);
}
