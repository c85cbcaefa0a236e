// CDocument: a document with its path, title, modified flag and views;
// opening, saving and closing with the save question.
#pragma once

#include "platform/afx/afxdefs.h"

class CArchive;
class CDocTemplate;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)
 public:
  CDocument();
  ~CDocument() override;

  const CString& GetTitle() const { return m_strTitle; }
  virtual void SetTitle(LPCSTR lpszTitle);
  const CString& GetPathName() const { return m_strPathName; }
  // The full path; the title becomes the file name; with bAddToMRU the
  // recent-file list gets the path.
  virtual void SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU = TRUE);
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
  virtual BOOL IsModified() { return m_bModified; }
  virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

  // Views.
  virtual POSITION GetFirstViewPosition() const;
  virtual CView* GetNextView(POSITION& rPosition) const;
  void AddView(CView* pView);
  void RemoveView(CView* pView);
  virtual void OnChangedViewList();
  // Every view but the sender gets OnUpdate with the hints.
  void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = nullptr);
  void UpdateFrameCounts();

  // Life cycle.
  virtual BOOL OnNewDocument();
  virtual BOOL OnOpenDocument(LPCSTR lpszPathName);
  virtual BOOL OnSaveDocument(LPCSTR lpszPathName);
  virtual void OnCloseDocument();
  virtual void DeleteContents() {}
  virtual void Serialize(CArchive& ar) override;
  virtual void ReportSaveLoadException(LPCSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);
  virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
  virtual void PreCloseFrame(CFrameWnd* pFrame);
  // Asks "Save changes to ...?" when modified: Cancel FALSE, No TRUE, Yes saves.
  virtual BOOL SaveModified();
  virtual BOOL DoSave(LPCSTR lpszPathName, BOOL bReplace = TRUE);
  virtual BOOL DoFileSave();
  virtual void OnIdle() {}

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  void OnFileClose();
  void OnFileSave();
  void OnFileSaveAs();

  CString m_strTitle;
  CString m_strPathName;
  CDocTemplate* m_pDocTemplate = nullptr;
  CPtrList m_viewList;
  BOOL m_bModified = FALSE;
  BOOL m_bAutoDelete = TRUE;
  BOOL m_bEmbedded = FALSE;

 protected:
  DECLARE_MESSAGE_MAP()
  friend class CDocTemplate;
};
