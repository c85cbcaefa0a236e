// The main frame's operations on the open documents: marks, opening a file
// at a line, stop locations, adding files to the project.
#include <strings.h>

#include "app/core/project_data.h"
#include "app/core/text_helpers.h"
#include "app/main_frame.h"
#include "app/mirt2_app.h"
#include "debugger/segoff.h"
#include "disasm/mem_addr_list.h"
#include "disasm/view/disview0doc.h"
#include "disasm/view/disview0view.h"
#include "editor/view/cmirt2doc.h"
#include "editor/view/cmirt2view.h"
#include "platform/sys/file.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/afxcommdlg.h"

namespace {

template <class Fn>
void FrameDocsForEachView(CDocument* doc, Fn fn) {
  if (!doc) return;
  POSITION pos = doc->GetFirstViewPosition();
  while (pos) fn(doc->GetNextView(pos));
}

// Every view of every open source document.
template <class Fn>
void FrameDocsForEachSourceView(Fn fn) {
  std::vector<CMirt2Doc*> docs = CMirt2Doc::OpenDocuments();
  for (CMirt2Doc* doc : docs)
    FrameDocsForEachView(doc, [&](CView* view) {
      if (auto* source = dynamic_cast<CMirt2View*>(view)) fn(source);
    });
}

template <class Fn>
void FrameDocsForEachDisassView(CDisview0Doc* doc, Fn fn) {
  if (!doc || !CDisview0Doc::IsOpen()) return;
  FrameDocsForEachView(doc, [&](CView* view) {
    if (auto* disass = dynamic_cast<CDisview0View*>(view)) fn(disass);
  });
}

void FrameDocsDisassGoTo(CDisview0View* view, const CAddr& address) {
  if (!g_pMemAddrList) return;
  CAddr at = address;
  int line = g_pMemAddrList->LineFromAddress(&at);
  if (line > 0) view->ShowLineAtTop(line);
}

// True when the file exists; a missing one is created empty. An existing
// file that cannot be read is reported and left alone.
bool FrameDocsEnsureReadable(const char* path) {
  HANDLE h =
      CreateFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    CloseHandle(h);
    return true;
  }
  if (GetFileAttributes(path) == INVALID_FILE_ATTRIBUTES) {
    h = CreateFile(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      CloseHandle(h);
      return true;
    }
  }
  CString text;
  text.Format("%s\ncannot be read.", path);
  AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
  return false;
}

}  // namespace

void CMainFrame::ClearExecutionMarkers() {
  FrameDocsForEachSourceView([](CMirt2View* view) { view->MarkExecutionLine(FALSE); });
  FrameDocsForEachDisassView(m_pDisassemblyDoc, [](CDisview0View* view) { view->MarkExecutionLine(FALSE); });
}

void CMainFrame::PrepareSourceViews() {
  FrameDocsForEachSourceView([](CMirt2View* view) {
    view->MarkMessageLine(FALSE);
    view->ClearMessageMarks();
  });
}

const char* CMainFrame::GetSourceLineText(const char* fileName, int line) {
  for (CMirt2Doc* doc : CMirt2Doc::OpenDocuments())
    if (fileName && strcasecmp(doc->GetPathName(), fileName) == 0) return doc->GetLineText(line);
  return nullptr;
}

CView* CMainFrame::GetActiveMDIView() {
  CMDIChildWnd* child = MDIGetActive();
  return child ? child->GetActiveView() : nullptr;
}

CView* CMainFrame::OpenFileAtLine(const char* path, int line) {
  if (!path || !*path || !FrameDocsEnsureReadable(path)) return nullptr;
  AfxGetApp()->OpenDocumentFile(path);
  CView* view = GetActiveMDIView();
  if (view && line >= 1) {
    PrepareSourceViews();
    if (auto* source = dynamic_cast<CMirt2View*>(view))
      source->GoToLine(line);
    else if (auto* disass = dynamic_cast<CDisview0View*>(view))
      disass->ShowLineAtTop(line);
    view->SetFocus();
  }
  return view;
}

void CMainFrame::MarkStopLine(const char* path, int line) {
  const char* name = FileNameFromPath(path ? path : "");
  for (CMirt2Doc* doc : CMirt2Doc::OpenDocuments()) {
    if (strcasecmp(doc->GetTitle(), name) != 0) continue;
    FrameDocsForEachView(doc, [&](CView* view) {
      if (auto* source = dynamic_cast<CMirt2View*>(view)) {
        source->GoToLine(line);
        source->MarkExecutionLine(TRUE);
      }
    });
  }
}

