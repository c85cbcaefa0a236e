#include "framework/sec_doc_template_utils.h"

#include <cstring>
#include <functional>
#include "platform/ui/afxcmn.h"
#include "platform/ui/afxmenu.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/ui.h"

namespace {
CString SECTemplateTypeName(CDocTemplate* pTemplate) {
  CString name;
  pTemplate->GetDocString(name, CDocTemplate::regFileTypeName);
  return name;
}

// Calls `visit` for each of the application's templates until it answers FALSE.
BOOL SECForEachTemplate(const std::function<BOOL(CDocTemplate*)>& visit) {
  CWinApp* app = AfxGetApp();
  if (!app) return FALSE;
  for (POSITION pos = app->GetFirstDocTemplatePosition(); pos;) {
    if (!visit(app->GetNextDocTemplate(pos))) break;
  }
  return TRUE;
}

// Removes the templates `keep` refuses.
void SECKeepTemplates(CPtrList& list, const std::function<bool(CDocTemplate*)>& keep) {
  for (POSITION pos = list.GetHeadPosition(); pos;) {
    POSITION at = pos;
    if (!keep(static_cast<CDocTemplate*>(list.GetNext(pos)))) list.RemoveAt(at);
  }
}
}  // namespace

int SECDocTemplateUtils::GetTemplateOrdinal(CDocTemplate* pTemplate, const CString& strTypeName) {
  if (!pTemplate) return -1;
  int match = 0;
  int found = -1;
  SECForEachTemplate([&](CDocTemplate* t) {
    if (std::strcmp(SECTemplateTypeName(t), strTypeName) != 0) return TRUE;
    if (t == pTemplate) {
      found = match;
      return FALSE;
    }
    ++match;
    return TRUE;
  });
  return found;
}

CDocTemplate* SECDocTemplateUtils::GetTemplateByName(const CString& strTypeName, int nOrdinal) {
  CDocTemplate* last = nullptr;
  int match = 0;
  SECForEachTemplate([&](CDocTemplate* t) {
    if (std::strcmp(SECTemplateTypeName(t), strTypeName) != 0) return TRUE;
    last = t;
    return match++ < nOrdinal ? TRUE : FALSE;
  });
  return last;
}

CDocTemplate* SECDocTemplateUtils::FindTemplate(CDocument* pDoc, CView* pView, CFrameWnd* pFrame) {
  if (!pDoc || !pView || !pFrame) return nullptr;
  CPtrList list;
  GetAllTemplates(list);
  CDocTemplate* single = nullptr;
  if (GetSingle(list, single)) return single;
  FilterByViewAndFrame(list, pView, pFrame);
  if (GetSingle(list, single)) return single;
  FilterByResourceID(list, pFrame);
  if (GetSingle(list, single)) return single;
  FilterByDocument(list, pDoc);
  if (GetSingle(list, single)) return single;
  if (list.Find(pDoc->GetDocTemplate())) return pDoc->GetDocTemplate();
  return static_cast<CDocTemplate*>(list.GetHead());
}

UINT SECDocTemplateUtils::GetFrameResourceID(CFrameWnd* pFrame) { return pFrame ? pFrame->m_nIDHelp : 0; }

BOOL SECDocTemplateUtils::GetAllTemplates(CPtrList& list) {
  return SECForEachTemplate([&](CDocTemplate* t) {
    list.AddTail(t);
    return TRUE;
  });
}

BOOL SECDocTemplateUtils::FilterByViewAndFrame(CPtrList& list, CView* pView, CFrameWnd* pFrame) {
  if (!pView || !pFrame) return FALSE;
  CRuntimeClass* frameClass = pFrame->GetRuntimeClass();
  const int index = GetFrameClassIndex(frameClass);
  SECKeepTemplates(list, [&](CDocTemplate* t) {
    return t->m_pViewClass == pView->GetRuntimeClass() && GetTemplateFrameClass(t, index) == frameClass;
  });
  return TRUE;
}

BOOL SECDocTemplateUtils::FilterByResourceID(CPtrList& list, CFrameWnd* pFrame) {
  if (!pFrame) return FALSE;
  const UINT id = GetFrameResourceID(pFrame);
  SECKeepTemplates(list, [&](CDocTemplate* t) { return t->m_nIDResource == id; });
  return TRUE;
}

BOOL SECDocTemplateUtils::FilterByDocument(CPtrList& list, CDocument* pDoc) {
  if (!pDoc) return FALSE;
  SECKeepTemplates(list, [&](CDocTemplate* t) { return t->m_pDocClass == pDoc->GetRuntimeClass(); });
  return TRUE;
}

BOOL SECDocTemplateUtils::GetSingle(const CPtrList& list, CDocTemplate*& pResult) {
  pResult = nullptr;
  if (list.IsEmpty()) return TRUE;
  if (list.GetCount() > 1) return FALSE;
  pResult = static_cast<CDocTemplate*>(list.GetHead());
  return TRUE;
}

int SECDocTemplateUtils::GetFrameClassIndex(CRuntimeClass*) { return 0; }

CRuntimeClass* SECDocTemplateUtils::GetTemplateFrameClass(CDocTemplate* pTemplate, int nIndex) {
  return nIndex == 0 && pTemplate ? pTemplate->m_pFrameClass : nullptr;
}
