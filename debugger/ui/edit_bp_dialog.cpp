#include "debugger/ui/edit_bp_dialog.h"

#include <string>

#include "debugger/breakpoint_text.h"
#include "editor/editline.h"
#include "editor/view/cmirt2doc.h"
#include "editor/view/sourcedebugport.h"
#include "platform/afx/winapp.h"
#include "platform/afx/doctemplate.h"
#include "platform/sys/equal_no_case.h"
#include "platform/sys/path.h"

BEGIN_MESSAGE_MAP(CEditBPDialog, CDialog)
ON_COMMAND(CEditBPDialog::kRemove, OnRemove)
ON_COMMAND(CEditBPDialog::kRemoveAll, OnRemoveAll)
END_MESSAGE_MAP()

namespace {

enum class EditBPMark { kClear, kSet };

// Calls `act` for every open source document.
template <typename Act>
void EditBPForEachDocument(Act act) {
  CWinApp* app = AfxGetApp();
  if (!app) return;
  for (POSITION t = app->GetFirstDocTemplatePosition(); t;) {
    CDocTemplate* tmpl = app->GetNextDocTemplate(t);
    for (POSITION d = tmpl->GetFirstDocPosition(); d;)
      if (auto* doc = DYNAMIC_DOWNCAST(CMirt2Doc, tmpl->GetNextDoc(d))) act(*doc);
  }
}

// Sets or clears the breakpoint mark of the breakpoint's line in every
// open document of its file (names compared without letter case).
void EditBPMarkLine(const CBreakpoint& bp, EditBPMark mark) {
  const std::string file = plat::NormalizeSeparators(static_cast<const char*>(bp.file));
  EditBPForEachDocument([&](CMirt2Doc& doc) {
    if (!plat::EqualNoCase(plat::NormalizeSeparators(static_cast<const char*>(doc.GetPathName())), file))
      return;
    for (EditLine* l = doc.GetEditBuffer().m_pLines; l; l = l->next) {
      if (l->lineNumber != bp.line) continue;
      if (mark == EditBPMark::kSet)
        l->flags |= LINE_BREAKPOINT;
      else
        l->flags &= ~UINT(LINE_BREAKPOINT);
      break;
    }
  });
}

}  // namespace

BOOL CEditBPDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  for (POSITION pos = g_breakpointList.GetHeadPosition(); pos;) {
    const CBreakpoint& bp = g_breakpointList.GetNext(pos);
    SendDlgItemMessage(kList, LB_ADDSTRING, 0, LPARAM(static_cast<const char*>(BreakpointListText(bp))));
    m_working.AddTail(bp);
  }
  SendDlgItemMessage(kList, LB_SETCURSEL, 0, 0);
  return TRUE;
}

void CEditBPDialog::EnableRemoving(BOOL enable) {
  ::EnableWindow(::GetDlgItem(m_hWnd, kRemove), enable);
  ::EnableWindow(::GetDlgItem(m_hWnd, kRemoveAll), enable);
}

void CEditBPDialog::OnRemove() {
  const int at = int(SendDlgItemMessage(kList, LB_GETCURSEL, 0, 0));
  if (at < 0) return;
  const int length = int(SendDlgItemMessage(kList, LB_GETTEXTLEN, WPARAM(at), 0));
  std::string text(size_t(length > 0 ? length : 0) + 1, '\0');
  SendDlgItemMessage(kList, LB_GETTEXT, WPARAM(at), LPARAM(text.data()));
  CBreakpoint bp;
  if (ParseBreakpointListText(text.c_str(), bp))
    if (POSITION found = m_working.FindBreakpoint(bp)) m_working.RemoveAt(found);
  SendDlgItemMessage(kList, LB_DELETESTRING, WPARAM(at), 0);
  const int left = int(SendDlgItemMessage(kList, LB_GETCOUNT, 0, 0));
  if (left == 0) {
    EnableRemoving(FALSE);
    return;
  }
  SendDlgItemMessage(kList, LB_SETCURSEL, WPARAM(at < left ? at : left - 1), 0);
}

void CEditBPDialog::OnRemoveAll() {
  m_working.RemoveAll();
  SendDlgItemMessage(kList, LB_RESETCONTENT, 0, 0);
  EnableRemoving(FALSE);
}

void CEditBPDialog::OnOK() {
  while (!g_breakpointList.IsEmpty()) {
    const CBreakpoint bp = g_breakpointList.RemoveHead();
    if (g_pSourceDebugPort) g_pSourceDebugPort->SetLineBreakpoint(bp.file, bp.line, FALSE);
    EditBPMarkLine(bp, EditBPMark::kClear);
  }
  for (POSITION pos = m_working.GetHeadPosition(); pos;) {
    const CBreakpoint& bp = m_working.GetNext(pos);
    if (g_pSourceDebugPort) g_pSourceDebugPort->SetLineBreakpoint(bp.file, bp.line, TRUE);
    EditBPMarkLine(bp, EditBPMark::kSet);
    g_breakpointList.AddTail(bp);
  }
  EditBPForEachDocument([](CMirt2Doc& doc) { doc.UpdateAllViews(nullptr); });
  EndDialog(IDOK);
}
