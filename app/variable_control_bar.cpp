#include "app/variable_control_bar.h"

#include <cstring>
#include <string>

#include "debugger/session/debugger.h"

BEGIN_MESSAGE_MAP(CVariableControlBar, SECControlBar)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

constexpr int kVariableNameWidth = 90;
constexpr int kVariableValueWidth = 160;

}  // namespace

CVariableControlBar::CVariableControlBar(WatchRefresh refresh, WatchAssign assign)
    : m_tree(refresh, assign), m_pending(10) {
  m_tree.SetRequester(this);
}

CVariableControlBar::~CVariableControlBar() = default;

void CVariableControlBar::SetName(const char* name) {
  m_name = name;
  if (m_tree.m_hWnd) m_tree.SetColumnHeading(CVariableTree::kNameColumn, NameColumnTitle());
}

const char* CVariableControlBar::NameColumnTitle() const {
  return m_name.IsEmpty() ? "Name" : static_cast<const char*>(m_name);
}

int CVariableControlBar::OnCreate(LPCREATESTRUCT lpcs) {
  if (SECControlBar::OnCreate(lpcs) == -1) return -1;
  if (!m_tree.Create(WS_CHILD | WS_VISIBLE, 0, CRect(0, 0, 0, 0), this, CVariableTree::kControlId)) return -1;
  m_tree.SetTreeStyle(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS);
  m_tree.SetExtendedStyle(kSECTreeExHeader);
  // A click anywhere in a row selects it, and on a value cell arms its edit.
  m_tree.SetListStyleEx(m_tree.GetListStyleEx() | LVXS_FULLROWSELECT);
  m_tree.SetColumnHeading(CVariableTree::kNameColumn,
                          m_name.IsEmpty() ? "Name" : static_cast<const char*>(m_name));
  m_tree.SetColumnWidth(CVariableTree::kNameColumn, kVariableNameWidth);
  m_tree.InsertColumn(CVariableTree::kValueColumn, "Value", LVCFMT_LEFT, kVariableValueWidth,
                      CVariableTree::kValueColumn);
  return 0;
}

void CVariableControlBar::OnSize(UINT nType, int cx, int cy) {
  SECControlBar::OnSize(nType, cx, cy);
  if (!m_tree.m_hWnd) return;
  CRect inside;
  GetInsideRect(inside);
  m_tree.MoveWindow(inside);
}

BOOL CVariableControlBar::OnEraseBkgnd(CDC* pDC) {
  CRect client;
  GetClientRect(client);
  pDC->FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
  return SECControlBar::OnEraseBkgnd(pDC);
}

void CVariableControlBar::AddPendingRequest(const char* expression, HTREEITEM node) {
  m_pending.AddTail(CWaiting{expression, node});
}

void CVariableControlBar::OnWatchValue(const char* valueText, const char* typeText) {
  if (m_pending.IsEmpty()) return;
  const CWaiting request = m_pending.RemoveHead();
  m_tree.SetValue(request.expression, valueText, typeText, request.node);
}

void CVariableControlBar::SetRegisterText(const char* text) {
  const char* line = text ? text : "";
  while (*line) {
    const char* end = std::strstr(line, "\r\n");
    const char* stop = end ? end : line + std::strlen(line);
    const std::string row(line, size_t(stop - line));
    const size_t equals = row.find(" = ");
    if (equals != std::string::npos)
      m_tree.SetValue(row.substr(0, equals).c_str(), row.substr(equals + 3).c_str(), nullptr, nullptr);
    line = end ? end + 2 : stop;
  }
}

void CVariableControlBar::RequestWatchValue(const char* name, HTREEITEM node) {
  if (m_pFrameRequester) {
    m_pFrameRequester->RequestWatchValue(name, node);
    return;
  }
  if (!g_pCurrentDebugger) return;
  g_pCurrentDebugger->EvaluateWatch(name);
  AddPendingRequest(name, node);
}

void CVariableControlBar::RefreshAll() {
  for (POSITION pos = m_tree.Variables().GetHeadPosition(); pos;) {
    const CExpressionEntry* entry = m_tree.Variables().GetNext(pos);
    RequestWatchValue(entry->name, entry->node);
  }
}
