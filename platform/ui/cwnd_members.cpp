// CWnd wrappers of the window functions, and the default handlers.
#include <cstdio>
#include <cstdlib>

#include "platform/ui/cdc.h"
#include "platform/ui/cwnd.h"
#include "platform/ui/dropfiles.h"

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_EXSTYLE)); }

static BOOL Modify(HWND h, int index, DWORD remove, DWORD add, UINT flags) {
  DWORD style = static_cast<DWORD>(::GetWindowLong(h, index));
  DWORD now = (style & ~remove) | add;
  if (now == style) return FALSE;
  ::SetWindowLong(h, index, static_cast<LONG>(now));
  if (flags)
    ::SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
  return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD r, DWORD a, UINT f) { return Modify(m_hWnd, GWL_STYLE, r, a, f); }
BOOL CWnd::ModifyStyleEx(DWORD r, DWORD a, UINT f) { return Modify(m_hWnd, GWL_EXSTYLE, r, a, f); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
int CWnd::SetDlgCtrlID(int id) { return static_cast<int>(::SetWindowLong(m_hWnd, GWL_ID, id)); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::SetParent(CWnd* p) { return FromHandle(::SetParent(m_hWnd, p ? p->m_hWnd : nullptr)); }
CWnd* CWnd::GetOwner() const {
  return FromHandle(::GetWindow(m_hWnd, GW_OWNER) ? ::GetWindow(m_hWnd, GW_OWNER) : ::GetParent(m_hWnd));
}
void CWnd::SetOwner(CWnd* o) {
  ::SetWindowLongPtr(m_hWnd, GWL_HWNDPARENT, reinterpret_cast<LONG_PTR>(o ? o->m_hWnd : nullptr));
}
CWnd* CWnd::GetTopLevelParent() const { return FromHandle(::GetAncestor(m_hWnd, GA_ROOT)); }
CWnd* CWnd::GetParentOwner() const { return FromHandle(::GetAncestor(m_hWnd, GA_ROOTOWNER)); }
CWnd* CWnd::GetWindow(UINT cmd) const { return FromHandle(::GetWindow(m_hWnd, cmd)); }
CWnd* CWnd::GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
CWnd* CWnd::GetNextWindow(UINT f) const { return FromHandle(::GetWindow(m_hWnd, f)); }
CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
CWnd* CWnd::ChildWindowFromPoint(POINT p) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, p)); }
CWnd* PASCAL CWnd::WindowFromPoint(POINT p) { return FromHandle(::WindowFromPoint(p)); }
CWnd* PASCAL CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* PASCAL CWnd::GetCapture() { return FromHandle(::GetCapture()); }
CWnd* PASCAL CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
CWnd* PASCAL CWnd::GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
BOOL CWnd::IsChild(const CWnd* w) const { return w && ::IsChild(m_hWnd, w->m_hWnd); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL e) { return ::EnableWindow(m_hWnd, e); }
BOOL CWnd::ShowWindow(int c) { return ::ShowWindow(m_hWnd, c); }

BOOL CWnd::SetWindowPos(const CWnd* after, int x, int y, int cx, int cy, UINT f) {
  // The special insert-after values come as CWnd pointers (&wndTop, ...).
  intptr_t v = reinterpret_cast<intptr_t>(after);
  HWND a = (v >= -2 && v <= 1) ? reinterpret_cast<HWND>(v) : after->m_hWnd;
  return ::SetWindowPos(m_hWnd, a, x, y, cx, cy, f);
}
void CWnd::MoveWindow(int x, int y, int w, int h, BOOL r) { ::MoveWindow(m_hWnd, x, y, w, h, r); }
void CWnd::MoveWindow(LPCRECT rc, BOOL r) {
  MoveWindow(rc->left, rc->top, rc->right - rc->left, rc->bottom - rc->top, r);
}
void CWnd::GetWindowRect(LPRECT r) const { ::GetWindowRect(m_hWnd, r); }
void CWnd::GetClientRect(LPRECT r) const { ::GetClientRect(m_hWnd, r); }
void CWnd::ClientToScreen(LPPOINT p) const { ::ClientToScreen(m_hWnd, p); }
void CWnd::ClientToScreen(LPRECT r) const {
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(r));
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(r) + 1);
}
void CWnd::ScreenToClient(LPPOINT p) const { ::ScreenToClient(m_hWnd, p); }
void CWnd::ScreenToClient(LPRECT r) const {
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(r));
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(r) + 1);
}
void CWnd::MapWindowPoints(CWnd* to, LPPOINT p, UINT n) const {
  ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, p, n);
}
void CWnd::MapWindowPoints(CWnd* to, LPRECT r) const {
  ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, reinterpret_cast<LPPOINT>(r), 2);
}
void CWnd::CalcWindowRect(LPRECT r, UINT) { ::AdjustWindowRectEx(r, GetStyle(), FALSE, GetExStyle()); }
void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }

