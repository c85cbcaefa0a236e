// Document templates: the document, frame and view classes of one kind of
// document with its strings, menu and accelerators.
#pragma once

#include "platform/afx/afxdefs.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
  DECLARE_DYNAMIC(CDocTemplate)
 public:
  enum DocStringIndex {
    windowTitle,
    docName,
    fileNewName,
    filterName,
    filterExt,
    regFileTypeId,
    regFileTypeName
  };
  enum Confidence {
    noAttempt,
    maybeAttemptForeign,
    maybeAttemptNative,
    yesAttemptForeign,
    yesAttemptNative,
    yesAlreadyOpen
  };

  ~CDocTemplate() override;

  virtual void LoadTemplate();
  virtual POSITION GetFirstDocPosition() const = 0;
  virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
  virtual void AddDocument(CDocument* pDoc);
  virtual void RemoveDocument(CDocument* pDoc);
  virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;
  virtual Confidence MatchDocType(LPCSTR lpszPathName, CDocument*& rpDocMatch);
  virtual CDocument* CreateNewDocument();
  virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
  virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
  virtual BOOL SaveAllModified();
  virtual void CloseAllDocuments(BOOL bEndSession);
  virtual CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
  virtual void SetDefaultTitle(CDocument* pDocument) = 0;

  UINT m_nIDResource;
  CRuntimeClass* m_pDocClass;
  CRuntimeClass* m_pFrameClass;
  CRuntimeClass* m_pViewClass;
  CString m_strDocStrings;
  BOOL m_bAutoDelete = TRUE;

 protected:
  CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
               CRuntimeClass* pViewClass);
};

class CMultiDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CMultiDocTemplate)
 public:
  CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                    CRuntimeClass* pViewClass);
  ~CMultiDocTemplate() override;

  void LoadTemplate() override;
  POSITION GetFirstDocPosition() const override;
  CDocument* GetNextDoc(POSITION& rPos) const override;
  void AddDocument(CDocument* pDoc) override;
  void RemoveDocument(CDocument* pDoc) override;
  CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
  void SetDefaultTitle(CDocument* pDocument) override;

  HMENU m_hMenuShared = nullptr;
  HACCEL m_hAccelTable = nullptr;
  CPtrList m_docList;
  UINT m_nUntitledCount = 0;
};

class CSingleDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CSingleDocTemplate)
 public:
  CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                     CRuntimeClass* pViewClass);
  ~CSingleDocTemplate() override;

  POSITION GetFirstDocPosition() const override;
  CDocument* GetNextDoc(POSITION& rPos) const override;
  void AddDocument(CDocument* pDoc) override;
  void RemoveDocument(CDocument* pDoc) override;
  CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
  void SetDefaultTitle(CDocument* pDocument) override;

  CDocument* m_pOnlyDoc = nullptr;
};
