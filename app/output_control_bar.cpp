#include "app/output_control_bar.h"

#include <algorithm>

#include "app/command_ids.h"
#include "app/output_bar_paint.h"
#include "platform/ui/dialog.h"
#include "platform/ui/test_hook.h"

IMPLEMENT_DYNAMIC(COutputControlBar, SECControlBar)

BEGIN_MESSAGE_MAP(COutputControlBar, SECControlBar)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
END_MESSAGE_MAP()

namespace {
constexpr DWORD kOutputPaneStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE;
constexpr DWORD kOutputTabStyle = 2;
constexpr int kOutputReportLineMax = 511;

// For a person's tests on a real display: every line of the Build and the
// Debug pane of the bar made last, as "build-pane-line <text>" and
// "debug-pane-line <text>", and the Build pane's rows on the screen.
COutputControlBar* g_reportedOutputBar = nullptr;

// Each row the Build pane shows, as "build-pane-row x y w h text" (screen
// rectangle): where a person double-clicks a message.
void OutputBarReportRows(CTextDisplay& pane, std::string& out) {
  if (!pane.IsWindowVisible()) return;
  const int count = pane.GetLineCount();
  if (count < 2) return;
  const int height = pane.PosFromChar(pane.LineIndex(1)).y - pane.PosFromChar(pane.LineIndex(0)).y;
  CRect client;
  pane.GetClientRect(&client);
  char text[kOutputReportLineMax + 1];
  for (int i = pane.GetFirstVisibleLine(); i < count; ++i) {
    const CPoint at = pane.PosFromChar(pane.LineIndex(i));
    if (at.y >= client.bottom) break;
    const int length = std::max(pane.GetLine(i, text, kOutputReportLineMax), 0);
    CRect row(at.x, at.y, client.right, at.y + height);
    pane.ClientToScreen(&row);
    out += "build-pane-row " + std::to_string(row.left) + " " + std::to_string(row.top) + " " +
           std::to_string(row.Width()) + " " + std::to_string(row.Height()) + " " +
           std::string(text, static_cast<size_t>(length)) + "\n";
  }
}

void OutputBarReportPane(const CTextDisplay& pane, const char* key, std::string& out) {
  const std::string& text = pane.GetStoredText();
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    if (end > start) out += std::string(key) + " " + text.substr(start, end - start) + "\n";
    start = end + 1;
  }
}

void OutputBarReportState(std::string& out) {
  if (!g_reportedOutputBar || !::IsWindow(g_reportedOutputBar->m_hWnd)) return;
  OutputBarReportRows(g_reportedOutputBar->GetBuildPane(), out);
  OutputBarReportPane(g_reportedOutputBar->GetBuildPane(), "build-pane-line", out);
  OutputBarReportPane(g_reportedOutputBar->GetDebugPane(), "debug-pane-line", out);
}

}  // namespace

COutputControlBar::COutputControlBar()
    : m_wndBuild(TextDisplayKind::kBuild), m_wndDebug(TextDisplayKind::kDebug) {}

COutputControlBar::~COutputControlBar() {
  if (g_reportedOutputBar == this) g_reportedOutputBar = nullptr;
}

int COutputControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (SECControlBar::OnCreate(lpCreateStruct) == -1) return -1;
  if (!m_wndTabs.Create(this, WS_CHILD | WS_VISIBLE | kOutputTabStyle, ID_OUTPUT_TABS)) return -1;
  CRect none(0, 0, 0, 0);
  if (!m_wndBuild.Create(kOutputPaneStyle, none, &m_wndTabs, ID_BUILD_PANE)) return -1;
  m_wndTabs.AddTab(&m_wndBuild, "Build");
  if (!m_wndDebug.Create(kOutputPaneStyle, none, &m_wndTabs, ID_DEBUG_PANE)) return -1;
  m_wndTabs.AddTab(&m_wndDebug, "Debug");
  SelectTab(kOutputTabBuild);
  static const bool reporting = [] {
    mirt_ui::AddTestStateReporter(OutputBarReportState);
    return true;
  }();
  (void)reporting;
  g_reportedOutputBar = this;
  return 0;
}

void COutputControlBar::SelectTab(int index) {
  if (!m_wndTabs.m_hWnd) return;
  int active = -1;
  if (m_wndTabs.GetActiveTab(active) && active == index) return;
  m_wndTabs.ActivateTab(index);
  if (SECTabControlBase* strip = m_wndTabs.GetTabControl()) strip->SelectTab(index);
}

void COutputControlBar::AppendBuildText(const char* text) {
  m_pendingBuild += text ? text : "";
  if (m_pendingBuild.empty() || m_pendingBuild.back() != '\n') return;
  m_pendingBuild.pop_back();
  if (!m_pendingBuild.empty() && m_pendingBuild.back() == '\r') m_pendingBuild.pop_back();
  m_wndBuild.AppendText(m_pendingBuild.c_str());
  m_pendingBuild.clear();
}

void COutputControlBar::AppendDebugText(const char* text) { m_wndDebug.AppendText(text); }
void COutputControlBar::ScrollBuildToEnd() { m_wndBuild.ScrollToEnd(); }
void COutputControlBar::ScrollDebugToEnd() { m_wndDebug.ScrollToEnd(); }
// A piece still waiting for its line feed belongs to what is cleared.
void COutputControlBar::ClearBuild() {
  m_wndBuild.Clear();
  m_pendingBuild.clear();
}

void COutputControlBar::OnSize(UINT nType, int cx, int cy) {
  FitChildToBarInside(this, m_wndTabs);
  SECControlBar::OnSize(nType, cx, cy);
}

BOOL COutputControlBar::OnEraseBkgnd(CDC* pDC) {
  PaintBarInsideFrame(this, pDC);
  return SECControlBar::OnEraseBkgnd(pDC);
}

void COutputControlBar::OnHScroll(UINT, UINT, CScrollBar*) { MessageBeep(0xFFFFFFFF); }
void COutputControlBar::OnVScroll(UINT, UINT, CScrollBar*) { MessageBeep(0xFFFFFFFF); }
