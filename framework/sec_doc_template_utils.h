// SECDocTemplateUtils: questions about the application's document templates
// (the template of a document in a frame and view, templates by file-type
// name, a frame's resource id). Every answer walks the application's template
// list; without an application there is nothing to find.
#pragma once

#include "platform/afx/afx.h"

class SECDocTemplateUtils {
 public:
  virtual ~SECDocTemplateUtils() = default;
  // Position of `pTemplate` among the templates named `strTypeName`; -1 when absent.
  virtual int GetTemplateOrdinal(CDocTemplate* pTemplate, const CString& strTypeName);
  // Match `nOrdinal` among the templates named `strTypeName`, else the last match.
  virtual CDocTemplate* GetTemplateByName(const CString& strTypeName, int nOrdinal);
  virtual CDocTemplate* FindTemplate(CDocument* pDoc, CView* pView, CFrameWnd* pFrame);
  virtual UINT GetFrameResourceID(CFrameWnd* pFrame);
  virtual BOOL GetAllTemplates(CPtrList& list);
  virtual BOOL FilterByViewAndFrame(CPtrList& list, CView* pView, CFrameWnd* pFrame);
  virtual BOOL FilterByResourceID(CPtrList& list, CFrameWnd* pFrame);
  virtual BOOL FilterByDocument(CPtrList& list, CDocument* pDoc);
  // TRUE when the list holds at most one template, which goes to `pResult`.
  virtual BOOL GetSingle(const CPtrList& list, CDocTemplate*& pResult);
  virtual int GetFrameClassIndex(CRuntimeClass* pFrameClass);
  virtual CRuntimeClass* GetTemplateFrameClass(CDocTemplate* pTemplate, int nIndex);
};
