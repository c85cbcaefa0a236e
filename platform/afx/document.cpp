#include "platform/afx/document.h"

#include <algorithm>
#include <vector>

#include "platform/afx/afxstrings.h"
#include "platform/afx/archive.h"
#include "platform/afx/doctemplate.h"
#include "platform/afx/framewnd.h"
#include "platform/afx/view.h"
#include "platform/afx/winapp.h"
#include "platform/sys/atomic_file.h"
#include "platform/sys/cfile.h"
#include "platform/sys/errno_map.h"
#include "platform/sys/file.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/path.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
ON_COMMAND(ID_FILE_SAVE, OnFileSave)
ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::CDocument() = default;

CDocument::~CDocument() {
  // Views still pointing here are detached; the template forgets us.
  for (POSITION pos = m_viewList.GetHeadPosition(); pos;)
    static_cast<CView*>(m_viewList.GetNext(pos))->m_pDocument = nullptr;
  m_viewList.RemoveAll();
  if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCSTR lpszTitle) {
  m_strTitle = lpszTitle ? lpszTitle : "";
  UpdateFrameCounts();
}

void CDocument::SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU) {
  std::string full = plat::AbsolutePath(lpszPathName ? lpszPathName : "");
  m_strPathName = full.c_str();
  SetTitle(plat::FileNamePart(full).c_str());
  if (bAddToMRU && AfxGetApp()) AfxGetApp()->AddToRecentFileList(m_strPathName);
}

POSITION CDocument::GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }

