#include "disasm/view/disview0view.h"

#include <algorithm>
#include <cstring>

#include "disasm/mem_addr_list.h"
#include "disasm/disass_neighbours.h"
#include "disasm/view/disass_debug_commands.h"
#include "debugger/segoff.h"
#include "platform/ui/sysmetrics.h"

CDisassDebugCommands* g_pDisassDebugger = nullptr;

IMPLEMENT_DYNCREATE(CDisview0View, CView)

namespace {
// Scroll-bar values are 16 bits wide.
constexpr int kDisview0ScrollUnits = 65535;
// The line count before a line source exists.
constexpr int kDisview0EmptyLineCount = 50;
// Margin glyph colours (breakpoint, execution line).
constexpr COLORREF kDisview0BreakpointInk = RGB(192, 0, 0);
constexpr COLORREF kDisview0ExecutionInk = RGB(224, 224, 0);
}  // namespace

CDisview0View::CDisview0View() = default;

DisassEdit* CDisview0View::GetEditBuffer() {
  auto* doc = static_cast<CDisview0Doc*>(GetDocument());
  return doc != nullptr ? &doc->m_disassEdit : nullptr;
}

int CDisview0View::LineCount() const {
  return g_pMemAddrList != nullptr ? g_pMemAddrList->GetLineCount() : kDisview0EmptyLineCount;
}

int CDisview0View::ScrollScale(int lineCount) { return (lineCount - 1) / kDisview0ScrollUnits + 1; }

int CDisview0View::GetLinesPerPage() const {
  CRect client;
  GetClientRect(&client);
  return m_nLineHeight > 0 ? std::max(1, client.Height() / m_nLineHeight) : 1;
}

void CDisview0View::OnInitialUpdate() {
  SetupFont();
  m_nTopLine = m_nCaretLine = 1;
  SetScrollBarRange();
  UpdateScrollPos();
  Invalidate(FALSE);
}