void CWnd::CenterWindow(CWnd* alt) {
  RECT me, over;
  GetWindowRect(&me);
  HWND ref = alt ? alt->m_hWnd : ::GetParent(m_hWnd);
  if (ref && !(GetStyle() & WS_CHILD))
    ::GetWindowRect(ref, &over);
  else if (ref)
    ::GetClientRect(ref, &over);
  else
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &over, 0);
  int w = me.right - me.left, h = me.bottom - me.top;
  int x = (over.left + over.right - w) / 2, y = (over.top + over.bottom - h) / 2;
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::SetWindowText(LPCSTR s) { ::SetWindowText(m_hWnd, s); }
int CWnd::GetWindowText(LPSTR s, int n) const { return ::GetWindowText(m_hWnd, s, n); }
void CWnd::GetWindowText(CString& s) const {
  int n = ::GetWindowTextLength(m_hWnd);
  std::string buf(static_cast<size_t>(n) + 1, '\0');
  int got = ::GetWindowText(m_hWnd, buf.data(), n + 1);
  s = CString(buf.data(), got);
}
int CWnd::GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }
void CWnd::SetDlgItemText(int id, LPCSTR s) { ::SetDlgItemText(m_hWnd, id, s); }
int CWnd::GetDlgItemText(int id, CString& s) const {
  HWND c = ::GetDlgItem(m_hWnd, id);
  if (!c) {
    s.Empty();
    return 0;
  }
  FromHandle(c)->GetWindowText(s);
  return s.GetLength();
}
void CWnd::SetDlgItemInt(int id, UINT v, BOOL sign) {
  char buf[32];
  if (sign)
    snprintf(buf, sizeof buf, "%d", static_cast<int>(v));
  else
    snprintf(buf, sizeof buf, "%u", v);
  SetDlgItemText(id, buf);
}
UINT CWnd::GetDlgItemInt(int id, BOOL* ok, BOOL sign) const {
  CString s;
  GetDlgItemText(id, s);
  s.TrimLeft();
  s.TrimRight();
  char* end = nullptr;
  const char* p = s;
  long long v = sign ? strtoll(p, &end, 10) : static_cast<long long>(strtoull(p, &end, 10));
  bool good = end && end != p && *end == 0 && (!(!sign && s.GetLength() && p[0] == '-'));
  if (good && sign && (v < INT32_MIN || v > INT32_MAX)) good = false;
  if (good && !sign && (v < 0 || v > UINT32_MAX)) good = false;
  if (ok) *ok = good;
  return good ? static_cast<UINT>(v) : 0;
}
void CWnd::SetFont(CFont* f, BOOL redraw) {
  ::SendMessage(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(f ? f->m_hObject : nullptr), redraw);
}
CFont* CWnd::GetFont() const {
  return CFont::FromHandle(reinterpret_cast<HFONT>(::SendMessage(m_hWnd, WM_GETFONT, 0, 0)));
}

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
int CWnd::ReleaseDC(CDC* dc) {
  if (!dc) return 0;
  HDC h = dc->Detach();
  return ::ReleaseDC(m_hWnd, h);
}
CDC* CWnd::BeginPaint(LPPAINTSTRUCT ps) { return CDC::FromHandle(::BeginPaint(m_hWnd, ps)); }
void CWnd::EndPaint(LPPAINTSTRUCT ps) { ::EndPaint(m_hWnd, ps); }
void CWnd::Invalidate(BOOL e) { ::InvalidateRect(m_hWnd, nullptr, e); }
void CWnd::InvalidateRect(LPCRECT r, BOOL e) { ::InvalidateRect(m_hWnd, r, e); }
void CWnd::InvalidateRgn(CRgn* r, BOOL e) { ::InvalidateRgn(m_hWnd, r ? static_cast<HRGN>(*r) : nullptr, e); }
void CWnd::ValidateRect(LPCRECT r) { ::ValidateRect(m_hWnd, r); }
void CWnd::ValidateRgn(CRgn* r) { ::ValidateRgn(m_hWnd, r ? static_cast<HRGN>(*r) : nullptr); }
BOOL CWnd::GetUpdateRect(LPRECT r, BOOL e) { return ::GetUpdateRect(m_hWnd, r, e); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
BOOL CWnd::RedrawWindow(LPCRECT r, CRgn* rgn, UINT f) {
  return ::RedrawWindow(m_hWnd, r, rgn ? static_cast<HRGN>(*rgn) : nullptr, f);
}
void CWnd::SetRedraw(BOOL b) { ::SendMessage(m_hWnd, WM_SETREDRAW, b, 0); }
void CWnd::ScrollWindow(int x, int y, LPCRECT r, LPCRECT c) { ::ScrollWindow(m_hWnd, x, y, r, c); }
int CWnd::ScrollWindowEx(int dx, int dy, LPCRECT s, LPCRECT c, CRgn* rgn, LPRECT u, UINT f) {
  return ::ScrollWindowEx(m_hWnd, dx, dy, s, c, rgn ? static_cast<HRGN>(*rgn) : nullptr, u, f);
}

int CWnd::GetScrollPos(int b) const { return ::GetScrollPos(m_hWnd, b); }
int CWnd::SetScrollPos(int b, int p, BOOL r) { return ::SetScrollPos(m_hWnd, b, p, r); }
void CWnd::GetScrollRange(int b, LPINT lo, LPINT hi) const { ::GetScrollRange(m_hWnd, b, lo, hi); }
void CWnd::SetScrollRange(int b, int lo, int hi, BOOL r) { ::SetScrollRange(m_hWnd, b, lo, hi, r); }
BOOL CWnd::SetScrollInfo(int b, LPSCROLLINFO si, BOOL r) {
  if (!si) return FALSE;
  ::SetScrollInfo(m_hWnd, b, si, r);
  return TRUE;
}
BOOL CWnd::GetScrollInfo(int b, LPSCROLLINFO si, UINT mask) {
  if (!si) return FALSE;
  si->fMask = mask;
  return ::GetScrollInfo(m_hWnd, b, si);
}
int CWnd::GetScrollLimit(int b) {
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
  ::GetScrollInfo(m_hWnd, b, &si);
  return si.nMax - std::max<int>(static_cast<int>(si.nPage) - 1, 0);
}
void CWnd::ShowScrollBar(UINT b, BOOL s) { ::ShowScrollBar(m_hWnd, static_cast<int>(b), s); }
BOOL CWnd::EnableScrollBar(int f, UINT a) { return ::EnableScrollBar(m_hWnd, static_cast<UINT>(f), a); }

void CWnd::CreateCaret(CBitmap* b) { ::CreateCaret(m_hWnd, b ? static_cast<HBITMAP>(*b) : nullptr, 0, 0); }
void CWnd::CreateSolidCaret(int w, int h) { ::CreateCaret(m_hWnd, nullptr, w, h); }
void CWnd::CreateGrayCaret(int w, int h) { ::CreateCaret(m_hWnd, reinterpret_cast<HBITMAP>(1), w, h); }
CPoint PASCAL CWnd::GetCaretPos() {
  POINT p{0, 0};
  ::GetCaretPos(&p);
  return CPoint(p);
}
void PASCAL CWnd::SetCaretPos(POINT p) { ::SetCaretPos(p.x, p.y); }
void CWnd::HideCaret() { ::HideCaret(m_hWnd); }
void CWnd::ShowCaret() { ::ShowCaret(m_hWnd); }
UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT ms, TIMERPROC f) { return ::SetTimer(m_hWnd, id, ms, f); }
BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

// Default handlers: the current message goes on to the default procedure.
int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return static_cast<BOOL>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonUp(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return static_cast<BOOL>(Default()); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT) { Default(); }
void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT) { Default(); }
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnSettingChange(UINT, LPCSTR) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnParentNotify(UINT, LPARAM) { Default(); }
BOOL CWnd::OnHelpInfo(void*) { return static_cast<BOOL>(Default()); }
void CWnd::OnDropFiles(HDROP hDropInfo) { ::DragFinish(hDropInfo); }
void CWnd::DragAcceptFiles(BOOL bAccept) { ::DragAcceptFiles(m_hWnd, bAccept); }
