#include "platform/afx/doctemplate.h"

#include <strings.h>

#include "platform/afx/afxstrings.h"
#include "platform/afx/document.h"
#include "platform/afx/frame_menu.h"
#include "platform/afx/framewnd.h"
#include "platform/afx/view.h"
#include "platform/afx/winapp.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/path.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource),
      m_pDocClass(pDocClass),
      m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass) {
  m_strDocStrings.LoadString(nIDResource);
}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::LoadTemplate() {
  if (m_strDocStrings.IsEmpty()) m_strDocStrings.LoadString(m_nIDResource);
}

void CDocTemplate::AddDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = this; }

void CDocTemplate::RemoveDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = nullptr; }

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex index) const {
  // The fields are separated by "\n": title, name, new name, filter, extension, type id, type name.
  rString.Empty();
  LPCSTR p = m_strDocStrings;
  for (int i = 0; i < index; ++i) {
    p = strchr(p, '\n');
    if (!p) return FALSE;
    ++p;
  }
  LPCSTR end = strchr(p, '\n');
  rString = end ? CString(p, static_cast<int>(end - p)) : CString(p);
  return TRUE;
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCSTR lpszPathName, CDocument*& rpDocMatch) {
  rpDocMatch = nullptr;
  std::string path = plat::AbsolutePath(lpszPathName ? lpszPathName : "");
  for (POSITION pos = GetFirstDocPosition(); pos;) {
    CDocument* doc = GetNextDoc(pos);
    if (!doc->GetPathName().IsEmpty() && plat::SameFilePath(static_cast<LPCSTR>(doc->GetPathName()), path)) {
      rpDocMatch = doc;
      return yesAlreadyOpen;
    }
  }
  CString filter;
  if (GetDocString(filter, filterExt) && !filter.IsEmpty()) {
    // "*.ext" or ".ext", several separated by ";".
    std::string ext = plat::ExtensionPart(path);
    std::string list = static_cast<LPCSTR>(filter);
    size_t start = 0;
    while (start <= list.size()) {
      size_t semi = list.find(';', start);
      std::string one = list.substr(start, semi == std::string::npos ? std::string::npos : semi - start);
      if (!one.empty() && one[0] == '*') one.erase(0, 1);
      if (!one.empty() && strcasecmp(one.c_str(), ext.c_str()) == 0) return yesAttemptNative;
      if (semi == std::string::npos) break;
      start = semi + 1;
    }
  }
  return yesAttemptForeign;
}

CDocument* CDocTemplate::CreateNewDocument() {
  if (!m_pDocClass) return nullptr;
  auto* doc = static_cast<CDocument*>(m_pDocClass->CreateObject());
  if (!doc) return nullptr;
  AddDocument(doc);
  return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
  if (!m_pFrameClass) return nullptr;
  CCreateContext context;
  context.m_pCurrentFrame = pOther;
  context.m_pCurrentDoc = pDoc;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pNewDocTemplate = this;
  auto* frame = static_cast<CFrameWnd*>(m_pFrameClass->CreateObject());
  if (!frame) return nullptr;
  CWinApp* app = AfxGetApp();
  CWnd* parent = app ? app->m_pMainWnd : nullptr;
  if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, parent, &context))
    return nullptr;
  return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
  pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified() {
  for (POSITION pos = GetFirstDocPosition(); pos;) {
    CDocument* doc = GetNextDoc(pos);
    if (!doc->SaveModified()) return FALSE;
  }
  return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
  POSITION pos = GetFirstDocPosition();
  while (pos) {
    CDocument* doc = GetNextDoc(pos);
    doc->OnCloseDocument();
    pos = GetFirstDocPosition();  // the list changed
  }
}

