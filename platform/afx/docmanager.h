// CDocManager: the application's document templates; opening files by
// the best template, new documents, saving and closing all documents.
#pragma once

#include <functional>
#include <vector>

#include "platform/afx/afxdefs.h"

class CDocTemplate;
class CDocument;

class CDocManager : public CObject {
  DECLARE_DYNAMIC(CDocManager)
 public:
  CDocManager() = default;
  ~CDocManager() override;

  virtual void AddDocTemplate(CDocTemplate* pTemplate);
  virtual POSITION GetFirstDocTemplatePosition() const;
  virtual CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
  virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
  virtual BOOL SaveAllModified();
  virtual void CloseAllDocuments(BOOL bEndSession);
  virtual int GetOpenDocumentCount();
  virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                CDocTemplate* pTemplate);
  virtual void OnFileNew();
  virtual void OnFileOpen();

  CPtrList m_templateList;
};

namespace afx {
// The file prompt (name in and out, open or save, the template or NULL):
// TRUE with the chosen name, FALSE when cancelled. Tests and the common
// dialogs install it; without it the prompt is cancelled at once.
using FilePromptHandler = std::function<BOOL(CString& fileName, BOOL open, CDocTemplate* pTemplate)>;
void SetFilePromptHandler(FilePromptHandler handler);
// The choice among several templates for File New; without a handler the
// first template is taken. NULL cancels.
using NewTemplateChooser = std::function<CDocTemplate*(const std::vector<CDocTemplate*>& templates)>;
void SetNewTemplateChooser(NewTemplateChooser chooser);
}  // namespace afx