CView* CDocument::GetNextView(POSITION& rPosition) const {
  return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

void CDocument::AddView(CView* pView) {
  if (!pView || m_viewList.Find(pView)) return;
  m_viewList.AddTail(pView);
  pView->m_pDocument = this;
  OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
  POSITION pos = m_viewList.Find(pView);
  if (!pos) return;
  m_viewList.RemoveAt(pos);
  pView->m_pDocument = nullptr;
  OnChangedViewList();
}

void CDocument::OnChangedViewList() {
  if (m_viewList.IsEmpty() && m_bAutoDelete) {
    OnCloseDocument();
    return;
  }
  UpdateFrameCounts();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
  for (POSITION pos = GetFirstViewPosition(); pos;) {
    CView* view = GetNextView(pos);
    if (view != pSender) view->OnUpdate(pSender, lHint, pHint);
  }
}

void CDocument::UpdateFrameCounts() {
  // Frames showing this document are numbered when there are several.
  std::vector<CFrameWnd*> frames;
  for (POSITION pos = GetFirstViewPosition(); pos;) {
    CView* view = GetNextView(pos);
    if (!view->m_hWnd) continue;
    CFrameWnd* frame = view->GetParentFrame();
    if (frame && std::find(frames.begin(), frames.end(), frame) == frames.end()) frames.push_back(frame);
  }
  int n = 1;
  for (CFrameWnd* frame : frames) {
    frame->m_nWindow = frames.size() > 1 ? n++ : 0;
    frame->OnUpdateFrameTitle(TRUE);
  }
}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.Empty();
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CDocument::Serialize(CArchive&) {}

BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName) {
  CFile file;
  CFileException error;
  if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &error)) {
    ReportSaveLoadException(lpszPathName, &error, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    return FALSE;
  }
  DeleteContents();
  SetModifiedFlag(TRUE);  // modified while the contents are only half there
  try {
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = this;
    Serialize(ar);
    ar.Close();
  } catch (CException* e) {
    file.Abort();
    DeleteContents();
    ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    e->Delete();
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

namespace {
// A CFile that collects what is written, so the file is replaced whole.
class MemoryOutFile : public CFile {
 public:
  void Write(const void* p, UINT n) override { data.append(static_cast<const char*>(p), n); }
  std::string data;
};
}  // namespace

BOOL CDocument::OnSaveDocument(LPCSTR lpszPathName) {
  MemoryOutFile out;
  try {
    CArchive ar(&out, CArchive::store);
    ar.m_pDocument = this;
    Serialize(ar);
    ar.Close();
  } catch (CException* e) {
    ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
    e->Delete();
    return FALSE;
  }
  const std::string path = lpszPathName ? lpszPathName : "";
  int code = 0;
  if (!plat::ReplaceFileAtomically(path, out.data, nullptr, &code)) {
    plat::SetLastErrorForPath(code, path);
    LONG os = LONG(GetLastError());
    CFileException error(CFileException::OsErrorToException(os), os, lpszPathName);
    ReportSaveLoadException(lpszPathName, &error, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

// A failed save says why when a file error knows it; other failures give
// the general text.
void CDocument::ReportSaveLoadException(LPCSTR, CException* e, BOOL bSaving, UINT nIDPDefault) {
  UINT id = nIDPDefault ? nIDPDefault : (bSaving ? AFX_IDP_FAILED_TO_SAVE_DOC : AFX_IDP_FAILED_TO_OPEN_DOC);
  CString text = afx::FrameworkString(id);
  auto* fileError = dynamic_cast<CFileException*>(e);
  char reason[512];
  if (bSaving && fileError && fileError->m_cause != CFileException::none &&
      fileError->GetErrorMessage(reason, sizeof reason)) {
    text = reason;
  }
  ::AfxMessageBox(text, MB_ICONEXCLAMATION);
}

void CDocument::OnCloseDocument() {
  // Destroying the frames destroys the views, which leave the list.
  BOOL autoDelete = m_bAutoDelete;
  m_bAutoDelete = FALSE;
  while (!m_viewList.IsEmpty()) {
    CView* view = static_cast<CView*>(m_viewList.GetHead());
    CFrameWnd* frame = view->GetParentFrame();
    if (frame && frame->m_hWnd) {
      PreCloseFrame(frame);
      frame->DestroyWindow();
    } else {
      RemoveView(view);
    }
    if (!m_viewList.IsEmpty() && m_viewList.GetHead() == view) RemoveView(view);  // never spin
  }
  m_bAutoDelete = autoDelete;
  DeleteContents();
  if (m_bAutoDelete) delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg) {
  for (POSITION pos = GetFirstViewPosition(); pos;) {
    CView* view = GetNextView(pos);
    CFrameWnd* frame = view->GetParentFrame();
    if (frame && frame != pFrameArg) return TRUE;  // still shown elsewhere
  }
  return SaveModified();
}

void CDocument::PreCloseFrame(CFrameWnd*) {}

BOOL CDocument::SaveModified() {
  if (!IsModified()) return TRUE;
  CString name = m_strPathName;
  if (name.IsEmpty()) {
    name = m_strTitle;
    if (name.IsEmpty()) name = afx::FrameworkString(AFX_IDS_UNTITLED);
  } else {
    name = plat::FileNamePart(std::string(static_cast<LPCSTR>(name))).c_str();
  }
  CString prompt = afx::FormatString1(AFX_IDP_ASK_TO_SAVE, name);
  switch (::AfxMessageBox(prompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE)) {
    case IDCANCEL:
      return FALSE;
    case IDYES:
      return DoFileSave();
    default:
      return TRUE;
  }
}

BOOL CDocument::DoFileSave() {
  DWORD attrs = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributes(m_strPathName);
  if (m_strPathName.IsEmpty() || (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY)))
    return DoSave(nullptr);
  return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCSTR lpszPathName, BOOL bReplace) {
  CString path = lpszPathName ? lpszPathName : "";
  if (path.IsEmpty()) {
    path = m_strPathName;
    if (bReplace && path.IsEmpty()) {
      path = m_strTitle;
      // A title with an extension-less name gets the template's extension.
      CString ext;
      if (m_pDocTemplate && m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt) && !ext.IsEmpty() &&
          path.Find('.') < 0)
        path += ext;
    }
    CWinApp* app = AfxGetApp();
    if (!app || !app->DoPromptFileName(path, bReplace ? AFX_IDS_SAVEFILE : AFX_IDS_SAVEFILE, 0, FALSE,
                                       m_pDocTemplate))
      return FALSE;
  }
  if (!OnSaveDocument(path)) return FALSE;
  if (bReplace) SetPathName(path);
  return TRUE;
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::OnFileClose() {
  if (!SaveModified()) return;
  OnCloseDocument();
}

void CDocument::OnFileSave() { DoFileSave(); }
void CDocument::OnFileSaveAs() { DoSave(nullptr); }