void CDisview0View::SetupFont() {
  DisassEdit* edit = GetEditBuffer();
  LOGFONT lf{};
  CClientDC screen(nullptr);
  int points = edit != nullptr ? edit->m_nFontSize : 9;
  lf.lfHeight = ::MulDiv(-points, screen.GetDeviceCaps(LOGPIXELSY), 72);
  lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  const char* face = edit != nullptr && !edit->m_strFontName.IsEmpty()
                         ? static_cast<LPCSTR>(edit->m_strFontName)
                         : "Courier New";
  std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  m_font.DeleteObject();
  m_font.CreateFontIndirect(&lf);
  CFont* old = screen.SelectObject(&m_font);
  TEXTMETRIC tm{};
  screen.GetTextMetrics(&tm);
  screen.SelectObject(old);
  m_nLineHeight = tm.tmHeight + tm.tmExternalLeading;
  m_nMarginWidth = m_nLineHeight;
  m_nCharWidth = tm.tmAveCharWidth;
  static const WORD kDisview0Checker[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
  CBitmap pattern;
  pattern.CreateBitmap(8, 8, 1, 1, kDisview0Checker);
  m_marginBrush.DeleteObject();
  m_marginBrush.CreatePatternBrush(&pattern);
}

// The range covers every line of the line source, scaled into 16 bits.
void CDisview0View::SetScrollBarRange() {
  int count = LineCount();
  m_nScrollScale = ScrollScale(count);
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
  si.nMin = 0;
  si.nMax = std::max(1, count - 1) / m_nScrollScale;
  si.nPage = static_cast<UINT>(std::max(1, GetLinesPerPage() / m_nScrollScale));
  ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
}

void CDisview0View::UpdateScrollPos() {
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_POS;
  si.nPos = (m_nTopLine - 1) / m_nScrollScale;
  ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
}

void CDisview0View::SetTopLine(int line) {
  int last = std::max(1, LineCount() - GetLinesPerPage() + 1);
  line = std::clamp(line, 1, last);
  if (line == m_nTopLine) return;
  int rows = m_nTopLine - line;
  m_nTopLine = line;
  if (std::abs(rows) < GetLinesPerPage()) {
    ScrollWindow(0, rows * m_nLineHeight);
  } else {
    Invalidate(FALSE);
  }
  UpdateScrollPos();
}

void CDisview0View::MoveCaret(int line) {
  line = std::clamp(line, 1, LineCount());
  InvalidateRow(m_nCaretLine);
  m_nCaretLine = line;
  if (line < m_nTopLine) SetTopLine(line);
  if (line >= m_nTopLine + GetLinesPerPage()) SetTopLine(line - GetLinesPerPage() + 1);
  InvalidateRow(m_nCaretLine);
}

void CDisview0View::GoToLine(int line, DisassRedraw redraw) {
  m_nCaretLine = std::clamp(line, 1, LineCount());
  SetTopLine(m_nCaretLine);
  if (redraw == DisassRedraw::kYes) {
    Invalidate(FALSE);
    UpdateWindow();
  }
}

BOOL CDisview0View::CursorLineAddress(DWORD* address) {
  if (g_pMemAddrList == nullptr) return FALSE;
  CMemAddrEntry entry;
  g_pMemAddrList->GetEntry(m_nCaretLine, entry);
  // A line never produced has no entry: its flags stay 0.
  if (entry.Kind() == 0) return FALSE;
  *address = entry.address;
  return TRUE;
}

void CDisview0View::OnSetIPToCursor() {
  DWORD address = 0;
  if (g_pDisassDebugger != nullptr && CursorLineAddress(&address)) g_pDisassDebugger->SetIPToAddress(address);
}

void CDisview0View::OnRunToCursor() {
  DWORD address = 0;
  if (g_pDisassDebugger != nullptr && CursorLineAddress(&address)) g_pDisassDebugger->RunToAddress(address);
}

void CDisview0View::OnToggleBreakpoint() {
  DWORD address = 0;
  // A gdb session has no breakpoint list of ours: nothing to toggle.
  if (g_pDisassDebugger == nullptr || g_pDisassBreakpoints == nullptr || !CursorLineAddress(&address)) return;
  CAddr at;
  LinearToSegOff(at, address);
  BOOL set = !g_pDisassBreakpoints->IsBreakpointSet(&at);
  g_pDisassDebugger->SetAddressBreakpoint(&at, set);
  InvalidateRow(m_nCaretLine);
}

void CDisview0View::InvalidateRow(int line) {
  if (m_hWnd == nullptr || m_nLineHeight <= 0) return;
  CRect row;
  GetClientRect(&row);
  row.top = (line - m_nTopLine) * m_nLineHeight;
  row.bottom = row.top + m_nLineHeight;
  CRect client;
  GetClientRect(&client);
  if (row.bottom <= client.top || row.top >= client.bottom) return;
  InvalidateRect(&row, FALSE);
}

void CDisview0View::MarkExecutionLine(BOOL set) {
  int old = m_nExecutionLine;
  m_nExecutionLine = set ? m_nCaretLine : 0;
  InvalidateRow(old);
  InvalidateRow(m_nExecutionLine);
}

void CDisview0View::RedrawAddressLine(DWORD linear) {
  if (g_pMemAddrList == nullptr) return;
  CAddr at;
  LinearToSegOff(at, linear);
  CMemAddrEntry entry;
  g_pMemAddrList->FindLine(&at, entry, TRUE);
  if (entry.Kind() == 0) return;
  InvalidateRow(entry.line);
}

void CDisview0View::PaintWindow() {
  CPaintDC dc(this);
  if (m_nLineHeight <= 0) return;
  CFont* oldFont = dc.SelectObject(&m_font);
  CRect client;
  GetClientRect(&client);
  int rows = client.Height() / m_nLineHeight + 1;
  for (int row = 0; row < rows; ++row) PaintRow(dc, row, m_nTopLine + row);
  dc.SelectObject(oldFont);
}

void CDisview0View::PaintRow(CDC& dc, int row, int line) {
  CRect client;
  GetClientRect(&client);
  int y = row * m_nLineHeight;
  CRect margin(0, y, m_nMarginWidth, y + m_nLineHeight);
  dc.SetTextColor(::GetSysColor(COLOR_SCROLLBAR));
  dc.FillRect(&margin, &m_marginBrush);
  DisassEdit* edit = GetEditBuffer();
  COLORREF background = edit != nullptr ? edit->m_crBackground : RGB(255, 255, 255);
  dc.SetBkColor(background);
  CRect text(m_nMarginWidth, y, client.right, y + m_nLineHeight);
  // Without a session there is nothing to format: the row stays blank.
  if (g_pMemAddrList == nullptr || line > LineCount()) {
    dc.ExtTextOut(text.left, y, ETO_OPAQUE, &text, "", 0, nullptr);
    return;
  }
  DisassLine record;
  g_pMemAddrList->GetLine(line, record);
  DrawLineMarker(dc, margin, line, record.flags);
  bool source = (record.flags & kLineSource) != 0;
  dc.SetTextColor(edit == nullptr || source ? (edit ? edit->m_crText : 0) : edit->m_crDisassembly);
  dc.ExtTextOut(text.left, y, ETO_OPAQUE, &text, record.text, static_cast<UINT>(record.length), nullptr);
  delete[] record.text;
  if (line == m_nCaretLine && ::GetFocus() == m_hWnd) {
    CRect caret(m_nMarginWidth, y, m_nMarginWidth + 2, y + m_nLineHeight);
    dc.PatBlt(caret.left, caret.top, caret.Width(), caret.Height(), DSTINVERT);
  }
}

void CDisview0View::DrawLineMarker(CDC& dc, const CRect& rect, int line, DWORD flags) {
  bool breakpoint = (flags & kLineBreakpoint) != 0;
  bool execution = line == m_nExecutionLine;
  if (!breakpoint && !execution) return;
  CRect glyph = rect;
  glyph.DeflateRect(2, 2);
  if (breakpoint) {
    CBrush red(kDisview0BreakpointInk);
    CBrush* old = dc.SelectObject(&red);
    dc.Ellipse(&glyph);
    dc.SelectObject(old);
  }
  if (execution) {
    CRect arrow = glyph;
    arrow.DeflateRect(glyph.Width() / 4, glyph.Height() / 4);
    CBrush yellow(kDisview0ExecutionInk);
    dc.FillRect(&arrow, &yellow);
  }
}

void CDisview0View::OnVScrollCode(UINT code, UINT position) {
  int page = GetLinesPerPage();
  switch (code) {
    case SB_LINEUP:
      SetTopLine(m_nTopLine - 1);
      break;
    case SB_LINEDOWN:
      SetTopLine(m_nTopLine + 1);
      break;
    case SB_PAGEUP:
      SetTopLine(m_nTopLine - page);
      break;
    case SB_PAGEDOWN:
      SetTopLine(m_nTopLine + page);
      break;
    case SB_TOP:
      SetTopLine(1);
      break;
    case SB_BOTTOM:
      SetTopLine(LineCount());
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      SetTopLine(static_cast<int>(position) * m_nScrollScale + 1);
      break;
    default:
      break;
  }
}

void CDisview0View::OnKey(UINT vk) {
  int page = GetLinesPerPage();
  switch (vk) {
    case VK_UP:
      MoveCaret(m_nCaretLine - 1);
      break;
    case VK_DOWN:
      MoveCaret(m_nCaretLine + 1);
      break;
    case VK_PRIOR:
      SetTopLine(m_nTopLine - page);
      MoveCaret(m_nCaretLine - page);
      break;
    case VK_NEXT:
      SetTopLine(m_nTopLine + page);
      MoveCaret(m_nCaretLine + page);
      break;
    case VK_F9:
      OnToggleBreakpoint();
      break;
    default:
      break;
  }
}

BOOL CDisview0View::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  auto done = [pResult](LRESULT r) {
    if (pResult != nullptr) *pResult = r;
    return TRUE;
  };
  switch (message) {
    case WM_PAINT:
      PaintWindow();
      return done(0);
    case WM_ERASEBKGND:
      return done(1);
    case WM_VSCROLL:
      OnVScrollCode(LOWORD(wParam), HIWORD(wParam));
      return done(0);
    case WM_KEYDOWN:
      OnKey(static_cast<UINT>(wParam));
      return done(0);
    case WM_LBUTTONDOWN:
      if (m_nLineHeight > 0) MoveCaret(m_nTopLine + GET_Y_LPARAM(lParam) / m_nLineHeight);
      SetFocus();
      return done(0);
    case WM_SIZE:
      CView::OnWndMsg(message, wParam, lParam, pResult);
      SetScrollBarRange();
      return done(0);
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case ID_DISASS_SET_IP:
          OnSetIPToCursor();
          return done(0);
        case ID_DISASS_TOGGLE_BREAKPOINT:
          OnToggleBreakpoint();
          return done(0);
        case ID_DISASS_RUN_TO_CURSOR:
          OnRunToCursor();
          return done(0);
        default:
          break;
      }
      break;
    default:
      break;
  }
  return CView::OnWndMsg(message, wParam, lParam, pResult);
}
