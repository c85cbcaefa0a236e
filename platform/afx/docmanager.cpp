#include "platform/afx/docmanager.h"

#include <cstdio>

#include "platform/afx/document.h"
#include "platform/afx/doctemplate.h"
#include "platform/afx/framewnd.h"
#include "platform/afx/view.h"
#include "platform/afx/winapp.h"
#include "platform/ui/afxcommdlg.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNAMIC(CDocManager, CObject)

namespace afx {
namespace {
FilePromptHandler& Prompt() {
  static FilePromptHandler h;
  return h;
}
NewTemplateChooser& Chooser() {
  static NewTemplateChooser c;
  return c;
}
}  // namespace
void SetFilePromptHandler(FilePromptHandler handler) { Prompt() = std::move(handler); }
void SetNewTemplateChooser(NewTemplateChooser chooser) { Chooser() = std::move(chooser); }
}  // namespace afx

CDocManager::~CDocManager() {
  for (POSITION pos = m_templateList.GetHeadPosition(); pos;) {
    auto* t = static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
    if (t->m_bAutoDelete) delete t;
  }
  m_templateList.RemoveAll();
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate) {
  if (!pTemplate || m_templateList.Find(pTemplate)) return;
  pTemplate->LoadTemplate();
  m_templateList.AddTail(pTemplate);
}

POSITION CDocManager::GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& pos) const {
  return static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
}

CDocument* CDocManager::OpenDocumentFile(LPCSTR lpszFileName) {
  if (!lpszFileName || !*lpszFileName) return nullptr;
  CDocTemplate* best = nullptr;
  CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
  CDocument* open = nullptr;
  for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
    CDocTemplate* t = GetNextDocTemplate(pos);
    CDocument* doc = nullptr;
    CDocTemplate::Confidence match = t->MatchDocType(lpszFileName, doc);
    if (match > bestMatch) {
      bestMatch = match;
      best = t;
      open = doc;
    }
    if (match == CDocTemplate::yesAlreadyOpen) break;
  }
  if (open) {
    // Already open: its first view's frame comes to the front.
    POSITION vpos = open->GetFirstViewPosition();
    if (vpos) {
      CView* view = open->GetNextView(vpos);
      if (CFrameWnd* frame = view->GetParentFrame()) frame->ActivateFrame();
    }
    return open;
  }
  if (!best) return nullptr;
  return best->OpenDocumentFile(lpszFileName);
}

BOOL CDocManager::SaveAllModified() {
  for (POSITION pos = GetFirstDocTemplatePosition(); pos;)
    if (!GetNextDocTemplate(pos)->SaveAllModified()) return FALSE;
  return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession) {
  for (POSITION pos = GetFirstDocTemplatePosition(); pos;)
    GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

int CDocManager::GetOpenDocumentCount() {
  int n = 0;
  for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
    CDocTemplate* t = GetNextDocTemplate(pos);
    for (POSITION d = t->GetFirstDocPosition(); d;) {
      t->GetNextDoc(d);
      ++n;
    }
  }
  return n;
}

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT, DWORD lFlags, BOOL bOpenFileDialog,
                                   CDocTemplate* pTemplate) {
  if (afx::Prompt()) return afx::Prompt()(fileName, bOpenFileDialog, pTemplate);
  // The file dialog, offering the template's type first and then all files.
  CString filter, ext;
  if (pTemplate && pTemplate->GetDocString(filter, CDocTemplate::filterName) &&
      pTemplate->GetDocString(ext, CDocTemplate::filterExt) && !filter.IsEmpty() && !ext.IsEmpty())
    filter += "|*" + ext + "|";
  else
    filter.Empty();
  filter += "All Files (*.*)|*.*||";
  const CString defaultExt = ext.GetLength() > 1 && ext[0] == '.' ? ext.Mid(1) : CString();
  const DWORD flags = lFlags | OFN_HIDEREADONLY | (bOpenFileDialog ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT);
  CFileDialog dialog(bOpenFileDialog, defaultExt.IsEmpty() ? nullptr : static_cast<LPCSTR>(defaultExt),
                     fileName.IsEmpty() ? nullptr : static_cast<LPCSTR>(fileName), flags, filter,
                     AfxGetMainWnd());
  if (dialog.DoModal() != IDOK) return FALSE;
  fileName = dialog.GetPathName();
  return TRUE;
}

void CDocManager::OnFileNew() {
  std::vector<CDocTemplate*> all;
  for (POSITION pos = GetFirstDocTemplatePosition(); pos;) all.push_back(GetNextDocTemplate(pos));
  if (all.empty()) return;
  CDocTemplate* chosen = all.front();
  if (all.size() > 1 && afx::Chooser()) chosen = afx::Chooser()(all);
  if (chosen) chosen->OpenDocumentFile(nullptr);
}

void CDocManager::OnFileOpen() {
  CString name;
  if (!DoPromptFileName(name, 0, 0, TRUE, nullptr)) return;
  OpenDocumentFile(name);
}