void CMainFrame::MarkStopAddress(const CAddr& address) {
  FrameDocsForEachDisassView(m_pDisassemblyDoc, [&](CDisview0View* view) {
    FrameDocsDisassGoTo(view, address);
    view->MarkExecutionLine(TRUE);
  });
}

void CMainFrame::ShowStopLocation(const char* path, int line, const CAddr& address) {
  CView* active = GetActiveMDIView();
  if (active && !dynamic_cast<CMirt2View*>(active)) {
    MarkStopLine(path, line);
    MarkStopAddress(address);
  } else if (path && *path) {
    OpenFileAtLine(path, line);
    MarkStopAddress(address);
    MarkStopLine(path, line);
  } else {
    ShowDisassembly();
  }
}

void CMainFrame::AddFileToProject(const char* path) {
  if (!path) return;
  ProjectFileRoute route = RouteProjectFile(path, g_project.projectDir, g_project.libDirs);
  const char* name = route.name.c_str();
  switch (route.group) {
    case ProjectFileGroup::kSource:
      g_project.AddSourceFile(name);
      break;
    case ProjectFileGroup::kLibrary:
      g_project.AddLibrary(name);
      break;
    case ProjectFileGroup::kHeader:
      g_project.AddHeaderFile(name);
      break;
    case ProjectFileGroup::kInstallation:
      g_project.SetInsFile(name);
      break;
    case ProjectFileGroup::kObject:
      g_project.AddObjectFile(name);
      break;
  }
  AddProjectTreeItem(route.group, name);
}

void CMainFrame::RemoveFileFromProject(const char* name) { g_project.RemoveFile(name); }

void CMainFrame::GoToLineOrAddress(CView* view, DWORD number) {
  if (auto* disass = dynamic_cast<CDisview0View*>(view)) {
    CAddr address;
    LinearToSegOff(address, number);
    FrameDocsDisassGoTo(disass, address);
  } else if (auto* source = dynamic_cast<CMirt2View*>(view)) {
    source->GoToLine(static_cast<int>(number));
  }
}

void CMainFrame::OpenFileWithDialog() {
  char dir[MAX_PATH] = {};
  GetCurrentDirectory(MAX_PATH, dir);
  CFileDialog dialog(
      TRUE, nullptr, nullptr, OFN_HIDEREADONLY,
      "C Source Files *.c|*.c|C Header Files *.h|*.h|i386 Assembler Source Files *.asm|*.asm|ARM "
      "Assembler Source Files *.s|*.s|Pascal sources *.pas|*.pas|Installation Files *.ins|*.ins|All "
      "Files *.*|*.*||",
      this);
  dialog.m_ofn.lpstrTitle = "Open A File";
  if (dialog.DoModal() == IDOK) AfxGetApp()->OpenDocumentFile(dialog.GetPathName());
  SetCurrentDirectory(dir);
}

void CMainFrame::OnCloseAll() {
  // Each document asks about its changes first; Cancel stops closing.
  std::vector<CMirt2Doc*> docs = CMirt2Doc::OpenDocuments();
  for (CMirt2Doc* doc : docs) {
    if (!doc->SaveModified()) return;
    doc->OnCloseDocument();
  }
}

void CMainFrame::OnDeleteLine() {
  auto* view = dynamic_cast<CMirt2View*>(GetActiveMDIView());
  EditBuffer* buffer = view ? view->GetEditBuffer() : nullptr;
  if (!buffer || !view->m_pCaretLine || buffer->IsReadOnly()) return;
  EditLine* line = view->m_pCaretLine;
  int textLength = line->length;
  while (textLength > 0 && (line->text[textLength - 1] == '\n' || line->text[textLength - 1] == '\r'))
    --textLength;
  const int caretLine = view->GetCaretLineNumber();
  // The line's text, then its line end (joining the next line onto the
  // emptied one), as one undo step; the last line is only emptied.
  buffer->BeginUndoGroup();
  if (textLength > 0) {
    view->SelectRange(EditPos{line, 0}, textLength, FALSE);
    view->DeleteSelection(FALSE, TRUE);
  }
  view->m_nCaretColumn = 0;
  if (view->m_pCaretLine->next) view->JoinWithNextLine(FALSE, TRUE);
  buffer->EndUndoGroup();
  view->GoToLine(caretLine);
  view->GetDocument()->SetModifiedFlag(TRUE);
  view->GetDocument()->UpdateAllViews(nullptr);
}
