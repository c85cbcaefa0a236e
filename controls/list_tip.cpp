#include "controls/list_tip.h"

#include "controls/list_base.h"

namespace {
constexpr int kTipCellRightInset = 5;
constexpr int kTipGrow = 2;
constexpr int kTipTextIndent = 2;
constexpr UINT kTipTextFormat = DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER;
constexpr LONG kTipBoldWeight = 700;
}  // namespace

BEGIN_MESSAGE_MAP(SECListTip, CWnd)
ON_WM_PAINT()
ON_WM_DESTROY()
END_MESSAGE_MAP()

bool SECListTip::CreateTipWindow() {
  if (m_hWnd) return true;
  LPCSTR cls = AfxRegisterWndClass(CS_SAVEBITS | CS_OWNDC | CS_HREDRAW | CS_VREDRAW,
                                   ::LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr);
  return CWnd::CreateEx(0, cls, nullptr, WS_POPUP | WS_BORDER, 0, 0, 0, 0, m_pOwner->GetHwnd(), nullptr) !=
         FALSE;
}

void SECListTip::Hide() {
  if (IsShown()) {
    ShowWindow(SW_HIDE);
    if (HWND list = m_pOwner->GetHwnd())
      ::RedrawWindow(list, &m_rectCell, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
  }
  m_nRow = -1;
  m_nSubItem = -1;
  m_rectCell.SetRectEmpty();
  if (m_bCaptured) {
    HWND list = m_pOwner->GetHwnd();
    if (list && ::GetCapture() == list) ::ReleaseCapture();
    m_bCaptured = FALSE;
  }
}

BOOL SECListTip::Show(UINT nHitFlags, int nRow, int nCol, int x, int y) {
  if (!CreateTipWindow()) return FALSE;
  const int sub = nCol == -1 ? -1 : m_pOwner->GetColumnSubItem(nCol);
  CRect inside;
  m_pOwner->GetInsideRect(&inside);
  const bool onText = (nHitFlags & LVHT_ONITEMLABEL) || ((nHitFlags & kSECListHitRow) && sub >= 1);
  if (!onText || nRow == -1 || nCol == -1 || ::GetActiveWindow() == nullptr) {
    Hide();
    return FALSE;
  }
  CRect bounds, label;
  if (!m_pOwner->GetCellRect(nRow, nCol, &bounds, kSECListRectBounds)) return FALSE;
  bounds.right -= kTipCellRightInset;
  if (!m_pOwner->GetCellRect(nRow, nCol, &label, kSECListRectLabel)) return FALSE;
  const int visibleRight = std::min(inside.Width(), static_cast<int>(bounds.right));
  const bool cut = visibleRight < label.right || (label.left < inside.left && label.right > inside.left);
  if (!cut) {
    Hide();
    return FALSE;
  }
  if (nRow != m_nRow || sub != m_nSubItem) {
    Hide();
    label.InflateRect(kTipGrow, 0, kTipGrow, kTipGrow);
    m_nRow = nRow;
    m_nSubItem = sub;
    m_rectCell = bounds;
    const CString text = m_pOwner->GetCellText(nRow, sub < 0 ? 0 : sub);
    if (text.IsEmpty()) return FALSE;
    m_strText = text;
    m_pOwner->ClientToScreen(&label);
    const int screen = ::GetSystemMetrics(SM_CXSCREEN);
    if (label.right > screen)
      label.OffsetRect(screen - label.right, 0);
    else if (label.left < 0)
      label.OffsetRect(-label.left, 0);
    SetWindowPos(nullptr, label.left - 1, label.top, label.Width() + 3, bounds.Height(),
                 SWP_NOACTIVATE | SWP_NOZORDER);
    ShowWindow(SW_SHOWNOACTIVATE);
    m_pOwner->CaptureMouse(TRUE);
    m_bCaptured = TRUE;
    Invalidate(FALSE);
    UpdateWindow();
  }
  return TRUE;
}

void SECListTip::Refresh() {
  if (!IsShown()) return;
  Invalidate(TRUE);
  UpdateWindow();
}

void SECListTip::OnPaint() {
  CPaintDC dc(this);
  if (m_nRow == -1) return;
  const bool selected = m_pOwner->IsItemSelected(m_nRow);
  const COLORREF text = selected ? m_pOwner->GetSelTextColor() : m_pOwner->GetTipTextColor();
  const COLORREF back = selected ? m_pOwner->GetSelTextBkColor() : m_pOwner->GetTipBkColor();
  CRect client;
  CWnd::GetClientRect(&client);
  dc.FillSolidRect(&client, back);
  CFont* font = m_pOwner->GetItemFont();
  CFont bold;
  if (m_pOwner->GetItemState(m_nRow, TVIS_DROPHILITED | TVIS_BOLD) & TVIS_BOLD) {
    LOGFONT lf{};
    font->GetLogFont(&lf);
    lf.lfWeight = kTipBoldWeight;
    if (bold.CreateFontIndirect(&lf)) font = &bold;
  }
  CFont* old = dc.SelectObject(font);
  dc.SetTextColor(text);
  dc.SetBkMode(TRANSPARENT);
  client.left += kTipTextIndent;
  dc.DrawText(m_strText, &client, kTipTextFormat);
  dc.SelectObject(old);
}

void SECListTip::OnDestroy() {
  CWnd::OnDestroy();
  m_nRow = -1;
  HWND list = m_pOwner->GetHwnd();
  if (list && ::GetCapture() == list) ::ReleaseCapture();
}