namespace {
// The common part of opening: a document, its frame, loading or a new one.
CDocument* OpenIn(CDocTemplate* t, CDocument* doc, BOOL created, LPCSTR path, BOOL visible) {
  BOOL autoDelete = doc->m_bAutoDelete;
  doc->m_bAutoDelete = FALSE;  // the frame must not delete it while we work
  CFrameWnd* frame = t->CreateNewFrame(doc, nullptr);
  doc->m_bAutoDelete = autoDelete;
  if (!frame) {
    ::AfxMessageBox(afx::FrameworkString(AFX_IDP_FAILED_TO_CREATE_DOC));
    if (created) delete doc;
    return nullptr;
  }
  if (!path) {
    t->SetDefaultTitle(doc);
    if (!doc->OnNewDocument()) {
      frame->DestroyWindow();
      return nullptr;
    }
  } else {
    if (!doc->OnOpenDocument(path)) {
      frame->DestroyWindow();
      return nullptr;
    }
    doc->SetPathName(path);
  }
  t->InitialUpdateFrame(frame, doc, visible);
  return doc;
}
}  // namespace

// ---- Multiple documents ----

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {
  LoadTemplate();
}

CMultiDocTemplate::~CMultiDocTemplate() {
  if (m_hMenuShared) afx::FrameMenus().destroy(m_hMenuShared);
  if (m_hAccelTable) ::DestroyAcceleratorTable(m_hAccelTable);
  for (POSITION pos = m_docList.GetHeadPosition(); pos;)
    static_cast<CDocument*>(m_docList.GetNext(pos))->m_pDocTemplate = nullptr;
}

void CMultiDocTemplate::LoadTemplate() {
  CDocTemplate::LoadTemplate();
  HINSTANCE inst = AfxGetResourceHandle();
  if (!m_hMenuShared) m_hMenuShared = afx::FrameMenus().load(inst, MAKEINTRESOURCE(m_nIDResource));
  if (!m_hAccelTable) m_hAccelTable = ::LoadAccelerators(inst, MAKEINTRESOURCE(m_nIDResource));
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const { return m_docList.GetHeadPosition(); }
CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const {
  return static_cast<CDocument*>(m_docList.GetNext(rPos));
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc) {
  CDocTemplate::AddDocument(pDoc);
  if (!m_docList.Find(pDoc)) m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc) {
  CDocTemplate::RemoveDocument(pDoc);
  if (POSITION pos = m_docList.Find(pDoc)) m_docList.RemoveAt(pos);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible) {
  CDocument* doc = CreateNewDocument();
  if (!doc) {
    ::AfxMessageBox(afx::FrameworkString(AFX_IDP_FAILED_TO_CREATE_DOC));
    return nullptr;
  }
  return OpenIn(this, doc, TRUE, lpszPathName, bMakeVisible);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument) {
  CString name;
  if (!GetDocString(name, docName) || name.IsEmpty()) name = afx::FrameworkString(AFX_IDS_UNTITLED);
  CString title;
  title.Format("%s%u", static_cast<LPCSTR>(name), ++m_nUntitledCount);
  pDocument->SetTitle(title);
}

// ---- One document ----

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {}

CSingleDocTemplate::~CSingleDocTemplate() {
  if (m_pOnlyDoc) m_pOnlyDoc->m_pDocTemplate = nullptr;
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const {
  return m_pOnlyDoc ? reinterpret_cast<POSITION>(1) : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const {
  CDocument* doc = rPos == reinterpret_cast<POSITION>(1) ? m_pOnlyDoc : nullptr;
  rPos = nullptr;
  return doc;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc) {
  CDocTemplate::AddDocument(pDoc);
  m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc) {
  CDocTemplate::RemoveDocument(pDoc);
  if (m_pOnlyDoc == pDoc) m_pOnlyDoc = nullptr;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible) {
  if (!m_pOnlyDoc) {
    CDocument* doc = CreateNewDocument();
    if (!doc) return nullptr;
    return OpenIn(this, doc, TRUE, lpszPathName, bMakeVisible);
  }
  // The one document is reused: its frame stays.
  CDocument* doc = m_pOnlyDoc;
  if (!doc->SaveModified()) return nullptr;
  if (!lpszPathName) {
    SetDefaultTitle(doc);
    if (!doc->OnNewDocument()) return nullptr;
  } else {
    if (!doc->OnOpenDocument(lpszPathName)) return nullptr;
    doc->SetPathName(lpszPathName);
  }
  doc->UpdateAllViews(nullptr);
  return doc;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument) {
  CString name;
  if (!GetDocString(name, docName) || name.IsEmpty()) name = afx::FrameworkString(AFX_IDS_UNTITLED);
  pDocument->SetTitle(name);
}
